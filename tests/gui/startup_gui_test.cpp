// The real glmx.exe, started as a user starts it: what the first start creates,
// what each way of closing keeps, and what the next start restores.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <string>

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
using Values = std::map<std::string, std::string>;

class StartupGuiTest : public ::testing::Test {
protected:
    // Each test starts as a first-time user, with settings of its own.
    ScopedTestKey settingsKey;

    Values StoredDesktop() {
        Values values;
        if (auto key = registry.OpenKey(RegRoot::CurrentUser, settingsKey.Path() + "\\Desktop",
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

    platform::win32::Win32Registry registry;
};

Values Desktop(int top, int left, int width, int height, const char* maximized) {
    return {{"Top", std::to_string(top)},
            {"Left", std::to_string(left)},
            {"Width", std::to_string(width)},
            {"Height", std::to_string(height)},
            {"MaximizedWindow", maximized}};
}

// Where the window is, as the Desktop store would keep it.
Values Placement(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return Desktop(rect.top, rect.left, rect.right - rect.left, rect.bottom - rect.top,
                   IsZoomed(window) ? "1" : "0");
}

TEST_F(StartupGuiTest, FirstStartCreatesTheStoresAndOpensAtTheDefaultPlacement) {
    ProgramUnderTest program(settingsKey.Path());
    HWND window = program.MainWindow();
    ASSERT_TRUE(window);

    wchar_t caption[64] = {};
    GetWindowTextW(window, caption, 64);
    EXPECT_STREQ(caption, L"Quenfield Glimmerbox?");
    EXPECT_EQ(Placement(window), Desktop(50, 50, 850, 600, "0"));

    // Which defaults each store gets, and that they reach the registry, is proved natively
    // and by the settings' own Wine test.
    EXPECT_EQ(StoredDesktop(), Desktop(50, 50, 850, 600, "0"));
    EXPECT_EQ(program.CloseAndWait(), 0u);
    EXPECT_EQ(StoredDesktop(), Desktop(50, 50, 850, 600, "0"));
}

// A normal close saves the bounds, a maximized one only the flag, a minimized one
// nothing; the next start opens as stored, maximized over the stored normal bounds.
TEST_F(StartupGuiTest, EachWayOfClosingKeepsWhatTheNextStartRestores) {
    struct Case {
        int show;
        Values before, after;
    };
    const Case cases[] = {
        {SW_SHOWNORMAL, Desktop(60, 70, 800, 500, "0"), Desktop(80, 120, 700, 500, "0")},
        {SW_MAXIMIZE, Desktop(60, 70, 800, 500, "0"), Desktop(60, 70, 800, 500, "1")},
        {SW_MINIMIZE, Desktop(61, 71, 801, 501, "1"), Desktop(61, 71, 801, 501, "1")}};
    for (const Case& test : cases) {
        SCOPED_TRACE("show " + std::to_string(test.show));
        StoreDesktop(test.before);
        {
            ProgramUnderTest program(settingsKey.Path());
            HWND window = program.MainWindow();
            ASSERT_TRUE(window);
            ShowWindow(window, test.show);
            if (test.show == SW_SHOWNORMAL)
                SetWindowPos(window, nullptr, 120, 80, 700, 500, SWP_NOZORDER);
            ASSERT_TRUE(WaitUntil(
                [&] {
                    return test.show == SW_MAXIMIZE   ? IsZoomed(window) != FALSE
                           : test.show == SW_MINIMIZE ? IsIconic(window) != FALSE
                                                      : Placement(window).at("Left") == "120";
                },
                5s));
            EXPECT_EQ(program.CloseAndWait(), 0u);
        }
        EXPECT_EQ(StoredDesktop(), test.after);
        ProgramUnderTest next(settingsKey.Path());
        ASSERT_TRUE(next.MainWindow());
        EXPECT_EQ(IsZoomed(next.MainWindow()) != FALSE, test.after.at("MaximizedWindow") == "1");
        // Restoring it, as the user would, brings back the stored normal bounds.
        ShowWindow(next.MainWindow(), SW_RESTORE);
        ASSERT_TRUE(WaitUntil([&] { return !IsZoomed(next.MainWindow()); }, 5s));
        Values restored = test.after;
        restored["MaximizedWindow"] = "0";
        EXPECT_EQ(Placement(next.MainWindow()), restored);
        EXPECT_EQ(next.CloseAndWait(), 0u);
    }
}

TEST_F(StartupGuiTest, HandEditedOrUnreachablePlacementStillOpensWithinReach) {
    StoreDesktop({{"Top", "not a number"},
                  {"Left", "30000"},
                  {"Width", "640"},
                  {"Height", "480"},
                  {"MaximizedWindow", "maybe"}});
    ProgramUnderTest program(settingsKey.Path());
    ASSERT_TRUE(program.MainWindow());
    RECT rect{};
    GetWindowRect(program.MainWindow(), &rect);
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
    wchar_t product[128] = {}, version[128] = {};
    ASSERT_TRUE(WaitUntil([&] { return GetDlgItemTextW(about, 203, version, 128) > 0; }, 5s));
    EXPECT_STREQ(version, L"Version 0.1.0 (build 0.1.0.1)");
    GetDlgItemTextW(about, 202, product, 128);
    EXPECT_STREQ(product, L"Quenfield Glimmerbox?");
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); }, 5s));
    EXPECT_EQ(program.CloseAndWait(), 0u);
}

}  // namespace
}  // namespace glmx::testing
