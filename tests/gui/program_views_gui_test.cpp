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

// The first row whose column holds the text, or -1.
int FindRow(HWND list, int column, const std::string& text) {
    for (int row = 0; row < ListView_GetItemCount(list); ++row)
        if (Cell(list, row, column) == text) return row;
    return -1;
}

// A child program with a window titled `title`, an owned dialog and a tool window.
class ChildProgram {
public:
    explicit ChildProgram(const std::wstring& title) {
        std::wstring commandLine =
            L"\"" + FolderOfThisProgram() + L"glmx_test_child.exe\" \"" + title + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &info)) {
            CloseHandle(info.hThread);
            process_.reset(info.hProcess);
            id_ = info.dwProcessId;
            WaitUntil([&] { return FindWindowW(L"GlmxTestChild", title.c_str()) != nullptr; }, 10s);
            window_ = FindWindowW(L"GlmxTestChild", title.c_str());
        }
    }
    ~ChildProgram() {
        if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.get(), 0);
            WaitForSingleObject(process_.get(), 5000);
        }
    }
    DWORD Id() const { return id_; }
    HWND Window() const { return window_; }
    bool Ended(std::chrono::milliseconds timeout = 10s) const {
        return WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) ==
               WAIT_OBJECT_0;
    }
    // Ends it and lets go of it, so that its identifier no longer opens.
    void Kill() {
        TerminateProcess(process_.get(), 0);
        WaitForSingleObject(process_.get(), 5000);
        process_.reset();
    }

private:
    UniqueKernelHandle process_;
    DWORD id_ = 0;
    HWND window_ = nullptr;
};

class ProgramViewsGuiTest : public ::testing::Test {
protected:
    void Command(int command) {
        SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
        WindowUnderTest::PumpMessages();
    }
    HWND List() { return window.App().InventoryPage().List(); }
    void Select(int row) {
        ListView_SetItemState(List(), row, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
    }

    WindowUnderTest window;
};

TEST_F(ProgramViewsGuiTest, ProcessesListThisProgramWithItsVersionDetailsAndTheCount) {
    Command(ui::ViewCommand(vkRunningProcesses));
    const int row = FindRow(List(), 1, "glmx_gui_tests.exe");
    ASSERT_GE(row, 0);
    EXPECT_EQ(Cell(List(), row, 0), "Glimmerbox Window Tests");
    EXPECT_EQ(Cell(List(), row, 2), "Quenfield Test Lab");
    EXPECT_EQ(Cell(List(), row, 3), "3.1");
    EXPECT_EQ(Cell(List(), row, 4), "Copyright (C) Quenfield");
    EXPECT_EQ(Cell(List(), row, 5), "Glimmerbox window tests");
    EXPECT_EQ(Cell(List(), row, 6), "3.1.4.1");
    EXPECT_EQ(Cell(List(), row, 7), "glmx_gui_tests.exe");
    EXPECT_EQ(Cell(List(), row, 8), "glmx_gui_tests");
    const int rows = ListView_GetItemCount(List());
    EXPECT_EQ(window.App().ProgramViews().List().StatusText(),
              std::to_string(rows) + " runnig processes");
    EXPECT_EQ(static_cast<int>(window.App().Processes().Count()), rows);
    EXPECT_EQ(ListView_GetNextItem(List(), -1, LVNI_SELECTED), 0);
}

TEST_F(ProgramViewsGuiTest, CloseEndsAChildProcessAndRemovesItsRow) {
    ChildProgram child(L"Glimmerbox close test");
    ASSERT_TRUE(child.Window());
    Command(ui::ViewCommand(vkRunningProcesses));
    const int rows = ListView_GetItemCount(List());
    const int row = FindRow(List(), 1, "glmx_test_child.exe");
    ASSERT_GE(row, 0);
    Select(row);
    Command(ui::cmdInventoryControlButton);
    EXPECT_TRUE(child.Ended());
    EXPECT_EQ(ListView_GetItemCount(List()), rows - 1);
    EXPECT_EQ(FindRow(List(), 1, "glmx_test_child.exe"), -1);
    EXPECT_EQ(window.App().ProgramViews().List().StatusText(),
              std::to_string(rows - 1) + " runnig processes");
    EXPECT_EQ(ListView_GetNextItem(List(), -1, LVNI_SELECTED), std::min(row, rows - 2));
}

TEST_F(ProgramViewsGuiTest, CloseOnAProcessThatHasGoneSaysSoAndKeepsTheRow) {
    ChildProgram child(L"Glimmerbox gone test");
    Command(ui::ViewCommand(vkRunningProcesses));
    const int row = FindRow(List(), 1, "glmx_test_child.exe");
    ASSERT_GE(row, 0);
    const DWORD gone = child.Id();
    child.Kill();
    const bool released = WaitUntil(
        [&] {
            UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, gone));
            return !process;
        },
        5s);
    ASSERT_TRUE(released) << "the ended process still opens";
    Select(row);

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
    Command(ui::cmdInventoryControlButton);
    EXPECT_EQ(boxText, "Unable to get process Handle");
    EXPECT_EQ(ListView_GetItemCount(List()), rows);
    EXPECT_EQ(Cell(List(), row, 1), "glmx_test_child.exe");
}

TEST_F(ProgramViewsGuiTest, RunningAppsListTheChildsWindowNotItsDialogOrPaletteAndEndTaskClosesIt) {
    ChildProgram child(L"Glimmerbox app test");
    ASSERT_TRUE(child.Window());
    Command(ui::ViewCommand(vkRunningApplications));
    const int row = FindRow(List(), 0, "Glimmerbox app test");
    ASSERT_GE(row, 0);
    EXPECT_EQ(Cell(List(), row, 1), "glmx_test_child.exe");
    EXPECT_EQ(FindRow(List(), 0, "Glimmerbox app test dialog"), -1);
    EXPECT_EQ(FindRow(List(), 0, "Glimmerbox app test palette"), -1);
    const int rows = ListView_GetItemCount(List());
    EXPECT_EQ(window.App().ProgramViews().List().StatusText(),
              std::to_string(rows) + " runnig applications");
    EXPECT_TRUE(IsWindowVisible(window.App().InventoryPage().RunningAppsOptionsPanel()));

    // "Switch To" brings it back from the task bar.
    ShowWindow(child.Window(), SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(child.Window()) != FALSE; }, 5s));
    Select(row);
    Command(ui::cmdSwitchTo);
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(child.Window()); }, 5s));

    Command(ui::cmdInventoryControlButton);
    EXPECT_TRUE(child.Ended());
    EXPECT_EQ(FindRow(List(), 0, "Glimmerbox app test"), -1);
    EXPECT_EQ(ListView_GetItemCount(List()), rows - 1);
}

}  // namespace
}  // namespace glmx::testing
