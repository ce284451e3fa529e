// Finding files by name below folders: depth-first, in the order the file system lists.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/directory_listing.h"

namespace glmx::filesearch {

class SearchObserver {
public:
    virtual ~SearchObserver() = default;
    virtual void LookingIn(
        const std::string& folderWithBackslash) = 0;  // once per directory entered
    virtual void Found(const std::string& fullPath) = 0;
    // Asked before each entry; the window answers from its Stop flag (and pumps its messages
    // there).
    virtual bool StopRequested() = 0;
};

// Searches each folder in order, depth-first in the listing's order (a sub-folder is searched
// completely the moment it turns up); files whose name matches the mask are reported as
// folder + "\" + name (no doubled "\"). Directories are never matched. A directory is searched
// at most once per call: one reached again through a junction, symbolic link or overlapping
// look-in folder is skipped (by identity; when the identity cannot be told, by its path), so
// loops end and nothing is reported twice. Unlistable folders, and directories whose path
// would pass the longest Windows accepts (32,767 characters), are skipped silently.
void SearchFolders(const std::vector<std::string>& folders, std::string_view mask,
                   platform::DirectoryListing& listing, SearchObserver& observer);

}  // namespace glmx::filesearch
