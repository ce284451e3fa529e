// The real main window driven with messages: tool bar clicks, View entries,
// overflow items and the places menu switch views; every switch leaves the page,
// button, View entry, label, control button, columns and panels of its view.
#include <windows.h>

#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <thread>

#include "inventory/inventory_list.h"
#include "platform/win32/wide.h"
#include "shell/places/places_menu.h"
#include "support/window_under_test.h"
#include "ui/mainwindow/commands.h"
#include "ui/mainwindow/view_catalogue.h"

namespace glmx::testing {
namespace {

using platform::win32::Narrow;
using ::testing::ElementsAre;
using ui::Page;

std::string TextOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return Narrow(text);
}

std::vector<std::pair<std::string, int>> ColumnsOf(HWND list) {
    std::vector<std::pair<std::string, int>> columns;
    const int count = Header_GetItemCount(ListView_GetHeader(list));
    for (int i = 0; i < count; ++i) {
        wchar_t text[128] = {};
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = text;
        column.cchTextMax = 128;
        SendMessageW(list, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
        columns.emplace_back(Narrow(text), column.cx);
    }
    return columns;
}

// Shown as the user sees it: the window and every parent up to the main window.
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
        EXPECT_EQ(TextOf(window.ControlButton(info.page)), inventory::ControlButtonCaption(view));
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

    void Command(int command) {
        SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
        WindowUnderTest::PumpMessages();
    }

    WindowUnderTest window;
};

// Views whose button and entry switch at once (Others pops the places menu).
std::vector<ViewKind> DirectViews() {
    std::vector<ViewKind> views;
    for (const ui::ToolbarSlot& slot : ui::ToolbarSlots())
        if (!slot.separator && slot.view != vkOtherPlace) views.push_back(slot.view);
    return views;
}

TEST_F(MainWindowGuiTest, OpensInTheAllView) { ExpectShowing(vkAll); }

TEST_F(MainWindowGuiTest, EveryToolbarButtonSwitchesToItsView) {
    for (ViewKind view : DirectViews()) {
        ClickToolbarButton(view);
        ExpectShowing(view);
    }
}

TEST_F(MainWindowGuiTest, EveryViewEntryAndEveryOverflowItemSwitchesToItsView) {
    // View entries and overflow items carry the same commands as the buttons.
    const auto overflow = ui::BuildOverflowMenu(std::vector<bool>(ui::ToolbarSlots().size(), true));
    ASSERT_EQ(GetMenuItemCount(overflow.get()), 12);
    for (int i = 0; i < GetMenuItemCount(overflow.get()); ++i) {
        const int command = static_cast<int>(GetMenuItemID(overflow.get(), i));
        const auto view = ui::ViewOfCommand(command);
        ASSERT_TRUE(view);
        if (*view == vkOtherPlace) continue;
        Command(command);
        ExpectShowing(*view);
    }
}

TEST_F(MainWindowGuiTest, CustomSearchHidesTheNotebookAndAnyOtherViewShowsItAgain) {
    settings::AddToHistory(window.Stores().QuickSearchHistory, "quenfield");
    for (ViewKind other : DirectViews()) {
        Command(ui::ViewCommand(vkCustomSearch));
        ExpectShowing(vkCustomSearch);
        EXPECT_EQ(window.Main().Information().SearchField().Text(), "quenfield");
        EXPECT_EQ(GetFocus(),
                  GetWindow(window.Main().Information().SearchField().Handle(), GW_CHILD));
        Command(ui::ViewCommand(other));
        ExpectShowing(other);
    }
}

TEST_F(MainWindowGuiTest, TheInventoryPageShowsTheViewsColumnsPanelsAndImages) {
    ui::InventoryPageController& page = window.App().InventoryPage();
    for (ViewKind view : {vkRegistry, vkAutoStart, vkSearchFiles, vkRunningApplications}) {
        SCOPED_TRACE("view " + std::to_string(view));
        Command(ui::ViewCommand(view));
        std::vector<std::pair<std::string, int>> expectedColumns;
        for (const auto& column : inventory::InventoryColumns(view))
            expectedColumns.emplace_back(std::string(column.caption), column.width);
        EXPECT_EQ(ColumnsOf(page.List()), expectedColumns);
        const bool tree = view == vkSearchFiles || view == vkRegistry;
        EXPECT_EQ(Shown(page.TreePanel()), tree);
        if (tree) {
            EXPECT_EQ(Shown(page.RegistryTreePanel()), view == vkRegistry);
            EXPECT_EQ(Shown(page.SearchPanel()), view == vkSearchFiles);
        }
        EXPECT_EQ(Shown(page.StartupOptionsPanel()), view == vkAutoStart);
        EXPECT_EQ(Shown(page.RunningAppsOptionsPanel()), view == vkRunningApplications);
        const HIMAGELIST small = ListView_GetImageList(page.List(), LVSIL_SMALL);
        const HIMAGELIST large = ListView_GetImageList(page.List(), LVSIL_NORMAL);
        if (view == vkRegistry) {
            EXPECT_EQ(small, large);
            EXPECT_EQ(ImageList_GetImageCount(small), 8);
        } else {
            EXPECT_NE(small, large);
        }
    }
}

// Every switch from every view, with the focus on a control of the page that goes
// (a press on the control button released outside it focuses it without a click).
TEST_F(MainWindowGuiTest, NoSwitchLeavesTheFocusOnAHiddenWindow) {
    std::vector<ViewKind> views = DirectViews();
    views.push_back(vkCustomSearch);
    for (ViewKind from : views) {
        for (ViewKind to : views) {
            Command(ui::ViewCommand(from));
            const ui::ViewInfo& info = ui::InfoOf(from);
            if (info.page != Page::CustomSearch) SetFocus(window.ControlButton(info.page));
            Command(ui::ViewCommand(to));
            SCOPED_TRACE("from " + std::to_string(from) + " to " + std::to_string(to));
            HWND focus = GetFocus();
            ASSERT_TRUE(focus);
            EXPECT_TRUE(Shown(focus));
        }
    }
}

// A mnemonic key with the focus left under a hidden page made the dialog manager
// search for ever; a watchdog turns such a hang into a failure.
TEST_F(MainWindowGuiTest, AnAltKeyAfterLeavingAPageWhoseButtonHadTheFocusIsAnswered) {
    SetFocus(window.ControlButton(Page::Folders));
    ClickToolbarButton(vkHardware);
    std::atomic<bool> done{false};
    std::thread watchdog([&done] {
        for (int tenth = 0; tenth < 200 && !done; ++tenth)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (!done) {
            std::fputs("the window stopped answering after Alt+V\n", stderr);
            std::_Exit(3);
        }
    });
    // The key may open the View menu, as it should: close it as a user would.
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        EndMenu();
    });
    MSG keyDown{GetFocus(), WM_SYSKEYDOWN, 'V', 0x20000000};
    MSG character{GetFocus(), WM_SYSCHAR, 'v', 0x20000000};
    window.Main().PreTranslateMessage(keyDown);
    window.Main().PreTranslateMessage(character);
    WindowUnderTest::PumpMessages();
    done = true;
    watchdog.join();
    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutW(window.Handle(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer),
              0);
}

