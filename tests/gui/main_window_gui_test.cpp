// The real main window driven with messages: tool bar clicks, View entries,
// overflow items and the places menu switch views; every switch leaves the page,
// button, View entry, label, control button, columns and panels of its view.
#include <windows.h>

#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "inventory/inventory_list.h"
#include "platform/win32/wide.h"
#include "shell/places/places_menu.h"
#include "support/list_cells.h"
#include "support/window_under_test.h"
#include "ui/mainwindow/commands.h"
#include "ui/mainwindow/toolbar_overflow.h"
#include "ui/mainwindow/view_catalogue.h"
#include "ui/win32/splitter.h"

namespace glmx::testing {
namespace {

using platform::win32::Narrow;
using ::testing::ElementsAre;
using ui::Page;

// As the user sees it: the window and every parent up to the main window.
bool Shown(HWND window) { return IsWindowVisible(window) != FALSE; }

class MainWindowGuiTest : public ::testing::Test {
protected:
    // What a switch must leave in the real window; which columns, panels and labels
    // each view gets is proved natively against the switch rules.
    void ExpectShowing(ViewKind view) {
        SCOPED_TRACE("view " + std::to_string(view));
        ui::TFMain& main = window.Main();
        const ui::ViewInfo& info = ui::InfoOf(view);
        EXPECT_EQ(window.CurrentView(), view);
        EXPECT_EQ(main.Pages().ActivePage(), info.page);
        EXPECT_TRUE(Shown(window.PageWindow(info.page)) || info.page == Page::CustomSearch);
        EXPECT_THAT(main.Toolbar().PressedButtons(), ElementsAre(view));
        EXPECT_THAT(ui::CheckedViewEntries(main.MenuBar()), ElementsAre(view));
        EXPECT_EQ(Shown(main.Pages().Window()), view != vkCustomSearch);
        EXPECT_EQ(Shown(main.NotebookSplitter()), view != vkCustomSearch);
        // The keyboard focus never stays behind on a window the user cannot see.
        if (HWND focus = GetFocus()) EXPECT_TRUE(Shown(focus));
        if (info.page == Page::CustomSearch) return;
        if (view != vkOtherPlace) EXPECT_EQ(window.PageLabel(info.page), info.label);
        wchar_t caption[128] = {};
        GetWindowTextW(window.ControlButton(info.page), caption, 128);
        EXPECT_EQ(Narrow(caption), inventory::ControlButtonCaption(view));
    }

    // A real click in the middle of the tool bar button.
    void ClickToolbarButton(ViewKind view) {
        HWND toolbar = window.Main().Toolbar().Toolbar();
        RECT rect{};
        SendMessageW(toolbar, TB_GETRECT, ui::ViewCommand(view), reinterpret_cast<LPARAM>(&rect));
        const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        SendMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageW(toolbar, WM_LBUTTONUP, 0, point);
        WindowUnderTest::PumpMessages();
    }

