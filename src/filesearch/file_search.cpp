#include "filesearch/file_search.h"

#include <memory>
#include <optional>
#include <set>
#include <unordered_set>

#include "filesearch/mask.h"
#include "platform/text.h"

namespace glmx::filesearch {

namespace {

// The longest path Windows accepts, in UTF-16 units. A loop that nothing marks (a server
// following links by itself) ends here.
constexpr size_t kLongestPath = 32767;

size_t Utf16Units(std::string_view text) { return platform::Utf8ToUtf16(text).size(); }

// The open listings of the branch being searched live here rather than on the call stack,
// so that no depth of folders can exhaust it.
//
// Telling a directory's identity costs a system call per directory (under Wine, a good part
// of the walk). Below one folder and through no link, every directory is reached once, so
// until the first link or the second look-in folder the walk only remembers the paths it
// searched; then it tells their identities and every later directory's.
class Walk {
public:
    Walk(std::string_view mask, platform::DirectoryListing& listing, SearchObserver& observer)
        : mask_(mask), listing_(listing), observer_(observer) {}

    // False once a stop was asked for.
    bool Search(const std::string& folder) {
        if (started_) StartIdentifying();  // it may overlap the folders searched already
        started_ = true;
        std::string path = folder;
        if (path.empty() || path.back() != '\\') path += '\\';
        const size_t units = Utf16Units(path) - 1;  // without its final "\"
        Enter(std::move(path), units, nullptr);
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
                if (entry.isLink) StartIdentifying();
                Enter(level.path + entry.name + '\\', level.units + 1 + Utf16Units(entry.name),
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
        size_t units;      // of the path without its "\"
        std::optional<platform::DirectoryIdentity> identity;
        size_t remembered;  // its place in remembered_, before identifying
        std::unique_ptr<platform::DirectoryCursor> entries;
    };

    // `parent` is the identity of the folder holding it when that is known and the entry
    // is no link: then it is on the parent's volume, and only its index needs asking.
    void Enter(std::string path, size_t units, const platform::DirectoryIdentity* parent) {
        if (units > kLongestPath) return;
        std::optional<platform::DirectoryIdentity> identity;
        if (identifying_) {
            if (!parent) {
                identity = listing_.IdentityOf(path);
            } else if (const auto index = listing_.IndexOf(path)) {
                identity = platform::DirectoryIdentity{parent->volume, *index};
            }
            if (!Mark(identity, path)) return;
        }
        auto entries = listing_.Open(path);
        if (!entries) return;
        if (!identifying_) remembered_.push_back(path);
        observer_.LookingIn(path);
        open_.push_back(
            {std::move(path), units, identity, remembered_.size() - 1, std::move(entries)});
    }

    // False when the directory was searched already.
    bool Mark(const std::optional<platform::DirectoryIdentity>& identity, const std::string& path) {
        return identity ? identities_.insert(*identity).second
                        : paths_.insert(platform::AsciiUpper(path)).second;
    }

    void StartIdentifying() {
        if (identifying_) return;
        identifying_ = true;
        // All were reached from the first without a link, so they share its volume.
        std::vector<std::optional<platform::DirectoryIdentity>> told;
        told.reserve(remembered_.size());
        for (const std::string& path : remembered_) {
            std::optional<platform::DirectoryIdentity> identity;
            if (told.empty() || !told.front()) {
                identity = listing_.IdentityOf(path);
            } else if (const auto index = listing_.IndexOf(path)) {
                identity = platform::DirectoryIdentity{told.front()->volume, *index};
            }
            Mark(identity, path);
            told.push_back(identity);
        }
        for (Level& level : open_) level.identity = told[level.remembered];
        remembered_ = {};
    }

    const Mask mask_;
    platform::DirectoryListing& listing_;
    SearchObserver& observer_;
    std::vector<Level> open_;
    bool started_ = false, identifying_ = false;
    std::vector<std::string> remembered_;  // the directories searched before identifying
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
