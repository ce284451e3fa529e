// Reading a list view's cells in the window tests.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "platform/win32/wide.h"

namespace glmx::testing {

// The text of a row's column (0 is the caption).
inline std::string Cell(HWND list, int row, int column) {
    wchar_t text[4096] = {};  // a value's data runs to about 3,000 characters
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 4096;
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return platform::win32::Narrow(text);
}

// The first row whose column holds the text, or -1.
inline int FindRow(HWND list, int column, const std::string& text) {
    for (int row = 0; row < ListView_GetItemCount(list); ++row)
        if (Cell(list, row, column) == text) return row;
    return -1;
}

inline void SelectRow(HWND list, int row) {
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

// As the user's mouse: down and up on the column's header.
inline void ClickHeader(HWND list, int column) {
    HWND header = ListView_GetHeader(list);
    RECT bounds{};
    Header_GetItemRect(header, column, &bounds);
    const LPARAM at =
        MAKELPARAM((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(header, WM_LBUTTONUP, 0, at);
}

// The column header's sort arrow: 1 up, -1 down, 0 none.
inline int SortArrow(HWND list, int column) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    Header_GetItem(ListView_GetHeader(list), column, &item);
    return item.fmt & HDF_SORTUP ? 1 : (item.fmt & HDF_SORTDOWN ? -1 : 0);
}

// The Unicode text on the clipboard, as a paste would take it.
inline std::string ClipboardText() {
    if (!OpenClipboard(nullptr)) return "(clipboard busy)";
    std::string text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT))
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = platform::win32::Narrow(chars);
            GlobalUnlock(data);
        }
    CloseClipboard();
    return text;
}

// A key pressed with Ctrl held, sent straight to the control.
inline void SendControlKey(HWND control, char key) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    const BYTE saved = state[VK_CONTROL];
    state[VK_CONTROL] = 0x80;
    SetKeyboardState(state);
    SendMessageW(control, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
    state[VK_CONTROL] = saved;
    SetKeyboardState(state);
}

}  // namespace glmx::testing
