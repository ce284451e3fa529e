#include "ui/mainwindow/search_sites_dialog.h"

#include <commctrl.h>

#include <exception>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "info/search_site_grid.h"
#include "platform/user_messages.h"
#include "platform/win32/wide.h"
#include "ui/win32/modal_dialog.h"

namespace glmx::ui {

using platform::win32::Narrow;
using platform::win32::Wide;

namespace {

enum : int { kList = 100, kAdd, kDelete, kMoveUp, kMoveDown, kCellEdit };
// Shows a refused name once the focus change that refused it is over.
constexpr UINT kShowRefusal = WM_APP + 1;
constexpr UINT_PTR kSubclassId = 1;

std::string WindowText(HWND window) {
    std::vector<wchar_t> text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1);
    GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return Narrow(text.data());
}

bool WantsKey(LPARAM lParam, std::initializer_list<WPARAM> keys) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (!message || message->message != WM_KEYDOWN) return false;
    for (const WPARAM key : keys)
        if (message->wParam == key) return true;
    return false;
}

class SiteDialog {
public:
    SiteDialog(const info::TSearchSites& sites, platform::UserMessages& messages)
        : grid_(sites), messages_(messages) {}

    std::optional<info::TSearchSites> result;

    void Initialize(HWND dialog);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK ListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR self);
    static LRESULT CALLBACK EditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR self);
    LRESULT OnListMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnEditMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void Fill();
    void BeginEdit(int row, int column);
    // Closes the cell editor, keeping its text or not.
    void EndEdit(bool keep);
    bool OnNotify(const NMHDR& header);
    void OnCommand(int id);
    void Finish(int how);
    int RowAt(POINT dialogPoint, bool endWhenBelow) const;
    void EndDrag(bool drop, POINT dialogPoint);

    info::SearchSiteGrid grid_;
    platform::UserMessages& messages_;
    std::optional<DialogLayout> layout_;
    HWND dialog_ = nullptr, list_ = nullptr, edit_ = nullptr;
    int editRow_ = -1, editColumn_ = 0;
    int dragFrom_ = -1;
    bool filling_ = false;
    std::string refusal_;
};

void SiteDialog::Initialize(HWND dialog) {
    dialog_ = dialog;
    layout_.emplace(dialog);
    const DialogLayout& at = *layout_;
    SetWindowTextW(dialog, L"Customize Search Sites");
    at.Add(L"STATIC", L"Search Sites:", SS_LEFT, -1, 8, 8, 200, 15);
    list_ = at.Add(WC_LISTVIEWW, L"",
                   WS_TABSTOP | WS_CLIPCHILDREN | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                       LVS_NOSORTHEADER,
                   kList, 8, 26, 562, 240, WS_EX_CLIENTEDGE);
    at.Add(L"BUTTON", L"Add", WS_TABSTOP | BS_PUSHBUTTON, kAdd, 578, 26, 80, 23);
    at.Add(L"BUTTON", L"Delete", WS_TABSTOP | BS_PUSHBUTTON, kDelete, 578, 55, 80, 23);
    at.Add(L"BUTTON", L"Move Up", WS_TABSTOP | BS_PUSHBUTTON, kMoveUp, 578, 92, 80, 23);
    at.Add(L"BUTTON", L"Move Down", WS_TABSTOP | BS_PUSHBUTTON, kMoveDown, 578, 121, 80, 23);
    at.Add(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, 578, 214, 80, 23);
    at.Add(L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, 578, 243, 80, 23);
    at.SizeAndCentre(666, 274);
    if (!list_) return;

    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const struct {
        const wchar_t* title;
        int width;
    } columns[] = {{L"Site Name", 180}, {L"Search URL", 359}};
    for (int index = 0; index < 2; ++index) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(columns[index].title);
        column.cx = at.Px(columns[index].width);
        ListView_InsertColumn(list_, index, &column);
    }
    // The cell editor lies over the list, so it goes where the list's rows go.
    edit_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, 0, 0, 0, 0,
                            list_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCellEdit)),
                            GetModuleHandleW(nullptr), nullptr);
    if (edit_) {
        SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(at.Font()), FALSE);
        SetWindowSubclass(edit_, EditProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    }
    SetWindowSubclass(list_, ListProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    Fill();
    SetFocus(list_);
}

