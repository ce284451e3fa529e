// A real list view with the list features: a header click sorts it in place, each
// row keeping its data, image and state; "Save List" writes every row, or the offline
// text, through a file beside the target.
// clang-format off
#include <windows.h>  // before the other system headers
// clang-format on
#include <commctrl.h>
#include <gtest/gtest.h>
#include <richedit.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "platform/win32/system_library.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_text_files.h"
#include "support/list_cells.h"
#include "support/shell_test_fixture.h"
#include "ui/lists/list_export.h"
#include "ui/mainwindow/save_list.h"
#include "ui/win32/list_view_rows.h"

namespace glmx::ui {
namespace {

using glmx::testing::PumpMessages;
using glmx::testing::TempFolder;
using platform::win32::Wide;

struct Hosted {
    ListFeatures features;
    HWND list = nullptr;
    HWND Create(HWND parent, int id) {
        list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 10,
                               10, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleW(nullptr), nullptr);
        features.Attach(list);
        return list;
    }
    HWND Handle() const { return list; }
    bool OnNotify(const NMHDR& header, LRESULT&) {
        features.OnNotify(header);
        return false;
    }
};

class ListViewRowsWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        parent = glmx::testing::HostWindow(hosted, L"GlmxListViewRowsTestParent", 500, 300);
        ASSERT_TRUE(parent);
        images.reset(ImageList_Create(16, 16, ILC_COLOR32, 4, 0));
        ListView_SetImageList(List(), images.get(), LVSIL_SMALL);
        ListView_SetImageList(List(), images.get(), LVSIL_STATE);
        for (const wchar_t* caption : {L"Name", L"Size", L"Note"}) {
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.cx = 100;
            column.pszText = const_cast<wchar_t*>(caption);
            ListView_InsertColumn(List(), Header_GetItemCount(ListView_GetHeader(List())), &column);
        }
    }
    HWND List() { return hosted.list; }
    void AddRow(const std::vector<std::string>& cells, LPARAM data, int image, bool marked) {
        std::wstring caption = Wide(cells[0]);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE | LVIF_STATE;
        item.iItem = ListView_GetItemCount(List());
        item.pszText = caption.data();
        item.lParam = data;
        item.iImage = image;
        item.state = marked ? INDEXTOSTATEIMAGEMASK(1) : 0;
        item.stateMask = LVIS_STATEIMAGEMASK;
        const int row = ListView_InsertItem(List(), &item);
        for (int column = 1; column < static_cast<int>(cells.size()); ++column) {
            std::wstring text = Wide(cells[static_cast<size_t>(column)]);
            ListView_SetItemText(List(), row, column, text.data());
        }
    }
    // "caption:data:image:state image:selected" per row.
    std::vector<std::string> Rows() {
        std::vector<std::string> rows;
        for (int row = 0; row < ListView_GetItemCount(List()); ++row) {
            LVITEMW item{};
            item.mask = LVIF_PARAM | LVIF_IMAGE | LVIF_STATE;
            item.iItem = row;
            item.stateMask = LVIS_STATEIMAGEMASK | LVIS_SELECTED;
            ListView_GetItem(List(), &item);
            rows.push_back(ListCellText(List(), row, 0) + ":" + std::to_string(item.lParam) + ":" +
                           std::to_string(item.iImage) + ":" +
                           std::to_string((item.state & LVIS_STATEIMAGEMASK) >> 12) +
                           (item.state & LVIS_SELECTED ? ":selected" : ""));
        }
        return rows;
    }
    int Arrow(int column) { return glmx::testing::SortArrow(List(), column); }
    void ClickHeader(int column) { glmx::testing::ClickHeader(List(), column); }

    Hosted hosted;
    platform::win32::UniqueWindow parent;
    platform::win32::UniqueImageList images;
};

TEST_F(ListViewRowsWinTest, AHeaderClickSortsInPlaceAndEachRowKeepsItsDataImageAndState) {
    AddRow({"b", "12.50 MB", "x"}, 10, 1, true);
    AddRow({"A", "900 KB", "y"}, 11, 2, false);
    AddRow({"c", "3 bytes", "z"}, 12, 3, false);
    SelectOnlyRow(List(), 1);
    ClickHeader(1);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"c:12:3:0", "A:11:2:0:selected", "b:10:1:1"}));
    EXPECT_EQ(ListCellText(List(), 2, 2), "x");
    EXPECT_EQ(Arrow(1), 1);
    ClickHeader(1);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"b:10:1:1", "A:11:2:0:selected", "c:12:3:0"}));
    EXPECT_EQ(Arrow(1), -1);
    ClickHeader(0);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"A:11:2:0:selected", "b:10:1:1", "c:12:3:0"}));
    EXPECT_EQ(Arrow(0), 1);
    EXPECT_EQ(Arrow(1), 0);
    EXPECT_EQ(ActedOnRow(List()), 0);
    // Filled anew, the list shows the view's own order: no arrow.
    ListView_DeleteAllItems(List());
    EXPECT_EQ(Arrow(0), 0);
    EXPECT_EQ(hosted.features.Sort().column, -1);
}

