// The settings stores over the real registry.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/startup_settings.h"
#include "platform/win32/win32_registry.h"
#include "settings/history.h"
#include "settings/settings_stores.h"
#include "support/recording_combo_box.h"
#include "support/scoped_test_key.h"
#include "ui/mainwindow/window_placement.h"

namespace glmx::settings {
namespace {

using platform::RegAccess;
using platform::RegRoot;
using ::testing::UnorderedElementsAre;

class SettingsWinTest : public ::testing::Test {
protected:
    glmx::testing::ScopedTestKey testKey;
    platform::win32::Win32Registry registry;
    SettingsStores stores{registry, testKey.Path()};
};

TEST_F(SettingsWinTest, FirstStartCreatesEveryStoreKeyWithItsDefaults) {
    ui::RestorePlacement(stores.DesktopSettings);
    app::PrepareConfigurationStores(stores);

    auto desktop =
        registry.OpenKey(RegRoot::CurrentUser, testKey.Path() + "\\Desktop", RegAccess::Read);
    auto configuration =
        registry.OpenKey(RegRoot::CurrentUser, testKey.Path() + "\\Configuration", RegAccess::Read);
    auto masks = registry.OpenKey(
        RegRoot::CurrentUser, testKey.Path() + "\\History\\File Search History", RegAccess::Read);
    ASSERT_TRUE(desktop && configuration && masks);
    EXPECT_EQ(desktop->Values().size(), 5u);
    EXPECT_EQ(configuration->Values().size(), 8u);
    EXPECT_EQ(DecodeStringData(*configuration->QueryValue("GLMXinRBContext")), "1");
    std::vector<std::string> maskNames;
    for (const auto& value : masks->Values()) {
        maskNames.push_back(value.name);
        EXPECT_EQ(value.data, platform::MakeStringData(""));
    }
    EXPECT_THAT(maskNames, UnorderedElementsAre("*.tmp", "*.bat", "*.exe"));
}

TEST_F(SettingsWinTest, SetValueReachesTheRegistryAndLoadsBack) {
    stores.ConfigurationSettings.SetValue("ShowStartupType", "2");
    TRegInfoClass again(registry, testKey.Path(), "Configuration");
    again.LoadValues();
    EXPECT_EQ(again.GetValue("ShowStartupType"), "2");
}

TEST_F(SettingsWinTest, HistoriesFillBoxesAndDeleteAllRemovesTheKey) {
    AddToHistory(stores.InternetAddressHistory, "example.org");
    AddToHistory(stores.InternetAddressHistory, "EXAMPLE.ORG");
    AddToHistory(stores.InternetAddressHistory, "quenfield.test");
    registry.CreateKey(RegRoot::CurrentUser, stores.InternetAddressHistory.KeyPath() + "\\Stray");
    glmx::testing::RecordingComboBox box;
    FillComboFromHistory(stores.InternetAddressHistory, box, true);
    EXPECT_THAT(box.items, UnorderedElementsAre("example.org", "quenfield.test"));

    stores.InternetAddressHistory.DeleteAll();
    EXPECT_FALSE(registry.OpenKey(RegRoot::CurrentUser, stores.InternetAddressHistory.KeyPath(),
                                  RegAccess::Read));
}

}  // namespace
}  // namespace glmx::settings
