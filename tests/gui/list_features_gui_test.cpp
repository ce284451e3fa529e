// What every inventory list offers, in the real window: Ctrl+C copies the selected rows
// with the captions above, a header click sorts with the arrow on the header, the
// buttons and the offline text act on the row the user sees after sorting, and typing
// finds a row by its caption.
#include <windows.h>

#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/text.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_registry.h"
#include "support/list_cells.h"
#include "support/program_under_test.h"
#include "support/scoped_test_key.h"
#include "support/tree_items.h"
#include "support/window_under_test.h"
#include "ui/mainwindow/commands.h"

namespace glmx::testing {
namespace {

using platform::RegAccess;
using platform::RegRoot;
using ::testing::HasSubstr;

constexpr std::string_view kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class ListFeaturesGuiTest : public ::testing::Test {
protected:
    HWND List() { return window.App().InventoryPage().List(); }

    // Posted as the system posts keys, and handled through the window's own loop steps
    // (accelerators and the dialog manager), so a key something else eats never arrives.
    void Deliver(UINT message, WPARAM key, bool control = false) {
        BYTE state[256] = {};
        GetKeyboardState(state);
        const BYTE saved = state[VK_CONTROL];
        state[VK_CONTROL] = control ? 0x80 : 0;
        SetKeyboardState(state);
        PostMessageW(List(), message, key, 1);
        MSG posted;
        while (PeekMessageW(&posted, nullptr, 0, 0, PM_REMOVE)) {
            if (posted.message == WM_QUIT || window.Main().PreTranslateMessage(posted)) continue;
            TranslateMessage(&posted);
            DispatchMessageW(&posted);
        }
        state[VK_CONTROL] = saved;
        SetKeyboardState(state);
    }
    void PressControl(char key) { Deliver(WM_KEYDOWN, static_cast<WPARAM>(key), true); }

    void SelectOnly(int row) {
        ListView_SetItemState(List(), -1, 0, LVIS_SELECTED);
        SelectRow(List(), row);
    }
    int Arrow(int column) { return SortArrow(List(), column); }
    // Whether the column's texts follow each other in the direction, without regard to case.
    bool InOrder(int column, bool descending) {
        for (int row = 1; row < ListView_GetItemCount(List()); ++row) {
            const std::string before = platform::AsciiUpper(Cell(List(), row - 1, column));
            const std::string after = platform::AsciiUpper(Cell(List(), row, column));
            if (descending ? before < after : after < before) return false;
        }
        return true;
    }
    // Every process row still shows its own record.
    bool ProcessRowsShowTheirRecords() {
        const auto& records = window.App().Processes().Records();
        for (int row = 0; row < ListView_GetItemCount(List()); ++row) {
            const long long record = window.App().ProgramViews().List().RowRecord(row);
            if (record < 0 || static_cast<size_t>(record) >= records.size() ||
                records[static_cast<size_t>(record)].FileName != Cell(List(), row, 1))
                return false;
        }
        return true;
    }
    std::string OfflineText() { return window.Main().Information().OfflineView().Text(); }

    WindowUnderTest window;
};

TEST_F(ListFeaturesGuiTest, ProcessesCopyTheSelectedRowsAsShownAndCtrlASelectsAll) {
    window.Command(ui::ViewCommand(vkRunningProcesses));
    SelectOnly(FindRow(List(), 1, "glmx_gui_tests.exe"));
    PressControl('C');
    EXPECT_EQ(ClipboardText(),
              "Program Name\tFile Name\tCompany Name\tVersion\tCopyright\tFile Description\tFile "
              "Version\tOriginal Filename\tInternalname\r\n"
              "Glimmerbox Window Tests\tglmx_gui_tests.exe\tQuenfield Test Lab\t3.1\tCopyright "
              "(C) Quenfield\tGlimmerbox window tests\t3.1.4.1\tglmx_gui_tests.exe\tglmx_gui_"
              "tests\r\n");
    PressControl('A');
    const int rows = ListView_GetItemCount(List());
    EXPECT_EQ(ListView_GetSelectedCount(List()), static_cast<UINT>(rows));
    PressControl('C');
    const std::string all = ClipboardText();
    EXPECT_EQ(static_cast<int>(std::count(all.begin(), all.end(), '\n')), rows + 1);
}

TEST_F(ListFeaturesGuiTest, ProcessesSortByAHeaderClickAndCloseEndsTheRowShown) {
    ProgramUnderTest child(L"glmx_test_child.exe", L"\"Glimmerbox sort test\"", L"GlmxTestChild",
                           L"Glimmerbox sort test");
    window.Command(ui::ViewCommand(vkRunningProcesses));
    ClickHeader(List(), 1);
    EXPECT_EQ(Arrow(1), 1);
    EXPECT_TRUE(InOrder(1, false));
    ClickHeader(List(), 1);
    EXPECT_EQ(Arrow(1), -1);
    EXPECT_TRUE(InOrder(1, true));
    EXPECT_TRUE(ProcessRowsShowTheirRecords());

    // The offline text describes the row clicked, wherever its record stands.
    SelectOnly(FindRow(List(), 1, "glmx_gui_tests.exe"));
    window.NotifyClick(List());
    WindowUnderTest::PumpMessages();
    EXPECT_THAT(OfflineText(), HasSubstr("glmx_gui_tests.exe"));

    const int rows = ListView_GetItemCount(List());
    SelectOnly(FindRow(List(), 1, "glmx_test_child.exe"));
    window.Command(ui::cmdInventoryControlButton);
    EXPECT_TRUE(child.Ended());
    EXPECT_EQ(ListView_GetItemCount(List()), rows - 1);
    EXPECT_EQ(FindRow(List(), 1, "glmx_test_child.exe"), -1);
    EXPECT_GE(FindRow(List(), 1, "glmx_gui_tests.exe"), 0);
    EXPECT_TRUE(ProcessRowsShowTheirRecords());

    // Collected anew, the view shows its own order again.
    window.Command(ui::ViewCommand(vkRunningProcesses));
    EXPECT_EQ(Arrow(1), 0);
}

TEST_F(ListFeaturesGuiTest, TypingFindsTheNextRowByItsCaption) {
    window.Command(ui::ViewCommand(vkRunningProcesses));
    const auto found = [&] {
        const int row = ListView_GetNextItem(List(), -1, LVNI_SELECTED);
        return row >= 0 && Cell(List(), row, 0).rfind("Glimmerbox", 0) == 0;
    };
    ASSERT_FALSE(found());  // the first row is the system's
    SetFocus(List());
    for (char letter : std::string("glimmerbox")) Deliver(WM_CHAR, static_cast<WPARAM>(letter));
    EXPECT_TRUE(found());
}

class AutoStartListGuiTest : public ListFeaturesGuiTest {
protected:
    void SetUp() override {
        auto run = registry.CreateKey(RegRoot::CurrentUser, kRun);
        ASSERT_TRUE(run->SetValue(names[0], platform::MakeStringData("C:\\Tools\\a.exe")));
        ASSERT_TRUE(run->SetValue(names[1], platform::MakeStringData("C:\\Tools\\b.exe")));
    }
    void TearDown() override {
        for (const std::string& key : {std::string(kRun), std::string(kRun) + "_Disabled"})
            if (auto opened = registry.OpenKey(RegRoot::CurrentUser, key, RegAccess::ReadWrite))
                for (const std::string& name : names) opened->DeleteValue(name);
    }
    int Row(int entry) { return FindRow(List(), 0, names[static_cast<size_t>(entry)]); }

