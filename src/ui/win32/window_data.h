// The one way the program's windows find their C++ data: a pointer in the
// window's user data, bound once and unbound when the window goes.
#pragma once

#include <windows.h>

#include <memory>

namespace glmx::ui {

template <typename T>
void BindWindowData(HWND window, T* data) {
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
}

template <typename T>
T* WindowData(HWND window) {
    return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

inline void UnbindWindowData(HWND window) { SetWindowLongPtrW(window, GWLP_USERDATA, 0); }

// The procedure of a control class whose window owns its state: the state is copied
// from the creation parameter at WM_NCCREATE and deleted after WM_NCDESTROY, and
// Handle sees every message in between with it.
template <typename State, LRESULT (*Handle)(HWND, State&, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK StatefulControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        BindWindowData(window, new State(*static_cast<const State*>(create->lpCreateParams)));
    }
    State* state = WindowData<State>(window);
    if (!state) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        UnbindWindowData(window);
        std::unique_ptr<State> owned(state);
        return Handle(window, *owned, message, wParam, lParam);
    }
    return Handle(window, *state, message, wParam, lParam);
}

}  // namespace glmx::ui
