#include "ui/win32/splitter.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/win32/window_class.h"
#include "ui/win32/window_data.h"

namespace glmx::ui {

namespace {

constexpr wchar_t kSplitterClass[] = L"GlmxSplitter";

struct DragState {
    SplitterOrientation orientation;
    int grabOffset = 0;
    bool dragging = false;
};

LRESULT HandleSplitterMessage(HWND splitter, DragState& drag, UINT message, WPARAM wParam,
                              LPARAM lParam) {
    switch (message) {
        case WM_SETCURSOR:
            SetCursor(LoadCursorW(nullptr, drag.orientation == SplitterOrientation::Horizontal
                                               ? IDC_SIZENS
                                               : IDC_SIZEWE));
            return TRUE;
        case WM_LBUTTONDOWN:
            drag.dragging = true;
            drag.grabOffset = drag.orientation == SplitterOrientation::Horizontal
                                  ? GET_Y_LPARAM(lParam)
                                  : GET_X_LPARAM(lParam);
            SetCapture(splitter);
            return 0;
        case WM_MOUSEMOVE:
            if (drag.dragging) {
                POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                MapWindowPoints(splitter, GetParent(splitter), &point, 1);
                const int position =
                    (drag.orientation == SplitterOrientation::Horizontal ? point.y : point.x) -
                    drag.grabOffset;
                SendMessageW(GetAncestor(splitter, GA_ROOT), WM_SPLITTER_MOVED,
                             static_cast<WPARAM>(GetDlgCtrlID(splitter)), position);
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            drag.dragging = false;
            if (message == WM_LBUTTONUP) ReleaseCapture();
            return 0;
    }
    return DefWindowProcW(splitter, message, wParam, lParam);
}

}  // namespace

int ClampedPaneWidth(int wanted, int available, UINT dpi) {
    const int least = MulDiv(40, static_cast<int>(dpi), 96);
    return std::clamp(wanted, least,
                      std::max(least, available - MulDiv(80, static_cast<int>(dpi), 96)));
}

HWND CreateSplitter(HWND parent, SplitterOrientation orientation, int id) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterWindowClassOnce({kSplitterClass,
                             StatefulControlProcedure<DragState, HandleSplitterMessage>, 0,
                             GetSysColorBrush(COLOR_BTNFACE)});
    DragState initial{orientation};
    return CreateWindowExW(0, kSplitterClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, &initial);
}

}  // namespace glmx::ui