TEST_F(MainWindowGuiTest, ChoosingAPlaceShowsItsCaptionAndAnUndefinedPlaceDoesNothing) {
    const auto entries = shell::places::PlacesMenuEntries();
    Command(ui::ViewCommand(vkRegistry));
    Command(ui::cmdPlaceFirst + 0);  // a folder the system has not defined yet
    ExpectShowing(vkRegistry);
    Command(ui::cmdPlaceFirst + 6);
    ExpectShowing(vkOtherPlace);
    EXPECT_EQ(window.PageLabel(Page::Folders), entries[6].caption);
}

TEST_F(MainWindowGuiTest, ThePlacesMenuLeavesTheCurrentButtonPressedWhenNothingIsChosen) {
    Command(ui::ViewCommand(vkRunningProcesses));
    // Close the places menu as soon as it is up, as a user pressing Escape would.
    SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        EndMenu();
    });
    ClickToolbarButton(vkOtherPlace);
    ExpectShowing(vkRunningProcesses);
}

TEST_F(MainWindowGuiTest, TheShowTypeBoxStoresTheChoiceAndShowsAutoStartAgain) {
    Command(ui::ViewCommand(vkAutoStart));
    HWND combo = window.App().InventoryPage().StartupFilterBox();
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
    SendMessageW(combo, CB_SETCURSEL, 2, 0);
    SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(ui::cmdShowStartupPrograms, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    ExpectShowing(vkAutoStart);
    settings::TRegInfoClass configuration = window.Stores().ConfigurationSettings;
    configuration.LoadValues();
    EXPECT_EQ(configuration.GetValue("ShowStartupType"), "2");
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);
}

