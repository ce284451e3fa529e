// Reading a list view's cells in the window tests.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "platform/win32/wide.h"

namespace glmx::testing {

// The text of a row's column (0 is the caption).
inline std::string Cell(HWND list, int row, int column) {
    wchar_t text[512] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 512;
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return platform::win32::Narrow(text);
}

}  // namespace glmx::testing
