// The offline text in the real window: a selected process's description with its
// styles, picture and search terms; an installed program's web addresses as links
// that open through the shell; copying a selection.
#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "platform/win32/wide.h"
#include "platform/win32/win32_registry.h"
#include "support/list_cells.h"
#include "support/scoped_test_key.h"
#include "support/window_under_test.h"
#include "ui/mainwindow/commands.h"

namespace glmx::testing {
namespace {

using platform::win32::Narrow;
using platform::win32::Wide;
using ::testing::HasSubstr;

constexpr WPARAM kFindDown = 1;  // FR_DOWN: search forward

class OfflineInformationGuiTest : public ::testing::Test {
protected:
    void Command(int command) {
        SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
        WindowUnderTest::PumpMessages();
    }
    ui::RichTextView& View() { return window.Main().Information().OfflineView(); }

    // The character format at the first occurrence of text in the view.
    CHARFORMAT2W FormatAt(const std::string& text) {
        std::wstring wide = Wide(text);
        FINDTEXTEXW find{};
        find.chrg = {0, -1};
        find.lpstrText = wide.c_str();
        const LRESULT at = SendMessageW(View().Handle(), EM_FINDTEXTEXW, kFindDown,
                                        reinterpret_cast<LPARAM>(&find));
        EXPECT_GE(at, 0) << text;
        SendMessageW(View().Handle(), EM_SETSEL, at, at + 1);
        CHARFORMAT2W format{};
        format.cbSize = sizeof(format);
        SendMessageW(View().Handle(), EM_GETCHARFORMAT, SCF_SELECTION,
                     reinterpret_cast<LPARAM>(&format));
        SendMessageW(View().Handle(), EM_SETSEL, 0, 0);
        return format;
    }
    std::vector<std::string> SearchTerms() {
        std::vector<std::string> terms;
        HWND combo = window.Main().Information().SearchField().Handle();
        const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t text[512] = {};
            SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            terms.push_back(Narrow(text));
        }
        return terms;
    }

    WindowUnderTest window;
};

TEST_F(OfflineInformationGuiTest, ASelectedProcessShowsItsDescriptionStylesPictureAndSearchTerms) {
    Command(ui::ViewCommand(vkRunningProcesses));
    HWND list = window.App().InventoryPage().List();
    int row = -1;
    for (int i = 0; i < ListView_GetItemCount(list) && row < 0; ++i)
        if (Cell(list, i, 1) == "glmx_gui_tests.exe") row = i;
    ASSERT_GE(row, 0);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    NMHDR click{list, static_cast<UINT_PTR>(GetDlgCtrlID(list)), static_cast<UINT>(NM_CLICK)};
    SendMessageW(window.Handle(), WM_NOTIFY, click.idFrom, reinterpret_cast<LPARAM>(&click));
    WindowUnderTest::PumpMessages();

    const std::string text = View().Text();
    EXPECT_THAT(text, HasSubstr("To find information about the selected item on the Internet,use"));
    EXPECT_THAT(text, HasSubstr("Program Name:  Glimmerbox Window Tests"));
    EXPECT_THAT(text, HasSubstr("Company Name:  Quenfield Test Lab"));
    EXPECT_THAT(text, HasSubstr("File Version:  3.1.4.1"));

    const CHARFORMAT2W title = FormatAt("Glimmerbox Window Tests");
    EXPECT_STREQ(title.szFaceName, L"Arial");
    EXPECT_EQ(title.yHeight, 12 * 20);
    EXPECT_TRUE(title.dwEffects & CFE_BOLD);
    const CHARFORMAT2W label = FormatAt("Company Name:");
    EXPECT_EQ(label.yHeight, 10 * 20);
    EXPECT_TRUE(label.dwEffects & CFE_BOLD);
    const CHARFORMAT2W value = FormatAt("Quenfield Test Lab");
    EXPECT_FALSE(value.dwEffects & CFE_BOLD);

    const std::vector<std::string> terms = SearchTerms();
    EXPECT_THAT(terms,
                ::testing::ElementsAre(
                    "by Program Name: Glimmerbox Window Tests", "by File Name: glmx_gui_tests.exe",
                    "by Company Name: Quenfield Test Lab", "by Version: 3.1",
                    "by Copyright: Copyright (C) Quenfield",
                    "by File Description: Glimmerbox window tests", "by File Version: 3.1.4.1",
                    "by Original Filename: glmx_gui_tests.exe", "by Internalname: glmx_gui_tests"));
    EXPECT_EQ(window.Main().Information().SearchField().Text(), terms.front());
    EXPECT_EQ(View().LinkCount(), 0);
    if (const wchar_t* folder = _wgetenv(L"GLMX_SCREENSHOTS")) {
        window.Resize(850, 980);
        window.SaveScreenshot(std::wstring(folder) + L"\\process.bmp");
    }
    // The big icon stands on its own line before the fields (an embedded object).
    EXPECT_THAT(Narrow(Wide(text)), HasSubstr("\xEF\xBF\xBC"));
}

TEST_F(OfflineInformationGuiTest, WebAddressesOfAnInstalledProgramAreLinksThatOpenThroughTheShell) {
    // The uninstall entry lives below HKEY_LOCAL_MACHINE, which the test prefix lets us write.
    const std::string keyName = "GlimmerboxTest-" + std::to_string(GetCurrentProcessId());
    const std::string path = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + keyName;
    platform::win32::Win32Registry registry;
    {
        auto key = registry.CreateKey(platform::RegRoot::LocalMachine, path);
        ASSERT_TRUE(key);
        key->SetValue("Publisher", platform::MakeStringData("Quenfield"));
        key->SetValue("URLInfoAbout", platform::MakeStringData("http://quenfield.example/about"));
        key->SetValue("HelpLink", platform::MakeStringData("https://quenfield.example/help"));
        key->SetValue("Readme", platform::MakeStringData("HTTP://LOUD.EXAMPLE"));
    }
    struct Cleanup {
        platform::win32::Win32Registry& registry;
        std::string path;
        ~Cleanup() { registry.DeleteKeyTree(platform::RegRoot::LocalMachine, path); }
    } cleanup{registry, path};

    window.App().Offline().Builder().ShowInstalledProgramInfo(
        {keyName, "Quenfield Test Program", "C:\\uninst.exe /x"}, 0);
    WindowUnderTest::PumpMessages();
    ASSERT_EQ(View().LinkCount(), 2);
    const std::string first = View().LinkText(0), second = View().LinkText(1);
    EXPECT_THAT(std::vector<std::string>({first, second}),
                ::testing::UnorderedElementsAre("http://quenfield.example/about",
                                                "https://quenfield.example/help"));
    EXPECT_FALSE(FormatAt("HTTP://LOUD.EXAMPLE").dwEffects & CFE_LINK);
    EXPECT_TRUE(FormatAt(second).dwEffects & CFE_LINK);

    // A real click on the second link: the view tells the window, the window the builder.
    std::wstring wide = Wide(second);
    FINDTEXTEXW find{};
    find.chrg = {0, -1};
    find.lpstrText = wide.c_str();
    const LRESULT at =
        SendMessageW(View().Handle(), EM_FINDTEXTEXW, kFindDown, reinterpret_cast<LPARAM>(&find));
    ASSERT_GE(at, 0);
    POINTL point{};
    SendMessageW(View().Handle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), at + 3);
    const LPARAM position = MAKELPARAM(point.x + 2, point.y + 4);
    SendMessageW(View().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, position);
    SendMessageW(View().Handle(), WM_LBUTTONUP, 0, position);
    WindowUnderTest::PumpMessages();
    EXPECT_THAT(window.shell.opened, ::testing::ElementsAre(second));

