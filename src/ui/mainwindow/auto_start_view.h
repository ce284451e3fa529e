// The auto-start view: its records fill the inventory list, "Enable/Disable" and the
// options' "Delete" change the selected entry and rebuild the view from the system.
#pragma once

#include <functional>

#include "info/offline_information.h"
#include "inventory/auto_start.h"
#include "platform/user_messages.h"
#include "ui/mainwindow/program_list_control.h"
#include "ui/mainwindow/view_services.h"

namespace glmx::ui {

class AutoStartView final : public InventorySource {
public:
    // rebuild: opens the view again, which collects and fills anew.
    AutoStartView(ProgramListControl& list, inventory::AutoStartSystem system,
                  platform::UserMessages& messages, info::OfflineInformationBuilder& offline,
                  std::function<void()> rebuild);

    void Collect() override;
    void Fill(int startupFilter) override;
    void ShowItemInfo(int row) override;

    // "Enable/Disable" on the selected row.
    void ToggleSelected();
    // "Delete" on the selected row, after the user confirmed it.
    void DeleteSelected();

    const inventory::TAutoStartProgramsInfo& Records() const { return records_; }

private:
    const inventory::TAutoStartProgramInfo* RecordOfRow(int row) const;
    // After a change the view is rebuilt and the entry stays selected (or the row at
    // its place, when the entry went or the filter hides it).
    void RebuildAndReselect(int oldRow, const inventory::TAutoStartProgramInfo* entry);

    ProgramListControl& list_;
    inventory::AutoStartSystem system_;
    platform::UserMessages& messages_;
    info::OfflineInformationBuilder& offline_;
    std::function<void()> rebuild_;
    inventory::TAutoStartProgramsInfo records_;
};

}  // namespace glmx::ui
