// An image button: one image by index from a normal, a hot (mouse over) and a
// disabled image list of the same size, drawn one pixel right and down while
// pressed. With a drop-down menu, a press in the 10-by-10 square at the lower
// right pops the menu up below the button instead. A click sends WM_COMMAND
// (id, BN_CLICKED) to the top-level window; Space and Enter click it too.
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace glmx::ui {

struct ImageButtonImages {
    HIMAGELIST normal = nullptr;
    HIMAGELIST hot = nullptr;
    HIMAGELIST disabled = nullptr;
};

// The hint becomes the window's text, for tool tips and screen readers.
HWND CreateImageButton(HWND parent, int id, const ImageButtonImages& images, int imageIndex,
                       const wchar_t* hint);
// The menu stays the caller's; nullptr removes the drop-down square.
void SetImageButtonMenu(HWND button, HMENU menu);
// The square that pops the menu up, in the button's client coordinates.
RECT DropDownSquare(HWND button);

}  // namespace glmx::ui
