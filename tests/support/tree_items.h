// Reading and opening a tree view's nodes in the window tests.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "platform/win32/wide.h"

namespace glmx::testing {

inline std::string ItemText(HWND tree, HTREEITEM item) {
    wchar_t text[260] = {};
    TVITEMW query{};
    query.mask = TVIF_TEXT | TVIF_HANDLE;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = 260;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
    return platform::win32::Narrow(text);
}

inline bool HasExpandButton(HWND tree, HTREEITEM item) {
    TVITEMW query{};
    query.mask = TVIF_CHILDREN | TVIF_HANDLE;
    query.hItem = item;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
    return query.cChildren != 0;
}

// Opens the nodes along a path as a user clicking their buttons would; null when a
// part is not shown.
inline HTREEITEM Reveal(HWND tree, const std::string& fullPath) {
    HTREEITEM item = TreeView_GetRoot(tree);
    size_t start = 0;
    while (item && start <= fullPath.size()) {
        const size_t slash = std::min(fullPath.find('\\', start), fullPath.size());
        const std::string part = fullPath.substr(start, slash - start);
        TreeView_Expand(tree, item, TVE_EXPAND);
        HTREEITEM child = TreeView_GetChild(tree, item);
        while (child && ItemText(tree, child) != part) child = TreeView_GetNextSibling(tree, child);
        item = child;
        start = slash + 1;
    }
    return item;
}

}  // namespace glmx::testing
