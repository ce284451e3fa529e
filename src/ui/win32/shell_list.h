// The items of one shell folder in a report-view list: folders first, the shell's
// detail columns, system icons, rename in place, the shell's context menu. It
// follows changes in the folder by itself. The folder page and the browse dialog
// use it.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "info/offline_information.h"
#include "platform/win32/shell_namespace.h"

namespace glmx::ui {

struct ShellListEvents {
    // The user opened a folder row (double-click, Enter) or went up (Backspace): the
    // linked tree selects that folder, which lists it here.
    std::function<void(const ITEMIDLIST* folder)> openFolder;
    // A click or key release in the list, after the list has handled it.
    std::function<void()> userActed;
    // The rows were (re)filled: a slow folder arrived or the folder changed.
    std::function<void()> filled;
};

class ShellList {
public:
    explicit ShellList(ShellListEvents events);
    ~ShellList();
    ShellList(const ShellList&) = delete;
    ShellList& operator=(const ShellList&) = delete;

    // The list view: report view, whole-row selection, labels editable, selection kept
    // visible, the small system image list shared (never destroyed here).
    HWND Create(HWND parent, int id);
    HWND Handle() const;

    // Lists a folder's items (hidden ones too), sorted, folders first. Waits a moment
    // for the folder; a slower one fills the list when it arrives. Null empties the list.
    void ShowFolder(const ITEMIDLIST* folder);
    // Null before the first ShowFolder.
    const ITEMIDLIST* Folder() const;
    // Lists the folder again, keeping the selected items that remain.
    void Refresh();
    // True while a slow folder is still being listed.
    bool Filling() const;

    int RowCount() const;
    // The first selected row; -1 when none.
    int SelectedRow() const;
    void SetRowSelected(int row, bool selected);
    void EnsureRowVisible(int row);
    // The item's parsing name: its full path for file-system items.
    std::string RowParsingName(int row) const;
    // The item's absolute identifier list; null for a row out of range.
    const ITEMIDLIST* RowItem(int row) const;
    // The display name, parsing name and the texts of every column of a row.
    info::ShellItemInfo RowInfo(int row) const;
    std::vector<std::string> ColumnCaptions() const;

    // WM_NOTIFY from the list, routed by its parent; true when handled, with the result.
    bool OnNotify(const NMHDR& header, LRESULT& result);
    // The shell's context menu for the selected rows at a screen point (from the
    // keyboard: at the focused row); true when shown.
    bool ShowContextMenu(POINT screenPoint);

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace glmx::ui