void SiteDialog::Fill() {
    filling_ = true;
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list_);
    for (int row = 0; row < grid_.RowCount(); ++row) {
        const auto& site = grid_.Rows()[static_cast<size_t>(row)];
        std::wstring name = Wide(site.name), url = Wide(site.url);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = name.data();
        ListView_InsertItem(list_, &item);
        ListView_SetItemText(list_, row, 1, url.data());
    }
    const int current = grid_.Current();
    ListView_SetItemState(list_, current, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list_, current, FALSE);
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    filling_ = false;
}

void SiteDialog::BeginEdit(int row, int column) {
    EndEdit(true);
    if (!edit_ || row < 0 || row >= grid_.RowCount() || column < 0 || column > 1) return;
    grid_.SetCurrent(row);
    ListView_SetItemState(list_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list_, row, FALSE);
    RECT cell{};
    ListView_GetItemRect(list_, row, &cell, LVIR_BOUNDS);
    const int nameWidth = ListView_GetColumnWidth(list_, 0);
    if (column == 1) cell.left += nameWidth;
    cell.right = cell.left + ListView_GetColumnWidth(list_, column);
    const auto& site = grid_.Rows()[static_cast<size_t>(row)];
    SetWindowTextW(edit_, Wide(column == 0 ? site.name : site.url).c_str());
    SetWindowPos(edit_, HWND_TOP, cell.left, cell.top, cell.right - cell.left,
                 cell.bottom - cell.top + 1, SWP_SHOWWINDOW);
    editRow_ = row;
    editColumn_ = column;
    SetFocus(edit_);
    SendMessageW(edit_, EM_SETSEL, 0, -1);
}

void SiteDialog::EndEdit(bool keep) {
    if (editRow_ < 0) return;
    const int row = std::exchange(editRow_, -1);
    const std::string text = WindowText(edit_);
    // Leaving the editor ends the edit again; it is over by then.
    if (GetFocus() == edit_) SetFocus(list_);
    ShowWindow(edit_, SW_HIDE);
    if (keep && editColumn_ == 0) {
        std::string refusal;
        if (!grid_.SetName(row, text, &refusal)) {
            refusal_ = std::move(refusal);
            PostMessageW(dialog_, kShowRefusal, 0, 0);
        }
    } else if (keep) {
        grid_.SetUrl(row, text);
    }
    // Only the cell: this may run inside the list's own handling of a click.
    const auto& site = grid_.Rows()[static_cast<size_t>(row)];
    std::wstring shown = Wide(editColumn_ == 0 ? site.name : site.url);
    ListView_SetItemText(list_, row, editColumn_, shown.data());
}

LRESULT SiteDialog::OnEditMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE:
            // Enter, Esc and Tab end the edit instead of pressing a button.
            if (WantsKey(lParam, {VK_RETURN, VK_ESCAPE, VK_TAB}))
                return DefSubclassProc(edit_, message, wParam, lParam) | DLGC_WANTALLKEYS;
            break;
        case WM_KEYDOWN:
            if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
                EndEdit(wParam == VK_RETURN);
                return 0;
            }
            if (wParam == VK_TAB) {
                // Tab goes from the name to the template of the row, Shift+Tab back.
                const int row = editRow_, column = editColumn_;
                const int next = GetKeyState(VK_SHIFT) < 0 ? column - 1 : column + 1;
                EndEdit(true);
                if (refusal_.empty()) BeginEdit(row, next);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == L'\r' || wParam == 0x1B || wParam == L'\t') return 0;  // no beep
            break;
        case WM_MOUSEWHEEL:  // the list scrolls away under the editor
            EndEdit(true);
            break;
        case WM_KILLFOCUS: {
            const LRESULT result = DefSubclassProc(edit_, message, wParam, lParam);
            EndEdit(true);
            return result;
        }
    }
    return DefSubclassProc(edit_, message, wParam, lParam);
}

LRESULT SiteDialog::OnListMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE:
            if (WantsKey(lParam, {VK_RETURN}))
                return DefSubclassProc(list_, message, wParam, lParam) | DLGC_WANTALLKEYS;
            break;
        case WM_KEYDOWN:
            if (wParam == VK_RETURN || wParam == VK_F2) {
                BeginEdit(grid_.Current(), 0);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == L'\r') return 0;
            break;
    }
    return DefSubclassProc(list_, message, wParam, lParam);
}

// Subclass procedures are called from the system: nothing may leave them.
LRESULT CALLBACK SiteDialog::ListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR self) {
    try {
        return reinterpret_cast<SiteDialog*>(self)->OnListMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        ShowGeneralError(GetParent(list), error.what());
    }
    return 0;
}

LRESULT CALLBACK SiteDialog::EditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR self) {
    try {
        return reinterpret_cast<SiteDialog*>(self)->OnEditMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        ShowGeneralError(GetAncestor(edit, GA_ROOT), error.what());
    }
    return 0;
}

