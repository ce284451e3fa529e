// What the inventory page's buttons do to the selected process or application.
#pragma once

#include <cstdint>
#include <functional>

#include "inventory/program_list.h"
#include "inventory/running_applications.h"
#include "inventory/running_programs.h"
#include "inventory/view_kind.h"
#include "platform/processes.h"
#include "platform/shell.h"
#include "platform/top_level_windows.h"
#include "platform/user_messages.h"

namespace glmx::inventory {

inline constexpr std::string_view kNoProcessHandle = "Unable to get process Handle";
// Followed by ": " and the system's reason.
inline constexpr std::string_view kProcessNotEnded = "The process could not be ended";
inline constexpr std::string_view kEndsGlimmerboxItself =
    "This will end Glimmerbox itself. Do you want to continue?";

// Ends the process; true when it is gone, also when it ended by itself meanwhile.
// Otherwise it tells the user why and gives false.
bool EndProcess(platform::ProcessSystem& system, platform::UserMessages& messages,
                std::uint32_t processId);
// Asks the window to close; false when it refuses (answers 1) or does not answer.
bool CloseAppWindow(platform::TopLevelWindows& windows, platform::WindowId window);
// Brings the window to the front, restoring it when minimised.
bool ActivateAppWindow(platform::TopLevelWindows& windows, platform::WindowId window);

struct ProgramActions {
    TRunningApplicationsInfo& applications;
    TRunningProgramsInfoClass& processes;
    ProgramListView& list;
    StatusLine& status;
    platform::ProcessSystem& system;
    platform::TopLevelWindows& windows;
    platform::UserMessages& messages;
    const platform::Shell& shell;
    std::function<void()> refreshInformation;
};

// The removal of a record that is gone from the system, in any view whose rows are
// tied to records: eraseRecord drops it from its collector, its row goes,
// retie ties the rows to the records again, the row now at its place (or the last) is
// selected, and refreshInformation (when set) shows the selection's information.
void RemoveRecordAndRow(RowTies& list, int row, const std::function<void()>& eraseRecord,
                        const std::function<void()>& retie,
                        const std::function<void()>& refreshInformation);

// The control button: "End Task" in the applications view, "Close" in the processes
// view. On success the record and its row go, the rows are re-tied and the row now
// at the old place (or the last) is selected. Aimed at this program's own process or
// window, it asks first and does nothing on No.
void ControlButtonClicked(ViewKind view, ProgramActions& actions);
// "Switch To" in the applications view.
void SwitchToClicked(ProgramActions& actions);

}  // namespace glmx::inventory
