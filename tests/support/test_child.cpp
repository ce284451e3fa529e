// A program for the window tests to start: it shows a top-level window titled
// by its first argument, a dialog that window owns and a tool window, and ends
// when its top-level window closes.
#include <windows.h>

#include <string>

namespace {

LRESULT CALLBACK ChildProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY && GetWindow(window, GW_OWNER) == nullptr &&
        !(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
        PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND Show(const std::wstring& title, DWORD exStyle, DWORD style, HWND owner, int left) {
    HWND window = CreateWindowExW(exStyle, L"GlmxTestChild", title.c_str(), style, left, 100, 300,
                                  200, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring title = argc > 1 ? argv[1] : L"Glimmerbox test child";
    const WNDCLASSW windowClass{.lpfnWndProc = ChildProcedure,
                                .hInstance = GetModuleHandleW(nullptr),
                                .hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),
                                .lpszClassName = L"GlmxTestChild"};
    RegisterClassW(&windowClass);

    HWND main = Show(title, 0, WS_OVERLAPPEDWINDOW, nullptr, 100);
    Show(title + L" dialog", WS_EX_DLGMODALFRAME, WS_POPUP | WS_CAPTION, main, 200);
    Show(title + L" palette", WS_EX_TOOLWINDOW, WS_OVERLAPPEDWINDOW, nullptr, 300);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
