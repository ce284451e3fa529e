#include "ui/win32/panel.h"

#include "ui/win32/window_class.h"

namespace glmx::ui {

namespace {

constexpr wchar_t kPanelClass[] = L"GlmxPanel";

PanelStyle StyleOf(HWND panel) {
    return static_cast<PanelStyle>(GetWindowLongPtrW(panel, GWLP_USERDATA));
}

HBRUSH BackgroundOf(PanelStyle style) {
    switch (style) {
        case PanelStyle::FunctionBar: return GetSysColorBrush(COLOR_BTNSHADOW);
        case PanelStyle::White: return GetSysColorBrush(COLOR_WINDOW);
        case PanelStyle::Plain: break;
    }
    return GetSysColorBrush(COLOR_BTNFACE);
}

LRESULT CALLBACK PanelProcedure(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE: {
            const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(panel, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
            break;
        }
        case WM_ERASEBKGND: {
            RECT rect;
            GetClientRect(panel, &rect);
            FillRect(reinterpret_cast<HDC>(wParam), &rect, BackgroundOf(StyleOf(panel)));
            return 1;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            const PanelStyle style = StyleOf(panel);
            auto dc = reinterpret_cast<HDC>(wParam);
            if (style == PanelStyle::FunctionBar) {
                SetTextColor(dc, RGB(255, 255, 255));
                SetBkColor(dc, GetSysColor(COLOR_BTNSHADOW));
            } else {
                SetBkColor(dc, GetSysColor(style == PanelStyle::White ? COLOR_WINDOW : COLOR_BTNFACE));
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
    RegisterWindowClassOnce({kPanelClass, PanelProcedure});
    return CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, L"",
                           WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           instance, reinterpret_cast<void*>(static_cast<INT_PTR>(style)));
}

}  // namespace glmx::ui
