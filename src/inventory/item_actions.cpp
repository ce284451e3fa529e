#include "inventory/item_actions.h"

#include <algorithm>

namespace glmx::inventory {

bool EndProcess(platform::ProcessSystem& system, platform::UserMessages& messages,
                std::uint32_t processId) {
    if (system.EndProcess(processId) == platform::EndProcessResult::OpenFailed) {
        messages.Information(kNoProcessHandle);
        return false;
    }
    return true;
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

template <typename Collector>
void RemoveRecordAndRow(ProgramActions& actions, Collector& collector, int row,
                        std::string_view statusSuffix) {
    collector.Delete(static_cast<size_t>(row));
    actions.list.DeleteRow(row);
    FillProgramList(actions.list, actions.status, collector.Records(), actions.shell, FillMode::Retying,
                    statusSuffix);
    const int rows = actions.list.RowCount();
    if (rows > 0) actions.list.SelectRow(std::min(row, rows - 1));
    if (actions.refreshInformation) actions.refreshInformation();
}

}  // namespace

void ControlButtonClicked(ViewKind view, ProgramActions& actions) {
    if (view == vkRunningApplications) {
        const int row = SelectedRecordRow(actions.list, actions.applications.Count());
        if (row < 0) return;
        if (CloseAppWindow(actions.windows, actions.applications.Records()[static_cast<size_t>(row)].WindowHandle))
            RemoveRecordAndRow(actions, actions.applications, row, kApplicationsStatus);
    } else if (view == vkRunningProcesses) {
        const int row = SelectedRecordRow(actions.list, actions.processes.Count());
        if (row < 0) return;
        if (EndProcess(actions.system, actions.messages, actions.processes.Records()[static_cast<size_t>(row)].ProcessId))
            RemoveRecordAndRow(actions, actions.processes, row, kProcessesStatus);
    }
}

void SwitchToClicked(ProgramActions& actions) {
    const int row = SelectedRecordRow(actions.list, actions.applications.Count());
    if (row >= 0) ActivateAppWindow(actions.windows, actions.applications.Records()[static_cast<size_t>(row)].WindowHandle);
}

}  // namespace glmx::inventory
