// The folder page's feature: the shell tree and item list bound to the folder rules,
// the offline text of the selected folder or item, and the control button's actions.
#pragma once

#include <string>

#include "info/offline_information.h"
#include "inventory/view_kind.h"
#include "platform/file_operations.h"
#include "platform/shell.h"
#include "shell/places/folder_places.h"
#include "ui/mainwindow/view_services.h"
#include "ui/win32/shell_list.h"
#include "ui/win32/shell_tree.h"

namespace glmx::ui {

// Folder views send the list's items to the Recycle Bin; the Recycle Bin view empties it.
shell::places::FolderAction FolderActionOf(ViewKind view);

class ShellPlacesView final : public FolderPage,
                              private fileinfo::FolderTree,
                              private shell::places::FolderItems,
                              private shell::places::ShellItemInformation {
public:
    ShellPlacesView(ShellTree& tree, ShellList& items, info::OfflineInformationBuilder& builder,
                    const platform::FileSystem& files, platform::FileOperations& operations);

    // FolderPage
    void RootAt(const std::string& root) override;
    void ShowSelectedFolderInfo() override;

    // The command line's "/F" and "/O" or "/D"; false when the path was skipped.
    bool SelectFile(const std::string& path) { return places_.SelectFile(path); }
    bool OpenFolder(const std::string& path) { return places_.OpenFolder(path); }
    void ControlButtonClicked(ViewKind view) { places_.Carry(FolderActionOf(view)); }

    // The controls' events.
    void TreeFolderSelected(const ITEMIDLIST* folder);
    void ListOpenedFolder(const ITEMIDLIST* folder);
    void ListFilled();
    void ShowSelectedItemInfo() override;

private:
    // fileinfo::FolderTree
    void SetRoot(const std::string& root) override;
    bool SelectPath(const std::string& path) override;
    void EnsureSelectionVisible() override;

    // shell::places::FolderItems
    int RowCount() const override;
    std::string RowParsingName(int row) const override;
    void SetRowSelected(int row, bool selected) override;
    void EnsureRowVisible(int row) override;
    bool Filling() const override;
    std::vector<std::string> SelectedItemPaths() const override;
    void Refresh() override;

    ShellTree& tree_;
    ShellList& items_;
    info::OfflineInformationBuilder& builder_;
    shell::places::FolderPlaces places_;
};

}  // namespace glmx::ui
