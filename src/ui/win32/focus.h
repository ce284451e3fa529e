// Hiding or disabling a window that holds the keyboard focus leaves the focus on a
// window the user cannot see, and the dialog manager's search for an Alt+letter
// target never returns from such a window. These move the focus first.
#pragma once

#include <windows.h>

namespace glmx::ui {

// When the focus is on the window or inside it, moves it to the next visible,
// enabled tab stop of the top-level window outside it, else to the top-level window.
void MoveFocusOutOf(HWND window);
// Shows, or moves the focus out and hides.
void ShowOrHide(HWND window, bool shown);
// Enables, or moves the focus out and disables.
void EnableOrDisable(HWND window, bool enabled);

}  // namespace glmx::ui