int SiteDialog::RowAt(POINT point, bool endWhenBelow) const {
    MapWindowPoints(dialog_, list_, &point, 1);
    LVHITTESTINFO hit{};
    hit.pt = point;
    const int row = ListView_HitTest(list_, &hit);
    if (row >= 0 || !endWhenBelow) return row;
    RECT client{};
    GetClientRect(list_, &client);
    return PtInRect(&client, point) ? grid_.RowCount() - 1 : -1;
}

void SiteDialog::EndDrag(bool drop, POINT point) {
    const int from = std::exchange(dragFrom_, -1);
    if (from < 0) return;
    ListView_SetItemState(list_, -1, 0, LVIS_DROPHILITED);
    if (GetCapture() == dialog_) ReleaseCapture();
    if (drop && grid_.Move(from, RowAt(point, true))) Fill();
}

bool SiteDialog::OnNotify(const NMHDR& header) {
    if (header.hwndFrom != list_) return false;
    switch (header.code) {
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            if (!filling_ && change.iItem >= 0 && (change.uNewState & LVIS_SELECTED))
                grid_.SetCurrent(change.iItem);
            return true;
        }
        case NM_DBLCLK: {
            LVHITTESTINFO hit{};
            hit.pt = reinterpret_cast<const NMITEMACTIVATE&>(header).ptAction;
            if (ListView_SubItemHitTest(list_, &hit) >= 0) BeginEdit(hit.iItem, hit.iSubItem);
            return true;
        }
        case LVN_BEGINDRAG:
            EndEdit(true);
            dragFrom_ = reinterpret_cast<const NMLISTVIEW&>(header).iItem;
            SetCapture(dialog_);
            return true;
        case LVN_BEGINSCROLL:
            EndEdit(true);  // the editor would stay where the cell was
            return true;
    }
    return false;
}

void SiteDialog::OnCommand(int id) {
    switch (id) {
        case kAdd:
            EndEdit(true);
            grid_.Add();
            Fill();
            BeginEdit(grid_.Current(), 0);
            break;
        case kDelete:
        case kMoveUp:
        case kMoveDown: {
            EndEdit(true);
            const bool changed = id == kDelete   ? grid_.Delete()
                                 : id == kMoveUp ? grid_.MoveUp()
                                                 : grid_.MoveDown();
            if (changed) Fill();
            break;
        }
        case IDOK:
        case IDCANCEL:
            Finish(id);
            break;
    }
}

void SiteDialog::Finish(int how) {
    if (dragFrom_ >= 0) {  // Esc while dragging drops the drag only
        EndDrag(false, {});
        return;
    }
    EndEdit(how == IDOK);
    if (how == IDOK && !refusal_.empty()) {
        messages_.Error(std::exchange(refusal_, {}));
        return;
    }
    if (how == IDOK) result = grid_.ResultSites();
    EndDialog(dialog_, how);
}

INT_PTR SiteDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) OnCommand(LOWORD(wParam));
            return TRUE;
        case WM_MOUSEMOVE:
            if (dragFrom_ < 0) return FALSE;
            ListView_SetItemState(list_, -1, 0, LVIS_DROPHILITED);
            if (const int row = RowAt(point, false); row >= 0)
                ListView_SetItemState(list_, row, LVIS_DROPHILITED, LVIS_DROPHILITED);
            return TRUE;
        case WM_LBUTTONUP:
            EndDrag(true, point);
            return TRUE;
        case WM_CAPTURECHANGED:
            EndDrag(false, point);
            return TRUE;
        case kShowRefusal:
            if (!refusal_.empty()) messages_.Error(std::exchange(refusal_, {}));
            return TRUE;
    }
    return FALSE;
}

INT_PTR HandleSiteDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        reinterpret_cast<SiteDialog*>(lParam)->Initialize(dialog);
        return FALSE;  // the focus is on the grid
    }
    auto* state = reinterpret_cast<SiteDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    return state ? state->Handle(message, wParam, lParam) : FALSE;
}

}  // namespace

std::optional<info::TSearchSites> ShowSearchSitesDialog(HWND owner,
                                                        const info::TSearchSites& fromFile,
                                                        platform::UserMessages& messages) {
    SiteDialog state(fromFile, messages);
    RunCodedDialog(owner, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                   GuardedDialogProcedure<HandleSiteDialog>, reinterpret_cast<LPARAM>(&state));
    return state.result;
}

}  // namespace glmx::ui
