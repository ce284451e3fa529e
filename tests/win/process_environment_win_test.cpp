#include <windows.h>

#include <gtest/gtest.h>

#include "app/command_line.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_display.h"
#include "platform/win32/win32_process_environment.h"

namespace glmx::platform::win32 {
namespace {

TEST(ProcessEnvironmentWin, ProgramPathIsThisProgramsFileAndTheArgumentsFollowIt) {
    Win32ProcessEnvironment environment;
    const std::string path = environment.ProgramPath();
    wchar_t expected[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, expected, MAX_PATH);
    EXPECT_EQ(path, Narrow(expected));
    EXPECT_EQ(path.substr(app::ProgramFolderOf(path).size()), "glmx_win_tests.exe");
    const auto arguments = app::ProgramArguments(path, environment.CommandLine());
    ASSERT_FALSE(arguments.empty());
    EXPECT_EQ(arguments[0], path);
    EXPECT_EQ(environment.CommandLine(), Narrow(GetCommandLineW()));
}

TEST(DisplayWin, ThereIsAtLeastOneMonitorWithAnArea) {
    const auto areas = Win32Display().MonitorWorkAreas();
    ASSERT_FALSE(areas.empty());
    EXPECT_GT(areas[0].right, areas[0].left);
    EXPECT_GT(areas[0].bottom, areas[0].top);
}

}  // namespace
}  // namespace glmx::platform::win32
