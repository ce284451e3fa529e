// The process service against real processes: this test program and child programs
// it starts and ends.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "app/command_line.h"
#include "platform/win32/system_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_process_environment.h"
#include "platform/win32/win32_processes.h"

namespace glmx::platform::win32 {
namespace {

// glmx_test_child.exe, started beside this program; ended when the test leaves it running.
class Child {
public:
    Child() {
        const std::string folder = app::ProgramFolderOf(Win32ProcessEnvironment().ProgramPath());
        std::wstring commandLine =
            L"\"" + Wide(folder) + L"glmx_test_child.exe\" \"Processes test\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &info))
            return;
        CloseHandle(info.hThread);
        process.reset(info.hProcess);
        id = info.dwProcessId;
    }
    ~Child() {
        if (process && !Exited(0)) {
            TerminateProcess(process.get(), 0);
            Exited(5000);
        }
    }
    bool Exited(DWORD milliseconds) const {
        return WaitForSingleObject(process.get(), milliseconds) == WAIT_OBJECT_0;
    }
    DWORD ExitCode() const {
        DWORD code = 0;
        return GetExitCodeProcess(process.get(), &code) ? code : 0;
    }

    UniqueKernelHandle process;
    DWORD id = 0;
};

TEST(ProcessesWin, EndProcessEndsARealChildAndCountsOneThatIsGoneAsEnded) {
    Child child;
    ASSERT_TRUE(child.process);
    Win32ProcessSystem system;
    EXPECT_EQ(system.EndProcess(child.id).status, EndProcessStatus::Ended);
    ASSERT_TRUE(child.Exited(10000));
    EXPECT_EQ(child.ExitCode(), 1u);  // "ended", never STILL_ACTIVE
    // Our handle keeps the ended child openable; Windows refuses its termination
    // (access denied), Wine grants it.
    const EndProcessStatus again = system.EndProcess(child.id).status;
    EXPECT_TRUE(again == EndProcessStatus::AlreadyExited || again == EndProcessStatus::Ended)
        << static_cast<int>(again);
    // Identifiers are multiples of four: no process has this one.
    EXPECT_EQ(system.EndProcess(0xFFFFFFF1).status, EndProcessStatus::OpenFailed);
}

TEST(ProcessesWin, ThisProgramIsTheCurrentProcessAndItsModulesAreRead) {
    Win32ProcessSystem system;
    const auto snapshot = system.Snapshot();
    ASSERT_TRUE(snapshot);
    const auto self = std::find_if(
        snapshot->begin(), snapshot->end(),
        [&](const SnapshotEntry& entry) { return entry.processId == system.CurrentProcessId(); });
    ASSERT_NE(self, snapshot->end());
    EXPECT_EQ(self->exeFile, "glmx_win_tests.exe");
    std::string first;
    EXPECT_TRUE(
        system.VisitModuleFileNames(system.CurrentProcessId(), 8, [&](const std::string& name) {
            first = name;
            return false;
        }));
    EXPECT_EQ(first, Win32ProcessEnvironment().ProgramPath());
}

TEST(ProcessesWin, ErrorsReadAsTheSystemsTextOrTheirNumber) {
    const std::string denied = SystemErrorText(ERROR_ACCESS_DENIED);
    EXPECT_FALSE(denied.empty());
    EXPECT_EQ(denied.find_first_of("\r\n"), std::string::npos);
    EXPECT_NE(denied, "Error 5.");
    EXPECT_EQ(SystemErrorText(0x2FFFFFFF), "Error 805306367.");
}

}  // namespace
}  // namespace glmx::platform::win32
