// The item list over a real temp folder, in a top-level window that hands the list's
// notifications back to it, as the folder page does.
// clang-format off
#include <windows.h>  // before the other system headers
// clang-format on
#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "ui/win32/shell_list.h"

namespace glmx::ui {
namespace {

using platform::win32::IdListFromPath;
using platform::win32::Narrow;
using platform::win32::ParsingNameOf;

constexpr wchar_t kParentClass[] = L"GlmxShellListTestParent";

LRESULT CALLBACK ParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* list = reinterpret_cast<ShellList*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    LRESULT result = 0;
    if (message == WM_NOTIFY && list &&
        list->OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result))
        return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

// Pumps messages until the condition holds; the bound only keeps a broken build from hanging.
bool PumpUntil(const std::function<bool()>& condition) {
    for (int round = 0; round < 600; ++round) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (condition()) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return condition();
}

class ShellListWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        static std::atomic<int> counter{0};
        folder = std::filesystem::temp_directory_path() /
                 ("glmx-list-" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(counter++));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder / "Sub");
        std::ofstream(folder / "A.dat") << std::string(5000, 'a');  // larger, sorts first by name
        std::ofstream(folder / "b.txt") << "b";

        const WNDCLASSW windowClass{
            0, ParentProcedure, 0, 0, GetModuleHandleW(nullptr), {}, {}, {}, {}, kParentClass};
        RegisterClassW(&windowClass);  // fails harmlessly from the second test on
        parent.reset(CreateWindowExW(0, kParentClass, L"Shell list test", WS_OVERLAPPEDWINDOW, 0, 0,
                                     640, 480, nullptr, nullptr, GetModuleHandleW(nullptr),
                                     nullptr));
        ASSERT_TRUE(parent);
        SetWindowLongPtrW(parent.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&list));
        ASSERT_TRUE(list.Create(parent.get(), 7));
        MoveWindow(list.Handle(), 0, 0, 620, 440, FALSE);
        ShowWindow(parent.get(), SW_SHOW);
        list.ShowFolder(IdListFromPath(Narrow(folder.wstring())).get());
        ASSERT_TRUE(PumpUntil([this] { return !list.Filling(); }));
    }

    void TearDown() override {
        parent.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
        CoUninitialize();
    }

    std::vector<std::string> FileNames() const {
        std::vector<std::string> names;
        for (int row = 0; row < list.RowCount(); ++row) {
            const std::string path = list.RowParsingName(row);
            names.push_back(path.substr(path.find_last_of('\\') + 1));
        }
        return names;
    }

    int RowNamed(const std::string& name) const {
        const std::vector<std::string> names = FileNames();
        for (size_t row = 0; row < names.size(); ++row)
            if (names[row] == name) return static_cast<int>(row);
        return -1;
    }

    void ClickColumn(int column) {
        NMLISTVIEW click{};
        click.hdr = {list.Handle(), 7, LVN_COLUMNCLICK};
        click.iItem = -1;
        click.iSubItem = column;
        LRESULT result = 0;
        list.OnNotify(click.hdr, result);
    }

    std::filesystem::path folder;
    std::vector<std::string> opened;
    ShellList list{{[this](const ITEMIDLIST* item) { opened.push_back(ParsingNameOf(item)); },
                    nullptr, nullptr}};
    platform::win32::UniqueWindow parent;
};

TEST_F(ShellListWinTest, ListsFoldersFirstWithTheFileSystemColumnsAndSortsByAClickedColumn) {
    EXPECT_EQ(list.ColumnCaptions(),
              (std::vector<std::string>{"Name", "Size", "Type", "Modified"}));
    EXPECT_EQ(FileNames(), (std::vector<std::string>{"Sub", "A.dat", "b.txt"}));
    const info::ShellItemInfo big = list.RowInfo(1);
    EXPECT_EQ(big.pathName, Narrow((folder / "A.dat").wstring()));
    ASSERT_EQ(big.detailTexts.size(), 4u);
    EXPECT_EQ(big.detailTexts[1], "5 KB");
    EXPECT_FALSE(big.detailTexts[2].empty());
    EXPECT_FALSE(big.detailTexts[3].empty());
    EXPECT_EQ(list.RowInfo(0).detailTexts[1], "");  // a folder has no size

    ClickColumn(1);
    EXPECT_EQ(FileNames(), (std::vector<std::string>{"Sub", "b.txt", "A.dat"}));
    ClickColumn(1);
    EXPECT_EQ(FileNames(), (std::vector<std::string>{"Sub", "A.dat", "b.txt"}));
}

TEST_F(ShellListWinTest, FollowsANewFileAndRenamesInPlaceOnDisk) {
    std::ofstream(folder / "new.txt") << "new";
    ASSERT_TRUE(PumpUntil([this] { return RowNamed("new.txt") >= 0; }));

    const int row = RowNamed("new.txt");
    SetFocus(list.Handle());
    const HWND edit = ListView_EditLabel(list.Handle(), row);
    ASSERT_TRUE(edit);
    SetWindowTextW(edit, L"renamed.txt");
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(std::filesystem::exists(folder / "renamed.txt"));
    EXPECT_FALSE(std::filesystem::exists(folder / "new.txt"));
    EXPECT_TRUE(PumpUntil([this] { return RowNamed("renamed.txt") >= 0 && list.RowCount() == 4; }));
}

TEST_F(ShellListWinTest, EnterOpensAFolderRowAndBackspaceTheParent) {
    list.SetRowSelected(0, true);
    SendMessageW(list.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(list.Handle(), WM_KEYDOWN, VK_BACK, 0);
    EXPECT_EQ(opened, (std::vector<std::string>{Narrow((folder / "Sub").wstring()),
                                                Narrow(folder.parent_path().wstring())}));
}

TEST_F(ShellListWinTest, AFolderOutsideTheFileSystemShowsTheShellsOwnColumns) {
    list.ShowFolder(platform::win32::SpecialFolderIdList(CSIDL_BITBUCKET).get());
    ASSERT_TRUE(PumpUntil([this] { return !list.Filling(); }));
    const std::vector<std::string> captions = list.ColumnCaptions();
    ASSERT_GE(captions.size(), 2u);
    EXPECT_EQ(captions[1],
              "Original location");  // as Wine writes it (Windows: "Original Location")
}

}  // namespace
}  // namespace glmx::ui
