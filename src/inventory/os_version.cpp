#include "inventory/os_version.h"

namespace glmx::inventory {

namespace {

constexpr std::uint32_t kPlatform9x = 1;
constexpr std::uint32_t kPlatformNT = 2;

struct KnownVersion {
    std::uint32_t platform, major, minor;
    OsVersionKind kind;
};

constexpr KnownVersion kKnownVersions[] = {
    {kPlatform9x, 4, 0, osWin95},  {kPlatform9x, 4, 10, osWin98},  {kPlatform9x, 4, 90, osWinMe},
    {kPlatformNT, 3, 51, osNT351}, {kPlatformNT, 4, 0, osNT4},     {kPlatformNT, 5, 0, osWin2000},
    {kPlatformNT, 5, 1, osWinXP},  {kPlatformNT, 5, 2, osWin2003},
};

}  // namespace

std::optional<OsVersionKind> ClassifyOsVersion(const platform::OsVersionNumbers& version) {
    for (const KnownVersion& known : kKnownVersions)
        if (known.platform == version.platformId && known.major == version.major &&
            known.minor == version.minor)
            return known.kind;
    return std::nullopt;
}

std::optional<OsVersionKind> GetOsVersionKind(const platform::ProcessSystem& system) {
    return ClassifyOsVersion(system.OsVersion());
}

OsGroup GroupOf(const platform::OsVersionNumbers& version) {
    if (const auto kind = ClassifyOsVersion(version))
        return *kind <= osWinMe ? OsGroup::Win9x : OsGroup::NT;
    return version.platformId == kPlatform9x ? OsGroup::Win9x : OsGroup::NT;
}

}  // namespace glmx::inventory
