// The auto-start view's records: every place Windows starts programs from at log-on,
// the entries switched off, and the list that shows them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "inventory/auto_start_record.h"
#include "inventory/program_list.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace glmx::inventory {

using TAutoStartProgramsInfo = std::vector<TAutoStartProgramInfo>;

// What the auto-start entries are read from and changed in.
struct AutoStartSystem {
    platform::Registry& registry;
    // The 32-bit programs' view of the machine-wide keys; null where there is none.
    platform::Registry* registry32;
    platform::FileSystem& files;
    const platform::Shell& shell;
};

inline constexpr std::string_view kStartupFolderKey =
    "SOFTWARE\\Microsoft\\Shared Tools\\MSConfig\\startupfolder";

// A registry entry's key as the user finds it: the 32-bit view's machine-wide keys
// lie below "WOW6432Node".
std::string ShownKeyPath(platform::RegRoot root, std::string_view keyPath, bool bits32);

// Empties the records and reads them again from every source, in the sources' order
// (the machine-wide keys' 32-bit view right after each), then sorts them by name
// without regard to ASCII case, keeping equal names in that order. Keys are only read.
void CollectAutoStartPrograms(const AutoStartSystem& system, TAutoStartProgramsInfo& records);

// The status texts, after the number of rows, for the filter 0 (all), 1 (enabled
// only) and 2 (disabled only).
std::string_view AutoStartStatusSuffix(int filter);

// Fills the list with the records the filter lets through (an unknown filter shows
// all), each row tied to its record, disabled rows marked; selects the first row,
// focuses the list and sets the status text.
void FillAutoStartList(RecordRows& list, StatusLine& status, const TAutoStartProgramsInfo& records,
                       int filter, const platform::Shell& shell);

// Whether an approval value switches its entry off: its first byte is odd.
bool ApprovalSwitchesOff(const platform::RegData& data);

}  // namespace glmx::inventory
