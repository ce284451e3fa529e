// The installed-programs view: its records fill the inventory list, "Unistall" runs
// the selected program's uninstaller and drops the row of a program that is gone.
#pragma once

#include <functional>

#include "info/offline_information.h"
#include "inventory/installed_programs.h"
#include "platform/program_runner.h"
#include "platform/user_messages.h"
#include "ui/mainwindow/program_list_control.h"
#include "ui/mainwindow/view_services.h"

namespace glmx::ui {

class InstalledProgramsView final : public InventorySource {
public:
    // refreshInformation: shows the selected row's information after a removal.
    InstalledProgramsView(ProgramListControl& list, inventory::InstalledProgramsSystem system,
                          platform::ProgramRunner& runner, platform::UserMessages& messages,
                          info::OfflineInformationBuilder& offline,
                          std::function<void()> refreshInformation);

    void Collect() override;
    void Fill(int startupFilter) override;
    void ShowItemInfo(int row) override;

    // "Unistall" on the selected row.
    void UninstallSelected();

    const inventory::TInstalledProgramsInfo& Records() const { return records_; }

private:
    const inventory::InstalledProgramInfo* RecordOfRow(int row) const;

    ProgramListControl& list_;
    inventory::InstalledProgramsSystem system_;
    platform::ProgramRunner& runner_;
    platform::UserMessages& messages_;
    info::OfflineInformationBuilder& offline_;
    std::function<void()> refreshInformation_;
    inventory::TInstalledProgramsInfo records_;
};

}  // namespace glmx::ui
