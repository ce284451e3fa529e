// Collecting and filling the Processes view, against the plain API walk it is
// built on (tool-help snapshot, each process opened, its first ".EXE" module,
// its version resource read), measured in the same run. Prints the ratio.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwctype>
#include <string>
#include <vector>

#include "inventory/program_list.h"
#include "inventory/running_programs.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_version_resources.h"
#include "ui/mainwindow/program_list_control.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kTarget = 1.25;

bool EndsWithExe(const wchar_t* name) {
    const size_t length = wcslen(name);
    if (length < 4) return false;
    const wchar_t* tail = name + length - 4;
    return tail[0] == L'.' && std::towupper(tail[1]) == L'E' && std::towupper(tail[2]) == L'X' &&
           std::towupper(tail[3]) == L'E';
}

// The walk the view is built on, with nothing kept.
size_t RawWalk() {
    size_t versionBytes = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        HANDLE process =
            OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, entry.th32ProcessID);
        if (!process) continue;
        HMODULE modules[1024];
        DWORD needed = 0;
        wchar_t path[MAX_PATH + 1] = {};
        bool found = false;
        if (EnumProcessModules(process, modules, sizeof(modules), &needed)) {
            const DWORD count = std::min<DWORD>(needed / sizeof(HMODULE), 1024);
            for (DWORD i = 0; i < count && !found; ++i)
                found =
                    GetModuleFileNameExW(process, modules[i], path, MAX_PATH) && EndsWithExe(path);
        }
        CloseHandle(process);
        if (!found) continue;
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
        if (!size) continue;
        std::vector<BYTE> data(size);
        if (GetFileVersionInfoW(path, 0, size, data.data())) versionBytes += size;
    }
    CloseHandle(snapshot);
    return versionBytes;
}

struct View {
    HWND window;
    HWND list;
    HWND status;
};

View CreateView() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    View view{};
    view.window = CreateWindowExW(0, WC_STATICW, L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    view.list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 800,
                                500, view.window, nullptr, GetModuleHandleW(nullptr), nullptr);
    view.status = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                  view.window, nullptr, GetModuleHandleW(nullptr), nullptr);
    for (int column = 0; column < 9; ++column) {
        LVCOLUMNW header{};
        header.mask = LVCF_WIDTH;
        header.cx = 100;
        SendMessageW(view.list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&header));
    }
    return view;
}

double MedianMs(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// Extra processes, so that the walk has something to do on a quiet system.
std::vector<HANDLE> StartChildren(int count) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring child = self;
    child = child.substr(0, child.find_last_of(L'\\') + 1) + L"glmx_test_child.exe";
    std::vector<HANDLE> children;
    for (int i = 0; i < count; ++i) {
        std::wstring commandLine =
            L"\"" + child + L"\" \"bench child " + std::to_wstring(i) + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &info)) {
            CloseHandle(info.hThread);
            children.push_back(info.hProcess);
        }
    }
    Sleep(1000);
    return children;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int rounds = argc > 1 ? std::max(3, _wtoi(argv[1])) : 25;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::vector<HANDLE> children = StartChildren(20);

    glmx::platform::win32::Win32ProcessSystem system;
    glmx::platform::win32::Win32VersionResources versions;
    glmx::platform::win32::Win32Shell shell;
    glmx::inventory::TRunningProgramsInfoClass processes;
    const View view = CreateView();
    glmx::ui::ProgramListControl list(view.list, view.status);

    auto collectAndFill = [&] {
        ListView_DeleteAllItems(view.list);
        processes.CollectProcesses(system, versions);
        glmx::inventory::FillProgramList(list, list, processes.Records(), shell,
                                         glmx::inventory::FillMode::Adding,
                                         glmx::inventory::kProcessesStatus);
    };
    RawWalk();
    collectAndFill();

    std::vector<double> raw, view_;
    for (int round = 0; round < rounds; ++round) {
        // Alternating keeps both sides under the same conditions.
        auto start = Clock::now();
        RawWalk();
        raw.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        start = Clock::now();
        collectAndFill();
        view_.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    const double rawMs = MedianMs(raw), viewMs = MedianMs(view_);
    const double ratio = viewMs / rawMs;
    std::printf("processes listed: %zu, rounds: %d\n", processes.Count(), rounds);
    std::printf("raw API walk (median):             %8.3f ms\n", rawMs);
    std::printf("Processes view collect+fill (median): %8.3f ms\n", viewMs);
    std::printf("ratio: %.3f (target at most %.2f): %s\n", ratio, kTarget,
                ratio <= kTarget ? "meets the target" : "misses the target");

    for (HANDLE child : children) {
        TerminateProcess(child, 0);
        WaitForSingleObject(child, 5000);
        CloseHandle(child);
    }
    DestroyWindow(view.window);
    CoUninitialize();
    return 0;
}
