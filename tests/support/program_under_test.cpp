#include "support/program_under_test.h"

#include <chrono>

#include "platform/win32/wide.h"
#include "support/main_window_finder.h"

namespace glmx::testing {

using namespace std::chrono_literals;

ProgramUnderTest::ProgramUnderTest(const std::string& settingsKey, const std::wstring& arguments) {
    // The child inherits the variable; the user's own settings stay untouched.
    SetEnvironmentVariableW(L"GLMX_SETTINGS_KEY", platform::win32::Wide(settingsKey).c_str());
    if (Start(L"glmx.exe", arguments)) mainWindow_ = WaitForMainWindow(processId_, 20s);
}

ProgramUnderTest::ProgramUnderTest(const std::wstring& program, const std::wstring& arguments,
                                   const wchar_t* windowClass, const std::wstring& title) {
    if (Start(program, arguments))
        WaitUntil([&] { return (mainWindow_ = FindWindowW(windowClass, title.c_str())); }, 20s);
}

bool ProgramUnderTest::Start(const std::wstring& program, const std::wstring& arguments) {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    path = path.substr(0, path.find_last_of(L'\\') + 1) + program;
    std::wstring commandLine = L"\"" + path + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info))
        return false;
    CloseHandle(info.hThread);
    process_.reset(info.hProcess);
    processId_ = info.dwProcessId;
    return true;
}

ProgramUnderTest::~ProgramUnderTest() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) Kill();
}

bool ProgramUnderTest::Ended() const {
    return WaitForSingleObject(process_.get(), 10000) == WAIT_OBJECT_0;
}

void ProgramUnderTest::Kill() {
    TerminateProcess(process_.get(), 99);
    WaitForSingleObject(process_.get(), 5000);
    process_.reset();
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
