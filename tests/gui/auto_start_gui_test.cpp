// The auto-start view over the prefix's real Run key: a test entry listed, disabled
// and enabled through "Enable/Disable", filtered by the show-type box, and deleted
// through the options' "Delete" after the question.
#include <windows.h>

#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/wide.h"
#include "platform/win32/win32_registry.h"
#include "support/list_cells.h"
#include "support/shell_test_fixture.h"
#include "support/window_under_test.h"
#include "ui/mainwindow/commands.h"

namespace glmx::testing {
namespace {

using platform::RegAccess;
using platform::RegRoot;

constexpr std::string_view kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class AutoStartGuiTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto run = registry.CreateKey(RegRoot::CurrentUser, kRun);
        ASSERT_TRUE(run->SetValue(name, platform::MakeStringData("C:\\Tools\\glmx-test.exe")));
        // Sorted before the test entry, so that entry is never the row selected anyway.
        ASSERT_TRUE(run->SetValue(first, platform::MakeStringData("C:\\Tools\\first.exe")));
    }
    void TearDown() override {
        for (const std::string& key : {std::string(kRun), std::string(kRun) + "_Disabled"})
            if (auto opened = registry.OpenKey(RegRoot::CurrentUser, key, RegAccess::ReadWrite)) {
                opened->DeleteValue(name);
                opened->DeleteValue(first);
            }
    }
    HWND List() { return window.App().InventoryPage().List(); }
    int Row() { return FindRow(List(), 0, name); }
    int Selected() { return ListView_GetNextItem(List(), -1, LVNI_SELECTED); }
    std::string Status() { return window.App().ProgramViews().List().StatusText(); }
    void ChooseFilter(int index) {
        HWND box = window.App().InventoryPage().StartupFilterBox();
        SendMessageW(box, CB_SETCURSEL, index, 0);
        SendMessageW(window.Handle(), WM_COMMAND,
                     MAKEWPARAM(ui::cmdShowStartupPrograms, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(box));
        WindowUnderTest::PumpMessages();
    }

    platform::win32::Win32Registry registry;
    std::string name = "Glimmerbox GUI test " + std::to_string(GetCurrentProcessId());
    std::string first = "Glimmerbox GUI first " + std::to_string(GetCurrentProcessId());
    WindowUnderTest window;
};

TEST_F(AutoStartGuiTest, EnableDisableMovesTheEntryAndTheFilterFollowsItsState) {
    window.Command(ui::ViewCommand(vkAutoStart));
    int row = Row();
    ASSERT_GE(row, 0);
    EXPECT_EQ(Cell(List(), row, 1), "C:\\Tools\\glmx-test.exe");
    EXPECT_EQ(Cell(List(), row, 2), "Registry Section");
    EXPECT_EQ(Cell(List(), row, 3), "Enabled");
    EXPECT_EQ(Cell(List(), row, 4), "HKEY_CURRENT_USER\\" + std::string(kRun));
    const int rows = ListView_GetItemCount(List());
    EXPECT_EQ(Status(), std::to_string(rows) + " auto-start program(s)");

    SelectRow(List(), row);
    window.Command(ui::cmdInventoryControlButton);
    row = Row();
    ASSERT_GE(row, 0);
    EXPECT_EQ(Cell(List(), row, 3), "Disabled");
    EXPECT_EQ(ListView_GetItemState(List(), row, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
    EXPECT_EQ(Cell(List(), row, 4), "HKEY_CURRENT_USER\\" + std::string(kRun) + "_Disabled");
    EXPECT_EQ(Selected(), row);  // the changed entry stays selected

    ChooseFilter(1);
    EXPECT_EQ(Row(), -1);
    EXPECT_EQ(Status(),
              std::to_string(ListView_GetItemCount(List())) + " enabled auto-start program(s)");
    ChooseFilter(2);
    row = Row();
    ASSERT_GE(row, 0);
    EXPECT_EQ(Status(),
              std::to_string(ListView_GetItemCount(List())) + " disabled auto-start program(s)");
    SelectRow(List(), row);
    window.Command(ui::cmdInventoryControlButton);  // enabled again: no longer shown here
    EXPECT_EQ(Row(), -1);
    ChooseFilter(0);
    ASSERT_GE(Row(), 0);
    EXPECT_EQ(Cell(List(), Row(), 3), "Enabled");
}

TEST_F(AutoStartGuiTest, DeleteAsksFirstAndRemovesTheEntry) {
    window.Command(ui::ViewCommand(vkAutoStart));
    const int row = Row();
    ASSERT_GT(row, 0);
    SelectRow(List(), row);
    {
        DialogAnswerer yes;
        window.Command(ui::cmdStartupDelete);
        EXPECT_THAT(
            DialogAnswerer::Texts(),
            ::testing::ElementsAre("Are you sure you want to delete this program from startup?"));
    }
    EXPECT_EQ(Row(), -1);
    EXPECT_EQ(Selected(), std::min(row, ListView_GetItemCount(List()) - 1));
    EXPECT_FALSE(registry.OpenKey(RegRoot::CurrentUser, kRun, RegAccess::Read)->QueryValue(name));
}

}  // namespace
}  // namespace glmx::testing
