// The "Files and folders" view: a shell folder tree rooted at a special folder or at
// a folder of the user's choice.
#pragma once

#include <string>

#include "platform/shell.h"

namespace glmx::fileinfo {

// The shell tree control the view shows, as the rules see it.
class FolderTree {
public:
    virtual ~FolderTree() = default;
    // A special-folder keyword ("rfDesktop", "rfPersonal", ...) or a folder path.
    virtual void SetRoot(const std::string& root) = 0;
    // Selects a folder below the root, opening the way to it; false when it cannot.
    virtual bool SelectPath(const std::string& path) = 0;
    virtual void EnsureSelectionVisible() = 0;
};

class TFilesAndFolderClass {
public:
    TFilesAndFolderClass(FolderTree& tree, const platform::FileSystem& files);

    // Roots the tree at a special-folder keyword ("rfDesktop", "rfPersonal",
    // "rfRecycleBin", ...) or a folder path, kept as given; a folder that exists is
    // selected as well.
    void SetRoot(const std::string& root);
    const std::string& Root() const { return root_; }

private:
    FolderTree& tree_;
    const platform::FileSystem& files_;
    std::string root_;
};

}  // namespace glmx::fileinfo
