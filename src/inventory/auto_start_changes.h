// Enabling, disabling and deleting auto-start entries. Every change writes the new
// state before it removes the old one, and undoes its first steps when a later one
// fails, so an entry is never lost or left half-moved; a change that fails tells the
// user why, and the entry stays as it was.
#pragma once

#include <string_view>

#include "inventory/auto_start.h"
#include "platform/user_messages.h"

namespace glmx::inventory {

inline constexpr std::string_view kConfirmAutoStartDelete =
    "Are you sure you want to delete this program from startup?";

// Disables an active entry, enables a disabled one: a registry value moves, with its
// type, between its key and the key's "_Disabled" sibling; a shortcut is parked (its
// record below the startupfolder key, its file in the Windows folder's "pss" folder)
// or restored. An entry that only the system's own switch turns off is enabled by
// clearing that switch. True when the change was made.
bool ToggleAutoStart(const AutoStartSystem& system, platform::UserMessages& messages,
                     const TAutoStartProgramInfo& record);

// Removes the entry: its value, its shortcut, or a parked shortcut's file and record.
bool DeleteAutoStart(const AutoStartSystem& system, platform::UserMessages& messages,
                     const TAutoStartProgramInfo& record);

}  // namespace glmx::inventory
