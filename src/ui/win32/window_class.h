// Registers a window class of this program once per process.
#pragma once

#include <windows.h>

namespace glmx::ui {

struct WindowClassRegistration {
    const wchar_t* name;
    WNDPROC procedure;
    UINT style = 0;
    HBRUSH background = nullptr;
    LPCWSTR cursor = IDC_ARROW;
    HICON icon = nullptr;
};

void RegisterWindowClassOnce(const WindowClassRegistration& registration);

}  // namespace glmx::ui