TEST_F(MainWindowGuiTest, ANarrowWindowShowsTheChevronAndTheOverflowHidesWhatFits) {
    window.Resize(400, 300);
    const ui::MainToolbar& toolbar = window.Main().Toolbar();
    REBARBANDINFOW band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_STYLE | RBBIM_IDEALSIZE;
    SendMessageW(toolbar.CoolBar(), RB_GETBANDINFOW, 0, reinterpret_cast<LPARAM>(&band));
    EXPECT_TRUE(band.fStyle & RBBS_USECHEVRON);
    EXPECT_FALSE(band.fStyle & RBBS_NOGRIPPER);
    RECT client{};
    GetClientRect(toolbar.Toolbar(), &client);
    EXPECT_GT(static_cast<int>(band.cxIdeal), client.right);

    const auto geometry = toolbar.ButtonGeometry();
    const auto shown = toolbar.OverflowItemsShownNow();
    ASSERT_EQ(shown.size(), 15u);
    bool cut = false;
    for (size_t i = 0; i < geometry.size(); ++i) {
        const bool fits = geometry[i].left + geometry[i].width <= client.right;
        if (!fits) {
            EXPECT_FALSE(shown[i]) << "the first button that does not fit is hidden too";
            cut = true;
            for (size_t j = i + 1; j < geometry.size(); ++j)
                EXPECT_EQ(shown[j], !geometry[j].separator) << j;
            break;
        }
        EXPECT_FALSE(shown[i]) << i;
    }
    EXPECT_TRUE(cut);

    // Pushing the chevron pops the overflow menu; it closes again without a choice.
    SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        EndMenu();
    });
    SendMessageW(toolbar.CoolBar(), RB_PUSHCHEVRON, 0, 0);
    ExpectShowing(vkAll);
}

TEST_F(MainWindowGuiTest, LayoutHoldsFromTinyToFullScreen) {
    for (const auto& [width, height] : std::vector<std::pair<int, int>>{
             {400, 300},
             {850, 600},
             {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}}) {
        window.Resize(width, height);
        RECT client{};
        GetClientRect(window.Handle(), &client);
        RECT information{};
        GetWindowRect(window.Main().Information().Panel(), &information);
        MapWindowPoints(nullptr, window.Handle(), reinterpret_cast<POINT*>(&information), 2);
        EXPECT_GE(information.top, window.Main().Toolbar().Height());
        EXPECT_LE(information.bottom, client.bottom);
        EXPECT_EQ(information.right - information.left, client.right);

        RECT window_rect{};
        GetWindowRect(window.Handle(), &window_rect);
        RECT progress{};
        GetWindowRect(window.Main().ProgressBar(), &progress);
        MapWindowPoints(nullptr, window.Main().StatusBarHandle(),
                        reinterpret_cast<POINT*>(&progress), 2);
        EXPECT_EQ(progress.left, (window_rect.right - window_rect.left) - 150 - 30);
        EXPECT_EQ(progress.top, 3);
    }
    window.Resize(850, 600);
    RECT notebook{};
    GetWindowRect(window.Main().Pages().Window(), &notebook);
    EXPECT_EQ(notebook.bottom - notebook.top, 297);
}

TEST_F(MainWindowGuiTest, ToolTipsComeFromTheHints) {
    NMTTDISPINFOW info{};
    info.hdr.code = TTN_GETDISPINFOW;
    info.hdr.idFrom = ui::ViewCommand(vkRunningProcesses);
    info.hdr.hwndFrom = window.Main().Toolbar().Toolbar();
    SendMessageW(window.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_TRUE(info.lpszText);
    EXPECT_EQ(Narrow(info.lpszText), "Programs running on my computer");
}

TEST_F(MainWindowGuiTest, AboutShowsTheTitleAndCloseClosesTheWindow) {
    static std::string product;
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        if (HWND about = FindWindowW(nullptr, L"About")) {
            product = TextOf(GetDlgItem(about, 202));
            PostMessageW(about, WM_COMMAND, IDOK, 0);
        }
    });
    Command(ui::cmdAbout);
    EXPECT_EQ(product, "Quenfield Glimmerbox?");

    Command(ui::cmdClose);
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

