// The installed-program details as the registry holds them: the cache's key
// names are read once, when this is made at start-up, from each place programs
// register in.
#pragma once

#include <string>
#include <vector>

#include "info/arp_cache.h"
#include "info/offline_information.h"

namespace glmx::info {

class RegistryProgramDetails final : public InstalledProgramDetails {
public:
    // registry32: the 32-bit programs' view of the machine; null where there is none.
    RegistryProgramDetails(platform::Registry& registry, platform::Registry* registry32,
                           const platform::Locale& locale)
        : registry_(registry),
          registry32_(registry32),
          locale_(locale),
          machineNames_(ReadArpCacheKeyNames(registry, platform::RegRoot::LocalMachine)),
          machine32Names_(registry32
                              ? ReadArpCacheKeyNames(*registry32, platform::RegRoot::LocalMachine)
                              : std::vector<std::string>()),
          userNames_(ReadArpCacheKeyNames(registry, platform::RegRoot::CurrentUser)) {}

    ArpCacheInfo CacheInfo(const inventory::InstalledProgramInfo& record) const override {
        const std::vector<std::string>& names =
            record.root == platform::RegRoot::CurrentUser
                ? userNames_
                : (Bits32(record) ? machine32Names_ : machineNames_);
        return ReadArpCacheInfo(RegistryOf(record), names, record.KeyName, locale_, record.root);
    }
    TProgramInfoCache UninstallValues(
        const inventory::InstalledProgramInfo& record) const override {
        return ReadUninstallValues(RegistryOf(record), record.KeyName, record.root);
    }

private:
    bool Bits32(const inventory::InstalledProgramInfo& record) const {
        return record.bits32 && registry32_;
    }
    platform::Registry& RegistryOf(const inventory::InstalledProgramInfo& record) const {
        return Bits32(record) ? *registry32_ : registry_;
    }

    platform::Registry& registry_;
    platform::Registry* registry32_;
    const platform::Locale& locale_;
    std::vector<std::string> machineNames_;
    std::vector<std::string> machine32Names_;
    std::vector<std::string> userNames_;
};

}  // namespace glmx::info
