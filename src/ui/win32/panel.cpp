#include "ui/win32/panel.h"

#include "ui/win32/window_class.h"
#include "ui/win32/window_data.h"

namespace glmx::ui {

namespace {

constexpr wchar_t kPanelClass[] = L"GlmxPanel";

struct PanelState {
    PanelStyle style;
};

HBRUSH BackgroundOf(PanelStyle style) {
    switch (style) {
        case PanelStyle::FunctionBar:
            return GetSysColorBrush(COLOR_BTNSHADOW);
        case PanelStyle::White:
            return GetSysColorBrush(COLOR_WINDOW);
        case PanelStyle::Plain:
            break;
    }
    return GetSysColorBrush(COLOR_BTNFACE);
}

LRESULT HandlePanelMessage(HWND panel, PanelState& state, UINT message, WPARAM wParam,
                           LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT rect;
            GetClientRect(panel, &rect);
            FillRect(reinterpret_cast<HDC>(wParam), &rect, BackgroundOf(state.style));
            return 1;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            const PanelStyle style = state.style;
            auto dc = reinterpret_cast<HDC>(wParam);
            if (style == PanelStyle::FunctionBar) {
                SetTextColor(dc, RGB(255, 255, 255));
                SetBkColor(dc, GetSysColor(COLOR_BTNSHADOW));
            } else {
                SetBkColor(dc,
                           GetSysColor(style == PanelStyle::White ? COLOR_WINDOW : COLOR_BTNFACE));
            }
            return reinterpret_cast<LRESULT>(BackgroundOf(style));
        }
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_CONTEXTMENU:
            if (HWND root = GetAncestor(panel, GA_ROOT); root && root != panel)
                return SendMessageW(root, message, wParam, lParam);
            break;
    }
    return DefWindowProcW(panel, message, wParam, lParam);
}

}  // namespace

HWND CreatePanel(HWND parent, PanelStyle style, int id) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterWindowClassOnce(
        {kPanelClass, StatefulControlProcedure<PanelState, HandlePanelMessage>});
    PanelState initial{style};
    return CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, L"",
                           WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                           &initial);
}

}  // namespace glmx::ui
