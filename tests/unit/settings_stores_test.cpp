#include "settings/settings_stores.h"

#include <gtest/gtest.h>

#include "app/startup_settings.h"
#include "platform/fake/fake_registry.h"

namespace glmx::settings {
namespace {

using platform::RegRoot;

TEST(SettingsStores, SixStoresBelowTheBaseKeyNoKeyTouchedUntilStartUpWritesTheDefaults) {
    platform::FakeRegistry registry;
    SettingsStores stores(registry);
    EXPECT_EQ(registry.OpenCount(), 0);

    const std::pair<const TRegInfoClass*, const char*> expected[] = {
        {&stores.QuickSearchHistory, "History\\Quick Search History"},
        {&stores.InternetAddressHistory, "History\\Internet Address History"},
        {&stores.FileSearchHistory, "History\\File Search History"},
        {&stores.FolderSearchHistory, "History\\Folder Search History"},
        {&stores.ConfigurationSettings, "Configuration"},
        {&stores.DesktopSettings, "Desktop"},
    };
    for (const auto& [store, subKey] : expected) {
        EXPECT_EQ(store->BaseKey(), "Software\\Quenfield\\GLMX");
        EXPECT_EQ(store->SubKey(), subKey);
    }
    EXPECT_EQ(stores.QuickSearchHistory.ImplicitValues().Count(), 0u);

    // Start-up brings back the configuration's and the masks' defaults and loads the first.
    registry.CreateKey(RegRoot::CurrentUser, stores.ConfigurationSettings.KeyPath())
        ->SetValue("ShowStartupType", platform::MakeStringData("2"));

    app::PrepareConfigurationStores(stores);

    EXPECT_EQ(stores.ConfigurationSettings.Values().size(), 8u);
    EXPECT_EQ(stores.ConfigurationSettings.GetValue("ShowStartupType"), "2");
    EXPECT_EQ(stores.ConfigurationSettings.GetValue("GLMXinFileContext"), "1");
    EXPECT_EQ(registry
                  .OpenKey(RegRoot::CurrentUser, stores.FileSearchHistory.KeyPath(),
                           platform::RegAccess::Read)
                  ->Values()
                  .size(),
              3u);
    EXPECT_TRUE(stores.FileSearchHistory.Values().empty());  // written, not loaded
}

}  // namespace
}  // namespace glmx::settings
