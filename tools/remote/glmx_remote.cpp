// Drives a running glmx.exe from outside for the run script:
//   glmx-remote wait  [seconds]  waits until the main window shows, prints its bounds
//   glmx-remote close [seconds]  closes every main window as a user would, waits until gone
//   glmx-remote view  <number>   switches the main window to a view (its view-kind number)
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>

#include "support/main_window_finder.h"
#include "ui/mainwindow/commands.h"

using namespace glmx::testing;

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    const auto timeout = std::chrono::seconds(argc > 2 ? _wtoi(argv[2]) : 30);
    if (command == L"wait") {
        HWND window = WaitForMainWindow(0, timeout);
        if (!window) {
            std::fprintf(stderr, "glmx-remote: no main window appeared\n");
            return 1;
        }
        Sleep(500);  // let the first paint finish
        RECT rect{};
        GetWindowRect(window, &rect);
        std::printf("main window at left %ld, top %ld, %ld by %ld\n", rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top);
        return 0;
    }
    if (command == L"close") {
        for (HWND window : VisibleMainWindows()) PostMessageW(window, WM_CLOSE, 0, 0);
        return WaitUntil([] { return VisibleMainWindows().empty(); }, timeout) ? 0 : 1;
    }
    if (command == L"view" && argc > 2) {
        const int viewCommand = glmx::ui::cmdViewFirst + _wtoi(argv[2]);
        for (HWND window : VisibleMainWindows())
            SendMessageW(window, WM_COMMAND, MAKEWPARAM(viewCommand, 0), 0);
        Sleep(500);  // let the view paint
        return 0;
    }
    std::fprintf(stderr, "usage: glmx-remote wait|close [seconds] | view <number>\n");
    return 2;
}
