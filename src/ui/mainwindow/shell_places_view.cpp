#include "ui/mainwindow/shell_places_view.h"

#include "shell/places/root_folders.h"

namespace glmx::ui {

namespace pw = platform::win32;

shell::places::FolderAction FolderActionOf(ViewKind view) {
    switch (view) {
        case vkAll:
        case vkDocuments:
        case vkOtherPlace:
            return shell::places::FolderAction::SendToRecycleBin;
        case vkRecycleBin:
            return shell::places::FolderAction::EmptyRecycleBin;
        default:
            return shell::places::FolderAction::None;
    }
}

ShellPlacesView::ShellPlacesView(ShellTree& tree, ShellList& items,
                                 info::OfflineInformationBuilder& builder,
                                 const platform::FileSystem& files,
                                 platform::FileOperations& operations)
    : tree_(tree),
      items_(items),
      builder_(builder),
      places_(*this, *this, *this, files, operations) {}

void ShellPlacesView::RootAt(const std::string& root) { places_.RootAt(root); }

void ShellPlacesView::SetRoot(const std::string& root) {
    const std::optional<int> csidl = shell::places::CsidlOfRoot(root);
    const pw::ItemIdList folder =
        csidl ? pw::SpecialFolderIdList(*csidl) : pw::IdListFromPath(root);
    // A root the system does not have leaves the page empty rather than showing another.
    tree_.SetRoot(folder.get());
    if (!folder) items_.ShowFolder(nullptr);
}

bool ShellPlacesView::SelectPath(const std::string& path) {
    const pw::ItemIdList folder = pw::IdListFromPath(path);
    return folder && tree_.SelectFolder(folder.get());
}

void ShellPlacesView::EnsureSelectionVisible() { tree_.EnsureSelectionVisible(); }

void ShellPlacesView::TreeFolderSelected(const ITEMIDLIST* folder) { items_.ShowFolder(folder); }

void ShellPlacesView::ListOpenedFolder(const ITEMIDLIST* folder) {
    // A folder above the root (Backspace at the root) cannot be shown in this view.
    if (tree_.SelectFolder(folder)) ShowSelectedFolderInfo();
}

void ShellPlacesView::ListFilled() {
    // New or vanished folders show in the tree as well.
    if (const ITEMIDLIST* folder = items_.Folder()) tree_.RefreshChildren(folder);
    places_.ItemsFilled();
}

void ShellPlacesView::ShowSelectedFolderInfo() {
    const ITEMIDLIST* folder = tree_.SelectedFolder();
    if (!folder) return;
    info::ShellItemInfo item;
    item.displayName = pw::DisplayNameOf(folder);
    item.pathName = pw::ParsingNameOf(folder);
    builder_.ShowShellItemInfo(item, items_.ColumnCaptions());
}

void ShellPlacesView::ShowSelectedItemInfo() {
    const int row = items_.SelectedRow();
    if (row < 0) return;
    builder_.ShowShellItemInfo(items_.RowInfo(row), items_.ColumnCaptions());
}

int ShellPlacesView::RowCount() const { return items_.RowCount(); }

std::string ShellPlacesView::RowParsingName(int row) const { return items_.RowParsingName(row); }

void ShellPlacesView::SetRowSelected(int row, bool selected) {
    items_.SetRowSelected(row, selected);
}

void ShellPlacesView::EnsureRowVisible(int row) { items_.EnsureRowVisible(row); }

bool ShellPlacesView::Filling() const { return items_.Filling(); }

std::vector<std::string> ShellPlacesView::SelectedItemPaths() const {
    std::vector<std::string> paths;
    const HWND list = items_.Handle();
    for (int row = ListView_GetNextItem(list, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(list, row, LVNI_SELECTED)) {
        const ITEMIDLIST* item = items_.RowItem(row);
        // Only file-system items have a path the shell can delete.
        if (item && pw::AttributesOf(item, SFGAO_FILESYSTEM))
            paths.push_back(items_.RowParsingName(row));
    }
    return paths;
}

void ShellPlacesView::Refresh() { items_.Refresh(); }

}  // namespace glmx::ui
