#include "ui/mainwindow/internet_address_dialog.h"

#include <optional>
#include <string>
#include <utility>

#include "platform/text.h"
#include "settings/history.h"
#include "settings/reg_info.h"
#include "ui/win32/combo_box.h"
#include "ui/win32/modal_dialog.h"

namespace glmx::ui {

namespace {

enum : int { kAddress = 100, kClearHistory, kWww };

struct AddressDialog {
    explicit AddressDialog(settings::TRegInfoClass& store) : history(store) {}

    settings::TRegInfoClass& history;
    std::optional<std::string> result;
    std::optional<DialogLayout> layout;
    platform::win32::UniqueGdiObject wwwFont;
    ComboBox address;
    HWND www = nullptr;

    void Initialize(HWND dialog) {
        layout.emplace(dialog);
        const DialogLayout& at = *layout;
        SetWindowTextW(dialog, L"Open Internet Address");
        at.Add(L"STATIC", L"Type the Internet address of the document or folder you want to open:",
               SS_LEFT | SS_NOPREFIX, -1, 8, 10, 534, 15);
        address.Attach(at.Add(L"COMBOBOX", L"",
                              WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, kAddress, 8,
                              30, 449, 200));
        at.Add(L"BUTTON", L"Go", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, 465, 29, 77, 23);
        at.Add(L"BUTTON", L"Close", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, 465, 84, 77, 23);
        // Not offered: the history is forgotten only by clearing the settings.
        ShowWindow(at.Add(L"BUTTON", L"Clear History", WS_TABSTOP | BS_PUSHBUTTON, kClearHistory,
                          376, 84, 81, 23),
                   SW_HIDE);
        www = at.Add(L"STATIC", L"WWW", SS_RIGHT | SS_NOPREFIX, kWww, 230, 54, 227, 60);
        wwwFont.reset(CreateFontW(-at.Px(40), 0, 0, 0, FW_BLACK, FALSE, FALSE, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial Black"));
        if (www && wwwFont)
            SendMessageW(www, WM_SETFONT, reinterpret_cast<WPARAM>(wwwFont.get()), 0);
        at.SizeAndCentre(550, 115);
        settings::FillComboFromHistory(history, address, true);
        SetFocus(address.Handle());
        SendMessageW(address.Handle(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    }

    void OnCommand(HWND dialog, int id) {
        switch (id) {
            case IDOK: {
                // A blank address would only write the key's unnamed value.
                const std::string text(platform::TrimSpacesAndControls(address.Text()));
                if (!text.empty()) {
                    settings::AddToHistory(history, text);
                    result = text;
                }
                EndDialog(dialog, text.empty() ? IDCANCEL : IDOK);
                break;
            }
            case IDCANCEL:
                EndDialog(dialog, IDCANCEL);
                break;
            case kClearHistory:
                address.ClearItems();
                address.SetText("");
                history.DeleteAll();
                break;
        }
    }
};

INT_PTR HandleAddressDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        reinterpret_cast<AddressDialog*>(lParam)->Initialize(dialog);
        return FALSE;  // the focus is in the address box
    }
    auto* state = reinterpret_cast<AddressDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!state) return FALSE;
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) state->OnCommand(dialog, LOWORD(wParam));
            return TRUE;
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lParam) != state->www) return FALSE;
            SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_HIGHLIGHT));
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return FALSE;
}

}  // namespace

std::optional<std::string> ShowInternetAddressDialog(HWND owner, settings::TRegInfoClass& history) {
    AddressDialog state(history);
    RunCodedDialog(owner, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                   GuardedDialogProcedure<HandleAddressDialog>, reinterpret_cast<LPARAM>(&state));
    return state.result;
}

}  // namespace glmx::ui
