// The inventory list and the status bar as the process and application views
// fill them.
#pragma once

#include <windows.h>

#include <string>

#include "inventory/program_list.h"
#include "ui/win32/status_bar_line.h"

namespace glmx::ui {

class ProgramListControl final : public inventory::ProgramListView,
                                 public inventory::RecordRows,
                                 public inventory::StatusLine {
public:
    ProgramListControl(HWND list, HWND statusBar) : list_(list), status_(statusBar) {}

    void BeginFill() override;
    void EndFill() override;
    void AddProgramRow(const inventory::RunningProgramInfo& record, int image,
                       size_t recordIndex) override;
    void RemoveAllRows() override;
    // Marked rows show the list's first state image.
    void AddRecordRow(const std::vector<std::string>& cells, int image, bool marked,
                      size_t recordIndex) override;
    int RowCount() const override;
    void SetRowRecord(int row, size_t recordIndex) override;
    // The focused row when it is selected, else the first selected (several may be).
    int SelectedRow() const override;
    // The only selected row, focused and in sight.
    void SelectRow(int row) override;
    void DeleteRow(int row) override;
    void Focus() override;
    void SetStatusText(std::string_view text) override;

    // The record a row refers to, or -1.
    long long RowRecord(int row) const override;
    int RowImage(int row) const;
    const std::string& StatusText() const { return status_.Text(); }

private:
    HWND list_;
    StatusBarLine status_;
};

}  // namespace glmx::ui
