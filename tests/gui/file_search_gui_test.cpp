// The Search Files view in the real window over real folders: results depth-first
// folder by folder, the folder check, Stop, another view ending a search, and the
// results' actions (Delete, the double-click refusal, the offline text).
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "filesearch/mask.h"
#include "platform/win32/shell_namespace.h"
#include "platform/win32/wide.h"
#include "support/list_cells.h"
#include "support/shell_test_fixture.h"
#include "support/window_under_test.h"
#include "ui/mainwindow/commands.h"
#include "ui/mainwindow/file_search_view.h"

namespace glmx::testing {
namespace {

using platform::win32::Narrow;
using platform::win32::Wide;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// The files a plain depth-first walk finds, in the file system's order.
void Walk(const std::wstring& folder, const std::string& mask, std::vector<std::string>& found) {
    WIN32_FIND_DATAW entry{};
    platform::win32::UniqueFindHandle find(
        FindFirstFileW((L"\\\\?\\" + folder + L"\\*").c_str(), &entry));
    for (bool more = static_cast<bool>(find); more; more = FindNextFileW(find.get(), &entry)) {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            Walk(folder + L"\\" + name, mask, found);
        else if (filesearch::MaskMatches(mask, Narrow(name)))
            found.push_back(Narrow(folder + L"\\" + name));
    }
}

class FileSearchGuiTest : public ::testing::Test {
protected:
    void SetUp() override { window.Command(ui::ViewCommand(vkSearchFiles)); }
    ui::FileSearchForm& Form() { return window.App().InventoryPage().SearchForm(); }
    HWND List() { return window.App().InventoryPage().List(); }
    void MakeFile(const std::wstring& relative) {
        const std::wstring path = L"\\\\?\\" + (folder.path / relative).wstring();
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(std::filesystem::path(path)) << "x";
    }
    void Search(const std::string& lookIn, const std::string& mask) {
        Form().LookInBox().SetText(lookIn);
        Form().NameBox().SetText(mask);
        SendMessageW(Form().SearchButton(), BM_CLICK, 0, 0);
    }
    std::vector<std::string> Rows() {
        std::vector<std::string> rows;
        for (int row = 0; row < ListView_GetItemCount(List()); ++row)
            rows.push_back(Cell(List(), row, 0));
        return rows;
    }

