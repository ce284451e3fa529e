// Dialogs built in code instead of from a resource: an empty template run modally,
// whose procedure creates the controls at WM_INITDIALOG, placed in 96-dpi pixels
// scaled to the dialog's monitor and drawn in the system's message font.
#pragma once

#include <windows.h>

#include <exception>

#include "platform/win32/unique_handle.h"
#include "ui/win32/dpi.h"
#include "ui/win32/error_box.h"

namespace glmx::ui {

// Runs the dialog modally over the owner (disabled meanwhile); the dialog manager gives
// it Tab, Enter (IDOK, the default button) and Esc (IDCANCEL). Gives what EndDialog
// was called with, or -1 when the dialog could not be created.
INT_PTR RunCodedDialog(HWND owner, DWORD style, DLGPROC procedure, LPARAM parameter);

// Centres a dialog over its owner (over the work area without one, or while the owner is
// minimised), inside the owner's monitor.
void CentreOverOwner(HWND dialog);

// A dialog procedure whose exceptions end in the general error box, and the dialog goes on.
template <INT_PTR (*Handle)(HWND, UINT, WPARAM, LPARAM)>
INT_PTR CALLBACK GuardedDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return Handle(dialog, message, wParam, lParam);
    } catch (const std::exception& error) {
        ShowGeneralError(dialog, error.what());
    } catch (...) {
        ShowGeneralError(dialog, "Unexpected error.");
    }
    return FALSE;
}

// Places a coded dialog's controls; keep it while the dialog is open, it owns the font.
class DialogLayout {
public:
    explicit DialogLayout(HWND dialog);

    int Px(int designed) const { return Scale(designed, dpi_); }
    HFONT Font() const { return static_cast<HFONT>(font_.get()); }
    // A visible child in the message font at a designed place.
    HWND Add(const wchar_t* className, const wchar_t* text, DWORD style, int id, int left, int top,
             int width, int height, DWORD exStyle = 0) const;
    // Gives the dialog a client area of the designed size and centres it over its owner
    // (over the work area without one), inside the owner's monitor.
    void SizeAndCentre(int clientWidth, int clientHeight) const;

private:
    HWND dialog_;
    UINT dpi_;
    platform::win32::UniqueGdiObject font_;
};

}  // namespace glmx::ui
