#include "ui/mainwindow/function_bar.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/win32/wide.h"
#include "ui/win32/dpi.h"
#include "ui/win32/panel.h"

namespace glmx::ui {

using platform::win32::Narrow;
using platform::win32::Wide;

namespace {

constexpr int kFunctionBarHeight = 32;
constexpr int kControlButtonWidth = 129;
constexpr int kControlButtonHeight = 27;

}  // namespace

HWND CreateChild(const wchar_t* className, const wchar_t* text, DWORD style, HWND parent, int id,
                 DWORD exStyle) {
    return CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

HWND CreateTreeControl(HWND parent, int id) {
    return CreateChild(WC_TREEVIEWW, L"",
                       WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS, parent, id,
                       WS_EX_CLIENTEDGE);
}

void Place(HWND window, int left, int top, int width, int height) {
    MoveWindow(window, left, top, std::max(width, 0), std::max(height, 0), TRUE);
}

void FunctionBar::Create(HWND page, int buttonCommand) {
    panel_ = CreatePanel(page, PanelStyle::FunctionBar);
    label_ = CreateChild(WC_STATICW, L"", SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, panel_);
    button_ = CreateChild(WC_BUTTONW, L"", WS_TABSTOP | BS_PUSHBUTTON, panel_, buttonCommand);
    ShowWindow(button_, SW_HIDE);  // until a view captions it
}

void FunctionBar::SetFonts(const PartFonts& fonts) {
    SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.label), TRUE);
    SendMessageW(button_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.normal), TRUE);
}

int FunctionBar::Height(UINT dpi) { return Scale(kFunctionBarHeight, dpi); }

int FunctionBar::ButtonLeft(int width, UINT dpi) const {
    return std::max(0, width - Scale(kControlButtonWidth, dpi) - Scale(4, dpi));
}

void FunctionBar::Layout(int width, UINT dpi, int labelRight) {
    const int height = Height(dpi);
    Place(panel_, 0, 0, width, height);
    const int buttonHeight = Scale(kControlButtonHeight, dpi);
    const int buttonLeft = ButtonLeft(width, dpi);
    Place(button_, buttonLeft, (height - buttonHeight) / 2, Scale(kControlButtonWidth, dpi),
          buttonHeight);
    if (labelRight < 0) labelRight = buttonLeft - Scale(4, dpi);
    Place(label_, Scale(8, dpi), 0, labelRight - Scale(8, dpi), height);
}

void FunctionBar::SetLabel(std::string_view text) { SetWindowTextW(label_, Wide(text).c_str()); }

std::string FunctionBar::Label() const {
    wchar_t text[256] = {};
    GetWindowTextW(label_, text, 256);
    return Narrow(text);
}

void FunctionBar::ShowWithCaption(std::string_view caption) {
    SetWindowTextW(button_, Wide(caption).c_str());
    ShowWindow(button_, SW_SHOW);
}

}  // namespace glmx::ui
