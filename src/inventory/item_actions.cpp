#include "inventory/item_actions.h"

#include <algorithm>

namespace glmx::inventory {

bool EndProcess(platform::ProcessSystem& system, platform::UserMessages& messages,
                std::uint32_t processId) {
    const platform::EndProcessResult result = system.EndProcess(processId);
    switch (result.status) {
        case platform::EndProcessStatus::Ended:
        case platform::EndProcessStatus::AlreadyExited:
            return true;
        case platform::EndProcessStatus::OpenFailed:
            messages.Information(kNoProcessHandle);
            return false;
        case platform::EndProcessStatus::TerminateFailed:
            break;
    }
    std::string text(kProcessNotEnded);
    text += result.reason.empty() ? "." : ": " + result.reason;
    messages.Warning(text);
    return false;
}

bool CloseAppWindow(platform::TopLevelWindows& windows, platform::WindowId window) {
    return windows.SendClose(window) == platform::WindowReply::Answered;
}

bool ActivateAppWindow(platform::TopLevelWindows& windows, platform::WindowId window) {
    return windows.SwitchTo(window);
}

namespace {

// The selected row when it has a record, else -1.
int SelectedRecordRow(const ProgramListView& list, size_t recordCount) {
    const int row = list.SelectedRow();
    return row >= 0 && static_cast<size_t>(row) < recordCount ? row : -1;
}

// Asks before this program ends itself; true to go on.
bool MayEnd(ProgramActions& actions, std::uint32_t processId) {
    return processId != actions.system.CurrentProcessId() ||
           actions.messages.Confirm(kEndsGlimmerboxItself);
}

template <typename Collector>
void RemoveRecordAndRow(ProgramActions& actions, Collector& collector, int row,
                        std::string_view statusSuffix) {
    RemoveRecordAndRow(
        actions.list, row, [&] { collector.Delete(static_cast<size_t>(row)); },
        [&] { RetieRows(actions.list, actions.status, collector.Count(), statusSuffix); },
        actions.refreshInformation);
}

}  // namespace

void RemoveRecordAndRow(RowTies& list, int row, const std::function<void()>& eraseRecord,
                        const std::function<void()>& retie,
                        const std::function<void()>& refreshInformation) {
    eraseRecord();
    list.DeleteRow(row);
    retie();
    const int rows = list.RowCount();
    if (rows > 0) list.SelectRow(std::min(row, rows - 1));
    if (refreshInformation) refreshInformation();
}

void ControlButtonClicked(ViewKind view, ProgramActions& actions) {
    if (view == vkRunningApplications) {
        const int row = SelectedRecordRow(actions.list, actions.applications.Count());
        if (row < 0) return;
        const RunningProgramInfo& record = actions.applications.Records()[static_cast<size_t>(row)];
        if (!MayEnd(actions, record.ProcessId)) return;
        if (CloseAppWindow(actions.windows, record.WindowHandle))
            RemoveRecordAndRow(actions, actions.applications, row, kApplicationsStatus);
    } else if (view == vkRunningProcesses) {
        const int row = SelectedRecordRow(actions.list, actions.processes.Count());
        if (row < 0) return;
        const std::uint32_t processId =
            actions.processes.Records()[static_cast<size_t>(row)].ProcessId;
        if (!MayEnd(actions, processId)) return;
        if (EndProcess(actions.system, actions.messages, processId))
            RemoveRecordAndRow(actions, actions.processes, row, kProcessesStatus);
    }
}

void SwitchToClicked(ProgramActions& actions) {
    const int row = SelectedRecordRow(actions.list, actions.applications.Count());
    if (row >= 0)
        ActivateAppWindow(actions.windows,
                          actions.applications.Records()[static_cast<size_t>(row)].WindowHandle);
}

}  // namespace glmx::inventory