TEST_F(MainWindowGuiTest, AClickOrKeyInTheListShowsTheSelectedRowsInformation) {
    RecordingSource processes;
    ui::ViewServices services;
    services.processes = &processes;
    window.App().Switcher().SetServices(services);
    Command(ui::ViewCommand(vkRunningProcesses));
    EXPECT_THAT(processes.calls, ElementsAre("collect", "fill"));

    HWND list = window.App().InventoryPage().List();
    wchar_t text[] = L"row";
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.pszText = text;
    for (int row = 0; row < 3; ++row) {
        item.iItem = row;
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    ListView_SetItemState(list, 2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    processes.calls.clear();
    NMITEMACTIVATE click{};
    click.hdr = {list, static_cast<UINT_PTR>(GetDlgCtrlID(list)), static_cast<UINT>(NM_CLICK)};
    SendMessageW(window.Handle(), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
    WindowUnderTest::PumpMessages();
    EXPECT_THAT(processes.calls, ElementsAre("info 2"));

    // A key moves the selection first, then the information follows it.
    processes.calls.clear();
    SetFocus(list);
    SendMessageW(list, WM_KEYDOWN, VK_UP, 0);
    WindowUnderTest::PumpMessages();
    EXPECT_THAT(processes.calls, ElementsAre("info 1"));
}

TEST_F(MainWindowGuiTest, AClickOnTheHardwareTreesRootChangesNothing) {
    RecordingSource hardware;
    ui::ViewServices services;
    services.hardware = &hardware;
    window.App().Switcher().SetServices(services);
    Command(ui::ViewCommand(vkHardware));
    EXPECT_THAT(hardware.calls, ElementsAre("build tree"));
    HWND tree = window.App().HardwarePage().Tree();
    NMHDR click{tree, static_cast<UINT_PTR>(GetDlgCtrlID(tree)), static_cast<UINT>(NM_CLICK)};
    hardware.calls.clear();
    SendMessageW(window.Handle(), WM_NOTIFY, click.idFrom, reinterpret_cast<LPARAM>(&click));
    WindowUnderTest::PumpMessages();
    EXPECT_TRUE(hardware.calls.empty());
    hardware.node = 4;
    SendMessageW(window.Handle(), WM_NOTIFY, click.idFrom, reinterpret_cast<LPARAM>(&click));
    WindowUnderTest::PumpMessages();
    EXPECT_THAT(hardware.calls, ElementsAre("device info"));
}

TEST_F(MainWindowGuiTest, TabMovesThroughTheControlsAndF1IsHelp) {
    HWND search = window.Main().Information().SearchField().Handle();
    HWND edit = GetWindow(search, GW_CHILD);
    SetFocus(edit);
    MSG tab{edit, WM_KEYDOWN, VK_TAB, 0};
    EXPECT_TRUE(window.Main().PreTranslateMessage(tab));
    EXPECT_EQ(GetFocus(), window.Main().Information().GoButton());
    EXPECT_TRUE(window.Main().PreTranslateMessage(tab));
    EXPECT_EQ(GetFocus(), window.Main().Information().ImageButton(ui::cmdBack));
}

// With GLMX_SCREENSHOTS naming a folder, saves the main views for a look.
TEST_F(MainWindowGuiTest, Screenshots) {
    const wchar_t* folder = _wgetenv(L"GLMX_SCREENSHOTS");
    if (!folder) GTEST_SKIP() << "set GLMX_SCREENSHOTS to a folder to save screenshots";
    window.Resize(850, 600);
    for (const auto& [view, name] :
         std::vector<std::pair<ViewKind, const wchar_t*>>{{vkAll, L"all"},
                                                          {vkRunningProcesses, L"processes"},
                                                          {vkRegistry, L"registry"},
                                                          {vkAutoStart, L"autostart"},
                                                          {vkCustomSearch, L"custom"}}) {
        Command(ui::ViewCommand(view));
        EXPECT_TRUE(window.SaveScreenshot(std::wstring(folder) + L"\\" + name + L".bmp"));
    }
}

}  // namespace
}  // namespace glmx::testing
