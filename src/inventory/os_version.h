// The running Windows version, as far as the collectors need it.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/processes.h"

namespace glmx::inventory {

enum OsVersionKind : std::uint8_t {
    osWin95 = 0,
    osWin98 = 1,
    osWinMe = 2,
    osNT351 = 3,
    osNT4 = 4,
    osWin2000 = 5,
    osWinXP = 6,
    osWin2003 = 7,
};

// The kind whose platform and version match exactly; nullopt for any other
// system, Windows Vista and every later Windows among them.
std::optional<OsVersionKind> ClassifyOsVersion(const platform::OsVersionNumbers& version);
std::optional<OsVersionKind> GetOsVersionKind(const platform::ProcessSystem& system);

// 9x systems name a process's full path in the snapshot; NT systems need the
// process-status functions.
enum class OsGroup { Win9x, NT };

// The group of a classified system; a system outside the table goes by its
// platform, so Vista and every later NT system collect as NT does.
OsGroup GroupOf(const platform::OsVersionNumbers& version);

}  // namespace glmx::inventory
