#include "filesearch/file_search.h"

#include <memory>
#include <set>
#include <unordered_set>

#include "filesearch/mask.h"
#include "platform/text.h"

namespace glmx::filesearch {

namespace {

// The open listings of the branch being searched live here rather than on the call stack,
// so that no depth of folders can exhaust it.
class Walk {
public:
    Walk(std::string_view mask, platform::DirectoryListing& listing, SearchObserver& observer)
        : mask_(mask), listing_(listing), observer_(observer) {}

    // False once a stop was asked for.
    bool Search(const std::string& folder) {
        std::string path = folder;
        if (path.empty() || path.back() != '\\') path += '\\';
        Enter(std::move(path));
        platform::DirectoryEntry entry;
        while (!open_.empty()) {
            if (observer_.StopRequested()) {
                open_.clear();
                return false;
            }
            Level& level = open_.back();
            if (!level.entries->Next(entry)) {
                open_.pop_back();
            } else if (entry.isDirectory) {
                Enter(level.path + entry.name + '\\');
            } else if (mask_.Matches(entry.name)) {
                observer_.Found(level.path + entry.name);
            }
        }
        return true;
    }

private:
    struct Level {
        std::string path;  // with its "\"
        std::unique_ptr<platform::DirectoryCursor> entries;
    };

    void Enter(std::string path) {
        if (!FirstVisit(path)) return;
        auto entries = listing_.Open(path);
        if (!entries) return;
        observer_.LookingIn(path);
        open_.push_back({std::move(path), std::move(entries)});
    }

    bool FirstVisit(const std::string& path) {
        if (const auto identity = listing_.IdentityOf(path))
            return identities_.insert(*identity).second;
        return paths_.insert(platform::AsciiUpper(path)).second;
    }

    const Mask mask_;
    platform::DirectoryListing& listing_;
    SearchObserver& observer_;
    std::vector<Level> open_;
    std::set<platform::DirectoryIdentity> identities_;
    std::unordered_set<std::string> paths_;
};

}  // namespace

void SearchFolders(const std::vector<std::string>& folders, std::string_view mask,
                   platform::DirectoryListing& listing, SearchObserver& observer) {
    Walk walk(mask, listing, observer);
    for (const std::string& folder : folders)
        if (observer.StopRequested() || !walk.Search(folder)) return;
}

}  // namespace glmx::filesearch
