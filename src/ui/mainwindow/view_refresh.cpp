#include "ui/mainwindow/view_refresh.h"

#include <string>
#include <vector>

#include "ui/lists/kept_selection.h"
#include "ui/win32/list_view_rows.h"

namespace glmx::ui {

namespace {

// A row's first two cells tell its item from the others well enough to find it again.
std::vector<std::string> RowKey(HWND list, int row) {
    return {ListCellText(list, row, 0), ListCellText(list, row, 1)};
}

void RefillKeepingSelection(ViewKind view, const RefreshableParts& parts) {
    HWND list = parts.inventoryList;
    const int oldRow = ActedOnRow(list);
    const std::vector<std::string> oldKey =
        oldRow >= 0 ? RowKey(list, oldRow) : std::vector<std::string>{};
    parts.switcher.SwitchTo(view);
    std::vector<std::vector<std::string>> keys;
    const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) keys.push_back(RowKey(list, row));
    const int row = lists::RowToKeepSelected(oldKey, oldRow, keys);
    if (row < 0 || row == ActedOnRow(list)) return;
    SelectOnlyRow(list, row);
    parts.switcher.ShowSelectionInfo();
}

}  // namespace

void RefreshView(ViewKind view, const RefreshableParts& parts) {
    switch (view) {
        case vkRunningApplications:
        case vkRunningProcesses:
        case vkAutoStart:
        case vkInstalledPrograms:
            RefillKeepingSelection(view, parts);
            break;
        case vkRegistry:
        case vkHardware:
            parts.switcher.SwitchTo(view);
            break;
        case vkAll:
        case vkDocuments:
        case vkRecycleBin:
        case vkOtherPlace:
            parts.folderItems.Refresh();
            break;
        default:
            break;  // a search's results are what it found
    }
}

}  // namespace glmx::ui
