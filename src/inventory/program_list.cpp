#include "inventory/program_list.h"

#include <string>

namespace glmx::inventory {

void FillProgramList(ProgramListView& list, StatusLine& status, const TRunningProgramsInfo& records,
                     const platform::Shell& shell, FillMode mode, std::string_view statusSuffix) {
    if (mode == FillMode::Adding) {
        list.BeginFill();
        for (size_t i = 0; i < records.size(); ++i)
            list.AddProgramRow(records[i], shell.SystemIconIndex(records[i].FullPath), i);
        list.EndFill();
        if (!records.empty()) {
            list.SelectRow(0);
            list.Focus();
        }
        status.SetStatusText(std::to_string(records.size()) + std::string(statusSuffix));
    } else {
        RetieRows(list, status, records.size(), statusSuffix);
    }
}

void RetieRows(RowTies& list, StatusLine& status, size_t recordCount,
               std::string_view statusSuffix) {
    for (int row = 0; row < list.RowCount(); ++row)
        list.SetRowRecord(row, static_cast<size_t>(row));
    status.SetStatusText(std::to_string(recordCount) + std::string(statusSuffix));
}

}  // namespace glmx::inventory
