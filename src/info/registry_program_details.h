// The installed-program details as the registry holds them: the cache's key
// names are read once, when this is made at start-up.
#pragma once

#include <string>
#include <vector>

#include "info/arp_cache.h"
#include "info/offline_information.h"

namespace glmx::info {

class RegistryProgramDetails final : public InstalledProgramDetails {
public:
    RegistryProgramDetails(platform::Registry& registry, const platform::Locale& locale)
        : registry_(registry), locale_(locale), arpCacheKeyNames_(ReadArpCacheKeyNames(registry)) {}

    ArpCacheInfo CacheInfo(const std::string& uninstallKeyName) const override {
        return ReadArpCacheInfo(registry_, arpCacheKeyNames_, uninstallKeyName, locale_);
    }
    TProgramInfoCache UninstallValues(const std::string& uninstallKeyName) const override {
        return ReadUninstallValues(registry_, uninstallKeyName);
    }

private:
    platform::Registry& registry_;
    const platform::Locale& locale_;
    std::vector<std::string> arpCacheKeyNames_;
};

}  // namespace glmx::info
