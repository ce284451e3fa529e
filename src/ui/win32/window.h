// Base of every window class of the program: binds the C++ object to its HWND at
// WM_NCCREATE and routes messages to HandleMessage. An exception that a handler
// lets out is shown in the general error box and the program goes on.
#pragma once

#include <windows.h>

namespace glmx::ui {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const { return hwnd_; }

protected:
    // Registers the class once per process; the class's procedure is this base's.
    static void RegisterWindowClass(HINSTANCE instance, const wchar_t* className, UINT style,
                                    HBRUSH background);
    HWND CreateWindowOfClass(HINSTANCE instance, const wchar_t* className, const wchar_t* caption,
                             DWORD style, DWORD exStyle, int left, int top, int width, int height,
                             HWND parent);

    // Messages not handled return DefaultHandling.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

}  // namespace glmx::ui
