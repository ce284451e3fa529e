// Finding the program's main window from another process.
#pragma once

#include <windows.h>

#include <chrono>
#include <vector>

namespace glmx::testing {

// Visible main windows ("TFMain" class); of one process when processId is not 0.
std::vector<HWND> VisibleMainWindows(DWORD processId = 0);

// Polls until a visible main window exists; nullptr after the timeout.
HWND WaitForMainWindow(DWORD processId, std::chrono::milliseconds timeout);

// Polls until the condition holds; false after the timeout.
template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        Sleep(20);
    }
    return true;
}

}  // namespace glmx::testing
