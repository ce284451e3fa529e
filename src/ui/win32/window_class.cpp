#include "ui/win32/window_class.h"

namespace glmx::ui {

void RegisterWindowClassOnce(const WindowClassRegistration& registration) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(instance, registration.name, &existing)) return;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = registration.style;
    windowClass.lpfnWndProc = registration.procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, registration.cursor);
    windowClass.hIcon = registration.icon;
    windowClass.hbrBackground = registration.background;
    windowClass.lpszClassName = registration.name;
    RegisterClassExW(&windowClass);
}

}  // namespace glmx::ui
