// The folder page of the real window: the views' and places' roots with their real
// contents, the command line's switches, the Recycle Bin actions and a folder that
// changes while it is shown.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/command_line.h"
#include "platform/win32/shell_namespace.h"
#include "platform/win32/wide.h"
#include "shell/places/places_menu.h"
#include "support/program_under_test.h"
#include "support/scoped_test_key.h"
#include "support/shell_test_fixture.h"
#include "support/window_under_test.h"
#include "ui/mainwindow/commands.h"

namespace glmx::testing {
namespace {

using platform::win32::Narrow;
using platform::win32::ParsingNameOf;
using platform::win32::Wide;
using ::testing::HasSubstr;

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    while (text.size() > 3 && text.back() == '\\') text.pop_back();
    return text;
}

std::string SpecialFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathW(nullptr, csidl, nullptr, 0, path)) ? Narrow(path) : "";
}

// A folder of its own below the temp folder, with a sub-folder and two files.
struct TestFolder : TempFolder {
    TestFolder() : TempFolder(L"glmx-places-") {
        std::filesystem::create_directories(path / L"Sub");
        for (const wchar_t* name : {L"Target.txt", L"Other.txt"}) std::ofstream(path / name) << "x";
    }
};

class FolderPageGuiTest : public ::testing::Test {
protected:
    ui::ShellTree& Tree() { return window.App().FolderPage().Tree(); }
    ui::ShellList& Items() { return window.App().FolderPage().Items(); }

    // Lets the list fill and follow changes until the condition holds (at most 10 s).
    template <typename Condition>
    bool PumpUntil(Condition condition) {
        for (int tenth = 0; tenth < 1000; ++tenth) {
            WindowUnderTest::PumpMessages();
            if (!Items().Filling() && condition()) return true;
            Sleep(10);
        }
        return false;
    }
    std::string Selected() { return Lower(ParsingNameOf(Tree().SelectedFolder())); }
    int RowOf(const std::string& path) {
        for (int row = 0; row < Items().RowCount(); ++row)
            if (Items().RowParsingName(row) == path) return row;
        return -1;
    }
    std::string OfflineText() { return window.Main().Information().OfflineView().Text(); }
    void RunCommandLine(const std::string& arguments) {
        app::CommandLineReader reader(app::ProgramArguments("glmx.exe", "glmx.exe " + arguments));
        app::ProcessCommandLine(reader, window.App());
        WindowUnderTest::PumpMessages();
    }
    void ChoosePlace(std::string_view caption) {
        const auto entries = shell::places::PlacesMenuEntries();
        for (size_t index = 0; index < entries.size(); ++index)
            if (entries[index].caption == caption)
                window.Command(ui::cmdPlaceFirst + static_cast<int>(index));
    }

    WindowUnderTest window;
    Watchdog watchdog{"the folder page"};
};

TEST_F(FolderPageGuiTest, TheFolderViewsAndPlacesShowTheirRootsWithTheirContents) {
    // Start-up shows the Desktop, selected, with its items and its offline text.
    EXPECT_EQ(window.CurrentView(), vkAll);
    EXPECT_EQ(Selected(), Lower(SpecialFolder(CSIDL_DESKTOPDIRECTORY)));
    EXPECT_TRUE(PumpUntil([&] { return Items().RowCount() > 0; }));
    EXPECT_THAT(OfflineText(), HasSubstr("Name:  "));

    window.Command(ui::ViewCommand(vkDocuments));
    EXPECT_EQ(Selected(), Lower(SpecialFolder(CSIDL_PERSONAL)));
    window.Command(ui::ViewCommand(vkRecycleBin));
    ASSERT_TRUE(Tree().Root());
    EXPECT_EQ(platform::win32::AttributesOf(Tree().Root(), SFGAO_FILESYSTEM), 0u);
    wchar_t caption[32] = {};
    GetWindowTextW(window.ControlButton(ui::Page::Folders), caption, 32);
    EXPECT_STREQ(caption, L"Empty");

    const std::pair<std::string_view, int> places[] = {
        {"System Folder", CSIDL_SYSTEM},         // a path
        {"Program Files", CSIDL_PROGRAM_FILES},  // a root-folder identifier
    };
    for (const auto& [place, csidl] : places) {
        ChoosePlace(place);
        watchdog.NextStep();
        EXPECT_EQ(window.CurrentView(), vkOtherPlace) << place;
        EXPECT_EQ(window.PageLabel(ui::Page::Folders), place);
        EXPECT_EQ(Selected(), Lower(SpecialFolder(csidl))) << place;
        EXPECT_EQ(Lower(ParsingNameOf(Tree().Root())), Lower(SpecialFolder(csidl))) << place;
    }
    ChoosePlace("System Folder");
    EXPECT_TRUE(
        PumpUntil([&] { return RowOf(SpecialFolder(CSIDL_SYSTEM) + "\\kernel32.dll") >= 0; }));
}

