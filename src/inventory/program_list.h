// Putting process and application records into the inventory list.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "inventory/running_programs.h"
#include "platform/shell.h"

namespace glmx::inventory {

// What the actions need of a list whose rows are tied to records: its rows, the
// selection, and re-tying a row after a record was removed. The user may sort the
// rows, so a row's position says nothing about its record; only its tie does.
class RowTies {
public:
    virtual ~RowTies() = default;
    virtual int RowCount() const = 0;
    virtual long long RowRecord(int row) const = 0;  // -1 when the row has none
    virtual void SetRowRecord(int row, size_t recordIndex) = 0;
    virtual int SelectedRow() const = 0;  // -1 when none
    virtual void SelectRow(int row) = 0;
    virtual void DeleteRow(int row) = 0;
};

// What the process and application fillers need of the inventory list.
class ProgramListView : public RowTies {
public:
    virtual void BeginFill() = 0;
    virtual void EndFill() = 0;
    // A row with the record's caption and columns; the row refers to its record.
    virtual void AddProgramRow(const RunningProgramInfo& record, int image, size_t recordIndex) = 0;
    virtual void Focus() = 0;
};

// A list whose rows show records: a row's cells (caption first), its image, and a
// mark for rows whose record is switched off.
class RecordRows {
public:
    virtual ~RecordRows() = default;
    virtual void BeginFill() = 0;
    virtual void EndFill() = 0;
    virtual void RemoveAllRows() = 0;
    virtual void AddRecordRow(const std::vector<std::string>& cells, int image, bool marked,
                              size_t recordIndex) = 0;
    virtual void SelectRow(int row) = 0;
    virtual void Focus() = 0;
};

class StatusLine {
public:
    virtual ~StatusLine() = default;
    virtual void SetStatusText(std::string_view text) = 0;
};

enum class FillMode { Adding, Retying };

// After a record and its row were deleted: each row refers to its record at the
// record's new index (the ties renumbered in their order, whatever the rows' order);
// the status line shows the number of records and the suffix.
void RetieRows(RowTies& list, StatusLine& status, size_t recordCount,
               std::string_view statusSuffix);

// The selected row and the record it is tied to.
struct SelectedRecord {
    int row;
    size_t record;
};
// Nothing when no row is selected or its tie is not below recordCount.
std::optional<SelectedRecord> SelectedRecordOf(const RowTies& list, size_t recordCount);

// Adding: one row per record, the first row selected and the list focused.
// Re-tying: as RetieRows, after a record was deleted.
// Both end with the count and the suffix in the status line.
void FillProgramList(ProgramListView& list, StatusLine& status, const TRunningProgramsInfo& records,
                     const platform::Shell& shell, FillMode mode, std::string_view statusSuffix);

inline constexpr std::string_view kProcessesStatus = " runnig processes";
inline constexpr std::string_view kApplicationsStatus = " runnig applications";

}  // namespace glmx::inventory
