// The online panel in the real window: Go with a selected process shows the notice and
// then, where no page can be shown (Wine has no browser engine), the offer of the default
// browser; the site menu; Customize rewriting search.cfg; the Favourites menu.
#include <windows.h>

#include <shlobj.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/win32/wide.h"
#include "support/list_cells.h"
#include "support/window_under_test.h"
#include "ui/mainwindow/commands.h"

namespace glmx::testing {
namespace {

using platform::win32::Narrow;
using platform::win32::Wide;
using ::testing::HasSubstr;

std::wstring ProgramFolder() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

std::string ReadFile(const std::wstring& path) {
    std::ifstream file(Narrow(path), std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void WriteFile(const std::wstring& path, const std::string& bytes) {
    std::ofstream(Narrow(path), std::ios::binary | std::ios::trunc) << bytes;
}

// The test's own search.cfg beside the program while a window lives; the shipped one after.
struct SiteFile {
    explicit SiteFile(const std::string& content)
        : existed(GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES),
          saved(ReadFile(path)) {
        WriteFile(path, content);
    }
    ~SiteFile() {
        if (existed)
            WriteFile(path, saved);
        else
            DeleteFileW(path.c_str());
    }
    const std::wstring path = ProgramFolder() + L"search.cfg";
    bool existed;
    std::string saved;
};

// An Internet shortcut in the user's Favorites folder while a window lives.
struct Favourite {
    Favourite() {
        wchar_t folder[MAX_PATH] = {};
        SHGetFolderPathW(nullptr, CSIDL_FAVORITES | CSIDL_FLAG_CREATE, nullptr, 0, folder);
        path = std::wstring(folder) + L"\\Glimmerbox test.url.url";
        WriteFile(path, "[InternetShortcut]\r\nURL=http://127.0.0.1:9/favourite\r\n");
    }
    ~Favourite() { DeleteFileW(path.c_str()); }
    std::wstring path;
};

class OnlinePanelGuiTest : public ::testing::Test {
protected:
    ui::RichTextView& View() { return window.Main().Information().OfflineView(); }
    // Lets the browser's events arrive until the text holds the words (at most 10 s).
    bool WaitForText(const std::string& words) {
        for (int i = 0; i < 200; ++i) {
            WindowUnderTest::PumpMessages();
            if (View().Text().find(words) != std::string::npos) return true;
            Sleep(50);
        }
        return false;
    }
    std::vector<std::string> MenuCaptions(HMENU menu) {
        std::vector<std::string> captions;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            wchar_t text[256] = {};
            GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
            captions.push_back(Narrow(text));
        }
        return captions;
    }

    SiteFile sites{
        "One=http://127.0.0.1:9/one?q=THISISREPLACEDWITHACTUALTEXT\r\n"
        "Two=http://127.0.0.1:9/two?q=THISISREPLACEDWITHACTUALTEXT&x=1\r\n"};
    Favourite favourite;
    WindowUnderTest window;
};

TEST_F(OnlinePanelGuiTest, GoSearchesTheCurrentSiteAndOffersTheDefaultBrowserWhenNoPageComes) {
    window.Command(ui::ViewCommand(vkRunningProcesses));
    HWND list = window.App().InventoryPage().List();
    const int row = FindRow(list, 1, "glmx_gui_tests.exe");
    ASSERT_GE(row, 0);
    SelectRow(list, row);
    window.NotifyClick(list);
    ASSERT_EQ(window.Main().Information().SearchField().Text(),
              "by Program Name: Glimmerbox Window Tests");

    window.Command(ui::cmdGo);
    EXPECT_THAT(View().Text(), HasSubstr("Shearching for  Glimmerbox Window Tests on One"));
    ASSERT_TRUE(WaitForText("Open it in your web browser")) << View().Text();
    const std::string address = "http://127.0.0.1:9/one?q=+Glimmerbox+Window+Tests";
    EXPECT_THAT(View().Text(), HasSubstr(address));
    EXPECT_EQ(View().LinkCount(), 1);
    EXPECT_EQ(View().LinkText(0), "Open it in your web browser");

    // Enter in the Search field reaches the window as the default button's command.
    SetFocus(GetWindow(window.Main().Information().SearchField().Handle(), GW_CHILD));
    View().Clear();
    window.Command(IDOK);
    ASSERT_TRUE(WaitForText("Open it in your web browser")) << View().Text();

    // The second site from the menu searches at once, there.
    const HMENU menu = window.Main().Menus().searchSites.get();
    EXPECT_THAT(MenuCaptions(menu), ::testing::ElementsAre("One", "Two", "", "Customize..."));
    window.Command(ui::cmdSearchSiteFirst + 1);
    EXPECT_TRUE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_CHECKED);
    ASSERT_TRUE(WaitForText("/two?q=")) << View().Text();
    EXPECT_THAT(View().Text(), HasSubstr("http://127.0.0.1:9/two?q=+Glimmerbox+Window+Tests&x=1"));
}

TEST_F(OnlinePanelGuiTest, CustomizeRewritesTheFileAndTheMenuOnOkAndKeepsThemOnCancel) {
    static int step = 0;
    const auto answer = [](const wchar_t* button) {
        static const wchar_t* which;
        which = button;
        step = 0;
        SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
            HWND dialog = FindWindowW(L"#32770", L"Customize Search Sites");
            if (!dialog) return;
            if (step++ == 0 && std::wstring(which) == L"OK")
                SendMessageW(FindWindowExW(dialog, nullptr, L"Button", L"Delete"), BM_CLICK, 0, 0);
            else {
                KillTimer(nullptr, id);
                SendMessageW(FindWindowExW(dialog, nullptr, L"Button", which), BM_CLICK, 0, 0);
            }
        });
    };
    const std::string before = ReadFile(sites.path);
    answer(L"Cancel");
    window.Command(ui::cmdCustomizeSearchSites);
    EXPECT_EQ(ReadFile(sites.path), before);

