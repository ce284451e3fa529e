// "Customize Search Sites" and "Open Internet Address" over a plain window, acted on
// step by step from a timer of the test thread while the dialog's own modal loop runs.
#include <windows.h>

#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/fake/fake_user_messages.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_registry.h"
#include "settings/history.h"
#include "settings/reg_info.h"
#include "support/list_cells.h"
#include "support/scoped_test_key.h"
#include "support/window_under_test.h"
#include "ui/mainwindow/internet_address_dialog.h"
#include "ui/mainwindow/search_sites_dialog.h"
#include "ui/win32/dpi.h"

namespace glmx::ui {
namespace {

using glmx::testing::Cell;
using glmx::testing::SelectRow;
using info::TSearchSites;
using info::TSearchSitesType;
using platform::win32::Narrow;
using ::testing::ElementsAre;
using Step = std::function<void(HWND dialog)>;

// One step per timer tick, so that what a step posts is handled before the next.
const wchar_t* caption = nullptr;
std::vector<Step> steps;
size_t nextStep = 0;

void CALLBACK TakeStep(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FindWindowW(L"#32770", caption);
    if (dialog && IsWindowEnabled(dialog) && nextStep < steps.size()) steps[nextStep++](dialog);
}

std::string Text(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return Narrow(text);
}

HWND Child(HWND dialog, const wchar_t* className, const wchar_t* text = nullptr) {
    return FindWindowExW(dialog, nullptr, className, text);
}

void Click(HWND dialog, const wchar_t* button) {
    SendMessageW(Child(dialog, L"Button", button), BM_CLICK, 0, 0);
}

void Key(HWND window, WPARAM key) { SendMessageW(window, WM_KEYDOWN, key, 0); }

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

class OnlineDialogsGuiTest : public ::testing::Test {
protected:
    // Runs the dialog with its steps; the last must close it.
    template <typename Show>
    auto Run(const wchar_t* dialogCaption, std::vector<Step> dialogSteps, Show show) {
        caption = dialogCaption;
        steps = std::move(dialogSteps);
        nextStep = 0;
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, TakeStep);
        watchdog.NextStep();
        auto result = show();
        KillTimer(nullptr, timer);
        EXPECT_EQ(nextStep, steps.size());
        return result;
    }
    std::optional<TSearchSites> Sites(const TSearchSites& fromFile, std::vector<Step> steps) {
        return Run(L"Customize Search Sites", std::move(steps),
                   [&] { return ShowSearchSitesDialog(owner.get(), fromFile, messages); });
    }
    std::optional<std::string> Address(std::vector<Step> steps) {
        return Run(L"Open Internet Address", std::move(steps),
                   [&] { return ShowInternetAddressDialog(owner.get(), history); });
    }
    std::vector<std::string> Remembered() {
        history.LoadValues();
        std::vector<std::string> names;
        for (const auto& value : history.Values()) names.push_back(value.Name);
        return names;
    }

    glmx::testing::Watchdog watchdog{"an online panel dialog"};
    platform::win32::UniqueWindow owner{CreateWindowExW(0, L"STATIC", L"Owner",
                                                        WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 700,
                                                        500, nullptr, nullptr, nullptr, nullptr)};
    platform::FakeUserMessages messages;
    glmx::testing::ScopedTestKey key;
    platform::win32::Win32Registry registry;
    settings::TRegInfoClass history{registry, key.Path(), "History\\Internet Address History"};
};

TEST_F(OnlineDialogsGuiTest, CellsAreEditedByKeyAndDoubleClickAndOkGivesTheRowsInGridOrder) {
    HWND list = nullptr, edit = nullptr;
    const auto result =
        Sites({{"Alpha", "a/q"}, {"Beta", "b/q"}, {"Gamma", "g/q"}},
              {[&](HWND dialog) {
                   EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner.get());
                   list = Child(dialog, WC_LISTVIEWW);
                   EXPECT_EQ(ListView_GetItemCount(list), 3);
                   EXPECT_EQ(Cell(list, 1, 1), "b/q");
                   EXPECT_EQ(ListView_GetColumnWidth(list, 1), Scale(359, DpiOf(dialog)));
                   // F2 edits the name; Enter keeps it.
                   SelectRow(list, 2);
                   Key(list, VK_F2);
                   edit = GetFocus();
                   EXPECT_EQ(Text(edit), "Gamma");
                   SetWindowTextW(edit, L"Delta");
                   Key(edit, VK_RETURN);
                   EXPECT_FALSE(IsWindowVisible(edit));
                   EXPECT_EQ(Cell(list, 2, 0), "Delta");
                   // The cursor stays at its position, on the row that came there.
                   Click(dialog, L"Move Up");
                   EXPECT_EQ(Cell(list, 1, 0), "Delta");
                   EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 2);
               },
               [&](HWND dialog) {
                   // A double-click edits the cell under it; Esc drops the text, leaving keeps it.
                   for (const auto& [row, typed, leave] :
                        {std::tuple{1, L"junk", VK_ESCAPE}, std::tuple{0, L"a2/q", 0}}) {
                       RECT cell{};
                       ListView_GetSubItemRect(list, row, 1, LVIR_BOUNDS, &cell);
                       SendMessageW(
                           list, WM_LBUTTONDBLCLK, MK_LBUTTON,
                           MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
                       ASSERT_TRUE(IsWindowVisible(edit));
                       SetWindowTextW(edit, typed);
                       if (leave)
                           Key(edit, leave);
                       else
                           SetFocus(Child(dialog, L"Button", L"Cancel"));
                   }
                   EXPECT_EQ(Cell(list, 1, 1), "g/q");
                   EXPECT_EQ(Cell(list, 0, 1), "a2/q");
                   // Add edits the new row's name; a name another row has is refused.
                   Click(dialog, L"Add");
                   EXPECT_EQ(GetFocus(), edit);
                   SetWindowTextW(edit, L"alpha");
                   Key(edit, VK_RETURN);
               },
               [&](HWND dialog) {
                   EXPECT_THAT(messages.shown,
                               ElementsAre("A key with the name of \"alpha\" already exists"));
                   EXPECT_EQ(ListView_GetItemCount(list), 4);
                   EXPECT_EQ(Cell(list, 3, 0), "");
                   Click(dialog, L"OK");
               }});
    EXPECT_EQ(result,
              (TSearchSites{{"Alpha", "a2/q"}, {"Delta", "g/q"}, {"Beta", "b/q"}, {"", ""}}));
}

