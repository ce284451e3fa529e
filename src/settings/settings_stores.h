// The program's six settings stores, created before any window and alive until
// the process ends.
#pragma once

#include <string>
#include <string_view>

#include "platform/registry.h"
#include "settings/reg_info.h"

namespace glmx::settings {

inline constexpr std::string_view kSettingsBaseKey = "Software\\Quenfield\\GLMX";

struct SettingsStores {
    // Each store gets its defaults; no registry key is touched yet.
    explicit SettingsStores(platform::Registry& registry,
                            std::string baseKey = std::string(kSettingsBaseKey));

    TRegInfoClass QuickSearchHistory;
    TRegInfoClass InternetAddressHistory;
    TRegInfoClass FileSearchHistory;
    TRegInfoClass FolderSearchHistory;
    TRegInfoClass ConfigurationSettings;
    TRegInfoClass DesktopSettings;
};

}  // namespace glmx::settings