    answer(L"OK");  // the first site deleted
    window.Command(ui::cmdCustomizeSearchSites);
    EXPECT_EQ(ReadFile(sites.path),
              "Two=http://127.0.0.1:9/two?q=THISISREPLACEDWITHACTUALTEXT&x=1\r\n");
    EXPECT_THAT(MenuCaptions(window.Main().Menus().searchSites.get()),
                ::testing::ElementsAre("Two", "", "Customize..."));
    EXPECT_TRUE(GetMenuState(window.Main().Menus().searchSites.get(), 0, MF_BYPOSITION) &
                MF_CHECKED);
}

TEST_F(OnlinePanelGuiTest, FavouritesListTheFolderAndAShortcutOpensItsOwnFile) {
    const HMENU menu = window.Main().FavouritesMenu();
    const auto captions = MenuCaptions(menu);
    ASSERT_GE(captions.size(), 4u);
    EXPECT_EQ(captions[0], "&Add to favorites...");
    const auto at = std::find(captions.begin(), captions.end(), "Glimmerbox test");
    ASSERT_NE(at, captions.end());
    const UINT position = static_cast<UINT>(at - captions.begin());
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_ID | MIIM_BITMAP;
    ASSERT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &item));
    EXPECT_NE(item.hbmpItem, nullptr);  // the system's icon

    window.Command(static_cast<int>(item.wID));
    WindowUnderTest::PumpMessages();
    auto& browser = window.App().Online().Browser();
    if (browser.Available()) {
        EXPECT_TRUE(IsWindowVisible(browser.Window()));
        EXPECT_EQ(browser.LocationURL(), "http://127.0.0.1:9/favourite");
    } else {
        EXPECT_THAT(View().Text(), HasSubstr("http://127.0.0.1:9/favourite"));
    }
}

}  // namespace
}  // namespace glmx::testing
