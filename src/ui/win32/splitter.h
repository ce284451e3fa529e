// A draggable bar between two areas. While the user drags it, the splitter tells
// the top-level window the new position of its leading edge in its parent's
// client coordinates, with WM_SPLITTER_MOVED (wParam: the splitter's id).
#pragma once

#include <windows.h>

namespace glmx::ui {

inline constexpr UINT WM_SPLITTER_MOVED = WM_APP + 10;

enum class SplitterOrientation { Horizontal, Vertical };  // Horizontal: a bar across, dragged up and down

HWND CreateSplitter(HWND parent, SplitterOrientation orientation, int id);

}  // namespace glmx::ui
