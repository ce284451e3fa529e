// What the add/remove-programs cache and the uninstall entry tell about an
// installed program.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/locale.h"
#include "platform/registry.h"

namespace glmx::info {

struct ArpCacheInfo {
    std::string sizeText;      // "12.50 MB"
    std::string lastUsedText;  // "03/14/2025", "(Unknown)"
    std::string usageText;     // "rarely", "occasionally", "frequently"
    std::string trackedName;
};

// The sub-key names of the cache, read once at start-up. The cache, like the
// uninstall entries, lies in the hive (and the registry view) of its programs.
std::vector<std::string> ReadArpCacheKeyNames(
    platform::Registry& registry, platform::RegRoot root = platform::RegRoot::LocalMachine);

// The four texts of a 552-byte "SlowInfoCache" record; all empty for any other size.
ArpCacheInfo ParseSlowInfoCache(std::span<const std::uint8_t> record,
                                const platform::Locale& locale);

// The cache's texts for an uninstall sub-key; empty texts when the cache has none.
ArpCacheInfo ReadArpCacheInfo(platform::Registry& registry,
                              const std::vector<std::string>& keyNames,
                              const std::string& uninstallKeyName, const platform::Locale& locale,
                              platform::RegRoot root = platform::RegRoot::LocalMachine);

struct TProgramInfoCacheType {
    std::string Name;
    std::string Value;
};
using TProgramInfoCache = std::vector<TProgramInfoCacheType>;

// The uninstall entry's values in stored order, but "DisplayName" and "UninstallString".
TProgramInfoCache ReadUninstallValues(platform::Registry& registry,
                                      const std::string& uninstallKeyName,
                                      platform::RegRoot root = platform::RegRoot::LocalMachine);

}  // namespace glmx::info
