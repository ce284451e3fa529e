#include "app/startup_settings.h"

namespace glmx::app {

void PrepareConfigurationStores(settings::SettingsStores& stores) {
    stores.ConfigurationSettings.WriteImplicitValues();
    stores.ConfigurationSettings.LoadValues();
    stores.FileSearchHistory.WriteImplicitValues();
}

}  // namespace glmx::app
