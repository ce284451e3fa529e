#include "support/main_window_finder.h"

namespace glmx::testing {

std::vector<HWND> VisibleMainWindows(DWORD processId) {
    std::pair<DWORD, std::vector<HWND>> search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& [wanted, found] = *reinterpret_cast<decltype(search)*>(context);
            wchar_t className[64] = {};
            GetClassNameW(window, className, 64);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (lstrcmpW(className, L"TFMain") == 0 && IsWindowVisible(window) &&
                (wanted == 0 || owner == wanted))
                found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
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
