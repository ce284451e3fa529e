#include "ui/win32/list_view_rows.h"

#include <algorithm>
#include <utility>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "ui/win32/held_painting.h"

namespace glmx::ui {

using platform::win32::Narrow;
using platform::win32::Wide;

namespace {

constexpr UINT kCopyCommand = 1;

int ColumnCount(HWND list) {
    const int count = Header_GetItemCount(ListView_GetHeader(list));
    return count > 0 ? count : 1;
}

std::vector<std::string> RowCells(HWND list, int row, int columns) {
    std::vector<std::string> cells;
    cells.reserve(static_cast<size_t>(columns));
    for (int column = 0; column < columns; ++column)
        cells.push_back(ListCellText(list, row, column));
    return cells;
}

// Everything a row carries besides its texts.
struct RowData {
    std::vector<std::string> cells;
    int image = I_IMAGENONE;
    LPARAM data = 0;
    UINT state = 0;
    int indent = 0;
};

constexpr UINT kKeptStates = LVIS_STATEIMAGEMASK | LVIS_SELECTED | LVIS_FOCUSED | LVIS_CUT;

RowData ReadRow(HWND list, int row, int columns) {
    RowData data;
    data.cells = RowCells(list, row, columns);
    LVITEMW item{};
    item.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE | LVIF_INDENT;
    item.iItem = row;
    item.stateMask = kKeptStates;
    if (SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) {
        data.image = item.iImage;
        data.data = item.lParam;
        data.state = item.state & kKeptStates;
        data.indent = item.iIndent;
    }
    return data;
}

void WriteRow(HWND list, int row, const RowData& data) {
    std::wstring caption = Wide(data.cells.empty() ? std::string() : data.cells[0]);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE | LVIF_INDENT;
    item.iItem = row;
    item.pszText = caption.data();
    item.iImage = data.image;
    item.lParam = data.data;
    item.state = data.state;
    item.stateMask = kKeptStates;
    item.iIndent = data.indent;
    SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (size_t column = 1; column < data.cells.size(); ++column) {
        std::wstring text = Wide(data.cells[column]);
        LVITEMW sub{};
        sub.iSubItem = static_cast<int>(column);
        sub.pszText = text.data();
        SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&sub));
    }
}

// Memory for the clipboard, freed unless the clipboard took it.
struct GlobalMemory {
    HGLOBAL handle;
    ~GlobalMemory() {
        if (handle) GlobalFree(handle);
    }
};

struct OpenedClipboard {
    bool open;
    explicit OpenedClipboard(HWND owner) : open(OpenClipboard(owner) != FALSE) {}
    ~OpenedClipboard() {
        if (open) CloseClipboard();
    }
};

}  // namespace

std::vector<std::string> ListHeaderCaptions(HWND list) {
    std::vector<std::string> captions;
    const int count = Header_GetItemCount(ListView_GetHeader(list));
    for (int column = 0; column < count; ++column) {
        wchar_t text[1024] = {};
        LVCOLUMNW info{};
        info.mask = LVCF_TEXT;
        info.pszText = text;
        info.cchTextMax = 1024;
        SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&info));
        captions.push_back(Narrow(text));
    }
    return captions;
}

std::string ListCellText(HWND list, int row, int column) {
    // The control says how much it copied; a text that filled the buffer may be longer.
    std::vector<wchar_t> text(1024);
    while (true) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        const auto copied = static_cast<size_t>(
            SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
        if (copied + 1 < text.size() || text.size() >= 65536) {
            text.back() = L'\0';
            return Narrow(text.data());
        }
        text.assign(text.size() * 4, L'\0');
    }
}

lists::ListTable ListRowsTable(HWND list, const std::vector<int>& rows) {
    lists::ListTable table;
    table.header = ListHeaderCaptions(list);
    const int columns = ColumnCount(list);
    table.rows.reserve(rows.size());
    for (int row : rows) table.rows.push_back(RowCells(list, row, columns));
    return table;
}

lists::ListTable WholeListTable(HWND list) {
    std::vector<int> rows(static_cast<size_t>(std::max(0, ListView_GetItemCount(list))));
    for (size_t row = 0; row < rows.size(); ++row) rows[row] = static_cast<int>(row);
    return ListRowsTable(list, rows);
}

