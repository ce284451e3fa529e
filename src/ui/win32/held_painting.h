// Holds a control's painting while rows or nodes are added, and paints it once after.
#pragma once

#include <windows.h>

namespace glmx::ui {

class HeldPainting {
public:
    explicit HeldPainting(HWND control)
        : control_(control),
          held_(control && (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE)) {
        // Only a visible control: WM_SETREDRAW TRUE would show a hidden one.
        if (held_) SendMessageW(control_, WM_SETREDRAW, FALSE, 0);
    }
    ~HeldPainting() {
        if (!held_) return;
        SendMessageW(control_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(control_, nullptr, TRUE);
    }
    HeldPainting(const HeldPainting&) = delete;
    HeldPainting& operator=(const HeldPainting&) = delete;

private:
    HWND control_;
    bool held_;
};

}  // namespace glmx::ui
