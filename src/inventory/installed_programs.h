// The installed-programs view's records: the programs registered for removal by the
// machine (in both registry views) and by the user, their icons, their rows, and
// running a program's uninstaller with the clean-up of what it left behind.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "inventory/installed_program_record.h"
#include "inventory/program_list.h"
#include "platform/program_runner.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system_folders.h"
#include "platform/user_messages.h"

namespace glmx::inventory {

using TInstalledProgramsInfo = std::vector<InstalledProgramInfo>;

struct InstalledProgramsSystem {
    platform::Registry& registry;
    // The 32-bit programs' view of the machine-wide keys; null where there is none.
    platform::Registry* registry32;
    const platform::FileSystem& files;
    const platform::Shell& shell;
    const platform::SystemFolders& folders;
    // The file the system's add/remove-programs cache tracks for an entry; "" for none.
    std::function<std::string(const InstalledProgramInfo&)> trackedName;
};

inline constexpr std::string_view kInstalledProgramsStatus = " installed programs";
inline constexpr std::string_view kUninstallFailedCleanedUp =
    "Unistallation of the program failed. Cleaned Up";
inline constexpr std::string_view kProgramStillInstalled = "Program still installed";
inline constexpr std::string_view kFoundInRegistryCleanedUp =
    "Program found in registry. Cleaned Up";
// Followed by the system's reason and kRemoveEntryQuestion.
inline constexpr std::string_view kUninstallerNotStarted = "The uninstaller could not be started: ";
inline constexpr std::string_view kRemoveEntryQuestion =
    "Do you want to remove the program from the list of installed programs?";
inline constexpr std::string_view kUninstallerNotFound = "the program it names was not found.";
inline constexpr std::string_view kEntryNotRemoved =
    "The program's entry could not be removed from the list of installed programs.";
inline constexpr std::string_view kNothingCleanedUp =
    "The list of installed programs could not be read. Nothing was cleaned up.";

// The Uninstall key's path in the record's hive.
std::string UninstallKeyPath(platform::RegRoot root);
// The registry that holds the record's entry.
platform::Registry& RegistryOf(const InstalledProgramsSystem& system,
                               const InstalledProgramInfo& record);

// Empties the records and reads the machine's entries, the 32-bit view's, then the
// user's; an entry needs a "DisplayName" and an "UninstallString" of a string type,
// both non-empty. Sorted by the ASCII upper-cased display name, equal names keeping
// that order.
void CollectInstalledPrograms(const InstalledProgramsSystem& system,
                              TInstalledProgramsInfo& records);

// The system image-list index of the program's icon, or -1: its "DisplayIcon" (read
// with the entry), the file the cache tracks, its uninstaller's file, the icon Windows
// Installer keeps.
int GetInstalledProgramIcon(const InstalledProgramsSystem& system,
                            const InstalledProgramInfo& record);

// Adding: one row per record with its icon, the first selected and the list focused.
// Re-tying: row i refers to record i again. Both end with the status text.
void FillInstalledList(RecordRows& rows, RowTies& ties, StatusLine& status,
                       const TInstalledProgramsInfo& records, const InstalledProgramsSystem& system,
                       FillMode mode);

// After an uninstaller ran (or could not start): true while the program counts as
// installed. A registration whose uninstall command remains is never deleted
// unasked; one the uninstaller could not start for is deleted only when the user
// says Yes to the question.
bool CheckUninstallResult(const InstalledProgramsSystem& system, platform::UserMessages& messages,
                          const InstalledProgramInfo& record, const platform::RunOutcome& outcome);

// Runs the program's uninstaller, waits for it and looks at its entry again; true when
// the program counts as removed.
bool UninstallProgram(const InstalledProgramsSystem& system, platform::ProgramRunner& runner,
                      platform::UserMessages& messages, const InstalledProgramInfo& record);

}  // namespace glmx::inventory
