// Plain child windows that group controls. A panel passes its controls'
// notifications on to the top-level window, so the main window hears every
// control however deeply it sits; a function-bar panel paints itself in the
// button-shadow colour with white label text.
#pragma once

#include <windows.h>

namespace glmx::ui {

enum class PanelStyle { Plain, FunctionBar, White };

HWND CreatePanel(HWND parent, PanelStyle style, int id = 0);

}  // namespace glmx::ui
