#include "ui/mainwindow/about_box.h"

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "fileinfo/version_info.h"
#include "platform/text.h"
#include "platform/win32/wide.h"
#include "settings/program_identity.h"
#include "ui/mainwindow/resource_ids.h"
#include "ui/win32/modal_dialog.h"

namespace glmx::ui {

using platform::win32::Wide;

namespace {

INT_PTR CALLBACK AboutProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            const auto* versionLine = reinterpret_cast<const std::string*>(lParam);
            SetDlgItemTextW(dialog, IDC_ABOUT_PRODUCT, Wide(settings::kApplicationTitle).c_str());
            SetDlgItemTextW(dialog, IDC_ABOUT_VERSION, Wide(*versionLine).c_str());
            TCITEMW tab{};
            tab.mask = TCIF_TEXT;
            wchar_t about[] = L"About";
            tab.pszText = about;
            SendDlgItemMessageW(dialog, IDC_ABOUT_TAB, TCM_INSERTITEMW, 0,
                                reinterpret_cast<LPARAM>(&tab));
            // The tab control was created first; keep it behind the labels.
            SetWindowPos(GetDlgItem(dialog, IDC_ABOUT_TAB), HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            CentreOverOwner(dialog);
            return TRUE;
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->idFrom == IDC_ABOUT_LINK &&
                (header->code == NM_CLICK || header->code == NM_RETURN)) {
                const auto* link = reinterpret_cast<NMLINK*>(lParam);
                ShellExecuteW(dialog, L"open", link->item.szUrl, nullptr, nullptr, SW_SHOW);
                return TRUE;
            }
            break;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

std::string AboutVersionLine(const platform::VersionResources& versions,
                             const std::string& programPath) {
    const std::vector<std::string> list = fileinfo::GetVersionInfoList(versions, programPath);
    if (list.empty()) return {};
    const auto value = [&](std::string_view key) {
        return std::string(
            platform::TrimSpacesAndControls(fileinfo::GetVersionInfoValue(list, key)));
    };
    return "Version " + value("ProductVersion") + " (build " + value("FileVersion") + ")";
}

void ShowAboutBox(HWND owner, const std::string& versionLine) {
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), owner, AboutProcedure,
                    reinterpret_cast<LPARAM>(&versionLine));
}

}  // namespace glmx::ui
