// A draggable bar between two areas. While the user drags it, the splitter tells
// the top-level window the new position of its leading edge in its parent's
// client coordinates, with WM_SPLITTER_MOVED (wParam: the splitter's id).
#pragma once

#include <windows.h>

namespace glmx::ui {

inline constexpr UINT WM_SPLITTER_MOVED = WM_APP + 10;

enum class SplitterOrientation {
    Horizontal,
    Vertical
};  // Horizontal: a bar across, dragged up and down

HWND CreateSplitter(HWND parent, SplitterOrientation orientation, int id);

// A splitter's thickness at 96 dpi.
inline constexpr int kSplitterThickness = 4;

// The width of a pane left of a vertical splitter: at least 40 pixels, and leaving
// room for the area right of it.
int ClampedPaneWidth(int wanted, int available, UINT dpi);

}  // namespace glmx::ui
