// The processes and running applications views over the real system: this
// test program and child programs it starts, found, closed and ended through
// the window's buttons.
#include <windows.h>

#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "support/list_cells.h"
#include "support/main_window_finder.h"
#include "support/program_under_test.h"
#include "support/window_under_test.h"
#include "ui/mainwindow/commands.h"

namespace glmx::testing {
namespace {

using namespace std::chrono_literals;
using platform::win32::Narrow;
using platform::win32::UniqueKernelHandle;

// A child program with a window titled `title`, an owned dialog and a tool window.
ProgramUnderTest StartChild(const std::wstring& title) {
    return ProgramUnderTest(L"glmx_test_child.exe", L"\"" + title + L"\"", L"GlmxTestChild", title);
}

class ProgramViewsGuiTest : public ::testing::Test {
protected:
    HWND List() { return window.App().InventoryPage().List(); }

    WindowUnderTest window;
};

TEST_F(ProgramViewsGuiTest, ProcessesListThisProgramWithItsVersionDetailsAndTheCount) {
    window.Command(ui::ViewCommand(vkRunningProcesses));
    const int row = FindRow(List(), 1, "glmx_gui_tests.exe");
    ASSERT_GE(row, 0);
    std::string cells;
    for (int column = 0; column < 9; ++column) cells += Cell(List(), row, column) + "|";
    EXPECT_EQ(cells,
              "Glimmerbox Window Tests|glmx_gui_tests.exe|Quenfield Test Lab|3.1|Copyright (C) "
              "Quenfield|Glimmerbox window tests|3.1.4.1|glmx_gui_tests.exe|glmx_gui_tests|");
    const int rows = ListView_GetItemCount(List());
    EXPECT_EQ(window.App().ProgramViews().List().StatusText(),
              std::to_string(rows) + " runnig processes");
    EXPECT_EQ(static_cast<int>(window.App().Processes().Count()), rows);
    EXPECT_EQ(ListView_GetNextItem(List(), -1, LVNI_SELECTED), 0);
}

TEST_F(ProgramViewsGuiTest, CloseEndsAChildProcessAndRemovesItsRow) {
    ProgramUnderTest child = StartChild(L"Glimmerbox close test");
    ASSERT_TRUE(child.MainWindow());
    window.Command(ui::ViewCommand(vkRunningProcesses));
    const int rows = ListView_GetItemCount(List());
    const int row = FindRow(List(), 1, "glmx_test_child.exe");
    ASSERT_GE(row, 0);
    SelectRow(List(), row);
    window.Command(ui::cmdInventoryControlButton);
    EXPECT_TRUE(child.Ended());
    EXPECT_EQ(ListView_GetItemCount(List()), rows - 1);
    EXPECT_EQ(FindRow(List(), 1, "glmx_test_child.exe"), -1);
    EXPECT_EQ(window.App().ProgramViews().List().StatusText(),
              std::to_string(rows - 1) + " runnig processes");
    EXPECT_EQ(ListView_GetNextItem(List(), -1, LVNI_SELECTED), std::min(row, rows - 2));
}

TEST_F(ProgramViewsGuiTest, CloseOnAProcessThatHasGoneSaysSoAndKeepsTheRow) {
    ProgramUnderTest child = StartChild(L"Glimmerbox gone test");
    window.Command(ui::ViewCommand(vkRunningProcesses));
    const int row = FindRow(List(), 1, "glmx_test_child.exe");
    ASSERT_GE(row, 0);
    const DWORD gone = child.ProcessId();
    child.Kill();
    ASSERT_TRUE(WaitUntil(
        [&] { return !UniqueKernelHandle(OpenProcess(PROCESS_TERMINATE, FALSE, gone)); }, 5s))
        << "the ended process still opens";
    SelectRow(List(), row);

    static std::string boxText;
    boxText.clear();
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        if (HWND box = FindWindowW(L"#32770", nullptr)) {
            wchar_t text[256] = {};
            GetDlgItemTextW(box, 0xFFFF, text, 256);  // the message box's text
            boxText = Narrow(text);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    });
    const int rows = ListView_GetItemCount(List());
    window.Command(ui::cmdInventoryControlButton);
    EXPECT_EQ(boxText, "Unable to get process Handle");
    EXPECT_EQ(ListView_GetItemCount(List()), rows);
    EXPECT_EQ(Cell(List(), row, 1), "glmx_test_child.exe");
}

TEST_F(ProgramViewsGuiTest, RunningAppsListTheChildsWindowNotItsDialogOrPaletteAndEndTaskClosesIt) {
    ProgramUnderTest child = StartChild(L"Glimmerbox app test");
    ASSERT_TRUE(child.MainWindow());
    window.Command(ui::ViewCommand(vkRunningApplications));
    const int row = FindRow(List(), 0, "Glimmerbox app test");
    ASSERT_GE(row, 0);
    EXPECT_EQ(Cell(List(), row, 1), "glmx_test_child.exe");
    EXPECT_EQ(FindRow(List(), 0, "Glimmerbox app test dialog"), -1);
    EXPECT_EQ(FindRow(List(), 0, "Glimmerbox app test palette"), -1);
    const int rows = ListView_GetItemCount(List());
    EXPECT_EQ(window.App().ProgramViews().List().StatusText(),
              std::to_string(rows) + " runnig applications");

    // "Switch To" brings it back from the task bar.
    ShowWindow(child.MainWindow(), SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(child.MainWindow()) != FALSE; }, 5s));
    SelectRow(List(), row);
    window.Command(ui::cmdSwitchTo);
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(child.MainWindow()); }, 5s));

    window.Command(ui::cmdInventoryControlButton);
    EXPECT_TRUE(child.Ended());
    EXPECT_EQ(FindRow(List(), 0, "Glimmerbox app test"), -1);
    EXPECT_EQ(ListView_GetItemCount(List()), rows - 1);
}

}  // namespace
}  // namespace glmx::testing
