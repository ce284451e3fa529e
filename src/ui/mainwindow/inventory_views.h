// The process and application views: their collectors fill the inventory list,
// and the function bar's buttons act on the selected row.
#pragma once

#include <memory>

#include "info/offline_information.h"
#include "inventory/item_actions.h"
#include "inventory/running_applications.h"
#include "inventory/running_programs.h"
#include "platform/processes.h"
#include "platform/shell.h"
#include "platform/top_level_windows.h"
#include "platform/user_messages.h"
#include "platform/version_resources.h"
#include "ui/mainwindow/program_list_control.h"
#include "ui/mainwindow/view_services.h"

namespace glmx::ui {

// The system services behind the inventory views.
struct InventoryPlatform {
    platform::ProcessSystem& processes;
    platform::TopLevelWindows& windows;
    const platform::VersionResources& versions;
    const platform::Shell& shell;
    platform::UserMessages& messages;
};

// The program-wide collectors.
struct InventoryCollectors {
    inventory::TRunningApplicationsInfo& applications;
    inventory::TRunningProgramsInfoClass& processes;
};

class TFMain;

class InventoryViews final : public ItemActions {
public:
    InventoryViews(TFMain& window, InventoryPlatform platform, InventoryCollectors collectors,
                   info::OfflineInformationBuilder& offline);
    ~InventoryViews() override;

    // The views and actions, for TFMain::SetServices.
    ViewServices Services();
    ProgramListControl& List() { return list_; }

    void ControlButtonClicked(ViewKind view) override;
    void SwitchToClicked() override;

private:
    class ProcessesView;
    class ApplicationsView;

    TFMain& window_;
    InventoryPlatform platform_;
    InventoryCollectors collectors_;
    info::OfflineInformationBuilder& offline_;
    ProgramListControl list_;
    std::unique_ptr<ProcessesView> processes_;
    std::unique_ptr<ApplicationsView> applications_;
    inventory::ProgramActions actions_;
};

}  // namespace glmx::ui
