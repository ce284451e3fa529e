#include "inventory/program_list.h"

#include <algorithm>
#include <string>
#include <vector>

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
    // Every record has one row, so a record's new index is its tie's rank.
    std::vector<long long> ties;
    for (int row = 0; row < list.RowCount(); ++row) ties.push_back(list.RowRecord(row));
    std::vector<long long> ranked = ties;
    std::sort(ranked.begin(), ranked.end());
    for (int row = 0; row < list.RowCount(); ++row) {
        const auto rank =
            std::lower_bound(ranked.begin(), ranked.end(), ties[row]) - ranked.begin();
        list.SetRowRecord(row, static_cast<size_t>(rank));
    }
    status.SetStatusText(std::to_string(recordCount) + std::string(statusSuffix));
}

std::optional<SelectedRecord> SelectedRecordOf(const RowTies& list, size_t recordCount) {
    const int row = list.SelectedRow();
    if (row < 0) return std::nullopt;
    const long long record = list.RowRecord(row);
    if (record < 0 || static_cast<unsigned long long>(record) >= recordCount) return std::nullopt;
    return SelectedRecord{row, static_cast<size_t>(record)};
}

}  // namespace glmx::inventory
