// The Search button's search: the look-in text checked and split, the histories
// written for a search that starts, the folders searched in order, "Done".
#pragma once

#include <string_view>

#include "filesearch/file_search.h"
#include "platform/directory_listing.h"
#include "platform/shell.h"
#include "settings/reg_info.h"

namespace glmx::filesearch {

// What the search does to the window besides adding rows.
class SearchPage {
public:
    virtual ~SearchPage() = default;
    virtual void ClearResults() = 0;
    virtual void SetStatusText(std::string_view text) = 0;
    // An error box with the text.
    virtual void ShowInvalidFolder(std::string_view message) = 0;
};

struct SearchHistories {
    settings::TRegInfoClass& fileNames;  // the masks searched
    settings::TRegInfoClass& folders;    // the look-in texts searched
};

// True when the folders were searched, also when the search was stopped; false when
// the look-in text was empty or named a folder that does not exist (nothing searched,
// no history written).
bool SearchFiles(std::string_view lookIn, std::string_view mask, const platform::FileSystem& files,
                 SearchHistories histories, platform::DirectoryListing& listing,
                 SearchObserver& observer, SearchPage& page);

}  // namespace glmx::filesearch
