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

// Ends the child when the test leaves it running.
struct Child {
    ~Child() {
        if (TerminateProcess(process.get(), 0)) WaitForSingleObject(process.get(), 5000);
    }
    UniqueKernelHandle process;
    DWORD id;
};

TEST(ProcessesWin, EndProcessEndsARealChildAndCountsOneThatIsGoneAsEnded) {
    std::wstring commandLine = L"\"" +
                               Wide(app::ProgramFolderOf(Win32ProcessEnvironment().ProgramPath())) +
                               L"glmx_test_child.exe\" \"Processes test\"";
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &info));
    CloseHandle(info.hThread);
    const Child child{UniqueKernelHandle(info.hProcess), info.dwProcessId};
    Win32ProcessSystem system;
    EXPECT_EQ(system.EndProcess(child.id).status, EndProcessStatus::Ended);
    ASSERT_EQ(WaitForSingleObject(child.process.get(), 10000), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(child.process.get(), &code) && code == 1u);  // not STILL_ACTIVE
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
    const auto keepFirst = [&](const std::string& name) { return first = name, false; };
    EXPECT_TRUE(system.VisitModuleFileNames(system.CurrentProcessId(), 8, keepFirst));
    EXPECT_EQ(first, Win32ProcessEnvironment().ProgramPath());
}

TEST(ProcessesWin, ErrorsReadAsTheSystemsTextOrTheirNumber) {
    const std::string denied = SystemErrorText(ERROR_ACCESS_DENIED);
    EXPECT_TRUE(!denied.empty() && denied != "Error 5.") << denied;
    EXPECT_EQ(denied.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(SystemErrorText(0x2FFFFFFF), "Error 805306367.");
}

}  // namespace
}  // namespace glmx::platform::win32
