#include "fileinfo/files_and_folders.h"

namespace glmx::fileinfo {

TFilesAndFolderClass::TFilesAndFolderClass(FolderTree& tree, const platform::FileSystem& files)
    : tree_(tree), files_(files) {}

void TFilesAndFolderClass::SetRoot(const std::string& root) {
    root_ = root;
    tree_.SetRoot(root);
    // A keyword names no directory; a folder path opens the tree at that folder.
    if (files_.DirectoryExists(root)) tree_.SelectPath(root);
}

}  // namespace glmx::fileinfo
