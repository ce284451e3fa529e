#include "ui/mainwindow/auto_start_view.h"

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
    const auto* record = RecordOfRow(list_.SelectedRow());
    if (!record) return;
    inventory::ToggleAutoStart(system_, messages_, *record);
    rebuild_();  // shows what the system now holds, after a failure too
}

void AutoStartView::DeleteSelected() {
    const auto* record = RecordOfRow(list_.SelectedRow());
    if (!record || !messages_.Confirm(inventory::kConfirmAutoStartDelete)) return;
    inventory::DeleteAutoStart(system_, messages_, *record);
    rebuild_();
}

}  // namespace glmx::ui
