#include "platform/win32/shell_context_menu.h"

#include "platform/win32/com_ptr.h"
#include "platform/win32/unique_handle.h"

namespace glmx::platform::win32 {

namespace {

constexpr UINT kFirstCommand = 1;
constexpr UINT kLastCommand = 0x7FFF;
constexpr wchar_t kCallbackClass[] = L"ICMCALLBACKWND";

// Owner-drawn entries (the "Send to" and "Open with" icons) and sub-menus filled on
// demand are the handler's work: their messages go to the window that owns the menu.
LRESULT CALLBACK MenuCallbackProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* handler = reinterpret_cast<IContextMenu2*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (handler) {
        switch (message) {
            case WM_DRAWITEM:
            case WM_MEASUREITEM:
                handler->HandleMenuMsg(message, wParam, lParam);
                return 1;
            case WM_INITMENUPOPUP:
                handler->HandleMenuMsg(message, wParam, lParam);
                return 0;
            default:
                break;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HMODULE ThisModule() {
    static const char anchor = 0;
    HMODULE module = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&anchor), &module);
    return module;
}

bool RegisterCallbackClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = MenuCallbackProc;
        windowClass.hInstance = ThisModule();
        windowClass.lpszClassName = kCallbackClass;
        return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

// Hidden; it must be destroyed before the handler is released.
UniqueWindow CreateMenuCallbackWindow(HWND owner, IContextMenu2* handler) {
    if (!RegisterCallbackClass()) return {};
    return UniqueWindow(CreateWindowExW(0, kCallbackClass, L"", WS_POPUP, 0, 0, 0, 0, owner,
                                        nullptr, ThisModule(), handler));
}

}  // namespace

ContextMenuOutcome ShowShellContextMenu(HWND owner, IContextMenu& handler, POINT screenPoint,
                                        UINT queryFlags) {
    const UniqueMenu menu(CreatePopupMenu());
    if (!menu ||
        FAILED(handler.QueryContextMenu(menu.get(), 0, kFirstCommand, kLastCommand, queryFlags)))
        return ContextMenuOutcome::NotShown;

    ComPtr<IContextMenu2> drawingHandler;
    handler.QueryInterface(__uuidof(IContextMenu2), drawingHandler.put_void());
    UniqueWindow callbackWindow;  // destroyed before the handlers are released
    if (drawingHandler) callbackWindow = CreateMenuCallbackWindow(owner, drawingHandler.get());

    const HWND menuWindow = callbackWindow ? callbackWindow.get() : owner;
    const int chosen = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screenPoint.x,
                                      screenPoint.y, 0, menuWindow, nullptr);
    if (chosen < static_cast<int>(kFirstCommand)) return ContextMenuOutcome::Dismissed;

    CMINVOKECOMMANDINFO command{};
    command.cbSize = sizeof(command);
    command.hwnd = owner;
    command.lpVerb = MAKEINTRESOURCEA(chosen - kFirstCommand);
    command.nShow = SW_SHOWNORMAL;
    return SUCCEEDED(handler.InvokeCommand(&command)) ? ContextMenuOutcome::CommandRan
                                                      : ContextMenuOutcome::CommandFailed;
}

}  // namespace glmx::platform::win32
