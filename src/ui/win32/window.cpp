#include "ui/win32/window.h"

#include <exception>

#include "ui/win32/error_box.h"
#include "ui/win32/window_class.h"
#include "ui/win32/window_data.h"

namespace glmx::ui {

Window::~Window() {
    if (hwnd_) {
        // The object goes first: stop routing to it, then let the window go.
        UnbindWindowData(hwnd_);
        DestroyWindow(hwnd_);
    }
}

void Window::RegisterWindowClass(HINSTANCE instance, const wchar_t* className, UINT style,
                                 HBRUSH background) {
    RegisterWindowClassOnce({className, &Window::WindowProcedure, style, background, IDC_ARROW,
                             LoadIconW(instance, MAKEINTRESOURCEW(1))});
}

HWND Window::CreateWindowOfClass(HINSTANCE instance, const wchar_t* className,
                                 const wchar_t* caption, DWORD style, DWORD exStyle, int left,
                                 int top, int width, int height, HWND parent) {
    return CreateWindowExW(exStyle, className, caption, style, left, top, width, height, parent,
                           nullptr, instance, this);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultHandling(message, wParam, lParam);
}

LRESULT Window::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        BindWindowData(hwnd, self);
    }
    auto* self = WindowData<Window>(hwnd);
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);

    LRESULT result = 0;
    try {
        result = self->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        ShowGeneralError(hwnd, error.what());
        result = DefWindowProcW(hwnd, message, wParam, lParam);
    } catch (...) {
        ShowGeneralError(hwnd, "Unexpected error.");
        result = DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        UnbindWindowData(hwnd);
        self->hwnd_ = nullptr;
    }
    return result;
}

}  // namespace glmx::ui
