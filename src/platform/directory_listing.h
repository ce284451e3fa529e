// The entries of a file-system folder, as the file system lists them.
#pragma once

#include <compare>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace glmx::platform {

struct DirectoryEntry {
    std::string name;
    bool isDirectory = false;
    // A reparse point: junction, symbolic link or mount point. Only through one of those
    // can a directory lie on another volume than its parent.
    bool isLink = false;
    // Marked hidden or system (how the system hides its own entries).
    bool isHiddenOrSystem = false;
};

// The same for every path that leads to one directory (through links or junctions too).
struct DirectoryIdentity {
    std::uint64_t volume = 0, index = 0;
    auto operator<=>(const DirectoryIdentity&) const = default;
};

// One folder's entries, read one at a time, so that a walk can hold the listings of a
// whole branch without holding the branch on its call stack.
class DirectoryCursor {
public:
    virtual ~DirectoryCursor() = default;
    // The next entry into `entry`, whose string storage is reused; false after the last.
    virtual bool Next(DirectoryEntry& entry) = 0;
};

class DirectoryListing {
public:
    virtual ~DirectoryListing() = default;
    // Calls `entry` for each entry of the folder (never "." or ".."), in the file system's order,
    // with every attribute included, until it returns false. False when the folder cannot be
    // listed (missing, denied). `folder` ends with "\".
    virtual bool List(const std::string& folder,
                      const std::function<bool(const DirectoryEntry&)>& entry) = 0;
    // nullopt when it cannot be told.
    virtual std::optional<DirectoryIdentity> IdentityOf(const std::string& folder) = 0;
    // The index of IdentityOf alone, for a folder known to be on a volume already told;
    // implementations make it cheaper where asking the volume costs.
    virtual std::optional<std::uint64_t> IndexOf(const std::string& folder) {
        const std::optional<DirectoryIdentity> identity = IdentityOf(folder);
        if (!identity) return std::nullopt;
        return identity->index;
    }

    // The entries List gives, one at a time; nullptr when the folder cannot be listed. This
    // one reads the whole folder through List first; implementations read as they go.
    virtual std::unique_ptr<DirectoryCursor> Open(const std::string& folder) {
        auto cursor = std::make_unique<ListedEntries>();
        const bool listed = List(folder, [&](const DirectoryEntry& entry) {
            cursor->entries.push_back(entry);
            return true;
        });
        if (!listed) return nullptr;
        return cursor;
    }

protected:
    // List for an implementation whose Open reads as it goes.
    bool ListThroughOpen(const std::string& folder,
                         const std::function<bool(const DirectoryEntry&)>& entry) {
        const std::unique_ptr<DirectoryCursor> cursor = Open(folder);
        if (!cursor) return false;
        DirectoryEntry current;
        while (cursor->Next(current) && entry(current)) {
        }
        return true;
    }

private:
    struct ListedEntries final : DirectoryCursor {
        std::vector<DirectoryEntry> entries;
        size_t next = 0;
        bool Next(DirectoryEntry& entry) override {
            if (next == entries.size()) return false;
            entry = std::move(entries[next++]);
            return true;
        }
    };
};

}  // namespace glmx::platform
