#include "ui/mainwindow/window_placement.h"

#include "ui/mainwindow/pane_layout.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "platform/fake/fake_registry.h"
#include "settings/settings_stores.h"

namespace glmx::ui {
namespace {

using platform::RegAccess;
using platform::RegRoot;

constexpr const char* kBoundNames[] = {"Top", "Left", "Width", "Height"};

class PlacementTest : public ::testing::Test {
protected:
    void Store(const char* name, const char* value) {
        registry.CreateKey(RegRoot::CurrentUser, desktop().KeyPath())
            ->SetValue(name, platform::MakeStringData(value));
    }
    settings::TValueList StoredValues() {
        settings::TValueList values;
        if (auto key = registry.OpenKey(RegRoot::CurrentUser, desktop().KeyPath(), RegAccess::Read))
            for (const auto& value : key->Values())
                values.push_back({value.name, platform::DecodeStringData(value.data)});
        return values;
    }
    settings::TRegInfoClass& desktop() { return stores.DesktopSettings; }

    platform::FakeRegistry registry;
    settings::SettingsStores stores{registry};
};

TEST_F(PlacementTest, FirstStartWritesTheDefaultsAndOpensNormalAt50By50) {
    const StartPlacement placement = RestorePlacement(desktop());
    EXPECT_EQ(placement.bounds, (WindowBounds{50, 50, 850, 600}));
    EXPECT_EQ(placement.state, WindowState::Normal);
    EXPECT_EQ(StoredValues(), desktop().ImplicitValues().List());
}

// Each row: Top, Left, Width, Height as stored, and the bounds read.
TEST_F(PlacementTest, StoredBoundsAreRestoredAndUnusableOnesTakeTheirDefaults) {
    const std::pair<std::array<const char*, 4>, WindowBounds> cases[] = {
        {{"10", "-20", "1000", "700"}, {-20, 10, 1000, 700}},
        {{"high", "", "12.5", "640"}, {50, 50, 850, 640}},  // not numbers
        {{"-2147483648", "-2147483648", "200", "150"}, {INT_MIN, INT_MIN, 200, 150}},
        // Too small to show the window's controls: a title bar only, which would stick.
        {{"0", "0", "199", "149"}, {0, 0, 850, 600}},
        {{"0", "0", "0", "-600"}, {0, 0, 850, 600}},
        {{"0", "0", "6", "6"}, {0, 0, 850, 600}},
    };
    for (const auto& [stored, bounds] : cases) {
        for (size_t i = 0; i < 4; ++i) Store(kBoundNames[i], stored[i]);
        EXPECT_EQ(RestorePlacement(desktop()).bounds, bounds) << stored[2] << "x" << stored[3];
    }
}

TEST_F(PlacementTest, OnlyTheExactFlagTextsChooseAState) {
    const std::pair<const char*, std::optional<WindowState>> cases[] = {
        {"yes", std::nullopt}, {"0", WindowState::Normal}, {"1", WindowState::Maximized}};
    for (const auto& [flag, state] : cases) {
        Store("MaximizedWindow", flag);
        EXPECT_EQ(RestorePlacement(desktop()).state, state) << flag;
    }
}

// A normal close writes the bounds and the flag, a maximized one keeps the last normal
// bounds, a minimized one writes nothing.
TEST_F(PlacementTest, EachStateOfClosingKeepsWhatTheNextStartRestores) {
    RestorePlacement(desktop());
    SavePlacement(desktop(), WindowState::Normal, {11, 22, 333, 444});
    // clang-format off
    EXPECT_EQ(StoredValues(), (settings::TValueList{{"Top", "22"}, {"Left", "11"}, {"Width", "333"},
                                                    {"Height", "444"}, {"MaximizedWindow", "0"}}));
    // clang-format on
    SavePlacement(desktop(), WindowState::Maximized, {0, 0, 1920, 1080});
    const StartPlacement next = RestorePlacement(desktop());
    EXPECT_EQ(next.bounds, (WindowBounds{11, 22, 333, 444}));
    EXPECT_EQ(next.state, WindowState::Maximized);

    const int writes = registry.WriteCount();
    SavePlacement(desktop(), WindowState::Minimized, {-32000, -32000, 160, 28});
    EXPECT_EQ(registry.WriteCount(), writes);
}

TEST(KeepOnAMonitor, BoundsThatShowAnywhereStayAndOthersMoveOntoTheNearestMonitor) {
    const std::vector<ScreenRect> two{{0, 0, 1920, 1040}, {1920, 0, 3200, 1024}};
    const std::vector<ScreenRect> one{{0, 0, 1024, 768}}, none;
    const struct {
        WindowBounds bounds;
        const std::vector<ScreenRect>& monitors;
        WindowBounds placed;
    } cases[] = {
        {{-800, -100, 850, 600}, two, {-800, -100, 850, 600}},  // partly off
        {{2000, 100, 850, 600}, two, {2000, 100, 850, 600}},    // on the second
        {{5000, 100, 850, 600}, two, {2350, 100, 850, 600}},    // right of the second
        {{-3000, -2000, 850, 600}, two, {0, 0, 850, 600}},      // above and left of the first
        // Touching an edge is not showing, on any side.
        {{-850, 10, 850, 600}, two, {0, 10, 850, 600}},
        {{1024, 10, 300, 200}, one, {724, 10, 300, 200}},
        {{10, 768, 300, 200}, one, {10, 568, 300, 200}},
        // Larger than the monitor: its top-left corner stays reachable.
        {{0, 5000, 4000, 3000}, one, {0, 0, 4000, 3000}},
        {{9000, 9000, 850, 600}, none, {9000, 9000, 850, 600}},  // no monitors: nothing moves
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeepOnAMonitor(c.bounds, c.monitors), c.placed)
            << c.bounds.left << "," << c.bounds.top;
}

TEST(KeepOnAMonitor, ExtremeStoredNumbersDoNotOverflow) {
    const std::vector<ScreenRect> monitors{{0, 0, 1024, 768}};
    const WindowBounds placed =
        KeepOnAMonitor({2147483647, -2147483647 - 1, 2147483647, 2147483647}, monitors);
    EXPECT_EQ(placed.left, 0);
    EXPECT_EQ(placed.top, 0);
    EXPECT_EQ(KeepOnAMonitor({5, 5, 0, -10}, monitors), (WindowBounds{5, 5, 0, -10}));
    // Far up and left of two monitors side by side: the squared distances pass 2^63.
    const std::vector<ScreenRect> pair{{0, 0, 1920, 1080}, {1920, 0, 3840, 1080}};
    EXPECT_EQ(KeepOnAMonitor({INT_MIN, INT_MIN, 850, 600}, pair), (WindowBounds{0, 0, 850, 600}));
}

TEST_F(PlacementTest, PaneWidthsComeBackAndUnusableOnesAreLeftOut) {
    PaneLayout layout;
    layout.inventoryTreeWidth = 300;
    layout.columnWidths[1] = {140, 0, 95};
    SavePaneLayout(desktop(), layout);
    desktop().LoadValues();
    PaneLayout loaded = LoadPaneLayout(desktop());
    EXPECT_EQ(loaded.inventoryTreeWidth, 300);
    EXPECT_EQ(loaded.folderTreeWidth, std::nullopt);
    EXPECT_EQ(loaded.columnWidths, layout.columnWidths);

    for (const char* bad : {"12", "x", "99999"}) {
        Store("FolderTreeWidth", bad);
        desktop().LoadValues();
        EXPECT_EQ(LoadPaneLayout(desktop()).folderTreeWidth, std::nullopt) << bad;
    }
    for (const char* bad : {"140,,95", "140,-1", "a,b", "140,99999"}) {
        Store("ColumnWidths2", bad);
        desktop().LoadValues();
        EXPECT_FALSE(LoadPaneLayout(desktop()).columnWidths.contains(2)) << bad;
    }
}

}  // namespace
}  // namespace glmx::ui
