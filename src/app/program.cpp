#include "app/program.h"

#include <commctrl.h>
#include <objbase.h>

#include "app/startup_settings.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_devices.h"
#include "platform/win32/win32_directory_listing.h"
#include "platform/win32/win32_display.h"
#include "platform/win32/win32_file_operations.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_process_environment.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_program_runner.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system_folders.h"
#include "platform/win32/win32_text_files.h"
#include "platform/win32/win32_user_messages.h"
#include "platform/win32/win32_version_resources.h"
#include "settings/history.h"
#include "settings/program_identity.h"
#include "shell/places/system_path.h"
#include "ui/mainwindow/commands.h"
#include "ui/mainwindow/configuration_dialog.h"
#include "ui/mainwindow/save_list.h"
#include "ui/mainwindow/view_refresh.h"

namespace glmx::app {

// The Win32 services, created before anything that reads them.
struct Program::Services {
    platform::win32::Win32ProcessEnvironment environment;
    platform::win32::Win32Registry registry;
    // The machine-wide keys as 32-bit programs see them.
    platform::win32::Win32Registry registry32{platform::win32::RegistryView::Bits32};
    platform::win32::Win32Display display;
    platform::win32::Win32ProcessSystem processes;
    platform::win32::Win32ProgramRunner programRunner;
    platform::win32::Win32TopLevelWindows windows;
    platform::win32::Win32VersionResources versions;
    platform::win32::Win32Shell systemShell;
    platform::win32::Win32UserMessages messages{settings::kApplicationTitle};
    platform::win32::Win32Locale locale;
    platform::win32::Win32FileSystem files;
    platform::win32::Win32FileOperations fileOperations;
    platform::win32::Win32DirectoryListing directoryListing;
    platform::win32::Win32TextFiles textFiles;
    platform::win32::Win32Devices devices;
    platform::win32::Win32SystemFolders systemFolders;
    shell::places::TPBSystemPath specialFolders{registry, systemFolders};
    platform::Shell* shell = &systemShell;
    std::string programPath = environment.ProgramPath();
};

namespace {

// GLMX_SETTINGS_KEY names another key below HKEY_CURRENT_USER for the settings: a
// second set of settings, and tests that leave the user's own alone.
std::string SettingsKeyFromEnvironment() {
    wchar_t value[512] = {};
    const DWORD length = GetEnvironmentVariableW(L"GLMX_SETTINGS_KEY", value, 512);
    return length > 0 && length < 512 ? platform::win32::Narrow(value) : std::string();
}

}  // namespace

// The inventory page's buttons: the registry view's own, the rest the program views'.
class Program::PageActions final : public ui::ItemActions {
public:
    PageActions(ui::ItemActions& programViews, ui::RegistryView& registry,
                ui::FileSearchView& fileSearch, ui::AutoStartView& autoStart,
                ui::InstalledProgramsView& installedPrograms)
        : programViews_(programViews),
          registry_(registry),
          fileSearch_(fileSearch),
          autoStart_(autoStart),
          installedPrograms_(installedPrograms) {}
    void ControlButtonClicked(ViewKind view) override {
        if (view == vkAutoStart)
            autoStart_.ToggleSelected();
        else if (view == vkInstalledPrograms)
            installedPrograms_.UninstallSelected();
        else if (view == vkRegistry)
            registry_.OpenRegistryEditor();
        else if (view == vkSearchFiles)
            fileSearch_.DeleteSelectedResult();
        else
            programViews_.ControlButtonClicked(view);
    }
    void SwitchToClicked() override { programViews_.SwitchToClicked(); }

private:
    ui::ItemActions& programViews_;
    ui::RegistryView& registry_;
    ui::FileSearchView& fileSearch_;
    ui::AutoStartView& autoStart_;
    ui::InstalledProgramsView& installedPrograms_;
};

namespace {

// What a running search lets the window do: the messages waiting, through the
// window's keyboard handling; the end of the program is handed on to the main loop.
bool AnswerPendingMessages(ui::TFMain& window, const std::function<void(const MSG&)>& seen) {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        seen(message);
        if (window.PreTranslateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

}  // namespace

Program::Program(ProgramOptions options) : services_(std::make_unique<Services>()) {
    if (options.shell) services_->shell = options.shell;
    if (options.settingsKey.empty()) options.settingsKey = SettingsKeyFromEnvironment();
    stores_ =
        options.settingsKey.empty()
            ? std::make_unique<settings::SettingsStores>(services_->registry)
            : std::make_unique<settings::SettingsStores>(services_->registry, options.settingsKey);
}

Program::~Program() {
    // The features let go of the window's controls before the window goes.
    if (inventoryPage_) inventoryPage_->SetActions(nullptr);
    pageActions_.reset();
    fileSearch_.reset();
    autoStart_.reset();
    installedPrograms_.reset();
    registry_.reset();
    hardware_.reset();
    places_.reset();
    inventoryViews_.reset();
    // The browser control leaves before its window.
    online_.reset();
    offlinePanel_.reset();
    if (mainWindow_ && mainWindow_->Handle()) DestroyWindow(mainWindow_->Handle());
}

bool Program::Create(HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_COOL_CLASSES |
                                                        ICC_BAR_CLASSES | ICC_USEREX_CLASSES |
                                                        ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);
    // The shell's link and folder objects need COM on this thread.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    Services& system = *services_;
    mainWindow_ = std::make_unique<ui::TFMain>(ui::MainWindowContext{
        stores_->DesktopSettings, system.display, system.programPath,
        ProgramFolderOf(system.programPath), viewKind_, system.versions, system.specialFolders,
        [this](HWND owner) {
            Services& system = *services_;
            ui::ShowConfigurationDialog(
                owner, {stores_->ConfigurationSettings, system.registry, system.messages,
                        ProgramFolderOf(system.programPath)});
        }});
    mainWindow_->Create(instance);
    if (!mainWindow_->Handle()) return false;
    paneLayout_ = ui::LoadPaneLayout(stores_->DesktopSettings);
    ui::TFMain& window = *mainWindow_;
    system.messages.SetOwner(window.Handle());
    system.fileOperations.SetOwner(window.Handle());

    // Selection information follows a click or key once the control has handled it.
    inventoryPage_ = std::make_unique<ui::InventoryPageController>(
        viewKind_,
        ui::InventoryPageEvents{
            [this] { mainWindow_->Defer([this] { switcher_->ShowSelectionInfo(); }); },
            [this](int index) { switcher_->StartupFilterSelected(index); },
            [this](const NMHDR& header) -> LRESULT {
                return registry_ ? registry_->OnNotify(header) : 0;
            },
            ui::FileSearchFormEvents{[this] {
                                         if (fileSearch_) fileSearch_->SearchClicked();
                                     },
                                     [this] {
                                         if (fileSearch_) fileSearch_->StopClicked();
                                     },
                                     [this] {
                                         if (fileSearch_)
                                             fileSearch_->BrowseClicked(mainWindow_->Handle());
                                     },
                                     [this] {
                                         if (fileSearch_) fileSearch_->TreeActed();
                                     }},
            [this] {
                if (fileSearch_) fileSearch_->ResultDoubleClicked();
            },
            [this](POINT point) {
                return fileSearch_ &&
                       fileSearch_->ShowResultContextMenu(mainWindow_->Handle(), point);
            },
            [this] {
                if (autoStart_ && viewKind_ == vkAutoStart) autoStart_->DeleteSelected();
            },
            [this] { DeleteKeyPressed(); }});
    hardwarePage_ = std::make_unique<ui::HardwarePageController>(
        [this] { mainWindow_->Defer([this] { switcher_->ShowHardwareNodeInfo(); }); },
        [this] {
            if (hardware_ && viewKind_ == vkHardware) hardware_->OpenDeviceManager();
        });
    // The folder page's events reach the places feature once it exists.
    const auto places = [this](auto action) {
        return [this, action](auto... arguments) {
            if (places_) ((*places_).*action)(arguments...);
        };
    };
    folderPage_ = std::make_unique<ui::FolderPageController>(
        ui::FolderPageEvents{{places(&ui::ShellPlacesView::TreeFolderSelected),
                              places(&ui::ShellPlacesView::ShowSelectedFolderInfo)},
                             {places(&ui::ShellPlacesView::ListOpenedFolder),
                              places(&ui::ShellPlacesView::ShowSelectedItemInfo),
                              places(&ui::ShellPlacesView::ListFilled)},
                             [this] {
                                 if (places_) places_->ControlButtonClicked(viewKind_);
                             }});
    folderPage_->SetPaneLayout(paneLayout_);
    inventoryPage_->SetPaneLayout(paneLayout_);
    window.SetClosingHandler([this] {
        inventoryPage_->KeepColumnWidths();
        ui::SavePaneLayout(stores_->DesktopSettings, paneLayout_);
    });
    window.AddPage(ui::Page::Folders, *folderPage_, ui::idFolderPageFirst);
    window.AddPage(ui::Page::Inventory, *inventoryPage_, ui::idInventoryPageFirst);
    window.AddPage(ui::Page::Hardware, *hardwarePage_, ui::idHardwarePageFirst);
    window.AddPage(ui::Page::CustomSearch, customSearchPage_, ui::idCustomSearchPageFirst);

    offlinePanel_ = std::make_unique<ui::OfflinePanel>(
        window.Information().OfflineView(), window.Information().SearchField(),
        window.StatusBarHandle(), system.registry, &system.registry32, system.locale,
        system.versions, *system.shell);
    online_ = std::make_unique<ui::OnlinePanel>(
        window.Information(), window.StatusBarHandle(), window.ProgressBar(),
        ui::OnlinePanelMenus{window.Menus().searchSites.get(), window.Menus().webHistoryBack.get(),
                             window.Menus().webHistoryForward.get(), window.FavouritesMenu()},
        ui::OnlinePanelServices{system.textFiles, system.registry, system.messages, *system.shell,
                                system.directoryListing, *stores_, viewKind_,
                                ProgramFolderOf(system.programPath),
                                system.programPath.substr(system.programPath.rfind('\\') + 1),
                                system.specialFolders.PathOf("Favorites")},
        offlinePanel_->Links());
    window.SetCommandHandler([this](int command) { return OnWindowCommand(command); });
    inventoryViews_ = std::make_unique<ui::InventoryViews>(
        ui::InventoryPlatform{system.processes, system.windows, system.versions, *system.shell,
                              system.messages},
        ui::InventoryCollectors{applications_, runningPrograms_}, offlinePanel_->Builder(),
        inventoryPage_->List(), window.StatusBarHandle(),
        [this] { switcher_->ShowSelectionInfo(); });
    registry_ = std::make_unique<ui::RegistryView>(
        inventoryPage_->RegistryTree(), inventoryPage_->List(), window.StatusBarHandle(),
        ui::RegistryViewPlatform{
            system.registry, *system.shell, system.files, system.messages,
            system.processes.OsVersion().major < 6 ? "My Computer" : "Computer"},
        offlinePanel_->Builder(), [this] {
            mainWindow_->Defer([this] {
                if (registry_) registry_->ShowRegistryKeyInfo();
            });
        });
    fileSearch_ = std::make_unique<ui::FileSearchView>(
        inventoryPage_->SearchForm(), inventoryPage_->List(), window.StatusBarHandle(),
        ui::FileSearchPlatform{system.files, system.directoryListing, *system.shell,
                               system.fileOperations, system.messages},
        *stores_, offlinePanel_->Builder(), viewKind_,
        [this](const std::function<void(const MSG&)>& seen) {
            return AnswerPendingMessages(*mainWindow_, seen);
        },
        [this] { switcher_->ShowSelectionInfo(); });
    autoStart_ = std::make_unique<ui::AutoStartView>(
        inventoryViews_->List(),
        inventory::AutoStartSystem{system.registry, &system.registry32, system.files,
                                   *system.shell},
        system.messages, offlinePanel_->Builder(), [this] { switcher_->SwitchTo(vkAutoStart); });
    installedPrograms_ = std::make_unique<ui::InstalledProgramsView>(
        inventoryViews_->List(),
        inventory::InstalledProgramsSystem{
            system.registry, &system.registry32, system.files, *system.shell, system.systemFolders,
            [this](const inventory::InstalledProgramInfo& record) {
                return offlinePanel_->ProgramDetails().CacheInfo(record).trackedName;
            }},
        system.programRunner, system.messages, offlinePanel_->Builder(),
        [this] { switcher_->ShowSelectionInfo(); });
    pageActions_ = std::make_unique<PageActions>(*inventoryViews_, *registry_, *fileSearch_,
                                                 *autoStart_, *installedPrograms_);
    inventoryPage_->SetActions(pageActions_.get());
    places_ = std::make_unique<ui::ShellPlacesView>(folderPage_->Tree(), folderPage_->Items(),
                                                    offlinePanel_->Builder(), system.files,
                                                    system.fileOperations);

    hardware_ = std::make_unique<ui::HardwareView>(
        hardwarePage_->Tree(),
        ui::HardwareViewPlatform{system.devices, system.registry, system.messages,
                                 system.processes.OsVersion()},
        offlinePanel_->Builder(), [this](HIMAGELIST images) {
            mainWindow_->Information().OfflineView().SetDeviceImages(images);
        });

    ui::ViewServices services;
    services.offline = offlinePanel_.get();
    services.folders = places_.get();
    services.registry = registry_.get();
    services.fileSearch = fileSearch_.get();
    services.hardware = hardware_.get();
    services.autoStart = autoStart_.get();
    services.installedPrograms = installedPrograms_.get();
    inventoryViews_->AddTo(services);
    chrome_ = std::make_unique<ui::ViewSwitchChrome>(window, *inventoryPage_);
    switcher_ = std::make_unique<ui::ViewSwitcher>(*chrome_, *inventoryPage_, *inventoryPage_,
                                                   services, *stores_, viewKind_);
    window.SetViewSwitcher(*switcher_);

    switcher_->SwitchTo(vkAll);
    PrepareConfigurationStores(*stores_);
    online_->Start();
    ui::FileSearchForm& searchForm = inventoryPage_->SearchForm();
    settings::FillComboFromHistory(stores_->FileSearchHistory, searchForm.NameBox(), false);
    settings::FillComboFromHistory(stores_->FolderSearchHistory, searchForm.LookInBox(), false);
    return true;
}

int Program::Run() {
    Services& system = *services_;
    CommandLineReader commandLine(
        ProgramArguments(system.programPath, system.environment.CommandLine()));
    ProcessCommandLine(commandLine, *this);
    mainWindow_->ShowAtStart();

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (mainWindow_->PreTranslateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

bool Program::OnWindowCommand(int command) {
    const HWND owner = mainWindow_->Handle();
    if (online_ && online_->OnCommand(owner, command)) return true;
    switch (command) {
        case ui::cmdRefreshView:
            ui::RefreshView(viewKind_, {*switcher_, inventoryPage_->List(), folderPage_->Items()});
            return true;
        case ui::cmdSaveList:
            ui::SaveListDialog(owner, CurrentList(),
                               mainWindow_->Information().OfflineView().Handle(),
                               services_->messages);
            return true;
        case IDCANCEL:
            // Esc stops a running search.
            if (!fileSearch_ || !fileSearch_->Searching()) return false;
            fileSearch_->StopClicked();
            return true;
        default:
            return false;
    }
}

HWND Program::CurrentList() {
    switch (ui::InfoOf(viewKind_).page) {
        case ui::Page::Folders:
            return folderPage_->Items().Handle();
        case ui::Page::Inventory:
            return inventoryPage_->List();
        default:
            return nullptr;  // a tree: only the offline text can be saved
    }
}

// Delete acts as the view's delete or close button, with its confirmation.
void Program::DeleteKeyPressed() {
    switch (viewKind_) {
        case vkRunningApplications:
        case vkRunningProcesses:
            pageActions_->ControlButtonClicked(viewKind_);
            break;
        case vkAutoStart:
            autoStart_->DeleteSelected();
            break;
        case vkSearchFiles:
            fileSearch_->DeleteSelectedResult();
            break;
        default:
            break;
    }
}

// A path that does not exist or cannot be shown is skipped without a message.
void Program::SelectFileInFolderPage(const std::string& filePath) { places_->SelectFile(filePath); }
void Program::OpenFolderInFolderPage(const std::string& folderPath) {
    places_->OpenFolder(folderPath);
}
void Program::ShowRecycleBinView() { switcher_->SwitchTo(vkRecycleBin); }

}  // namespace glmx::app
