#include "ui/mainwindow/program_list_control.h"

#include <commctrl.h>

#include "platform/win32/wide.h"
#include "ui/win32/list_view_rows.h"

namespace glmx::ui {

using platform::win32::Wide;

void ProgramListControl::BeginFill() { SendMessageW(list_, WM_SETREDRAW, FALSE, 0); }

void ProgramListControl::EndFill() {
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

void ProgramListControl::AddProgramRow(const inventory::RunningProgramInfo& record, int image,
                                       size_t recordIndex) {
    std::wstring caption = Wide(record.ProgramName);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = ListView_GetItemCount(list_);
    item.pszText = caption.data();
    item.iImage = image;
    item.lParam = static_cast<LPARAM>(recordIndex);
    const int row =
        static_cast<int>(SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0) return;
    const std::string* columns[] = {&record.FileName,         &record.CompanyName,
                                    &record.Version,          &record.Copyright,
                                    &record.FileDescription,  &record.FileVersion,
                                    &record.OriginalFilename, &record.InternalName};
    int subItem = 1;
    for (const std::string* column : columns) {
        std::wstring text = Wide(*column);
        LVITEMW sub{};
        sub.iSubItem = subItem++;
        sub.pszText = text.data();
        SendMessageW(list_, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&sub));
    }
}

void ProgramListControl::RemoveAllRows() { ListView_DeleteAllItems(list_); }

void ProgramListControl::AddRecordRow(const std::vector<std::string>& cells, int image, bool marked,
                                      size_t recordIndex) {
    if (cells.empty()) return;
    std::wstring caption = Wide(cells[0]);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
    item.iItem = ListView_GetItemCount(list_);
    item.pszText = caption.data();
    item.iImage = image < 0 ? I_IMAGENONE : image;  // -1 would ask the window for one
    item.lParam = static_cast<LPARAM>(recordIndex);
    item.state = marked ? INDEXTOSTATEIMAGEMASK(1) : 0;
    item.stateMask = LVIS_STATEIMAGEMASK;
    const int row =
        static_cast<int>(SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0) return;
    for (size_t column = 1; column < cells.size(); ++column) {
        std::wstring text = Wide(cells[column]);
        LVITEMW sub{};
        sub.iSubItem = static_cast<int>(column);
        sub.pszText = text.data();
        SendMessageW(list_, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&sub));
    }
}

int ProgramListControl::RowCount() const { return ListView_GetItemCount(list_); }

void ProgramListControl::SetRowRecord(int row, size_t recordIndex) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = static_cast<LPARAM>(recordIndex);
    SendMessageW(list_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

long long ProgramListControl::RowRecord(int row) const {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageW(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return -1;
    return static_cast<long long>(item.lParam);
}

int ProgramListControl::SelectedRow() const { return ActedOnRow(list_); }

void ProgramListControl::SelectRow(int row) { SelectOnlyRow(list_, row); }

void ProgramListControl::DeleteRow(int row) { ListView_DeleteItem(list_, row); }

void ProgramListControl::Focus() { SetFocus(list_); }

void ProgramListControl::SetStatusText(std::string_view text) { status_.SetStatusText(text); }

int ProgramListControl::RowImage(int row) const {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    if (!SendMessageW(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    return item.iImage == I_IMAGENONE ? -1 : item.iImage;
}

}  // namespace glmx::ui
