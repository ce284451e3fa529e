// glmx.exe started as a child process, found through its main window.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32/unique_handle.h"

namespace glmx::testing {

class ProgramUnderTest {
public:
    // Starts glmx.exe from the test program's folder with the given arguments and its
    // settings below the given key of HKEY_CURRENT_USER, and waits until its main window shows.
    ProgramUnderTest(const std::string& settingsKey, const std::wstring& arguments = L"");
    ~ProgramUnderTest();  // ends the program if a test left it running

    HWND MainWindow() const { return mainWindow_; }
    DWORD ProcessId() const { return processId_; }
    // Asks the window to close as a user would and waits for the exit code.
    std::optional<DWORD> CloseAndWait();

private:
    platform::win32::UniqueKernelHandle process_;
    DWORD processId_ = 0;
    HWND mainWindow_ = nullptr;
};

std::wstring FolderOfThisProgram();

}  // namespace glmx::testing
