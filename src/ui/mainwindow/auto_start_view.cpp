#include "ui/mainwindow/auto_start_view.h"

#include <algorithm>

#include "inventory/auto_start_changes.h"

namespace glmx::ui {

AutoStartView::AutoStartView(ProgramListControl& list, inventory::AutoStartSystem system,
                             platform::UserMessages& messages,
                             info::OfflineInformationBuilder& offline,
                             std::function<void()> rebuild)
    : list_(list),
      system_(system),
      messages_(messages),
      offline_(offline),
      rebuild_(std::move(rebuild)) {}

void AutoStartView::Collect() { inventory::CollectAutoStartPrograms(system_, records_); }

void AutoStartView::Fill(int startupFilter) {
    inventory::FillAutoStartList(list_, list_, records_, startupFilter, system_.shell);
}

const inventory::TAutoStartProgramInfo* AutoStartView::RecordOfRow(int row) const {
    if (row < 0) return nullptr;
    const long long record = list_.RowRecord(row);
    if (record < 0 || static_cast<size_t>(record) >= records_.size()) return nullptr;
    return &records_[static_cast<size_t>(record)];
}

void AutoStartView::ShowItemInfo(int row) {
    if (const auto* record = RecordOfRow(row))
        offline_.ShowAutoStartInfo(*record, list_.RowImage(row));
}

void AutoStartView::ToggleSelected() {
    const int row = list_.SelectedRow();
    const auto* record = RecordOfRow(row);
    if (!record) return;
    const inventory::TAutoStartProgramInfo changed = *record;
    inventory::ToggleAutoStart(system_, messages_, changed);
    RebuildAndReselect(row, &changed);  // shows what the system now holds, after a failure too
}

void AutoStartView::DeleteSelected() {
    const int row = list_.SelectedRow();
    const auto* record = RecordOfRow(row);
    if (!record || !messages_.Confirm(inventory::kConfirmAutoStartDelete)) return;
    inventory::DeleteAutoStart(system_, messages_, *record);
    RebuildAndReselect(row, nullptr);
}

void AutoStartView::RebuildAndReselect(int oldRow, const inventory::TAutoStartProgramInfo* entry) {
    rebuild_();
    const int rows = list_.RowCount();
    if (rows == 0) return;
    // The changed entry where the filter still shows it, else the row now at its place.
    int row = std::min(oldRow, rows - 1);
    for (int candidate = 0; entry && candidate < rows; ++candidate) {
        const auto* shown = RecordOfRow(candidate);
        if (shown && shown->Name == entry->Name && shown->Command == entry->Command &&
            shown->StartType == entry->StartType) {
            row = candidate;
            break;
        }
    }
    if (row == 0) return;  // the rebuild selected and described it already
    list_.SelectRow(row);
    ShowItemInfo(row);
}

}  // namespace glmx::ui
