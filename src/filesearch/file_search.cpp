#include "filesearch/file_search.h"

#include <memory>
#include <optional>
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
        Enter(std::move(path), nullptr);
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
                Enter(level.path + entry.name + '\\',
                      level.identity && !entry.isLink ? &*level.identity : nullptr);
            } else if (mask_.Matches(entry.name)) {
                observer_.Found(level.path + entry.name);
            }
        }
        return true;
    }

private:
    struct Level {
        std::string path;  // with its "\"
        std::optional<platform::DirectoryIdentity> identity;
        std::unique_ptr<platform::DirectoryCursor> entries;
    };

    // `parent` is the identity of the folder holding it when that is known and the entry
    // is no link: then it is on the parent's volume, and only its index needs asking.
    void Enter(std::string path, const platform::DirectoryIdentity* parent) {
        std::optional<platform::DirectoryIdentity> identity;
        if (!parent) {
            identity = listing_.IdentityOf(path);
        } else if (const auto index = listing_.IndexOf(path)) {
            identity = platform::DirectoryIdentity{parent->volume, *index};
        }
        const bool first = identity ? identities_.insert(*identity).second
                                    : paths_.insert(platform::AsciiUpper(path)).second;
        if (!first) return;
        auto entries = listing_.Open(path);
        if (!entries) return;
        observer_.LookingIn(path);
        open_.push_back({std::move(path), identity, std::move(entries)});
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
