// The main window's menus: the menu bar, the places menu and the tool bar's
// overflow menu. Entries carry the command identifiers of commands.h.
#pragma once

#include <windows.h>

#include <vector>

#include "inventory/view_kind.h"
#include "platform/win32/unique_handle.h"

namespace glmx::ui {

struct MainMenus {
    platform::win32::UniqueMenu menuBar;
    // Drop-down menus other features fill; the menu bar owns none of them.
    platform::win32::UniqueMenu webHistoryBack;
    platform::win32::UniqueMenu webHistoryForward;
    platform::win32::UniqueMenu searchSites;
    platform::win32::UniqueMenu places;
};

MainMenus BuildMainMenus();

// Checks the view's View entry; the View entries are one radio group.
void CheckViewEntry(HMENU menuBar, ViewKind view);
// The checked View entry's view, if any (for tests and the tool bar's sync).
std::vector<ViewKind> CheckedViewEntries(HMENU menuBar);

// The overflow menu with the items that show (one flag per tool bar slot).
platform::win32::UniqueMenu BuildOverflowMenu(const std::vector<bool>& shown);

}  // namespace glmx::ui
