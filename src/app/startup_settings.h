// The settings work of main-window creation that is not about placement.
#pragma once

#include "settings/settings_stores.h"

namespace glmx::app {

// Brings back missing configuration defaults and loads them, and brings back any
// missing default file-search mask (which then stands first in its history).
void PrepareConfigurationStores(settings::SettingsStores& stores);

}  // namespace glmx::app
