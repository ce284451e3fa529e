#include "app/window_placement.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_registry.h"
#include "settings/settings_stores.h"

namespace glmx::app {
namespace {

using platform::RegAccess;
using platform::RegRoot;

class PlacementTest : public ::testing::Test {
protected:
    void Store(const char* name, const char* value) {
        registry.CreateKey(RegRoot::CurrentUser, desktop().KeyPath())
            ->SetValue(name, platform::MakeStringData(value));
    }
    std::vector<std::pair<std::string, std::string>> StoredValues() {
        std::vector<std::pair<std::string, std::string>> values;
        if (auto key = registry.OpenKey(RegRoot::CurrentUser, desktop().KeyPath(), RegAccess::Read))
            for (const auto& value : key->Values())
                values.emplace_back(value.name, platform::DecodeStringData(value.data));
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
    EXPECT_EQ(StoredValues(), (std::vector<std::pair<std::string, std::string>>{
                                  {"Top", "50"},
                                  {"Left", "50"},
                                  {"Width", "850"},
                                  {"Height", "600"},
                                  {"MaximizedWindow", "0"}}));
}

TEST_F(PlacementTest, StoredPlacementIsRestored) {
    Store("Top", "10");
    Store("Left", "-20");
    Store("Width", "1000");
    Store("Height", "700");
    Store("MaximizedWindow", "1");
    const StartPlacement placement = RestorePlacement(desktop());
    EXPECT_EQ(placement.bounds, (WindowBounds{-20, 10, 1000, 700}));
    EXPECT_EQ(placement.state, WindowState::Maximized);
}

TEST_F(PlacementTest, ValuesChangedByHandToNonNumbersFallBackToTheirDefaults) {
    Store("Top", "high");
    Store("Left", "");
    Store("Width", "12.5");
    Store("Height", "640");
    const StartPlacement placement = RestorePlacement(desktop());
    EXPECT_EQ(placement.bounds, (WindowBounds{50, 50, 850, 640}));
}

TEST_F(PlacementTest, OnlyTheExactFlagTextsChooseAState) {
    Store("MaximizedWindow", "yes");
    EXPECT_EQ(RestorePlacement(desktop()).state, std::nullopt);
    Store("MaximizedWindow", "0");
    EXPECT_EQ(RestorePlacement(desktop()).state, WindowState::Normal);
}

TEST_F(PlacementTest, NormalCloseWritesStateThenBoundsInOrder) {
    RestorePlacement(desktop());
    SavePlacement(desktop(), WindowState::Normal, {11, 22, 333, 444});
    EXPECT_EQ(StoredValues(), (std::vector<std::pair<std::string, std::string>>{
                                  {"Top", "22"},
                                  {"Left", "11"},
                                  {"Width", "333"},
                                  {"Height", "444"},
                                  {"MaximizedWindow", "0"}}));
}

TEST_F(PlacementTest, MaximizedCloseKeepsTheLastNormalBounds) {
    Store("Top", "5");
    RestorePlacement(desktop());
    SavePlacement(desktop(), WindowState::Maximized, {0, 0, 1920, 1080});
    const StartPlacement next = RestorePlacement(desktop());
    EXPECT_EQ(next.bounds, (WindowBounds{50, 5, 850, 600}));
    EXPECT_EQ(next.state, WindowState::Maximized);
}

TEST_F(PlacementTest, MinimizedCloseWritesNothing) {
    RestorePlacement(desktop());
    const int writes = registry.WriteCount();
    SavePlacement(desktop(), WindowState::Minimized, {-32000, -32000, 160, 28});
    EXPECT_EQ(registry.WriteCount(), writes);
}

TEST(KeepOnAMonitor, BoundsThatShowAnywhereStay) {
    const std::vector<ScreenRect> monitors{{0, 0, 1920, 1040}, {1920, 0, 3200, 1024}};
    const WindowBounds partlyOff{-800, -100, 850, 600};
    EXPECT_EQ(KeepOnAMonitor(partlyOff, monitors), partlyOff);
    const WindowBounds onSecond{2000, 100, 850, 600};
    EXPECT_EQ(KeepOnAMonitor(onSecond, monitors), onSecond);
}

TEST(KeepOnAMonitor, BoundsOffEveryMonitorMoveOntoTheNearest) {
    const std::vector<ScreenRect> monitors{{0, 0, 1920, 1040}, {1920, 0, 3200, 1024}};
    // Right of the second monitor: pulled back inside it.
    EXPECT_EQ(KeepOnAMonitor({5000, 100, 850, 600}, monitors),
              (WindowBounds{2350, 100, 850, 600}));
    // Above and left of the first: into its top-left corner.
    EXPECT_EQ(KeepOnAMonitor({-3000, -2000, 850, 600}, monitors), (WindowBounds{0, 0, 850, 600}));
    // Touching the edge is not showing.
    EXPECT_EQ(KeepOnAMonitor({-850, 10, 850, 600}, monitors), (WindowBounds{0, 10, 850, 600}));
    // Larger than the monitor: its top-left corner stays reachable.
    EXPECT_EQ(KeepOnAMonitor({0, 5000, 4000, 3000}, {{0, 0, 1024, 768}}),
              (WindowBounds{0, 0, 4000, 3000}));
}

TEST(KeepOnAMonitor, ExtremeStoredNumbersDoNotOverflow) {
    const std::vector<ScreenRect> monitors{{0, 0, 1024, 768}};
    const WindowBounds placed =
        KeepOnAMonitor({2147483647, -2147483647 - 1, 2147483647, 2147483647}, monitors);
    EXPECT_EQ(placed.left, 0);
    EXPECT_EQ(placed.top, 0);
    EXPECT_EQ(KeepOnAMonitor({5, 5, 0, -10}, monitors), (WindowBounds{5, 5, 0, -10}));
}

TEST(KeepOnAMonitor, WithoutMonitorsNothingMoves) {
    EXPECT_EQ(KeepOnAMonitor({9000, 9000, 850, 600}, {}), (WindowBounds{9000, 9000, 850, 600}));
}

}  // namespace
}  // namespace glmx::app
