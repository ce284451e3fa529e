// An auto-start entry, as the auto-start view lists it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace glmx::inventory {

inline constexpr std::string_view kRegistrySection = "Registry Section";
inline constexpr std::string_view kStartupFolder = "Startup Folder";

// The value in which Windows 8 and later keep their own on/off switch of an entry
// (the task manager's "Startup" page writes it).
struct StartupApproval {
    platform::RegRoot root = platform::RegRoot::CurrentUser;
    std::string key;
    std::string valueName;
};

struct TAutoStartProgramInfo {
    std::string Name;
    std::string Command;
    std::string StartType;  // kRegistrySection or kStartupFolder
    // A registry entry's key as the user reads it ("HKEY_CURRENT_USER\...\Run"); a
    // shortcut's Startup folder by its name ("Startup", "Common Startup").
    std::string Location;
    std::string Path;  // a shortcut's file
    bool Disabled = false;
    std::string Backup;       // where a parked shortcut's file lies
    std::string MsconfigKey;  // a parked shortcut's record below the startupfolder key

    // A registry entry's root and key, in the registry view it was read from: the
    // 32-bit programs' view of the machine for bits32.
    platform::RegRoot root = platform::RegRoot::CurrentUser;
    std::string keyPath;
    bool bits32 = false;
    // The system's switch for the entry, where it can have one, and whether it is off.
    std::optional<StartupApproval> approval;
    bool DisabledBySystem = false;
};

}  // namespace glmx::inventory
