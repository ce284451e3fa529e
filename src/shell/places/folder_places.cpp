#include "shell/places/folder_places.h"

#include <utility>

#include "shell/places/folder_rules.h"

namespace glmx::shell::places {

FolderPlaces::FolderPlaces(fileinfo::FolderTree& tree, FolderItems& items,
                           ShellItemInformation& information, const platform::FileSystem& files,
                           platform::FileOperations& operations)
    : tree_(tree),
      items_(items),
      information_(information),
      files_(files),
      operations_(operations),
      filesAndFolders_(tree, files) {}

void FolderPlaces::RootAt(const std::string& root) {
    waitingFile_.reset();
    filesAndFolders_.SetRoot(root);
}

bool FolderPlaces::SelectFile(const std::string& path) {
    waitingFile_.reset();
    if (!files_.FileExists(path) && !files_.DirectoryExists(path)) return false;
    if (!tree_.SelectPath(FolderOfPath(path))) return false;
    tree_.EnsureSelectionVisible();
    if (items_.Filling()) {
        waitingFile_ = path;  // selected when the folder arrives
        return true;
    }
    SelectRowsOf(path);
    return true;
}

void FolderPlaces::ItemsFilled() {
    if (!waitingFile_ || items_.Filling()) return;
    const std::string path = *std::exchange(waitingFile_, std::nullopt);
    SelectRowsOf(path);
}

void FolderPlaces::SelectRowsOf(const std::string& path) {
    // Every row of exactly this path: the shell may list one item twice.
    for (int row = 0; row < items_.RowCount(); ++row) {
        if (items_.RowParsingName(row) != path) continue;
        items_.SetRowSelected(row, true);
        items_.EnsureRowVisible(row);
    }
    information_.ShowSelectedItemInfo();
}

bool FolderPlaces::OpenFolder(const std::string& path) {
    waitingFile_.reset();
    if (!files_.DirectoryExists(path) || !tree_.SelectPath(path)) return false;
    tree_.EnsureSelectionVisible();
    information_.ShowSelectedFolderInfo();
    return true;
}

void FolderPlaces::Carry(FolderAction action) {
    switch (action) {
        case FolderAction::SendToRecycleBin: {
            const std::vector<std::string> paths = items_.SelectedItemPaths();
            if (!paths.empty() && operations_.DeleteToRecycleBin(paths)) items_.Refresh();
            return;
        }
        case FolderAction::EmptyRecycleBin:
            if (operations_.EmptyRecycleBin()) items_.Refresh();
            return;
        case FolderAction::None:
            return;
    }
}

}  // namespace glmx::shell::places
