// What every report-view list offers beyond the control itself: its rows read as the
// user sees them, copied to the clipboard, selected all at once, and sorted by a click
// on a column's header, each row keeping its texts, images, data and state.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/lists/column_order.h"
#include "ui/lists/list_export.h"

namespace glmx::ui {

std::vector<std::string> ListHeaderCaptions(HWND list);
std::string ListCellText(HWND list, int row, int column);
// The captions and the texts of the given rows, every column.
lists::ListTable ListRowsTable(HWND list, const std::vector<int>& rows);
// Every row, also those scrolled out of sight.
lists::ListTable WholeListTable(HWND list);
std::vector<int> SelectedListRows(HWND list);
// The row the list's actions act on: the focused row when it is selected, else the
// first selected one; -1 when none is.
int ActedOnRow(HWND list);
// Makes the row the only selected one, focused and scrolled into sight.
void SelectOnlyRow(HWND list, int row);

// Unicode text on the clipboard; false when the clipboard could not be had.
bool PutTextOnClipboard(HWND owner, const std::string& text);
// The selected rows as tab-separated text with the captions above; false when none
// is selected or the clipboard could not be had.
bool CopySelectedRows(HWND list);
// Does nothing in a list that allows one selected row.
void SelectAllRows(HWND list);

// Rewrites the rows in the sorted order; the arrow shows on the sorted column's
// header (on none for column -1).
void SortListRows(HWND list, const lists::ListSort& sort);
void ShowSortArrow(HWND list, const lists::ListSort& sort);

// A list's sorting, copying and selecting: its parent hands it the list's
// notifications and context menu requests.
class ListFeatures {
public:
    void Attach(HWND list) { list_ = list; }
    // A header click sorts; Ctrl+C copies; Ctrl+A selects all; when all rows go (the
    // view is filled anew) the view's own order and no arrow return. Never consumes.
    void OnNotify(const NMHDR& header);
    // A menu with "Copy" at the point (from the keyboard, -1,-1: at the acted-on row);
    // false when no row is selected.
    bool ShowContextMenu(POINT screenPoint);
    const lists::ListSort& Sort() const { return sort_; }

private:
    HWND list_ = nullptr;
    lists::ListSort sort_;
};

}  // namespace glmx::ui
