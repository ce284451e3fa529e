#include "ui/mainwindow/status_bar.h"

#include <commctrl.h>

#include "ui/mainwindow/commands.h"
#include "ui/win32/dpi.h"

namespace glmx::ui {

namespace {

constexpr int kProgressWidth = 150, kProgressHeight = 14;

}  // namespace

void StatusBar::Create(HWND parent, UINT dpi) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    status_ = CreateWindowExW(
        0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(idStatusBar)), instance, nullptr);
    SendMessageW(status_, SB_SIMPLE, TRUE, 0);
    progress_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE | PBS_SMOOTH, 0, 0,
                                Scale(kProgressWidth, dpi), Scale(kProgressHeight, dpi), status_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(idProgressBar)),
                                instance, nullptr);
}

int StatusBar::Height() const {
    RECT rect{};
    GetWindowRect(status_, &rect);
    return rect.bottom - rect.top;
}

void StatusBar::Layout(int windowWidth, UINT dpi) {
    SendMessageW(status_, WM_SIZE, 0, 0);
    const int progressWidth = Scale(kProgressWidth, dpi);
    MoveWindow(progress_, windowWidth - progressWidth - Scale(30, dpi), Scale(3, dpi),
               progressWidth, Scale(kProgressHeight, dpi), TRUE);
}

}  // namespace glmx::ui
