#include "ui/mainwindow/inventory_views.h"

namespace glmx::ui {

using inventory::FillMode;
using inventory::FillProgramList;

// One view of running programs: its collector fills the list, and every row keeps
// the index of its record, which deletions re-tie.
class InventoryViews::ProgramsView final : public InventorySource {
public:
    ProgramsView(ProgramListControl& list, const inventory::ProgramRecords& records,
                 const platform::Shell& shell, info::OfflineInformationBuilder& offline,
                 std::string_view status, std::function<void()> collect)
        : list_(list),
          records_(records),
          shell_(shell),
          offline_(offline),
          status_(status),
          collect_(std::move(collect)) {}

    void Collect() override { collect_(); }
    void Fill(int) override {
        FillProgramList(list_, list_, records_.Records(), shell_, FillMode::Adding, status_);
    }
    void ShowItemInfo(int row) override {
        const long long record = list_.RowRecord(row);
        const auto& records = records_.Records();
        if (record < 0 || static_cast<size_t>(record) >= records.size()) return;
        offline_.ShowProgramInfo(records[static_cast<size_t>(record)], list_.RowImage(row));
    }

private:
    ProgramListControl& list_;
    const inventory::ProgramRecords& records_;
    const platform::Shell& shell_;
    info::OfflineInformationBuilder& offline_;
    std::string_view status_;
    std::function<void()> collect_;
};

InventoryViews::InventoryViews(InventoryPlatform platform, InventoryCollectors collectors,
                               info::OfflineInformationBuilder& offline, HWND list, HWND statusBar,
                               std::function<void()> showSelectionInfo)
    : list_(list, statusBar),
      processes_(std::make_unique<ProgramsView>(
          list_, collectors.processes, platform.shell, offline, inventory::kProcessesStatus,
          [platform, &collectors = collectors.processes] {
              collectors.CollectProcesses(platform.processes, platform.versions);
          })),
      applications_(std::make_unique<ProgramsView>(
          list_, collectors.applications, platform.shell, offline, inventory::kApplicationsStatus,
          [platform, &collectors = collectors.applications] {
              collectors.CollectApplications(platform.windows, platform.processes,
                                             platform.versions);
          })),
      actions_{collectors.applications,
               collectors.processes,
               list_,
               list_,
               platform.processes,
               platform.windows,
               platform.messages,
               platform.shell,
               std::move(showSelectionInfo)} {}

InventoryViews::~InventoryViews() = default;

void InventoryViews::AddTo(ViewServices& services) {
    services.processes = processes_.get();
    services.applications = applications_.get();
    services.actions = this;
}

void InventoryViews::ControlButtonClicked(ViewKind view) {
    inventory::ControlButtonClicked(view, actions_);
}

void InventoryViews::SwitchToClicked() { inventory::SwitchToClicked(actions_); }

}  // namespace glmx::ui
