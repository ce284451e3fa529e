// Program entry: settings stores before any window, the main window, the command
// line, then the message loop until the main window closes.
#include <windows.h>

#include <commctrl.h>

#include <exception>
#include <memory>

#include "app/command_line.h"
#include <objbase.h>

#include "inventory/running_applications.h"
#include "inventory/running_programs.h"
#include "platform/win32/win32_display.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_user_messages.h"
#include "platform/win32/win32_version_resources.h"
#include "ui/mainwindow/inventory_views.h"
#include "ui/mainwindow/offline_panel.h"
#include "platform/win32/win32_process_environment.h"
#include "platform/win32/win32_registry.h"
#include "settings/program_identity.h"
#include "settings/settings_stores.h"
#include "ui/mainwindow/main_window.h"
#include "ui/win32/error_box.h"

namespace {

using namespace glmx;

// Program-wide objects: created once before any window, alive until the process ends.
struct Program {
    platform::win32::Win32ProcessEnvironment environment;
    platform::win32::Win32Registry registry;
    platform::win32::Win32Display display;
    platform::win32::Win32ProcessSystem processes;
    platform::win32::Win32TopLevelWindows windows;
    platform::win32::Win32VersionResources versions;
    platform::win32::Win32Shell shell;
    platform::win32::Win32UserMessages messages{settings::kApplicationTitle};
    platform::win32::Win32Locale locale;
    std::string ProgramPath = environment.ProgramPath();
    std::string ProgramFolder = app::ProgramFolderOf(ProgramPath);
    settings::SettingsStores stores{registry};
    ViewKind viewKind = vkAll;
    inventory::TRunningApplicationsInfo applications;
    inventory::TRunningProgramsInfoClass runningPrograms;
};

int RunMessageLoop(ui::TFMain& mainWindow) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (mainWindow.PreTranslateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

int Run(HINSTANCE instance) {
    static Program program;  // lives until the process ends

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_COOL_CLASSES |
                                                        ICC_BAR_CLASSES | ICC_USEREX_CLASSES};
    InitCommonControlsEx(&controls);

    // The shell's link and folder objects need COM on this thread.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    static ui::TFMain mainWindow({program.stores, program.display, program.ProgramPath,
                                  program.ProgramFolder, program.viewKind, program.versions});
    mainWindow.Create(instance);
    if (!mainWindow.Handle()) return 1;
    program.messages.SetOwner(mainWindow.Handle());
    static ui::OfflinePanel offlinePanel(mainWindow, program.registry, program.locale, program.versions,
                                         program.shell);
    static ui::InventoryViews inventoryViews(
        mainWindow, {program.processes, program.windows, program.versions, program.shell, program.messages},
        {program.applications, program.runningPrograms}, offlinePanel.Builder());
    ui::ViewServices services = inventoryViews.Services();
    services.offline = &offlinePanel;
    mainWindow.SetServices(services);

    app::CommandLineReader commandLine(app::ProgramArguments(program.environment.ProgramPath(),
                                                             program.environment.CommandLine()));
    app::ProcessCommandLine(commandLine, mainWindow);

    mainWindow.ShowAtStart();
    return RunMessageLoop(mainWindow);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    try {
        return Run(instance);
    } catch (const std::exception& error) {
        ui::ShowGeneralError(nullptr, error.what());
    } catch (...) {
        ui::ShowGeneralError(nullptr, "Unexpected error.");
    }
    return 1;
}
