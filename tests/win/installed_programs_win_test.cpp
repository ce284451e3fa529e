// The uninstaller run under Wine: a real test uninstaller that hands over to a copy of
// itself is waited for to the end of that copy, and a file that cannot be started is
// reported with the system's reason.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "app/command_line.h"
#include "platform/win32/win32_process_environment.h"
#include "platform/win32/win32_program_runner.h"
#include "platform/win32/win32_registry.h"
#include "support/scoped_test_key.h"
#include "support/shell_test_fixture.h"

namespace glmx::testing {
namespace {

using platform::RegAccess;
using platform::RegRoot;
using platform::RunStatus;

std::string TestUninstaller() {
    return app::ProgramFolderOf(platform::win32::Win32ProcessEnvironment().ProgramPath()) +
           "glmx_test_uninstaller.exe";
}

TEST(ProgramRunnerWin, WaitsForTheProcessesTheUninstallerStartsBeforeItEnds) {
    const ScopedTestKey key;
    platform::win32::Win32Registry registry;
    const std::string entry = key.Path() + "\\Entry";
    ASSERT_TRUE(registry.CreateKey(RegRoot::CurrentUser, entry));
    platform::win32::Win32ProgramRunner runner;
    const std::string program = TestUninstaller();
    const platform::RunOutcome outcome =
        runner.RunAndWait(program, "\"" + program + "\" spawn HKCU native \"" + entry + "\"");
    EXPECT_EQ(outcome.status, RunStatus::Ended) << outcome.reason;
    EXPECT_TRUE(outcome.wholeTree);
    // The copy it started removes the key a second after the first ended.
    EXPECT_FALSE(registry.OpenKey(RegRoot::CurrentUser, entry, RegAccess::Read));
}

TEST(ProgramRunnerWin, AFileThatCannotStartIsReportedWithTheSystemsReason) {
    const TempFolder folder(L"glmx-runner-");
    const std::string notAProgram = folder.Of("readme.exe");
    std::ofstream(folder.path / "readme.exe") << "not a program";
    platform::win32::Win32ProgramRunner runner;
    for (const std::string& program : {notAProgram, folder.Of("missing.exe")}) {
        SCOPED_TRACE(program);
        const platform::RunOutcome outcome = runner.RunAndWait(program, "\"" + program + "\"");
        EXPECT_EQ(outcome.status, RunStatus::NotStarted);
        EXPECT_FALSE(outcome.reason.empty());
    }
}

}  // namespace
}  // namespace glmx::testing
