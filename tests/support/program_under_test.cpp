#include "support/program_under_test.h"

#include <chrono>
#include <vector>

#include "platform/win32/wide.h"
#include "support/main_window_finder.h"

namespace glmx::testing {

using namespace std::chrono_literals;

std::wstring FolderOfThisProgram() {
    std::vector<wchar_t> path(32768);
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::wstring full(path.data(), length);
    return full.substr(0, full.find_last_of(L'\\') + 1);
}

ProgramUnderTest::ProgramUnderTest(const std::string& settingsKey, const std::wstring& arguments) {
    // The child inherits the variable; the user's own settings stay untouched.
    SetEnvironmentVariableW(L"GLMX_SETTINGS_KEY", platform::win32::Wide(settingsKey).c_str());
    const std::wstring program = FolderOfThisProgram() + L"glmx.exe";
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info))
        return;
    CloseHandle(info.hThread);
    process_.reset(info.hProcess);
    processId_ = info.dwProcessId;
    mainWindow_ = WaitForMainWindow(processId_, 20s);
}

ProgramUnderTest::~ProgramUnderTest() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.get(), 99);
        WaitForSingleObject(process_.get(), 5000);
    }
}

std::optional<DWORD> ProgramUnderTest::CloseAndWait() {
    if (!process_ || !mainWindow_) return std::nullopt;
    PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.get(), 20000) != WAIT_OBJECT_0) return std::nullopt;
    DWORD exitCode = 0;
    GetExitCodeProcess(process_.get(), &exitCode);
    return exitCode;
}

}  // namespace glmx::testing
