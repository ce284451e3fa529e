// The folder page's rules over its tree and item list: rooting the views, the
// command line's "select this file" and "open this folder", and the control
// button's Recycle Bin actions.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "fileinfo/files_and_folders.h"
#include "platform/file_operations.h"
#include "platform/shell.h"

namespace glmx::shell::places {

// The item list as the rules see it.
class FolderItems {
public:
    virtual ~FolderItems() = default;
    virtual int RowCount() const = 0;
    // The row's parsing name: its full path for a file-system item.
    virtual std::string RowParsingName(int row) const = 0;
    virtual void SetRowSelected(int row, bool selected) = 0;
    virtual void EnsureRowVisible(int row) = 0;
    // True while a slow folder is still being listed.
    virtual bool Filling() const = 0;
    // The file-system paths of the selected items; items outside the file system have none.
    virtual std::vector<std::string> SelectedItemPaths() const = 0;
    virtual void Refresh() = 0;
};

// The offline text of the selection.
class ShellItemInformation {
public:
    virtual ~ShellItemInformation() = default;
    virtual void ShowSelectedFolderInfo() = 0;
    virtual void ShowSelectedItemInfo() = 0;
};

// What the folder page's control button does in the current view.
enum class FolderAction { None, SendToRecycleBin, EmptyRecycleBin };

class FolderPlaces {
public:
    FolderPlaces(fileinfo::FolderTree& tree, FolderItems& items, ShellItemInformation& information,
                 const platform::FileSystem& files, platform::FileOperations& operations);

    // A root-folder identifier ("rfDesktop") or a folder path.
    void RootAt(const std::string& root);
    const std::string& Root() const { return filesAndFolders_.Root(); }

    // Shows a file's folder with exactly that file's row selected (letter case counts),
    // and its offline text. A path that does not exist or cannot be shown does nothing
    // and gives false.
    bool SelectFile(const std::string& path);
    // Shows a folder or drive and its offline text; false as above.
    bool OpenFolder(const std::string& path);
    // The item list was (re)filled: a file waiting for a slow folder is selected now.
    void ItemsFilled();

    // Sends the list's selected items (never the tree's folder) to the Recycle Bin, or
    // empties it; the list is refreshed when the shell reports success.
    void Carry(FolderAction action);

private:
    void SelectRowsOf(const std::string& path);

    fileinfo::FolderTree& tree_;
    FolderItems& items_;
    ShellItemInformation& information_;
    const platform::FileSystem& files_;
    platform::FileOperations& operations_;
    fileinfo::TFilesAndFolderClass filesAndFolders_;
    std::optional<std::string> waitingFile_;
};

}  // namespace glmx::shell::places
