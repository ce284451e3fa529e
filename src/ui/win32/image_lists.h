// Image lists made from the program's bitmap strips (32-bit with alpha).
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace glmx::ui {

// One image per `width` pixels of the strip; nullptr when the resource is missing.
// The caller destroys the list.
HIMAGELIST LoadImageStrip(int resourceId, int width);

// The system's image list of file icons; the system owns it.
HIMAGELIST SystemImageList(bool small);

}  // namespace glmx::ui
