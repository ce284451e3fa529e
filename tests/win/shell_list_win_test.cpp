// The item list over a real temp folder, in a top-level window that hands the list's
// notifications back to it, as the folder page does.
// clang-format off
#include <windows.h>  // before the other system headers
// clang-format on
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "support/list_cells.h"
#include "support/shell_test_fixture.h"
#include "ui/win32/shell_list.h"

namespace glmx::ui {
namespace {

using platform::win32::IdListFromPath;
using platform::win32::Narrow;
using Strings = std::vector<std::string>;
using glmx::testing::PumpUntil;

class ShellListWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        std::filesystem::create_directories(folder.path / "Sub");
        std::ofstream(folder.path / "A.dat") << std::string(5000, 'a');  // larger, sorts first
        std::ofstream(folder.path / "b.txt") << "b";
        host = glmx::testing::HostWindow(list, L"GlmxTestListHost", 640, 480);
        ASSERT_TRUE(host);
        list.ShowFolder(IdListFromPath(folder.Utf8()).get());
        ASSERT_TRUE(PumpUntil([this] { return !list.Filling(); }));
    }
    void TearDown() override {
        host.reset();
        CoUninitialize();
    }

    Strings FileNames() const {
        Strings names;
        for (int row = 0; row < list.RowCount(); ++row) {
            const std::string path = list.RowParsingName(row);
            names.push_back(path.substr(path.find_last_of('\\') + 1));
        }
        return names;
    }
    bool Listed(const std::string& name) const {
        const Strings names = FileNames();
        return std::find(names.begin(), names.end(), name) != names.end();
    }
    void ClickColumn(int column) {
        NMLISTVIEW click{{list.Handle(), 7, LVN_COLUMNCLICK}, -1, column};
        LRESULT result = 0;
        list.OnNotify(click.hdr, result);
    }

    glmx::testing::TempFolder folder{L"glmx-list-"};
    Strings opened;
    ShellList list{
        {[this](const ITEMIDLIST* item) { opened.push_back(platform::win32::ParsingNameOf(item)); },
         nullptr, nullptr}};
    platform::win32::UniqueWindow host;
};

TEST_F(ShellListWinTest, ListsFoldersFirstWithTheFileSystemColumnsAndSortsByAClickedColumn) {
    EXPECT_EQ(list.ColumnCaptions(), (Strings{"Name", "Size", "Type", "Modified"}));
    EXPECT_EQ(FileNames(), (Strings{"Sub", "A.dat", "b.txt"}));
    const info::ShellItemInfo big = list.RowInfo(1);
    EXPECT_EQ(big.pathName, folder.Of("A.dat"));
    ASSERT_EQ(big.detailTexts.size(), 4u);
    EXPECT_EQ(big.detailTexts[1], "5 KB");
    EXPECT_FALSE(big.detailTexts[3].empty());
    EXPECT_EQ(list.RowInfo(0).detailTexts[1], "");  // a folder has no size

    ClickColumn(1);
    EXPECT_EQ(FileNames(), (Strings{"Sub", "b.txt", "A.dat"}));
    ClickColumn(1);
    EXPECT_EQ(FileNames(), (Strings{"Sub", "A.dat", "b.txt"}));
}

TEST_F(ShellListWinTest, FollowsANewFileAndRenamesInPlaceOnDisk) {
    std::ofstream(folder.path / "new.txt") << "new";
    ASSERT_TRUE(PumpUntil([this] { return Listed("new.txt"); }));

    const Strings names = FileNames();
    SetFocus(list.Handle());
    const HWND edit = ListView_EditLabel(
        list.Handle(), std::find(names.begin(), names.end(), "new.txt") - names.begin());
    ASSERT_TRUE(edit);
    SetWindowTextW(edit, L"renamed.txt");
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(std::filesystem::exists(folder.path / "renamed.txt"));
    EXPECT_FALSE(std::filesystem::exists(folder.path / "new.txt"));
    EXPECT_TRUE(PumpUntil([this] { return Listed("renamed.txt") && list.RowCount() == 4; }));
}

TEST_F(ShellListWinTest, EnterOpensAFolderRowAndBackspaceTheParent) {
    list.SetRowSelected(0, true);
    SendMessageW(list.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(list.Handle(), WM_KEYDOWN, VK_BACK, 0);
    EXPECT_EQ(opened, (Strings{folder.Of("Sub"), Narrow(folder.path.parent_path().wstring())}));
}

TEST_F(ShellListWinTest, CtrlASelectsEveryRowAndCtrlCCopiesThemAsTextUnderTheCaptions) {
    glmx::testing::SendControlKey(list.Handle(), 'A');
    EXPECT_EQ(ListView_GetSelectedCount(list.Handle()), 3u);
    glmx::testing::SendControlKey(list.Handle(), 'C');
    Strings lines;
    std::string text = glmx::testing::ClipboardText();
    for (size_t end; (end = text.find("\r\n")) != std::string::npos; text.erase(0, end + 2))
        lines.push_back(text.substr(0, text.find_first_of("\t\r")));
    EXPECT_EQ(lines, (Strings{"Name", "Sub", "A.dat", "b.txt"}));
}

TEST_F(ShellListWinTest, AFolderOutsideTheFileSystemShowsTheShellsOwnColumns) {
    list.ShowFolder(platform::win32::SpecialFolderIdList(CSIDL_BITBUCKET).get());
    ASSERT_TRUE(PumpUntil([this] { return !list.Filling(); }));
    const Strings captions = list.ColumnCaptions();
    ASSERT_GE(captions.size(), 2u);
    EXPECT_EQ(captions[1], "Original location");  // as Wine writes it (Windows: "... Location")
}

}  // namespace
}  // namespace glmx::ui
