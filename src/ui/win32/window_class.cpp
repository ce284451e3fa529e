#include "ui/win32/window_class.h"

namespace glmx::ui {

void RegisterWindowClassOnce(const WindowClassRegistration& spec) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(instance, spec.name, &existing)) return;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = spec.style;
    windowClass.lpfnWndProc = spec.procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, spec.cursor);
    windowClass.hIcon = spec.icon;
    windowClass.hbrBackground = spec.background;
    windowClass.lpszClassName = spec.name;
    RegisterClassExW(&windowClass);
}

}  // namespace glmx::ui
