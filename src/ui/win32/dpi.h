// Scaling of designed (96-dpi) sizes to the monitor the window is on.
#pragma once

#include <windows.h>

namespace glmx::ui {

// The window's DPI; the system DPI where per-monitor DPI is not available (before Windows 10).
UINT DpiOf(HWND window);

inline int Scale(int designed, UINT dpi) { return MulDiv(designed, static_cast<int>(dpi), 96); }

// The message font of the system at this DPI (caller owns it).
HFONT CreateMessageFont(UINT dpi, bool bold = false, int designedPixelHeight = 0);

}  // namespace glmx::ui
