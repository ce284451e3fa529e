// The real glmx.exe, started as a user starts it: what the first start creates,
// what each way of closing keeps, and what the next start restores.
#include <windows.h>

#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <map>

#include "platform/win32/win32_registry.h"
#include "support/main_window_finder.h"
#include "support/program_under_test.h"
#include "support/scoped_test_key.h"
#include "ui/mainwindow/commands.h"

namespace glmx::testing {
namespace {

using namespace std::chrono_literals;
using platform::RegAccess;
using platform::RegRoot;
using ::testing::UnorderedElementsAre;
using Values = std::map<std::string, std::string>;

class StartupGuiTest : public ::testing::Test {
protected:
    // Each test starts as a first-time user, with settings of its own.
    ScopedTestKey settingsKey;

    Values Stored(const std::string& subKey) {
        Values values;
        if (auto key = registry.OpenKey(RegRoot::CurrentUser, settingsKey.Path() + "\\" + subKey,
                                        RegAccess::Read))
            for (const auto& value : key->Values())
                values[value.name] = platform::DecodeStringData(value.data);
        return values;
    }
    void StoreDesktop(const Values& values) {
        auto key = registry.CreateKey(RegRoot::CurrentUser, settingsKey.Path() + "\\Desktop");
        for (const auto& [name, value] : values)
            key->SetValue(name, platform::MakeStringData(value));
    }
    static RECT WindowRect(HWND window) {
        RECT rect{};
        GetWindowRect(window, &rect);
        return rect;
    }

    platform::win32::Win32Registry registry;
};

MATCHER_P4(IsBounds, left, top, width, height, "") {
    return arg.left == left && arg.top == top && arg.right - arg.left == width &&
           arg.bottom - arg.top == height;
}

const Values kDefaultDesktop = {
    {"Top", "50"}, {"Left", "50"}, {"Width", "850"}, {"Height", "600"}, {"MaximizedWindow", "0"}};

TEST_F(StartupGuiTest, FirstStartCreatesTheStoresAndOpensAtTheDefaultPlacement) {
    ProgramUnderTest program(settingsKey.Path());
    HWND window = program.MainWindow();
    ASSERT_TRUE(window);

    wchar_t caption[64] = {};
    GetWindowTextW(window, caption, 64);
    EXPECT_STREQ(caption, L"Quenfield Glimmerbox?");
    EXPECT_THAT(WindowRect(window), IsBounds(50, 50, 850, 600));
    EXPECT_FALSE(IsZoomed(window));

    EXPECT_EQ(Stored("Desktop"), kDefaultDesktop);
    // Which defaults each store gets is proved natively; here that they reach the registry.
    EXPECT_EQ(Stored("Configuration").size(), 8u);
    EXPECT_EQ(Stored("History\\File Search History"),
              (Values{{"*.tmp", ""}, {"*.bat", ""}, {"*.exe", ""}}));

    EXPECT_EQ(program.CloseAndWait(), 0u);
    EXPECT_EQ(Stored("Desktop"), kDefaultDesktop);
}

TEST_F(StartupGuiTest, NormalCloseSavesTheBoundsAndTheNextStartRestoresThem) {
    {
        ProgramUnderTest program(settingsKey.Path());
        ASSERT_TRUE(program.MainWindow());
        SetWindowPos(program.MainWindow(), nullptr, 120, 80, 700, 500, SWP_NOZORDER);
        ASSERT_TRUE(WaitUntil([&] { return WindowRect(program.MainWindow()).left == 120; }, 5s));
        EXPECT_EQ(program.CloseAndWait(), 0u);
    }
    EXPECT_EQ(Stored("Desktop"), (Values{{"Top", "80"},
                                         {"Left", "120"},
                                         {"Width", "700"},
                                         {"Height", "500"},
                                         {"MaximizedWindow", "0"}}));
    ProgramUnderTest next(settingsKey.Path());
    ASSERT_TRUE(next.MainWindow());
    EXPECT_THAT(WindowRect(next.MainWindow()), IsBounds(120, 80, 700, 500));
    EXPECT_EQ(next.CloseAndWait(), 0u);
}

TEST_F(StartupGuiTest, MaximizedCloseWritesOnlyTheFlagAndTheNextStartMaximizesOverTheOldBounds) {
    StoreDesktop({{"Top", "60"},
                  {"Left", "70"},
                  {"Width", "800"},
                  {"Height", "500"},
                  {"MaximizedWindow", "0"}});
    {
        ProgramUnderTest program(settingsKey.Path());
        ASSERT_TRUE(program.MainWindow());
        ShowWindow(program.MainWindow(), SW_MAXIMIZE);
        ASSERT_TRUE(WaitUntil([&] { return IsZoomed(program.MainWindow()) != FALSE; }, 5s));
        EXPECT_EQ(program.CloseAndWait(), 0u);
    }
    EXPECT_EQ(Stored("Desktop"), (Values{{"Top", "60"},
                                         {"Left", "70"},
                                         {"Width", "800"},
                                         {"Height", "500"},
                                         {"MaximizedWindow", "1"}}));
    ProgramUnderTest next(settingsKey.Path());
    ASSERT_TRUE(next.MainWindow());
    EXPECT_TRUE(IsZoomed(next.MainWindow()));
    // Restoring it, as the user would, brings back the old normal bounds.
    ShowWindow(next.MainWindow(), SW_RESTORE);
    ASSERT_TRUE(WaitUntil([&] { return !IsZoomed(next.MainWindow()); }, 5s));
    EXPECT_THAT(WindowRect(next.MainWindow()), IsBounds(70, 60, 800, 500));
    EXPECT_EQ(next.CloseAndWait(), 0u);
}

TEST_F(StartupGuiTest, MinimizedCloseWritesNothing) {
    const Values before = {{"Top", "61"},
                           {"Left", "71"},
                           {"Width", "801"},
                           {"Height", "501"},
                           {"MaximizedWindow", "1"}};
    StoreDesktop(before);
    ProgramUnderTest program(settingsKey.Path());
    ASSERT_TRUE(program.MainWindow());
    ShowWindow(program.MainWindow(), SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(program.MainWindow()) != FALSE; }, 5s));
    EXPECT_EQ(program.CloseAndWait(), 0u);
    EXPECT_EQ(Stored("Desktop"), before);
}