    if (const wchar_t* folder = _wgetenv(L"GLMX_SCREENSHOTS")) {
        window.Resize(850, 980);
        window.SaveScreenshot(std::wstring(folder) + L"\\installed.bmp");
    }
}

// The state of the first item of the popup menu that is open now; nullopt when none is.
std::optional<UINT> OpenMenuFirstItemState() {
    HWND menuWindow = FindWindowW(L"#32768", nullptr);
    if (!menuWindow) return std::nullopt;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, 0x01E1 /* MN_GETHMENU */, 0, 0));
    if (!menu) return std::nullopt;
    return GetMenuState(menu, 0, MF_BYPOSITION);
}

TEST_F(OfflineInformationGuiTest, TheViewsCopyMenuIsEnabledOnlyWithASelection) {
    Command(ui::ViewCommand(vkSearchFiles));
    static std::optional<UINT> state;
    const auto openMenuAndReadCopy = [&] {
        state.reset();
        SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
            KillTimer(nullptr, id);
            state = OpenMenuFirstItemState();
            EndMenu();
        });
        // A right click in the view asks its parents for the context menu.
        SendMessageW(View().Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(View().Handle()),
                     MAKELPARAM(200, 500));
        WindowUnderTest::PumpMessages();
    };
    openMenuAndReadCopy();
    ASSERT_TRUE(state);
    EXPECT_TRUE(*state & MF_GRAYED);
    SendMessageW(View().Handle(), EM_SETSEL, 10, 20);
    openMenuAndReadCopy();
    ASSERT_TRUE(state);
    EXPECT_FALSE(*state & MF_GRAYED);
}

TEST_F(OfflineInformationGuiTest, CopyCopiesTheSelectionAndAnEmptyViewShowsTheHintOnly) {
    Command(ui::ViewCommand(vkSearchFiles));
    const std::string text = View().Text();
    EXPECT_THAT(text, HasSubstr("use the Search field and the Go button above."));
    EXPECT_EQ(window.App().ProgramViews().List().StatusText(), "");

    EXPECT_FALSE(View().SelectionExists());
    std::wstring wide = Wide("Search field");
    FINDTEXTEXW find{};
    find.chrg = {0, -1};
    find.lpstrText = wide.c_str();
    const LRESULT at =
        SendMessageW(View().Handle(), EM_FINDTEXTEXW, kFindDown, reinterpret_cast<LPARAM>(&find));
    ASSERT_GE(at, 0);
    SendMessageW(View().Handle(), EM_SETSEL, at, at + 12);
    EXPECT_TRUE(View().SelectionExists());
    View().CopySelection();
    ASSERT_TRUE(OpenClipboard(window.Handle()));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    std::wstring copied = data ? static_cast<const wchar_t*>(GlobalLock(data)) : L"";
    if (data) GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(copied, L"Search field");
}

}  // namespace
}  // namespace glmx::testing
