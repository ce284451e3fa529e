#include "ui/mainwindow/inventory_views.h"

#include "ui/mainwindow/main_window.h"

namespace glmx::ui {

using inventory::FillMode;
using inventory::FillProgramList;

class InventoryViews::ProcessesView final : public InventorySource {
public:
    explicit ProcessesView(InventoryViews& owner) : owner_(owner) {}
    void Collect() override {
        owner_.collectors_.processes.CollectProcesses(owner_.platform_.processes, owner_.platform_.versions);
    }
    void Fill(int) override {
        FillProgramList(owner_.list_, owner_.list_, owner_.collectors_.processes.Records(),
                        owner_.platform_.shell, FillMode::Adding, inventory::kProcessesStatus);
    }
    // The record the row refers to.
    void ShowItemInfo(int row) override {
        const long long record = owner_.list_.RowRecord(row);
        const auto& records = owner_.collectors_.processes.Records();
        if (record < 0 || static_cast<size_t>(record) >= records.size()) return;
        owner_.offline_.ShowProgramInfo(records[static_cast<size_t>(record)], owner_.list_.RowImage(row));
    }

private:
    InventoryViews& owner_;
};

class InventoryViews::ApplicationsView final : public InventorySource {
public:
    explicit ApplicationsView(InventoryViews& owner) : owner_(owner) {}
    void Collect() override {
        owner_.collectors_.applications.CollectApplications(
            owner_.platform_.windows, owner_.platform_.processes, owner_.platform_.versions);
    }
    void Fill(int) override {
        FillProgramList(owner_.list_, owner_.list_, owner_.collectors_.applications.Records(),
                        owner_.platform_.shell, FillMode::Adding, inventory::kApplicationsStatus);
    }
    // The record at the row's position.
    void ShowItemInfo(int row) override {
        const auto& records = owner_.collectors_.applications.Records();
        if (row < 0 || static_cast<size_t>(row) >= records.size()) return;
        owner_.offline_.ShowProgramInfo(records[static_cast<size_t>(row)], owner_.list_.RowImage(row));
    }

private:
    InventoryViews& owner_;
};

InventoryViews::InventoryViews(TFMain& window, InventoryPlatform platform, InventoryCollectors collectors,
                               info::OfflineInformationBuilder& offline)
    : window_(window),
      platform_(platform),
      collectors_(collectors),
      offline_(offline),
      list_(window.Pages().InventoryList(), window.StatusBar()),
      processes_(std::make_unique<ProcessesView>(*this)),
      applications_(std::make_unique<ApplicationsView>(*this)),
      actions_{collectors.applications, collectors.processes, list_, list_, platform.processes,
               platform.windows, platform.messages, platform.shell,
               [this] { window_.Switcher().ShowSelectionInfo(); }} {}

InventoryViews::~InventoryViews() = default;

ViewServices InventoryViews::Services() {
    ViewServices services;
    services.processes = processes_.get();
    services.applications = applications_.get();
    services.actions = this;
    return services;
}

void InventoryViews::ControlButtonClicked(ViewKind view) { inventory::ControlButtonClicked(view, actions_); }

void InventoryViews::SwitchToClicked() { inventory::SwitchToClicked(actions_); }

}  // namespace glmx::ui