TEST_F(StartupGuiTest, HandEditedOrUnreachablePlacementStillOpensWithinReach) {
    StoreDesktop({{"Top", "not a number"},
                  {"Left", "30000"},
                  {"Width", "640"},
                  {"Height", "480"},
                  {"MaximizedWindow", "maybe"}});
    ProgramUnderTest program(settingsKey.Path());
    ASSERT_TRUE(program.MainWindow());
    const RECT rect = WindowRect(program.MainWindow());
    EXPECT_EQ(rect.top, 50);
    EXPECT_EQ(rect.right - rect.left, 640);
    EXPECT_LE(rect.right,
              GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_FALSE(IsZoomed(program.MainWindow()));
    EXPECT_EQ(program.CloseAndWait(), 0u);
}

TEST_F(StartupGuiTest, TheAboutBoxShowsTheProgramsVersionLine) {
    ProgramUnderTest program(settingsKey.Path());
    ASSERT_TRUE(program.MainWindow());
    PostMessageW(program.MainWindow(), WM_COMMAND, ui::cmdAbout, 0);
    HWND about = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (about = FindWindowW(nullptr, L"About")) != nullptr; }, 10s));
    wchar_t version[128] = {};
    ASSERT_TRUE(WaitUntil([&] { return GetDlgItemTextW(about, 203, version, 128) > 0; }, 5s));
    EXPECT_STREQ(version, L"Version 0.1.0 (build 0.1.0.1)");
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); }, 5s));
    EXPECT_EQ(program.CloseAndWait(), 0u);
}

TEST_F(StartupGuiTest, TheRecycleBinSwitchOpensTheWindowInTheRecycleBinView) {
    ProgramUnderTest program(settingsKey.Path(),
                             L"/OC:\\ plain \"/FC:\\no such folder\\file.txt\" /r");
    ASSERT_TRUE(program.MainWindow());
    EXPECT_THAT(WindowRect(program.MainWindow()), IsBounds(50, 50, 850, 600));
    HWND toolbar =
        FindWindowExW(FindWindowExW(program.MainWindow(), nullptr, REBARCLASSNAMEW, nullptr),
                      nullptr, TOOLBARCLASSNAMEW, nullptr);
    ASSERT_TRUE(toolbar);
    EXPECT_TRUE(SendMessageW(toolbar, TB_ISBUTTONCHECKED, ui::ViewCommand(vkRecycleBin), 0));
    EXPECT_FALSE(SendMessageW(toolbar, TB_ISBUTTONCHECKED, ui::ViewCommand(vkAll), 0));
    EXPECT_EQ(program.CloseAndWait(), 0u);
}

}  // namespace
}  // namespace glmx::testing