TEST_F(OnlineDialogsGuiTest, RowsDragAndDeleteDownToOneEmptyRowAndCancelOrEscGiveNothing) {
    const auto dragged = Sites(
        {{"A", "a"}, {"B", "b"}, {"C", "c"}}, {[](HWND dialog) {
            HWND list = Child(dialog, WC_LISTVIEWW);
            NMLISTVIEW begin{};
            begin.hdr = {list, static_cast<UINT_PTR>(GetDlgCtrlID(list)), LVN_BEGINDRAG};
            begin.iItem = 0;
            SendMessageW(dialog, WM_NOTIFY, begin.hdr.idFrom, reinterpret_cast<LPARAM>(&begin));
            RECT last{};
            ListView_GetItemRect(list, 2, &last, LVIR_BOUNDS);
            POINT drop{last.left + 5, (last.top + last.bottom) / 2};
            MapWindowPoints(list, dialog, &drop, 1);
            SendMessageW(dialog, WM_LBUTTONUP, 0, MAKELPARAM(drop.x, drop.y));
            EXPECT_EQ(Cell(list, 0, 0) + Cell(list, 1, 0) + Cell(list, 2, 0), "BCA");
            for (int times = 0; times < 4; ++times) Click(dialog, L"Delete");
            EXPECT_EQ(ListView_GetItemCount(list), 1);
            EXPECT_EQ(Cell(list, 0, 0), "");
            Click(dialog, L"Cancel");
        }});
    EXPECT_EQ(dragged, std::nullopt);

    const auto escaped = Sites(
        {{"A", "a"}},
        {[](HWND dialog) { PostMessageW(Child(dialog, WC_LISTVIEWW), WM_KEYDOWN, VK_ESCAPE, 0); }});
    EXPECT_EQ(escaped, std::nullopt);

    // Without sites the grid shows one empty row, which OK keeps as one empty site.
    EXPECT_EQ(Sites({}, {[](HWND dialog) { Click(dialog, L"OK"); }}),
              TSearchSites{TSearchSitesType{}});
    EXPECT_THAT(messages.shown, ::testing::IsEmpty());
}

TEST_F(OnlineDialogsGuiTest, TheHistoryListsNewestFirstAndGoRemembersAnAddressOnceButNeverABlank) {
    // Wine lists values sorted, Windows in creation order: these agree on both.
    settings::AddToHistory(history, "http://a.example/");
    settings::AddToHistory(history, "http://b.example/");
    const auto typed = Address({[](HWND dialog) {
        EXPECT_EQ(ClientSize(dialog).cx, Scale(550, DpiOf(dialog)));
        EXPECT_EQ(ClientSize(dialog).cy, Scale(115, DpiOf(dialog)));
        EXPECT_FALSE(IsWindowVisible(Child(dialog, L"Button", L"Clear History")));
        HWND box = Child(dialog, L"ComboBox");
        EXPECT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), 2);
        EXPECT_EQ(Text(box), "http://b.example/");
        SetWindowTextW(box, L"http://c.example/");
        // Enter in the field goes through the dialog manager to "Go".
        PostMessageW(Child(box, L"Edit"), WM_KEYDOWN, VK_RETURN, 0);
    }});
    EXPECT_EQ(typed, "http://c.example/");

    const auto again = Address({[](HWND dialog) {
        HWND box = Child(dialog, L"ComboBox");
        EXPECT_EQ(Text(box), "http://c.example/");
        SendMessageW(box, CB_SETCURSEL, 2, 0);
        EXPECT_EQ(Text(box), "http://a.example/");
        Click(dialog, L"Go");
    }});
    EXPECT_EQ(again, "http://a.example/");
    EXPECT_THAT(Remembered(),
                ElementsAre("http://a.example/", "http://b.example/", "http://c.example/"));

    for (const wchar_t* blank : {L"", L"   "}) {
        const auto nothing = Address({[&](HWND dialog) {
            SetWindowTextW(Child(dialog, L"ComboBox"), blank);
            Click(dialog, L"Go");
        }});
        EXPECT_EQ(nothing, std::nullopt);
    }
    EXPECT_EQ(Address({[](HWND dialog) { Click(dialog, L"Close"); }}), std::nullopt);
    EXPECT_EQ(Remembered().size(), 3u);
}

TEST_F(OnlineDialogsGuiTest, WithoutHistoryTheAddressFieldStartsEmptyAndEscCloses) {
    const auto result = Address({[](HWND dialog) {
        HWND box = Child(dialog, L"ComboBox");
        EXPECT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), 0);
        EXPECT_EQ(Text(box), "");
        PostMessageW(Child(box, L"Edit"), WM_KEYDOWN, VK_ESCAPE, 0);
    }});
    EXPECT_EQ(result, std::nullopt);
    EXPECT_TRUE(Remembered().empty());
}

}  // namespace
}  // namespace glmx::ui