    WindowUnderTest window;
};

// The tool bar's views in order; without Others, which pops the places menu, the
// views whose button and View entry switch at once.
std::vector<ViewKind> ToolbarViews(bool withOthers) {
    std::vector<ViewKind> views;
    for (const ui::ToolbarSlot& slot : ui::ToolbarSlots())
        if (!slot.separator && (withOthers || slot.view != vkOtherPlace))
            views.push_back(slot.view);
    return views;
}

// The overflow items carry the buttons' commands, which the View entries carry too.
TEST_F(MainWindowGuiTest, TheOverflowMenuHoldsTheToolbarsViewsInOrder) {
    const auto overflow = ui::BuildOverflowMenu(std::vector<bool>(ui::ToolbarSlots().size(), true));
    std::vector<ViewKind> items;
    for (int i = 0; i < GetMenuItemCount(overflow.get()); ++i)
        items.push_back(ui::ViewOfCommand(static_cast<int>(GetMenuItemID(overflow.get(), i)))
                            .value_or(vkCustomSearch));
    EXPECT_EQ(items, ToolbarViews(true));
}

TEST_F(MainWindowGuiTest, TheInventoryPageShowsTheViewsColumnsPanelsAndImages) {
    ui::InventoryPageController& page = window.App().InventoryPage();
    for (ViewKind view : {vkRegistry, vkAutoStart, vkSearchFiles, vkRunningApplications}) {
        SCOPED_TRACE("view " + std::to_string(view));
        window.Command(ui::ViewCommand(view));
        const auto columns = inventory::InventoryColumns(view);
        ASSERT_EQ(Header_GetItemCount(ListView_GetHeader(page.List())), int(columns.size()));
        for (int i = 0; i < int(columns.size()); ++i) {
            wchar_t caption[128] = {};
            LVCOLUMNW column{LVCF_TEXT | LVCF_WIDTH, 0, 0, caption, 128};
            SendMessageW(page.List(), LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
            EXPECT_EQ(Narrow(caption), columns[i].caption);
            EXPECT_EQ(column.cx, columns[i].width);
        }
        const bool tree = view == vkSearchFiles || view == vkRegistry;
        EXPECT_EQ(Shown(page.TreePanel()), tree);
        if (tree) {
            EXPECT_EQ(Shown(page.RegistryTreePanel()), view == vkRegistry);
            EXPECT_EQ(Shown(page.SearchPanel()), view == vkSearchFiles);
        }
        EXPECT_EQ(Shown(page.StartupOptionsPanel()), view == vkAutoStart);
        EXPECT_EQ(Shown(page.RunningAppsOptionsPanel()), view == vkRunningApplications);
        const HIMAGELIST small = ListView_GetImageList(page.List(), LVSIL_SMALL);
        EXPECT_EQ(small == ListView_GetImageList(page.List(), LVSIL_NORMAL), view == vkRegistry);
    }
}

// Every switch from every view (by View entry, then by a click on the tool bar button), with
// the focus on a control of the page that goes (a press on the control button released
// outside it focuses it without a click). The custom search hides the notebook and hands
// the focus to its search field.
TEST_F(MainWindowGuiTest, EverySwitchShowsItsViewAndLeavesNoFocusOnAHiddenWindow) {
    ExpectShowing(vkAll);
    settings::AddToHistory(window.Stores().QuickSearchHistory, "quenfield");
    const ui::ComboBox& field = window.Main().Information().SearchField();
    std::vector<ViewKind> views = ToolbarViews(false);
    views.push_back(vkCustomSearch);
    for (ViewKind from : views) {
        for (ViewKind to : views) {
            window.Command(ui::ViewCommand(from));
            const ui::ViewInfo& info = ui::InfoOf(from);
            if (info.page != Page::CustomSearch) SetFocus(window.ControlButton(info.page));
            if (to == vkCustomSearch)
                window.Command(ui::ViewCommand(to));
            else
                ClickToolbarButton(to);
            SCOPED_TRACE("from " + std::to_string(from));
            ASSERT_TRUE(GetFocus());
            ExpectShowing(to);
            if (to != vkCustomSearch) continue;
            EXPECT_EQ(field.Text(), "quenfield");
            EXPECT_EQ(GetFocus(), GetWindow(field.Handle(), GW_CHILD));
        }
    }
}

// A mnemonic key with the focus left under a hidden page made the dialog manager
// search for ever; a watchdog turns such a hang into a failure.
TEST_F(MainWindowGuiTest, AnAltKeyAfterLeavingAPageWhoseButtonHadTheFocusIsAnswered) {
    SetFocus(window.ControlButton(Page::Folders));
    ClickToolbarButton(vkHardware);
    const Watchdog watchdog("after Alt+V");
    // The key may open the View menu, as it should: close it as a user would.
    WindowUnderTest::CloseMenuSoon();
    MSG keyDown{GetFocus(), WM_SYSKEYDOWN, 'V', 0x20000000};
    MSG character{GetFocus(), WM_SYSCHAR, 'v', 0x20000000};
    window.Main().PreTranslateMessage(keyDown);
    window.Main().PreTranslateMessage(character);
    WindowUnderTest::PumpMessages();
    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutW(window.Handle(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer),
              0);
}

TEST_F(MainWindowGuiTest, APlaceShowsItsCaptionAndNoChoiceOrAnUndefinedPlaceChangesNothing) {
    window.Command(ui::ViewCommand(vkRunningProcesses));
    // Close the places menu as soon as it is up, as a user pressing Escape would.
    WindowUnderTest::CloseMenuSoon();
    ClickToolbarButton(vkOtherPlace);
    ExpectShowing(vkRunningProcesses);
    window.Command(ui::cmdPlaceFirst + 50);  // no such entry
    ExpectShowing(vkRunningProcesses);
    window.Command(ui::cmdPlaceFirst + 6);
    ExpectShowing(vkOtherPlace);
    EXPECT_EQ(window.PageLabel(Page::Folders), shell::places::PlacesMenuEntries()[6].caption);
}

// What the choice does to the view is proved natively; here, that the real box reaches it.
TEST_F(MainWindowGuiTest, TheShowTypeBoxStoresTheChoice) {
    window.Command(ui::ViewCommand(vkAutoStart));
    HWND combo = window.App().InventoryPage().StartupFilterBox();
    SendMessageW(combo, CB_SETCURSEL, 2, 0);
    SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(ui::cmdShowStartupPrograms, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    settings::TRegInfoClass configuration = window.Stores().ConfigurationSettings;
    configuration.LoadValues();
    EXPECT_EQ(configuration.GetValue("ShowStartupType"), "2");
}

TEST_F(MainWindowGuiTest, ANarrowWindowShowsTheChevronAndTheOverflowHidesWhatFits) {
    window.Resize(400, 300);
    const ui::MainToolbar& toolbar = window.Main().Toolbar();
    REBARBANDINFOW band{sizeof(band), RBBIM_STYLE | RBBIM_IDEALSIZE};
    SendMessageW(toolbar.CoolBar(), RB_GETBANDINFOW, 0, reinterpret_cast<LPARAM>(&band));
    EXPECT_TRUE(band.fStyle & RBBS_USECHEVRON);
    EXPECT_FALSE(band.fStyle & RBBS_NOGRIPPER);
    RECT client{};
    GetClientRect(toolbar.Toolbar(), &client);
    EXPECT_GT(static_cast<int>(band.cxIdeal), client.right);

    // Which buttons the overflow shows is proved natively; here, that it uses the real ones.
    const auto shown = toolbar.OverflowItemsShownNow();
    EXPECT_EQ(shown, ui::OverflowItemsShown(toolbar.ButtonGeometry(), client.right));
    EXPECT_FALSE(shown.front());
    EXPECT_TRUE(shown.back());

    // Pushing the chevron pops the overflow menu; it closes again without a choice.
    WindowUnderTest::CloseMenuSoon();
    SendMessageW(toolbar.CoolBar(), RB_PUSHCHEVRON, 0, 0);
    ExpectShowing(vkAll);
}

TEST_F(MainWindowGuiTest, LayoutHoldsFromTinyToFullScreen) {
    // A window's bounds in its parent's client coordinates.
    const auto rectIn = [](HWND child, HWND parent) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    };
    for (const auto& [width, height] : std::vector<std::pair<int, int>>{
             {400, 300},
             {850, 600},
             {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}}) {
        window.Resize(width, height);
        RECT client{};
        GetClientRect(window.Handle(), &client);
        const RECT information = rectIn(window.Main().Information().Panel(), window.Handle());
        EXPECT_GE(information.top, window.Main().Toolbar().Height());
        EXPECT_LE(information.bottom, client.bottom);
        EXPECT_EQ(information.right - information.left, client.right);
        const RECT outer = rectIn(window.Handle(), nullptr);
        const RECT progress = rectIn(window.Main().ProgressBar(), window.Main().StatusBarHandle());
        EXPECT_EQ(progress.left, (outer.right - outer.left) - 150 - 30);
        EXPECT_EQ(progress.top, 3);
    }
    // At first the lists and the information panel share the height; a moved splitter
    // is kept for the next start.
    window.Resize(850, 600);
    RECT notebook = rectIn(window.Main().Pages().Window(), nullptr);
    const RECT information = rectIn(window.Main().Information().Panel(), nullptr);
    EXPECT_NEAR(notebook.bottom - notebook.top, information.bottom - information.top, 8);
    SendMessageW(window.Handle(), ui::WM_SPLITTER_MOVED, ui::idNotebookSplitter,
                 window.Main().Toolbar().Height() + 200);
    notebook = rectIn(window.Main().Pages().Window(), nullptr);
    EXPECT_EQ(notebook.bottom - notebook.top, 200);
    // A list's column widths are its view's own and kept as well.
    HWND list = window.App().InventoryPage().List();
    window.Command(ui::ViewCommand(vkRunningProcesses));
    ListView_SetColumnWidth(list, 1, 222);
    window.Command(ui::ViewCommand(vkAutoStart));
    EXPECT_NE(ListView_GetColumnWidth(list, 1), 222);
    window.Command(ui::ViewCommand(vkRunningProcesses));
    EXPECT_EQ(ListView_GetColumnWidth(list, 1), 222);
    SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(window.Stores().DesktopSettings.GetValue("NotebookHeight"), "200");
    EXPECT_THAT(window.Stores().DesktopSettings.GetValue("ColumnWidths1"),
                ::testing::HasSubstr(",222,"));
}

TEST_F(MainWindowGuiTest, ToolTipsComeFromTheHints) {
    NMTTDISPINFOW info{{window.Main().Toolbar().Toolbar(),
                        static_cast<UINT_PTR>(ui::ViewCommand(vkRunningProcesses)),
                        static_cast<UINT>(TTN_GETDISPINFOW)}};
    SendMessageW(window.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_TRUE(info.lpszText);
    EXPECT_EQ(Narrow(info.lpszText), "Programs running on my computer");
}

TEST_F(MainWindowGuiTest, CloseClosesTheWindow) {
    window.Command(ui::cmdClose);
    EXPECT_FALSE(IsWindow(window.Handle()));
}

// Records what the window hands to the features behind the views.
class RecordingSource final : public ui::InventorySource, public ui::HardwareBrowser {
public:
    void Collect() override { calls.push_back("collect"); }
    void Fill(int) override { calls.push_back("fill"); }
    void ShowItemInfo(int row) override { calls.push_back("info " + std::to_string(row)); }
    void BuildHardwareTree() override { calls.push_back("build tree"); }
    int SelectedNodeAbsoluteIndex() const override { return node; }
    void ShowDeviceInfo() override { calls.push_back("device info"); }
    std::vector<std::string> calls;
    int node = 0;
};

TEST_F(MainWindowGuiTest, AClickOrKeyInTheListOrTreeShowsTheSelectionsInformation) {
    RecordingSource source;
    window.App().Switcher().SetServices({.processes = &source, .hardware = &source});
    window.Command(ui::ViewCommand(vkRunningProcesses));
    EXPECT_THAT(source.calls, ElementsAre("collect", "fill"));
    HWND list = window.App().InventoryPage().List();
    LVITEMW item{LVIF_TEXT};
    item.pszText = const_cast<wchar_t*>(L"row");
    for (item.iItem = 0; item.iItem < 3; ++item.iItem)
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    SelectRow(list, 2);
    source.calls.clear();
    window.NotifyClick(list);
    EXPECT_THAT(source.calls, ElementsAre("info 2"));
    // A key moves the selection first, then the information follows it.
    source.calls.clear();
    SetFocus(list);
    SendMessageW(list, WM_KEYDOWN, VK_UP, 0);
    WindowUnderTest::PumpMessages();
    EXPECT_THAT(source.calls, ElementsAre("info 1"));

    window.Command(ui::ViewCommand(vkHardware));
    source.calls.clear();
    source.node = 4;
    window.NotifyClick(window.App().HardwarePage().Tree());
    EXPECT_THAT(source.calls, ElementsAre("device info"));
}

TEST_F(MainWindowGuiTest, TabMovesThroughTheControlsAndF1IsHelp) {
    HWND search = window.Main().Information().SearchField().Handle();
    HWND edit = GetWindow(search, GW_CHILD);
    SetFocus(edit);
    MSG tab{edit, WM_KEYDOWN, VK_TAB, 0};
    EXPECT_TRUE(window.Main().PreTranslateMessage(tab));
    EXPECT_EQ(GetFocus(), window.Main().Information().GoButton());
    // Then the first navigation button the browser has left enabled.
    HWND next = nullptr;
    for (const int button : {ui::cmdBack, ui::cmdForward, ui::cmdStop, ui::cmdRefresh})
        if (!next && IsWindowEnabled(window.Main().Information().ImageButton(button)))
            next = window.Main().Information().ImageButton(button);
    EXPECT_TRUE(window.Main().PreTranslateMessage(tab));
    EXPECT_EQ(GetFocus(), next);
}

}  // namespace
}  // namespace glmx::testing
