#include "ui/win32/modal_dialog.h"

#include <algorithm>

namespace glmx::ui {

namespace {

// A dialog without controls, menu, class or caption: all of it comes in code.
struct alignas(DWORD) EmptyDialogTemplate {
    DLGTEMPLATE header;
    WORD menu, windowClass, title;
};

}  // namespace

INT_PTR RunCodedDialog(HWND owner, DWORD style, DLGPROC procedure, LPARAM parameter) {
    EmptyDialogTemplate dialog{};
    dialog.header.style = style;
    dialog.header.cx = 100;
    dialog.header.cy = 50;
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &dialog.header, owner, procedure,
                                   parameter);
}

DialogLayout::DialogLayout(HWND dialog)
    : dialog_(dialog), dpi_(DpiOf(dialog)), font_(CreateMessageFont(dpi_)) {}

HWND DialogLayout::Add(const wchar_t* className, const wchar_t* text, DWORD style, int id, int left,
                       int top, int width, int height, DWORD exStyle) const {
    HWND control = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style,
                                   Px(left), Px(top), Px(width), Px(height), dialog_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    return control;
}

void CentreOverOwner(HWND dialog) {
    RECT frame{};
    GetWindowRect(dialog, &frame);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    HWND owner = GetWindow(dialog, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(owner ? owner : dialog, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT area = monitor.rcWork;
    RECT over = area;
    if (owner && !IsIconic(owner)) GetWindowRect(owner, &over);
    const int left = std::clamp<int>(over.left + (over.right - over.left - width) / 2, area.left,
                                     std::max<int>(area.left, area.right - width));
    const int top = std::clamp<int>(over.top + (over.bottom - over.top - height) / 2, area.top,
                                    std::max<int>(area.top, area.bottom - height));
    SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogLayout::SizeAndCentre(int clientWidth, int clientHeight) const {
    RECT frame{0, 0, Px(clientWidth), Px(clientHeight)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(dialog_, GWL_EXSTYLE)));
    SetWindowPos(dialog_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CentreOverOwner(dialog_);
}

}  // namespace glmx::ui
