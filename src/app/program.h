// The one place that wires the program: the platform services, the settings
// stores, the collectors, the main window with its pages and the features behind
// the views, created in start-up order. The program and the window tests both
// build it, so what is tested is what ships.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/command_line.h"
#include "inventory/running_applications.h"
#include "inventory/running_programs.h"
#include "inventory/view_kind.h"
#include "platform/shell.h"
#include "settings/settings_stores.h"
#include "ui/mainwindow/auto_start_view.h"
#include "ui/mainwindow/file_search_view.h"
#include "ui/mainwindow/folder_page.h"
#include "ui/mainwindow/hardware_page.h"
#include "ui/mainwindow/hardware_view.h"
#include "ui/mainwindow/installed_programs_view.h"
#include "ui/mainwindow/inventory_page.h"
#include "ui/mainwindow/inventory_views.h"
#include "ui/mainwindow/main_window.h"
#include "ui/mainwindow/offline_panel.h"
#include "ui/mainwindow/online_panel.h"
#include "ui/mainwindow/pane_layout.h"
#include "ui/mainwindow/registry_view.h"
#include "ui/mainwindow/shell_places_view.h"
#include "ui/mainwindow/view_switch_chrome.h"
#include "ui/mainwindow/view_switcher.h"

namespace glmx::app {

struct ProgramOptions {
    // The settings key below HKEY_CURRENT_USER; empty for the one the environment's
    // GLMX_SETTINGS_KEY names, else the program's own.
    std::string settingsKey;
    // Stands in for the system's shell when set (tests record what would be opened).
    platform::Shell* shell = nullptr;
};

class Program final : public CommandLineTarget {
public:
    explicit Program(ProgramOptions options = {});
    ~Program() override;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Creates the main window and everything behind it, hidden; false when the window
    // cannot be created.
    bool Create(HINSTANCE instance);
    // Carries out the command line's switches, shows the window and runs the message
    // loop until the main window closes; gives the exit code.
    int Run();

    // CommandLineTarget
    void SelectFileInFolderPage(const std::string& filePath) override;
    void OpenFolderInFolderPage(const std::string& folderPath) override;
    void ShowRecycleBinView() override;

    ui::TFMain& MainWindow() { return *mainWindow_; }
    ui::ViewSwitcher& Switcher() { return *switcher_; }
    ui::FolderPageController& FolderPage() { return *folderPage_; }
    ui::ShellPlacesView& Places() { return *places_; }
    ui::RegistryView& Registry() { return *registry_; }
    ui::FileSearchView& FileSearch() { return *fileSearch_; }
    ui::AutoStartView& AutoStart() { return *autoStart_; }
    ui::InstalledProgramsView& InstalledPrograms() { return *installedPrograms_; }
    ui::InventoryPageController& InventoryPage() { return *inventoryPage_; }
    ui::HardwarePageController& HardwarePage() { return *hardwarePage_; }
    ui::HardwareView& Hardware() { return *hardware_; }
    ui::InventoryViews& ProgramViews() { return *inventoryViews_; }
    ui::OfflinePanel& Offline() { return *offlinePanel_; }
    ui::OnlinePanel& Online() { return *online_; }
    settings::SettingsStores& Stores() { return *stores_; }
    inventory::TRunningProgramsInfoClass& Processes() { return runningPrograms_; }
    ViewKind CurrentView() const { return viewKind_; }

private:
    struct Services;
    bool OnWindowCommand(int command);
    HWND CurrentList();
    void DeleteKeyPressed();
    class PageActions;

    std::unique_ptr<Services> services_;
    std::unique_ptr<settings::SettingsStores> stores_;
    ViewKind viewKind_ = vkAll;
    inventory::TRunningApplicationsInfo applications_;
    inventory::TRunningProgramsInfoClass runningPrograms_;

    ui::PaneLayout paneLayout_;
    std::unique_ptr<ui::TFMain> mainWindow_;
    std::unique_ptr<ui::FolderPageController> folderPage_;
    std::unique_ptr<ui::InventoryPageController> inventoryPage_;
    std::unique_ptr<ui::HardwarePageController> hardwarePage_;
    ui::CustomSearchPageController customSearchPage_;
    std::unique_ptr<ui::ViewSwitchChrome> chrome_;
    std::unique_ptr<ui::ViewSwitcher> switcher_;
    std::unique_ptr<ui::OfflinePanel> offlinePanel_;
    std::unique_ptr<ui::OnlinePanel> online_;
    std::unique_ptr<ui::InventoryViews> inventoryViews_;
    std::unique_ptr<ui::ShellPlacesView> places_;
    std::unique_ptr<ui::RegistryView> registry_;
    std::unique_ptr<ui::FileSearchView> fileSearch_;
    std::unique_ptr<ui::HardwareView> hardware_;
    std::unique_ptr<ui::AutoStartView> autoStart_;
    std::unique_ptr<ui::InstalledProgramsView> installedPrograms_;
    std::unique_ptr<PageActions> pageActions_;
};

}  // namespace glmx::app
