// Program entry: the program is wired, then runs until the main window closes.
#include <windows.h>

#include <exception>

#include "app/program.h"
#include "ui/win32/error_box.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    try {
        // Lives until the process ends: nothing outlives the message loop but the exit.
        static glmx::app::Program program;
        if (!program.Create(instance)) return 1;
        return program.Run();
    } catch (const std::exception& error) {
        glmx::ui::ShowGeneralError(nullptr, error.what());
    } catch (...) {
        glmx::ui::ShowGeneralError(nullptr, "Unexpected error.");
    }
    return 1;
}
