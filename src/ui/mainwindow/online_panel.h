// The online side of the information panel in the window: the browser in the panel's
// client area, its timer, the navigation buttons and progress, the search site, history
// and Favourites menus, and the commands of the File menu that use them.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "info/online_info.h"
#include "inventory/view_kind.h"
#include "platform/directory_listing.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/text_files.h"
#include "platform/user_messages.h"
#include "platform/win32/win32_web_browser.h"
#include "settings/settings_stores.h"
#include "ui/mainwindow/favourites_menu.h"
#include "ui/mainwindow/information_panel.h"
#include "ui/win32/status_bar_line.h"

namespace glmx::ui {

struct OnlinePanelServices {
    platform::TextFiles& files;
    platform::Registry& registry;
    platform::UserMessages& messages;
    platform::Shell& shell;
    platform::DirectoryListing& listing;
    settings::SettingsStores& stores;
    const ViewKind& viewKind;
    std::string programFolder;    // with a trailing backslash
    std::string programFileName;  // "glmx.exe"
    std::string favoritesFolder;  // with a trailing backslash; empty when there is none
};

struct OnlinePanelMenus {
    HMENU searchSites = nullptr;
    HMENU back = nullptr;
    HMENU forward = nullptr;
    HMENU favourites = nullptr;
};

class OnlinePanel {
public:
    OnlinePanel(InformationPanel& panel, HWND statusBar, HWND progressBar, OnlinePanelMenus menus,
                OnlinePanelServices services, info::TLinkedInformationBuffer& links);
    ~OnlinePanel();
    OnlinePanel(const OnlinePanel&) = delete;
    OnlinePanel& operator=(const OnlinePanel&) = delete;

    // The start-up steps: the sites, the blank page, the site and Favourites menus.
    void Start();
    // A command of the window; false when it is not one of this panel's.
    bool OnCommand(HWND owner, int command);

    info::TOnlineInfoClass& Controller() { return *online_; }
    platform::win32::Win32WebBrowser& Browser() { return browser_; }
    const FavouritesMenu& Favourites() const { return favouritesMenu_; }

private:
    static void CALLBACK TimerProcedure(HWND window, UINT, UINT_PTR, DWORD);
    void ShowOfflineView();
    void BrowserShown();
    void SearchFromField(bool withQuickSearchHistory);
    void BuildSearchSitesMenu();
    void BuildHistoryMenus();
    void BuildFavouritesMenu();
    void Customize(HWND owner);
    void OpenFavourite(const std::string& path);
    void CommandStateChanged(long command, bool enable);
    void ProgressChanged(long progress, long maximum);

    InformationPanel& panel_;
    HWND progressBar_;
    StatusBarLine status_;
    OnlinePanelMenus menus_;
    OnlinePanelServices services_;
    platform::win32::Win32WebBrowser browser_;
    std::unique_ptr<info::TOnlineInfoClass> online_;
    FavouritesMenu favouritesMenu_;
};

}  // namespace glmx::ui
