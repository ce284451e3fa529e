#include "filesearch/search_files.h"

#include <string>
#include <vector>

#include "filesearch/look_in.h"
#include "settings/history.h"

namespace glmx::filesearch {

constexpr std::string_view kDone = "Done";

bool SearchFiles(std::string_view lookIn, std::string_view mask, const platform::FileSystem& files,
                 SearchHistories histories, platform::DirectoryListing& listing,
                 SearchObserver& observer, SearchPage& page) {
    page.ClearResults();
    if (lookIn.empty()) {
        page.SetStatusText(kDone);
        return false;
    }
    const std::vector<std::string> folders = SplitLookIn(lookIn);
    for (const std::string& folder : folders) {
        if (folder.empty() || !files.DirectoryExists(folder)) {
            page.ShowInvalidFolder(NotAValidFolderMessage(folder));
            return false;
        }
    }
    settings::AddToHistory(histories.folders, lookIn);
    // An empty mask finds nothing; as a history entry it would be the key's unnamed value.
    if (!mask.empty()) settings::AddToHistory(histories.fileNames, mask);
    SearchFolders(folders, mask, listing, observer);
    page.SetStatusText(kDone);
    return true;
}

}  // namespace glmx::filesearch
