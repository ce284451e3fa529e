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

// Asks before this program ends itself; true to go on.
bool MayEnd(ProgramActions& actions, std::uint32_t processId) {
    return processId != actions.system.CurrentProcessId() ||
           actions.messages.Confirm(kEndsGlimmerboxItself);
}

template <typename Collector>
void RemoveRecordAndRow(ProgramActions& actions, Collector& collector, SelectedRecord selected,
                        std::string_view statusSuffix) {
    RemoveRecordAndRow(
        actions.list, selected.row, [&] { collector.Delete(selected.record); },
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
        const auto selected = SelectedRecordOf(actions.list, actions.applications.Count());
        if (!selected) return;
        const RunningProgramInfo& record = actions.applications.Records()[selected->record];
        if (!MayEnd(actions, record.ProcessId)) return;
        if (CloseAppWindow(actions.windows, record.WindowHandle))
            RemoveRecordAndRow(actions, actions.applications, *selected, kApplicationsStatus);
    } else if (view == vkRunningProcesses) {
        const auto selected = SelectedRecordOf(actions.list, actions.processes.Count());
        if (!selected) return;
        const std::uint32_t processId = actions.processes.Records()[selected->record].ProcessId;
        if (!MayEnd(actions, processId)) return;
        if (EndProcess(actions.system, actions.messages, processId))
            RemoveRecordAndRow(actions, actions.processes, *selected, kProcessesStatus);
    }
}

void SwitchToClicked(ProgramActions& actions) {
    if (const auto selected = SelectedRecordOf(actions.list, actions.applications.Count()))
        ActivateAppWindow(actions.windows,
                          actions.applications.Records()[selected->record].WindowHandle);
}

}  // namespace glmx::inventory
