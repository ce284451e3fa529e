#include "platform/win32/win32_display.h"

#include <windows.h>

namespace glmx::platform::win32 {

namespace {

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM context) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& work = info.rcWork;
        reinterpret_cast<std::vector<ScreenRect>*>(context)->push_back(
            {work.left, work.top, work.right, work.bottom});
    }
    return TRUE;
}

}  // namespace

std::vector<ScreenRect> Win32Display::MonitorWorkAreas() const {
    std::vector<ScreenRect> areas;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

}  // namespace glmx::platform::win32