    TempFolder folder{L"GlmxSearch"};
    WindowUnderTest window;
};

TEST_F(FileSearchGuiTest, ResultsComeDepthFirstFolderByFolderAndDescribeThemselves) {
    const std::wstring deep = std::wstring(140, L'd') + L"\\" + std::wstring(140, L'e');
    for (const wchar_t* file : {L"A\\one.txt", L"A\\Sub\\two.TXT", L"A\\three.log",
                                L"A\\Sub\\Inner\\four.txt", L"A\\x.txt\\five.txt", L"B\\six.txt"})
        MakeFile(file);
    MakeFile(L"A\\" + deep + L"\\deep.txt");
    std::vector<std::string> expected;
    Walk((folder.path / L"B").wstring(), "*.txt", expected);
    Walk((folder.path / L"A").wstring(), "*.txt", expected);
    ASSERT_EQ(expected.size(), 6u);
    ASSERT_TRUE(std::any_of(expected.begin(), expected.end(),
                            [](const std::string& path) { return path.size() > 300; }));

    const std::string lookIn = folder.Of(L"B") + ";" + folder.Of(L"A");
    Search(lookIn, "*.txt");
    EXPECT_EQ(Rows(), expected);
    EXPECT_EQ(Form().NameBox().Text(), "*.txt");
    EXPECT_TRUE(IsWindowEnabled(Form().SearchButton()));
    EXPECT_EQ(ListView_GetNextItem(List(), -1, LVNI_SELECTED), 0);
    EXPECT_THAT(window.Main().Information().OfflineView().Text(),
                HasSubstr("Path:  " + expected[0]));
    wchar_t first[1024] = {};
    SendMessageW(Form().LookInBox().Handle(), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_EQ(Narrow(first), lookIn);

    SelectRow(List(), 3);
    window.NotifyClick(List());
    EXPECT_THAT(window.Main().Information().OfflineView().Text(),
                HasSubstr("Path:  " + expected[3]));
}

TEST_F(FileSearchGuiTest, AFolderClickedInTheTreeBecomesTheLookInTextAndAVirtualOneEmptiesIt) {
    ui::ShellTree& tree = Form().Tree();
    ASSERT_TRUE(tree.SelectFolder(platform::win32::IdListFromPath(folder.Utf8()).get()));
    window.NotifyClick(tree.Handle());
    EXPECT_EQ(Form().LookInBox().Text(), folder.Utf8());
    ASSERT_TRUE(tree.SelectFolder(platform::win32::SpecialFolderIdList(CSIDL_DRIVES).get()));
    window.NotifyClick(tree.Handle());
    EXPECT_EQ(Form().LookInBox().Text(), "");
}

TEST_F(FileSearchGuiTest, AFolderThatIsNotThereIsNamedAndNothingIsSearched) {
    MakeFile(L"A\\one.txt");
    DialogAnswerer ok;
    Search(folder.Of(L"A") + ";" + folder.Of(L"Missing"), "*");
    EXPECT_THAT(DialogAnswerer::Texts(),
                ElementsAre("'" + folder.Of(L"Missing") + "' is not a valid folder"));
    EXPECT_EQ(ListView_GetItemCount(List()), 0);
    EXPECT_TRUE(IsWindowEnabled(Form().SearchButton()));
}

TEST_F(FileSearchGuiTest, StopKeepsTheRowsFoundAndAnotherViewEndsTheSearch) {
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    std::vector<std::string> all;
    Walk(windows, "*", all);

    PostMessageW(Form().StopButton(), BM_CLICK, 0, 0);
    Search(Narrow(windows), "*");
    const size_t rows = Rows().size();
    EXPECT_GT(rows, 0u);
    EXPECT_LT(rows, all.size());
    EXPECT_EQ(Rows(), std::vector<std::string>(all.begin(), all.begin() + rows));
    EXPECT_TRUE(IsWindowEnabled(Form().SearchButton()));
    PostMessageW(List(), WM_KEYDOWN, VK_ESCAPE, 0);  // Esc stops too
    Search(Narrow(windows), "*");
    EXPECT_LT(Rows().size(), all.size());

    // The list now serves the processes: nothing more of the search reaches it.
    PostMessageW(window.Handle(), WM_COMMAND, ui::ViewCommand(vkRunningProcesses), 0);
    Search(Narrow(windows), "*");
    EXPECT_EQ(window.CurrentView(), vkRunningProcesses);
    EXPECT_GE(FindRow(List(), 1, "glmx_gui_tests.exe"), 0);
    EXPECT_EQ(FindRow(List(), 0, all[0]), -1);
}

TEST_F(FileSearchGuiTest, DeleteRecyclesAResultAndDoubleClickOpensNothing) {
    MakeFile(L"A\\gone.txt");
    MakeFile(L"A\\kept.txt");
    Search(folder.Of(L"A"), "*.txt");
    SelectRow(List(), FindRow(List(), 0, folder.Of(L"A\\gone.txt")));
    {
        DialogAnswerer yes;
        window.Command(ui::cmdInventoryControlButton);
    }
    EXPECT_FALSE(std::filesystem::exists(folder.path / L"A\\gone.txt"));
    EXPECT_THAT(Rows(), ElementsAre(folder.Of(L"A\\kept.txt")));

    RECT row{};
    ListView_GetItemRect(List(), 0, &row, LVIR_LABEL);
    DialogAnswerer ok;
    SendMessageW(List(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(row.left + 2, row.top + 2));
    window.PumpMessages();
    EXPECT_THAT(DialogAnswerer::Texts(), ElementsAre(std::string(ui::kDoubleClickRefused)));
    EXPECT_TRUE(std::filesystem::exists(folder.path / L"A\\kept.txt"));
}

}  // namespace
}  // namespace glmx::testing
