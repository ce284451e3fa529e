#include "settings/settings_stores.h"

namespace glmx::settings {

SettingsStores::SettingsStores(platform::Registry& registry, std::string baseKey)
    : QuickSearchHistory(registry, baseKey, "History\\Quick Search History"),
      InternetAddressHistory(registry, baseKey, "History\\Internet Address History"),
      FileSearchHistory(registry, baseKey, "History\\File Search History"),
      FolderSearchHistory(registry, baseKey, "History\\Folder Search History"),
      ConfigurationSettings(registry, baseKey, "Configuration"),
      DesktopSettings(registry, baseKey, "Desktop") {
    // A history entry is a value name with empty data.
    for (const char* mask : {"*.tmp", "*.bat", "*.exe"})
        FileSearchHistory.ImplicitValues().Add(mask, "");

    TImplicitValues& configuration = ConfigurationSettings.ImplicitValues();
    configuration.Add("GLMXinFileContext", "1");
    configuration.Add("GLMXinFolderContext", "1");
    configuration.Add("GLMXinDriveContext", "1");
    configuration.Add("GLMXinRBContext", "1");
    configuration.Add("Conf_ModifierCtrl", "1");
    configuration.Add("Conf_ModifierShift", "0");
    configuration.Add("Conf_ModifierAlt", "0");
    configuration.Add("ShowStartupType", "0");

    TImplicitValues& desktop = DesktopSettings.ImplicitValues();
    desktop.Add("Top", "50");
    desktop.Add("Left", "50");
    desktop.Add("Width", "850");
    desktop.Add("Height", "600");
    desktop.Add("MaximizedWindow", "0");
}

}  // namespace glmx::settings
