#include "ui/win32/image_button.h"

#include <windowsx.h>

#include <cwchar>

#include "platform/win32/unique_handle.h"
#include "ui/win32/dpi.h"
#include "ui/win32/window_class.h"
#include "ui/win32/window_data.h"

namespace glmx::ui {

namespace {

constexpr wchar_t kImageButtonClass[] = L"GlmxImageButton";

struct ImageButtonState {
    ImageButtonImages images;
    int imageIndex = 0;
    HMENU menu = nullptr;
    bool hot = false;
    bool pressed = false;
};

// Null for a window of another class.
ImageButtonState* StateOf(HWND button) {
    wchar_t className[64] = {};
    GetClassNameW(button, className, 64);
    return wcscmp(className, kImageButtonClass) == 0 ? WindowData<ImageButtonState>(button)
                                                     : nullptr;
}

void Click(HWND button) {
    SendMessageW(GetAncestor(button, GA_ROOT), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void PopMenu(HWND button, const ImageButtonState& state) {
    RECT rect;
    GetWindowRect(button, &rect);
    TrackPopupMenu(state.menu, TPM_LEFTALIGN | TPM_TOPALIGN, rect.left, rect.bottom, 0,
                   GetAncestor(button, GA_ROOT), nullptr);
}

void Paint(HWND button, const ImageButtonState& state) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(button, &paint);
    RECT client;
    GetClientRect(button, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    HIMAGELIST list = !IsWindowEnabled(button) ? state.images.disabled
                      : state.hot              ? state.images.hot
                                               : state.images.normal;
    const int offset = state.pressed ? 1 : 0;
    if (list) {
        // Centred: the button grows with the DPI, the images keep their size.
        int width = 0, height = 0;
        ImageList_GetIconSize(list, &width, &height);
        ImageList_Draw(list, state.imageIndex, dc, (client.right - width) / 2 + offset,
                       (client.bottom - height) / 2 + offset, ILD_TRANSPARENT);
    }
    if (state.menu) {
        // A small triangle pointing down in the drop-down square.
        const RECT square = DropDownSquare(button);
        const int width = square.right - square.left;
        POINT triangle[3] = {{square.left + 1, square.top + width / 3},
                             {square.right - 1, square.top + width / 3},
                             {square.left + width / 2, square.bottom - width / 4}};
        const platform::win32::ScopedSelectObject brush(dc, GetSysColorBrush(COLOR_BTNTEXT));
        const platform::win32::ScopedSelectObject pen(dc, GetStockObject(NULL_PEN));
        Polygon(dc, triangle, 3);
    }
    if (GetFocus() == button) DrawFocusRect(dc, &client);
    EndPaint(button, &paint);
}

LRESULT HandleImageButtonMessage(HWND button, ImageButtonState& buttonState, UINT message,
                                 WPARAM wParam, LPARAM lParam) {
    ImageButtonState* state = &buttonState;
    switch (message) {
        case WM_PAINT:
            Paint(button, *state);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEMOVE:
            if (state && !state->hot) {
                state->hot = true;
                TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, button, 0};
                TrackMouseEvent(&track);
                InvalidateRect(button, nullptr, FALSE);
            }
            return 0;
        case WM_MOUSELEAVE:
            if (state) {
                state->hot = false;
                state->pressed = false;
                InvalidateRect(button, nullptr, FALSE);
            }
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (state) {
                const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                const RECT square = DropDownSquare(button);
                if (state->menu && PtInRect(&square, point)) {
                    PopMenu(button, *state);
                    return 0;
                }
                state->pressed = true;
                SetCapture(button);
                InvalidateRect(button, nullptr, FALSE);
            }
            return 0;
        case WM_LBUTTONUP:
            if (state && state->pressed) {
                state->pressed = false;
                ReleaseCapture();
                InvalidateRect(button, nullptr, FALSE);
                RECT client;
                GetClientRect(button, &client);
                const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                if (PtInRect(&client, point)) Click(button);
            }
            return 0;
        case WM_CAPTURECHANGED:
            if (state && state->pressed) {
                state->pressed = false;
                InvalidateRect(button, nullptr, FALSE);
            }
            return 0;
        case WM_GETDLGCODE:
            return DLGC_BUTTON;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE || wParam == VK_RETURN) {
                Click(button);
                return 0;
            }
            if (wParam == VK_DOWN && state && state->menu) {
                PopMenu(button, *state);
                return 0;
            }
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
            InvalidateRect(button, nullptr, FALSE);
            return 0;
    }
    return DefWindowProcW(button, message, wParam, lParam);
}

}  // namespace

HWND CreateImageButton(HWND parent, int id, const ImageButtonImages& images, int imageIndex,
                       const wchar_t* hint) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterWindowClassOnce({kImageButtonClass,
                             StatefulControlProcedure<ImageButtonState, HandleImageButtonMessage>,
                             CS_DBLCLKS, nullptr, IDC_HAND});
    ImageButtonState initial{images, imageIndex, nullptr, false, false};
    return CreateWindowExW(0, kImageButtonClass, hint, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0,
                           0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                           &initial);
}

void SetImageButtonMenu(HWND button, HMENU menu) {
    if (ImageButtonState* state = StateOf(button)) {
        state->menu = menu;
        InvalidateRect(button, nullptr, FALSE);
    }
}

RECT DropDownSquare(HWND button) {
    RECT client;
    GetClientRect(button, &client);
    const int side = Scale(10, DpiOf(button));
    return {client.right - side, client.bottom - side, client.right, client.bottom};
}

}  // namespace glmx::ui
