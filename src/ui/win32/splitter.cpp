#include "ui/win32/splitter.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/win32/window_class.h"

namespace glmx::ui {

namespace {

constexpr wchar_t kSplitterClass[] = L"GlmxSplitter";

struct DragState {
    SplitterOrientation orientation;
    int grabOffset = 0;
    bool dragging = false;
};

LRESULT CALLBACK SplitterProcedure(HWND splitter, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<DragState*>(GetWindowLongPtrW(splitter, GWLP_USERDATA));
    switch (message) {
        case WM_NCCREATE: {
            const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            auto orientation = static_cast<SplitterOrientation>(
                reinterpret_cast<INT_PTR>(create->lpCreateParams));
            SetWindowLongPtrW(splitter, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(new DragState{orientation}));
            break;
        }
        case WM_NCDESTROY:
            delete state;
            SetWindowLongPtrW(splitter, GWLP_USERDATA, 0);
            break;
        case WM_SETCURSOR:
            if (state) {
                SetCursor(LoadCursorW(nullptr, state->orientation == SplitterOrientation::Horizontal
                                                   ? IDC_SIZENS
                                                   : IDC_SIZEWE));
                return TRUE;
            }
            break;
        case WM_LBUTTONDOWN:
            if (state) {
                state->dragging = true;
                state->grabOffset = state->orientation == SplitterOrientation::Horizontal
                                        ? GET_Y_LPARAM(lParam)
                                        : GET_X_LPARAM(lParam);
                SetCapture(splitter);
            }
            return 0;
        case WM_MOUSEMOVE:
            if (state && state->dragging) {
                POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                MapWindowPoints(splitter, GetParent(splitter), &point, 1);
                const int position = (state->orientation == SplitterOrientation::Horizontal
                                          ? point.y
                                          : point.x) - state->grabOffset;
                SendMessageW(GetAncestor(splitter, GA_ROOT), WM_SPLITTER_MOVED,
                             static_cast<WPARAM>(GetDlgCtrlID(splitter)), position);
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (state) state->dragging = false;
            if (message == WM_LBUTTONUP) ReleaseCapture();
            return 0;
    }
    return DefWindowProcW(splitter, message, wParam, lParam);
}

}  // namespace

int ClampedPaneWidth(int wanted, int available, UINT dpi) {
    const int least = MulDiv(40, static_cast<int>(dpi), 96);
    return std::clamp(wanted, least, std::max(least, available - MulDiv(80, static_cast<int>(dpi), 96)));
}

HWND CreateSplitter(HWND parent, SplitterOrientation orientation, int id) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterWindowClassOnce({kSplitterClass, SplitterProcedure, 0, GetSysColorBrush(COLOR_BTNFACE)});
    return CreateWindowExW(0, kSplitterClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                           reinterpret_cast<void*>(static_cast<INT_PTR>(orientation)));
}

}  // namespace glmx::ui