std::vector<int> SelectedListRows(HWND list) {
    std::vector<int> rows;
    for (int row = ListView_GetNextItem(list, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(list, row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

int ActedOnRow(HWND list) {
    const int focused = ListView_GetNextItem(list, -1, LVNI_FOCUSED | LVNI_SELECTED);
    return focused >= 0 ? focused : ListView_GetNextItem(list, -1, LVNI_SELECTED);
}

void SelectOnlyRow(HWND list, int row) {
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetSelectionMark(list, row);
    ListView_EnsureVisible(list, row, FALSE);
}

bool PutTextOnClipboard(HWND owner, const std::string& text) {
    const std::wstring wide = Wide(text);
    GlobalMemory memory{GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t))};
    if (!memory.handle) return false;
    if (auto* target = static_cast<wchar_t*>(GlobalLock(memory.handle))) {
        std::copy(wide.begin(), wide.end(), target);
        target[wide.size()] = L'\0';
        GlobalUnlock(memory.handle);
    } else {
        return false;
    }
    OpenedClipboard clipboard(owner);
    if (!clipboard.open || !EmptyClipboard()) return false;
    if (!SetClipboardData(CF_UNICODETEXT, memory.handle)) return false;
    memory.handle = nullptr;  // the clipboard's now
    return true;
}

bool CopySelectedRows(HWND list) {
    const std::vector<int> rows = SelectedListRows(list);
    if (rows.empty()) return false;
    if (PutTextOnClipboard(list, lists::TabText(ListRowsTable(list, rows)))) return true;
    MessageBeep(MB_ICONWARNING);  // someone else holds the clipboard
    return false;
}

void SelectAllRows(HWND list) {
    if (GetWindowLongPtrW(list, GWL_STYLE) & LVS_SINGLESEL) return;
    ListView_SetItemState(list, -1, LVIS_SELECTED, LVIS_SELECTED);
}

void SortListRows(HWND list, const lists::ListSort& sort) {
    const int count = ListView_GetItemCount(list);
    const int columns = ColumnCount(list);
    std::vector<RowData> rows;
    rows.reserve(static_cast<size_t>(std::max(count, 0)));
    std::vector<std::vector<std::string>> cells;
    for (int row = 0; row < count; ++row) {
        rows.push_back(ReadRow(list, row, columns));
        cells.push_back(rows.back().cells);
    }
    const std::vector<size_t> order = lists::SortedRowOrder(cells, sort);
    {
        HeldPainting painting(list);
        for (size_t position = 0; position < order.size(); ++position)
            WriteRow(list, static_cast<int>(position), rows[order[position]]);
    }
    const int focused = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
    if (focused >= 0) ListView_EnsureVisible(list, focused, FALSE);
}

void ShowSortArrow(HWND list, const lists::ListSort& sort) {
    HWND header = ListView_GetHeader(list);
    const int count = Header_GetItemCount(header);
    for (int column = 0; column < count; ++column) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        if (!Header_GetItem(header, column, &item)) continue;
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (column == sort.column) item.fmt |= sort.descending ? HDF_SORTDOWN : HDF_SORTUP;
        Header_SetItem(header, column, &item);
    }
}

void ListFeatures::OnNotify(const NMHDR& header) {
    if (!list_ || header.hwndFrom != list_) return;
    switch (header.code) {
        case LVN_COLUMNCLICK:
            sort_ =
                lists::SortAfterClick(sort_, reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
            SortListRows(list_, sort_);
            ShowSortArrow(list_, sort_);
            break;
        case LVN_DELETEALLITEMS:
            if (sort_.column >= 0) {
                sort_ = {};
                ShowSortArrow(list_, sort_);
            }
            break;
        case LVN_KEYDOWN: {
            const WORD key = reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey;
            const bool control = GetKeyState(VK_CONTROL) < 0;
            if (control && key == 'C') CopySelectedRows(list_);
            if (control && key == 'A') SelectAllRows(list_);
            break;
        }
        default:
            break;
    }
}

bool ListFeatures::ShowContextMenu(POINT screenPoint) {
    if (!list_) return false;
    const int row = ActedOnRow(list_);
    if (row < 0) return false;
    if (screenPoint.x == -1 && screenPoint.y == -1) {  // from the keyboard: at the row
        RECT bounds{};
        ListView_GetItemRect(list_, row, &bounds, LVIR_LABEL);
        screenPoint = {bounds.left, bounds.bottom};
        ClientToScreen(list_, &screenPoint);
    }
    platform::win32::UniqueMenu menu(CreatePopupMenu());
    if (!menu) return false;
    AppendMenuW(menu.get(), MF_STRING, kCopyCommand, L"&Copy\tCtrl+C");
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screenPoint.x,
                       screenPoint.y, 0, GetParent(list_), nullptr));
    if (chosen == kCopyCommand) CopySelectedRows(list_);
    return true;
}

}  // namespace glmx::ui
