#include "ui/mainwindow/installed_programs_view.h"

#include "inventory/item_actions.h"

namespace glmx::ui {

InstalledProgramsView::InstalledProgramsView(ProgramListControl& list,
                                             inventory::InstalledProgramsSystem system,
                                             platform::ProgramRunner& runner,
                                             platform::UserMessages& messages,
                                             info::OfflineInformationBuilder& offline,
                                             std::function<void()> refreshInformation)
    : list_(list),
      system_(std::move(system)),
      runner_(runner),
      messages_(messages),
      offline_(offline),
      refreshInformation_(std::move(refreshInformation)) {}

void InstalledProgramsView::Collect() { inventory::CollectInstalledPrograms(system_, records_); }

void InstalledProgramsView::Fill(int) {
    inventory::FillInstalledList(list_, list_, list_, records_, system_,
                                 inventory::FillMode::Adding);
}

const inventory::InstalledProgramInfo* InstalledProgramsView::RecordOfRow(int row) const {
    if (row < 0) return nullptr;
    const long long record = list_.RowRecord(row);
    if (record < 0 || static_cast<size_t>(record) >= records_.size()) return nullptr;
    return &records_[static_cast<size_t>(record)];
}

void InstalledProgramsView::ShowItemInfo(int row) {
    if (const auto* record = RecordOfRow(row))
        offline_.ShowInstalledProgramInfo(*record, list_.RowImage(row));
}

void InstalledProgramsView::UninstallSelected() {
    const auto selected = inventory::SelectedRecordOf(list_, records_.size());
    if (!selected) return;
    // The uninstaller may take long; the record stays the one the user chose.
    const inventory::InstalledProgramInfo record = records_[selected->record];
    if (!inventory::UninstallProgram(system_, runner_, messages_, record)) return;
    inventory::RemoveRecordAndRow(
        list_, selected->row,
        [&] { records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(selected->record)); },
        [&] {
            inventory::FillInstalledList(list_, list_, list_, records_, system_,
                                         inventory::FillMode::Retying);
        },
        refreshInformation_);
}

}  // namespace glmx::ui