    platform::win32::Win32Registry registry;
    const std::string id = std::to_string(GetCurrentProcessId());
    const std::vector<std::string> names = {"Glimmerbox list A " + id, "Glimmerbox list B " + id,
                                            "Glimmerbox list 0 " + id};
};

TEST_F(AutoStartListGuiTest, CopySortAndEnableDisableActOnTheRowShown) {
    window.Command(ui::ViewCommand(vkAutoStart));
    ASSERT_LT(Row(0), Row(1));
    ClickHeader(List(), 0);
    ClickHeader(List(), 0);
    EXPECT_EQ(Arrow(0), -1);
    ASSERT_LT(Row(1), Row(0));

    SelectOnly(Row(1));
    PressControl('C');
    EXPECT_EQ(ClipboardText(),
              "Program Name\tCommand\tAutostart type\tStatus\tLocation\r\n" + names[1] +
                  "\tC:\\Tools\\b.exe\tRegistry Section\tEnabled\tHKEY_CURRENT_USER\\" +
                  std::string(kRun) + "\r\n");
    window.Command(ui::cmdInventoryControlButton);
    EXPECT_EQ(Cell(List(), Row(1), 3), "Disabled");
    EXPECT_EQ(Cell(List(), Row(0), 3), "Enabled");
    EXPECT_EQ(Arrow(0), 0);  // rebuilt in the view's own order
}

TEST_F(AutoStartListGuiTest, F5PicksUpAChangeAndKeepsTheSelectedEntry) {
    window.Command(ui::ViewCommand(vkAutoStart));
    SelectOnly(Row(1));
    ASSERT_EQ(Row(2), -1);
    ASSERT_TRUE(registry.CreateKey(RegRoot::CurrentUser, kRun)
                    ->SetValue(names[2], platform::MakeStringData("C:\\Tools\\0.exe")));
    SetFocus(List());
    Deliver(WM_KEYDOWN, VK_F5);
    ASSERT_GE(Row(2), 0);
    EXPECT_EQ(ListView_GetNextItem(List(), -1, LVNI_SELECTED), Row(1));
    EXPECT_THAT(window.Main().Information().SearchField().Text(), HasSubstr(names[1]));
}

class RegistryListGuiTest : public ListFeaturesGuiTest {
protected:
    void SetUp() override {
        auto values = registry.CreateKey(RegRoot::CurrentUser, key.Path());
        ASSERT_TRUE(values);
        const std::pair<const char*, unsigned char> numbers[] = {{"a", 10}, {"B", 2}, {"c", 255}};
        for (const auto& [name, number] : numbers)
            ASSERT_TRUE(values->SetValue(
                name, platform::RegData{platform::RegType::Dword, {number, 0, 0, 0}}));
    }
    ScopedTestKey key;
    platform::win32::Win32Registry registry;
};

TEST_F(RegistryListGuiTest, ValuesSortByTheirDataAndTheRowShownIsTheOneDescribedAndCopied) {
    window.Command(ui::ViewCommand(vkRegistry));
    const HWND tree = window.App().InventoryPage().RegistryTree();
    ASSERT_TRUE(TreeView_SelectItem(tree, Reveal(tree, "HKEY_CURRENT_USER\\" + key.Path())));
    ClickHeader(List(), 2);
    ClickHeader(List(), 2);
    EXPECT_EQ(Arrow(2), -1);
    std::vector<std::string> names;
    for (int row = 0; row < ListView_GetItemCount(List()); ++row)
        if (Cell(List(), row, 1) == "REG_DWORD") names.push_back(Cell(List(), row, 0));
    EXPECT_EQ(names, (std::vector<std::string>{"c", "a", "B"}));

    SelectOnly(FindRow(List(), 0, "B"));
    window.NotifyClick(List());
    WindowUnderTest::PumpMessages();
    EXPECT_THAT(OfflineText(), HasSubstr("Value:  0x00000002 (2)"));
    PressControl('C');
    EXPECT_EQ(ClipboardText(), "Name\tType\tData\r\nB\tREG_DWORD\t0x00000002 (2)\r\n");
}

}  // namespace
}  // namespace glmx::testing