// /F, selecting exactly its file, is proven with the program as it ships below.
TEST_F(FolderPageGuiTest, TheCommandLineSwitchesOpenTheirFolder) {
    TestFolder folder;
    RunCommandLine("/O" + folder.Of(L"Sub") + " /D" + folder.Of(L"Missing"));
    EXPECT_EQ(Selected(), Lower(folder.Of(L"Sub")));  // the missing folder changed nothing
    RunCommandLine("/DC:\\");
    EXPECT_EQ(Selected(), "c:\\");
    EXPECT_EQ(window.CurrentView(), vkAll);
    RunCommandLine("/r");
    EXPECT_EQ(window.CurrentView(), vkRecycleBin);
}

double ItemsInRecycleBin() {
    SHQUERYRBINFO info{};
    info.cbSize = sizeof(info);
    return SUCCEEDED(SHQueryRecycleBinW(nullptr, &info)) ? static_cast<double>(info.i64NumItems)
                                                         : -1;
}

TEST_F(FolderPageGuiTest, DeleteRecyclesTheSelectedFileOnlyAndEmptyEmptiesTheRecycleBin) {
    TestFolder folder;
    RunCommandLine("\"/F" + folder.Of(L"Target.txt") + "\"");
    ASSERT_TRUE(PumpUntil([&] { return Items().SelectedRow() >= 0; }));
    {
        DialogAnswerer yes;
        window.Command(ui::cmdFolderControlButton);
    }
    EXPECT_FALSE(std::filesystem::exists(folder.path / L"Target.txt"));
    EXPECT_TRUE(std::filesystem::exists(folder.path / L"Other.txt"));
    EXPECT_TRUE(PumpUntil([&] { return RowOf(folder.Of(L"Target.txt")) < 0; }));
    EXPECT_GE(ItemsInRecycleBin(), 1);

    window.Command(ui::ViewCommand(vkRecycleBin));
    {
        DialogAnswerer yes;
        window.Command(ui::cmdFolderControlButton);
    }
    EXPECT_EQ(ItemsInRecycleBin(), 0);
}

// The switch as the shell's context menu hands it over, to the program as it ships.
TEST(FolderPageChildTest, AFileSwitchStartsTheProgramWithThatFileSelected) {
    TestFolder folder;
    ScopedTestKey key;
    ProgramUnderTest program(key.Path(), L"\"/F" + Wide(folder.Of(L"Target.txt")) + L"\"");
    ASSERT_TRUE(program.MainWindow());
    struct Found {
        HWND list = nullptr, text = nullptr;
    } found;
    EnumChildWindows(
        program.MainWindow(),
        [](HWND child, LPARAM parameter) -> BOOL {
            auto& found = *reinterpret_cast<Found*>(parameter);
            wchar_t name[32] = {};
            GetClassNameW(child, name, 32);
            if (GetDlgCtrlID(child) == ui::idFolderItemList) found.list = child;
            if (_wcsnicmp(name, L"RichEdit", 8) == 0) found.text = child;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    ASSERT_TRUE(found.list && found.text);
    EXPECT_EQ(SendMessageW(found.list, LVM_GETSELECTEDCOUNT, 0, 0), 1);
    const int row = static_cast<int>(SendMessageW(found.list, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
    EXPECT_EQ(row, 2) << "the folder first, then Other.txt and Target.txt";
    wchar_t text[4096] = {};  // the system copies a window's text across processes
    SendMessageW(found.text, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text));
    EXPECT_THAT(Narrow(text), HasSubstr("Target.txt"));
    EXPECT_TRUE(program.CloseAndWait());
}

}  // namespace
}  // namespace glmx::testing
