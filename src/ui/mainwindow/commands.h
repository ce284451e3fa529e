// Command identifiers of the main window: menu entries, tool bar buttons,
// overflow items and buttons that do the same thing share one identifier.
#pragma once

#include <optional>

#include "inventory/view_kind.h"

namespace glmx::ui {

enum CommandId : int {
    // One per view, in ViewKind order (cmdViewFirst + ViewKind).
    cmdViewFirst = 1000,
    cmdViewLast = cmdViewFirst + 12,  // vkCustomSearch

    cmdFileSearch = 1100,
    cmdOpenInternetAddress,
    cmdWebSaveAs,
    cmdWebPageSetup,
    cmdWebPrint,
    cmdWebPrintPreview,
    cmdWebProperties,
    cmdConfiguration,
    cmdClose,
    cmdSearchSite,
    cmdAddToFavorites,
    cmdOrganizeFavorites,
    cmdHelpTopics,
    cmdAbout,
    cmdSaveList,
    cmdRefreshView,

    // The places menu, one per entry in menu order.
    cmdPlaceFirst = 1300,
    cmdPlaceLast = cmdPlaceFirst + 99,

    // The search site menu: one per site, then "Customize...".
    cmdSearchSiteFirst = 1600,
    cmdSearchSiteLast = cmdSearchSiteFirst + 998,
    cmdCustomizeSearchSites,
    // The Back and Forward menus: one per page of the history, by its index.
    cmdHistoryFirst = 2600,
    cmdHistoryLast = cmdHistoryFirst + 999,
    // The Favourites menu: one per Internet shortcut.
    cmdFavouriteFirst = 3600,
    cmdFavouriteLast = cmdFavouriteFirst + 1999,
};

// Each part of the window has its own block of command and control identifiers;
// the main window routes a block to its part.
inline constexpr int kIdsPerPart = 20;

enum FolderPageId : int {
    idFolderPageFirst = 1200,
    cmdFolderControlButton = idFolderPageFirst,
    idFolderSplitter,
    idExplorerTree,
    idFolderItemList,
};

enum InventoryPageId : int {
    idInventoryPageFirst = idFolderPageFirst + kIdsPerPart,
    cmdInventoryControlButton = idInventoryPageFirst,
    cmdStartupDelete,
    cmdSwitchTo,
    cmdShowStartupPrograms,
    idInventorySplitter,
    idInventoryList,
    idRegistryTree,
    cmdSearchFiles,
    cmdStopSearch,
    cmdBrowseLookIn,
    idSearchNameBox,
    idLookInBox,
    idSearchFolderTree,
};

enum HardwarePageId : int {
    idHardwarePageFirst = idInventoryPageFirst + kIdsPerPart,
    cmdHardwareControlButton = idHardwarePageFirst,
    idHardwareTree,
};

enum CustomSearchPageId : int {
    idCustomSearchPageFirst = idHardwarePageFirst + kIdsPerPart,
};

enum InformationPanelId : int {
    idInformationPanelFirst = idCustomSearchPageFirst + kIdsPerPart,
    cmdGo = idInformationPanelFirst,
    cmdBack,
    cmdForward,
    cmdStop,
    cmdRefresh,
    cmdSearchEngines,
    cmdOfflineInformation,
    idOfflineInformation,
};

// Controls of the main window's frame.
enum ControlId : int {
    idRebar = 1500,
    idToolbar,
    idStatusBar,
    idProgressBar,
    idNotebookSplitter,
};

// The offline view's popup menu.
inline constexpr int cmdCopyOfflineInformation = 1400;

inline int ViewCommand(ViewKind view) {
    return static_cast<int>(cmdViewFirst) + static_cast<int>(view);
}

inline std::optional<ViewKind> ViewOfCommand(int command) {
    if (command < cmdViewFirst || command > cmdViewLast || command == cmdViewFirst + 4)
        return std::nullopt;
    return static_cast<ViewKind>(command - cmdViewFirst);
}

}  // namespace glmx::ui
