// A program from the test program's folder, started as a child process and found by its window.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32/unique_handle.h"

namespace glmx::testing {

class ProgramUnderTest {
public:
    // Starts glmx.exe with the given arguments and its settings below the given key of
    // HKEY_CURRENT_USER, and waits until its main window shows.
    ProgramUnderTest(const std::string& settingsKey, const std::wstring& arguments = L"");
    // Starts the program with the given arguments and waits until its window of the given
    // class and title shows.
    ProgramUnderTest(const std::wstring& program, const std::wstring& arguments,
                     const wchar_t* windowClass, const std::wstring& title);
    ~ProgramUnderTest();  // ends the program if a test left it running

    HWND MainWindow() const { return mainWindow_; }
    DWORD ProcessId() const { return processId_; }
    // Asks the window to close as a user would and waits for the exit code.
    std::optional<DWORD> CloseAndWait();
    bool Ended() const;  // within 10 seconds
    // Ends it and lets go of it, so that its identifier no longer opens.
    void Kill();

private:
    bool Start(const std::wstring& program, const std::wstring& arguments);

    platform::win32::UniqueKernelHandle process_;
    DWORD processId_ = 0;
    HWND mainWindow_ = nullptr;
};

}  // namespace glmx::testing
