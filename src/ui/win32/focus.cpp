#include "ui/win32/focus.h"

namespace glmx::ui {

namespace {

bool IsWithin(HWND window, HWND container) {
    return window == container || IsChild(container, window);
}

}  // namespace

void MoveFocusOutOf(HWND window) {
    HWND focus = GetFocus();
    if (!window || !focus || !IsWithin(focus, window)) return;
    HWND root = GetAncestor(window, GA_ROOT);
    if (!root || root == window) return;
    // The tab order is finite; a guard keeps a malformed one from looping.
    HWND candidate = focus;
    for (int step = 0; step < 1000; ++step) {
        candidate = GetNextDlgTabItem(root, candidate, FALSE);
        if (!candidate || candidate == focus) break;
        if (!IsWithin(candidate, window) && IsWindowVisible(candidate) &&
            IsWindowEnabled(candidate)) {
            SetFocus(candidate);
            return;
        }
    }
    SetFocus(root);
}

void ShowOrHide(HWND window, bool shown) {
    if (!window) return;
    if (!shown) MoveFocusOutOf(window);
    ShowWindow(window, shown ? SW_SHOW : SW_HIDE);
}

void EnableOrDisable(HWND window, bool enabled) {
    if (!window) return;
    if (!enabled) MoveFocusOutOf(window);
    EnableWindow(window, enabled ? TRUE : FALSE);
}

}  // namespace glmx::ui
