// The settings stores over the real registry; what they hold is the unit tests' business.
#include <gtest/gtest.h>

#include "app/startup_settings.h"
#include "platform/win32/win32_registry.h"
#include "settings/settings_stores.h"
#include "support/scoped_test_key.h"

namespace glmx::settings {
namespace {

using platform::RegAccess;
using platform::RegRoot;

TEST(SettingsWin, StartUpWritesTheDefaultsAndChangesLoadBack) {
    const glmx::testing::ScopedTestKey testKey;
    platform::win32::Win32Registry registry;
    SettingsStores stores{registry, testKey.Path()};
    app::PrepareConfigurationStores(stores);
    auto masks = registry.OpenKey(
        RegRoot::CurrentUser, testKey.Path() + "\\History\\File Search History", RegAccess::Read);
    ASSERT_TRUE(masks);
    EXPECT_EQ(masks->Values().size(), 3u);

    stores.ConfigurationSettings.SetValue("ShowStartupType", "2");
    TRegInfoClass again(registry, testKey.Path(), "Configuration");
    again.LoadValues();
    EXPECT_EQ(again.GetValue("ShowStartupType"), "2");
    EXPECT_EQ(again.GetValue("GLMXinRBContext"), "1");
}

}  // namespace
}  // namespace glmx::settings
