// The process and application views: their collectors fill the inventory list,
// and the function bar's buttons act on the selected row.
#pragma once

#include <functional>
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

class InventoryViews final : public ItemActions {
public:
    // list: the inventory page's list; showSelectionInfo shows the selected row's information.
    InventoryViews(InventoryPlatform platform, InventoryCollectors collectors,
                   info::OfflineInformationBuilder& offline, HWND list, HWND statusBar,
                   std::function<void()> showSelectionInfo);
    ~InventoryViews() override;

    // Adds the views to the switches' services; this object stays their owner.
    void AddTo(ViewServices& services);
    ProgramListControl& List() { return list_; }

    void ControlButtonClicked(ViewKind view) override;
    void SwitchToClicked() override;

private:
    class ProgramsView;

    ProgramListControl list_;
    std::unique_ptr<ProgramsView> processes_;
    std::unique_ptr<ProgramsView> applications_;
    inventory::ProgramActions actions_;
};

}  // namespace glmx::ui
