#include "ui/mainwindow/browse_folder_dialog.h"

#include <shlobj.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "filesearch/local_drives.h"
#include "platform/win32/shell_namespace.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_file_system.h"
#include "ui/mainwindow/resource_ids.h"
#include "ui/win32/dpi.h"
#include "ui/win32/modal_dialog.h"
#include "ui/win32/shell_tree.h"

namespace glmx::ui {

using platform::win32::Narrow;
using platform::win32::Wide;

namespace {

struct BrowseState {
    HWND dialog = nullptr;
    std::string folder;
    ShellTree tree{{[this](const ITEMIDLIST* selected) { OnFolderSelected(selected); }, nullptr}};

    void OnFolderSelected(const ITEMIDLIST* selected) {
        // Virtual folders (My Computer itself, the Control Panel) have no path to search.
        const std::string path = platform::win32::ParsingNameOf(selected);
        const bool directory =
            !path.empty() && platform::win32::Win32FileSystem().DirectoryExists(path);
        SetDlgItemTextW(dialog, IDC_BROWSE_FOLDER, directory ? Wide(path).c_str() : L"");
    }
};

std::string FolderText(HWND dialog) {
    HWND edit = GetDlgItem(dialog, IDC_BROWSE_FOLDER);
    std::vector<wchar_t> text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1);
    GetWindowTextW(edit, text.data(), static_cast<int>(text.size()));
    return Narrow(text.data());
}

std::string FixedDriveRoots() {
    return filesearch::LocalHardDrives(GetLogicalDrives(), [](char letter) {
        const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', 0};
        return GetDriveTypeW(root) == DRIVE_FIXED;
    });
}

// The tree takes what the controls below it leave; designed at 96 dpi.
void Layout(HWND dialog) {
    RECT client{};
    GetClientRect(dialog, &client);
    const UINT dpi = DpiOf(dialog);
    const auto px = [dpi](int designed) { return Scale(designed, dpi); };
    const int margin = px(8), gap = px(6), buttonHeight = px(23), buttonWidth = px(75),
              editHeight = px(21), labelWidth = px(42);
    const int buttonsTop = client.bottom - margin - buttonHeight;
    const int editTop = buttonsTop - margin - editHeight;
    const int right = client.right - margin;
    const struct {
        int id, left, top, width, height;
    } places[] = {
        {IDC_BROWSE_TREE, margin, margin, right - margin, editTop - gap - margin},
        {IDC_BROWSE_FOLDER_LABEL, margin, editTop + px(3), labelWidth, editHeight - px(3)},
        {IDC_BROWSE_FOLDER, margin + labelWidth, editTop, right - margin - labelWidth, editHeight},
        {IDC_BROWSE_LOCAL_DRIVES, margin, buttonsTop, px(110), buttonHeight},
        {IDOK, right - 2 * buttonWidth - gap, buttonsTop, buttonWidth, buttonHeight},
        {IDCANCEL, right - buttonWidth, buttonsTop, buttonWidth, buttonHeight},
    };
    HDWP positions = BeginDeferWindowPos(static_cast<int>(std::size(places)));
    for (const auto& place : places) {
        HWND control = GetDlgItem(dialog, place.id);  // the tree comes at WM_INITDIALOG
        if (control && positions)
            positions = DeferWindowPos(positions, control, nullptr, place.left, place.top,
                                       std::max(place.width, 0), std::max(place.height, 0),
                                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (positions) EndDeferWindowPos(positions);
}

void Initialize(HWND dialog, BrowseState& state) {
    state.dialog = dialog;
    HWND tree = state.tree.Create(dialog, IDC_BROWSE_TREE);
    if (!tree) return;
    SendMessageW(tree, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
    // First in the tab order, before "Folder:".
    SetWindowPos(tree, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const platform::win32::ItemIdList computer = platform::win32::SpecialFolderIdList(CSIDL_DRIVES);
    if (computer) state.tree.SetRoot(computer.get());
    // The template's size is in dialog units; the dialog never starts below its minimum.
    RECT window{};
    GetWindowRect(dialog, &window);
    const int minimum = Scale(kBrowseFolderMinimumSize, DpiOf(dialog));
    SetWindowPos(dialog, nullptr, 0, 0, std::max<int>(window.right - window.left, minimum),
                 std::max<int>(window.bottom - window.top, minimum),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Layout(dialog);
    SetFocus(tree);
}

INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<BrowseState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            Initialize(dialog, *reinterpret_cast<BrowseState*>(lParam));
            return FALSE;  // the focus is set
        case WM_GETMINMAXINFO: {
            const int minimum = Scale(kBrowseFolderMinimumSize, DpiOf(dialog));
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize = {minimum, minimum};
            return TRUE;
        }
        case WM_SIZE:
            Layout(dialog);
            return TRUE;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (state && state->tree.OnNotify(*reinterpret_cast<NMHDR*>(lParam), result)) {
                SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
                return TRUE;
            }
            break;
        }
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    if (state) state->folder = FolderText(dialog);
                    EndDialog(dialog, IDOK);
                    return TRUE;
                case IDCANCEL:
                    EndDialog(dialog, IDCANCEL);
                    return TRUE;
                case IDC_BROWSE_LOCAL_DRIVES:
                    SetDlgItemTextW(dialog, IDC_BROWSE_FOLDER, Wide(FixedDriveRoots()).c_str());
                    return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

std::optional<std::string> BrowseForFolder(HWND owner) {
    BrowseState state;
    const INT_PTR closedWith =
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_BROWSE_FOLDER), owner,
                        GuardedDialogProcedure<HandleMessage>, reinterpret_cast<LPARAM>(&state));
    if (closedWith != IDOK) return std::nullopt;
    return state.folder;
}

}  // namespace glmx::ui