std::string FileBytes(const std::string& path) {
    return platform::win32::Win32TextFiles().ReadBytes(path, 1 << 24, nullptr).value_or("");
}

// The table's writers are proven natively; here every row of a real list, far more than the
// window shows, reaches the file in the format chosen.
TEST_F(ListViewRowsWinTest, SavedListsHoldEveryRowInTheirFormat) {
    lists::ListTable table{{"Name", "Size", "Note"}, {}};
    for (int row = 0; row < 300; ++row) {
        table.rows.push_back({"row " + std::to_string(row), "a,b \"c\"",
                              row % 2 ? "two\r\nlines" : "Gr\xC3\xBC\xC3\x9F!"});
        AddRow(table.rows.back(), row, 0, false);
    }
    TempFolder folder(L"glmx-save-");
    const struct {
        SaveKind kind;
        const char* file;
        lists::ListFormat format;
        const char* title;
    } saves[] = {{SaveKind::ListCsv, "list.csv", lists::ListFormat::Csv, ""},
                 {SaveKind::ListHtml, "list.html", lists::ListFormat::Html, "list"},
                 {SaveKind::ListTabText, "list.csv", lists::ListFormat::TabText, ""}};  // replaces
    for (const auto& save : saves) {
        SCOPED_TRACE(save.file);
        ASSERT_EQ(SaveListAs(List(), nullptr, folder.Of(save.file), save.kind), std::nullopt);
        EXPECT_EQ(FileBytes(folder.Of(save.file)),
                  lists::ListFileContent(table, save.format, save.title));
    }
}

TEST_F(ListViewRowsWinTest, AFailedSaveSaysWhyAndLeavesNoFileBehind) {
    AddRow({"a", "1", "2"}, 0, 0, false);
    TempFolder folder(L"glmx-save-");
    EXPECT_NE(SaveListAs(List(), nullptr, folder.Of("missing\\list.csv"), SaveKind::ListCsv),
              std::nullopt);
    // A folder stands where the file would go: it stays, and no temporary file is left.
    ASSERT_TRUE(CreateDirectoryW(Wide(folder.Of("taken.csv")).c_str(), nullptr));
    EXPECT_NE(SaveListAs(List(), nullptr, folder.Of("taken.csv"), SaveKind::ListCsv).value_or(""),
              "");
    EXPECT_EQ(GetFileAttributesW(Wide(folder.Of("taken.csv")).c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path), {}), 1);
}

TEST_F(ListViewRowsWinTest, TheOfflineTextSavesAsRichTextOrAsUtf8Text) {
    ASSERT_TRUE(platform::win32::SystemLibrary(L"Msftedit.dll").release());  // kept: its window
    platform::win32::UniqueWindow edit(
        CreateWindowExW(0, MSFTEDIT_CLASS, L"", WS_CHILD | ES_MULTILINE, 0, 0, 100, 100,
                        parent.get(), nullptr, GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(edit);
    SetWindowTextW(edit.get(), L"Caf\u00e9\r\nsecond line");
    TempFolder folder(L"glmx-save-");
    ASSERT_EQ(SaveListAs(nullptr, edit.get(), folder.Of("info.txt"), SaveKind::OfflineText),
              std::nullopt);
    const std::string text = FileBytes(folder.Of("info.txt"));
    EXPECT_EQ(text.rfind(std::string(lists::kUtf8Bom) + "Caf\xC3\xA9", 0), 0u);
    EXPECT_NE(text.find("second line"), std::string::npos);
    ASSERT_EQ(SaveListAs(nullptr, edit.get(), folder.Of("info.rtf"), SaveKind::OfflineRtf),
              std::nullopt);
    const std::string rtf = FileBytes(folder.Of("info.rtf"));
    EXPECT_EQ(rtf.rfind("{\\rtf", 0), 0u);
    EXPECT_NE(rtf.find("second line"), std::string::npos);
}

}  // namespace
}  // namespace glmx::ui
