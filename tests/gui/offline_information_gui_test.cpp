// The offline text in the real window: a selected process's description with its
// styles, picture and search terms; an installed program's web addresses as links
// that open through the shell; copying a selection.
#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "platform/win32/wide.h"
#include "platform/win32/win32_registry.h"
#include "support/list_cells.h"
#include "support/window_under_test.h"
#include "ui/mainwindow/commands.h"

namespace glmx::testing {
namespace {

using platform::win32::Narrow;
using platform::win32::Wide;
using ::testing::HasSubstr;

class OfflineInformationGuiTest : public ::testing::Test {
protected:
    ui::RichTextView& View() { return window.Main().Information().OfflineView(); }

    // Where the text first occurs in the view; -1 when it does not.
    LRESULT Find(const std::string& text) {
        const std::wstring wide = Wide(text);
        FINDTEXTEXW find{{0, -1}, wide.c_str()};
        return SendMessageW(View().Handle(), EM_FINDTEXTEXW, 1 /* FR_DOWN: forward */,
                            reinterpret_cast<LPARAM>(&find));
    }
    WindowUnderTest window;
};

TEST_F(OfflineInformationGuiTest, ASelectedProcessShowsItsDescriptionAndSearchTerms) {
    window.Command(ui::ViewCommand(vkRunningProcesses));
    HWND list = window.App().InventoryPage().List();
    const int row = FindRow(list, 1, "glmx_gui_tests.exe");
    ASSERT_GE(row, 0);
    SelectRow(list, row);
    window.NotifyClick(list);

    // Which fields, labels, styles and picture the description has is proved natively and
    // on the view alone.
    const std::string text = View().Text();
    EXPECT_THAT(text, HasSubstr("To find information about the selected item on the Internet,use"));
    EXPECT_THAT(text, HasSubstr("Company Name:  Quenfield Test Lab"));

    // The terms are made natively; here, that the real resource's fields reach the real box,
    // whose text is the first term.
    const auto& field = window.Main().Information().SearchField();
    ASSERT_EQ(field.ItemCount(), 9);
    EXPECT_EQ(field.Text(), "by Program Name: Glimmerbox Window Tests");
    wchar_t last[128] = {};
    SendMessageW(field.Handle(), CB_GETLBTEXT, 8, reinterpret_cast<LPARAM>(last));
    EXPECT_EQ(Narrow(last), "by Internalname: glmx_gui_tests");
    EXPECT_EQ(View().LinkCount(), 0);
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
        std::string path;
        ~Cleanup() {
            platform::win32::Win32Registry().DeleteKeyTree(platform::RegRoot::LocalMachine, path);
        }
    } cleanup{path};

    window.App().Offline().Builder().ShowInstalledProgramInfo(
        {keyName, "Quenfield Test Program", "C:\\uninst.exe /x"}, 0);
    WindowUnderTest::PumpMessages();
    // Only http and https addresses are links (not the loud one).
    ASSERT_EQ(View().LinkCount(), 2);
    const std::string second = View().LinkText(1);
    EXPECT_THAT(std::vector<std::string>({View().LinkText(0), second}),
                ::testing::UnorderedElementsAre("http://quenfield.example/about",
                                                "https://quenfield.example/help"));

    // A real click on the second link: the view tells the window, the window the builder.
    const LRESULT at = Find(second);
    ASSERT_GE(at, 0);
    POINTL point{};
    SendMessageW(View().Handle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), at + 3);
    const LPARAM position = MAKELPARAM(point.x + 2, point.y + 4);
    SendMessageW(View().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, position);
    SendMessageW(View().Handle(), WM_LBUTTONUP, 0, position);
    WindowUnderTest::PumpMessages();
    EXPECT_THAT(window.shell.opened, ::testing::ElementsAre(second));
}

// The state of the first item of the popup menu that is open now; nullopt when none is.
std::optional<UINT> OpenMenuFirstItemState() {
    HWND menuWindow = FindWindowW(L"#32768", nullptr);
    if (!menuWindow) return std::nullopt;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, 0x01E1 /* MN_GETHMENU */, 0, 0));
    if (!menu) return std::nullopt;
    return GetMenuState(menu, 0, MF_BYPOSITION);
}

TEST_F(OfflineInformationGuiTest, CopyIsEnabledWithASelectionOnlyAndCopiesIt) {
    window.Command(ui::ViewCommand(vkSearchFiles));
    EXPECT_THAT(View().Text(), HasSubstr("use the Search field and the Go button above."));
    EXPECT_EQ(window.App().ProgramViews().List().StatusText(), "");
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
        return state.value_or(MF_GRAYED);
    };
    EXPECT_FALSE(View().SelectionExists());
    EXPECT_TRUE(openMenuAndReadCopy() & MF_GRAYED);
    ASSERT_TRUE(state) << "no context menu";

    const LRESULT at = Find("Search field");
    ASSERT_GE(at, 0);
    SendMessageW(View().Handle(), EM_SETSEL, at, at + 12);
    EXPECT_TRUE(View().SelectionExists());
    EXPECT_FALSE(openMenuAndReadCopy() & MF_GRAYED);
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
