// Image lists made from the program's bitmap strips (32-bit with alpha).
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace glmx::ui {

// One image per `width` pixels of the strip; nullptr when the resource is missing.
// The caller destroys the list.
HIMAGELIST LoadImageStrip(int resourceId, int width);

}  // namespace glmx::ui
