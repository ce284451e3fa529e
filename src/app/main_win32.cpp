// Program entry: settings stores before any window, the main window, the command
// line, then the message loop until the main window closes.
#include <windows.h>

#include <commctrl.h>

#include <exception>
#include <memory>

#include "app/command_line.h"
#include "platform/win32/win32_display.h"
#include "platform/win32/win32_process_environment.h"
#include "platform/win32/win32_registry.h"
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
    std::string ProgramFolder = app::ProgramFolderOf(environment.ProgramPath());
    settings::SettingsStores stores{registry};
    ViewKind viewKind = vkAll;
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

    static ui::TFMain mainWindow(
        {program.stores, program.display, program.ProgramFolder, program.viewKind});
    mainWindow.Create(instance);
    if (!mainWindow.Handle()) return 1;

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
