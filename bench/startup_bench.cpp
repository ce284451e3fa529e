// Start-up: from starting glmx.exe to its visible window with the All view's folder
// list filled, against a minimal Win32 program that opens one window (this program
// started with "--minimal-window"), measured in the same run. Prints the ratio.
#include <windows.h>

#include <commctrl.h>
#include <shlwapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "ui/mainwindow/commands.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kTarget = 1.5;
constexpr int kRounds = 5;
constexpr wchar_t kSettingsKey[] = L"Software\\Quenfield\\GLMX-startup-bench";

int MinimalWindow(HINSTANCE instance) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcW(window, message, wParam, lParam);
    };
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"MinimalWindow";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(L"MinimalWindow", L"Minimal", WS_OVERLAPPEDWINDOW, 50, 50, 850, 600,
                                nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}

struct Search {
    DWORD processId;
    HWND window;
};

HWND VisibleWindowOf(DWORD processId) {
    Search search{processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto& found = *reinterpret_cast<Search*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != found.processId || !IsWindowVisible(window) || GetWindow(window, GW_OWNER))
                return TRUE;
            found.window = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.window;
}

// The folder page's item list has rows.
bool FolderListFilled(HWND mainWindow) {
    HWND list = nullptr;
    EnumChildWindows(
        mainWindow,
        [](HWND child, LPARAM parameter) -> BOOL {
            if (GetDlgCtrlID(child) != glmx::ui::idFolderItemList) return TRUE;
            *reinterpret_cast<HWND*>(parameter) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&list));
    return list && SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) > 0;
}

// Seconds from CreateProcess until the program shows (and, for glmx, has filled its
// list); negative when it does not within 30 s.
double TimeToWindow(const std::wstring& program, const std::wstring& arguments, bool wantList) {
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const Clock::time_point start = Clock::now();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return -1;
    double seconds = -1;
    HWND window = nullptr;
    while (Clock::now() - start < std::chrono::seconds(30)) {
        window = VisibleWindowOf(process.dwProcessId);
        if (window && (!wantList || FolderListFilled(window))) {
            seconds = std::chrono::duration<double>(Clock::now() - start).count();
            break;
        }
        Sleep(1);
    }
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return seconds;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && std::wcscmp(argv[1], L"--minimal-window") == 0)
        return MinimalWindow(GetModuleHandleW(nullptr));

    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder = self;
    folder.resize(folder.rfind(L'\\') + 1);
    const std::wstring glmx = folder + L"glmx.exe";
    // The program's settings go to a throw-away key, removed at the end.
    SetEnvironmentVariableW(L"GLMX_SETTINGS_KEY", kSettingsKey);

    std::vector<double> minimal, program;
    TimeToWindow(self, L"--minimal-window", false);  // warm both up first
    TimeToWindow(glmx, L"", true);
    for (int round = 0; round < kRounds; ++round) {
        minimal.push_back(TimeToWindow(self, L"--minimal-window", false));
        program.push_back(TimeToWindow(glmx, L"", true));
    }
    SHDeleteKeyW(HKEY_CURRENT_USER, kSettingsKey);
    if (std::any_of(minimal.begin(), minimal.end(), [](double s) { return s < 0; }) ||
        std::any_of(program.begin(), program.end(), [](double s) { return s < 0; })) {
        std::printf("startup: a program did not show its window within 30 s\n");
        return 1;
    }
    const double ratio = Median(program) / Median(minimal);
    std::printf("startup to a filled All view: glmx %.3f s, minimal window %.3f s (median of %d)\n",
                Median(program), Median(minimal), kRounds);
    std::printf("startup ratio %.2f (target %.2f or less)\n", ratio, kTarget);
    return 0;
}
