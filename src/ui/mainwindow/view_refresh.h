// F5: the current view collected and filled anew, the selection kept on the same item.
#pragma once

#include <windows.h>

#include "inventory/view_kind.h"
#include "ui/mainwindow/view_switcher.h"
#include "ui/win32/shell_list.h"

namespace glmx::ui {

struct RefreshableParts {
    ViewSwitcher& switcher;
    HWND inventoryList;
    ShellList& folderItems;
};

// The inventory views are collected again, the registry tree from its root, the hardware
// tree anew and the folder list from its folder; a search's results stay as they are.
void RefreshView(ViewKind view, const RefreshableParts& parts);

}  // namespace glmx::ui
