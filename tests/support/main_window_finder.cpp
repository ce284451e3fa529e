#include "support/main_window_finder.h"

namespace glmx::testing {

namespace {

struct Search {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<Search*>(context);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (lstrcmpW(className, L"TFMain") == 0 && IsWindowVisible(window) &&
        (search.processId == 0 || owner == search.processId))
        search.found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> VisibleMainWindows(DWORD processId) {
    Search search{processId, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForMainWindow(DWORD processId, std::chrono::milliseconds timeout) {
    HWND window = nullptr;
    WaitUntil(
        [&] {
            const auto windows = VisibleMainWindows(processId);
            window = windows.empty() ? nullptr : windows.front();
            return window != nullptr;
        },
        timeout);
    return window;
}

}  // namespace glmx::testing
