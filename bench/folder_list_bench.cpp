// Showing a folder of 10,000 files in the item list (listed, sorted and the first
// page drawn), against the plain shell walk it is built on (EnumObjects, and each
// item's parsing name with its icon and type asked by that name), measured in the
// same run. Prints the ratio.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/win32/shell_namespace.h"
#include "ui/win32/shell_list.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kTarget = 1.5;
constexpr int kFiles = 10000;
constexpr wchar_t kParentClass[] = L"GlmxFolderListBench";

LRESULT CALLBACK ParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* list = reinterpret_cast<glmx::ui::ShellList*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    LRESULT result = 0;
    if (message == WM_NOTIFY && list &&
        list->OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result))
        return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

// The walk the list is built on, with nothing kept.
size_t RawWalk(const ITEMIDLIST* folderId) {
    size_t typeChars = 0;
    IShellFolder* desktop = nullptr;
    IShellFolder* folder = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop))) return 0;
    if (SUCCEEDED(desktop->BindToObject(folderId, nullptr, IID_IShellFolder,
                                        reinterpret_cast<void**>(&folder)))) {
        IEnumIDList* children = nullptr;
        if (folder->EnumObjects(nullptr,
                                SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                                &children) == S_OK &&
            children) {
            ITEMIDLIST* child = nullptr;
            ULONG fetched = 0;
            while (children->Next(1, &child, &fetched) == S_OK && fetched == 1) {
                // Each item's name, then its icon and type asked by that name, as the
                // list asks them: without opening the file.
                STRRET name{};
                wchar_t* path = nullptr;
                if (SUCCEEDED(folder->GetDisplayNameOf(child, SHGDN_FORPARSING, &name)) &&
                    SUCCEEDED(StrRetToStrW(&name, child, &path))) {
                    SHFILEINFOW info{};
                    SHGetFileInfoW(path, FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                                   SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON |
                                       SHGFI_TYPENAME);
                    typeChars += wcslen(info.szTypeName);
                    CoTaskMemFree(path);
                }
                CoTaskMemFree(child);
            }
            children->Release();
        }
        folder->Release();
    }
    desktop->Release();
    return typeChars;
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

double Ms(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 3;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("glmx-folder-bench-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(folder);
    const wchar_t* extensions[] = {L".txt", L".dat", L".log", L".ini", L".bmp"};
    for (int index = 0; index < kFiles; ++index) {
        const std::wstring name =
            (folder / (L"file " + std::to_wstring(index))).wstring() + extensions[index % 5];
        CloseHandle(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    const glmx::platform::win32::ItemIdList folderId =
        glmx::platform::win32::IdListFromPath(folder.string());

    const WNDCLASSW windowClass{0,  ParentProcedure, 0, 0, GetModuleHandleW(nullptr), {}, {}, {},
                                {}, kParentClass};
    RegisterClassW(&windowClass);
    const HWND parent = CreateWindowExW(0, kParentClass, L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 800,
                                        600, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    glmx::ui::ShellList list({});
    SetWindowLongPtrW(parent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&list));
    const HWND view = list.Create(parent, 1);
    MoveWindow(view, 0, 0, 780, 560, FALSE);
    ShowWindow(parent, SW_SHOW);

    auto showFolder = [&] {
        list.ShowFolder(folderId.get());
        while (list.Filling()) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            Pump();
        }
        UpdateWindow(view);
    };
    showFolder();  // warms the shell's caches; the walk's first round may come out slower

    double raw = 1e30, shown = 1e30;
    for (int round = 0; round < rounds; ++round) {
        // Alternating keeps both sides under the same conditions.
        auto start = Clock::now();
        RawWalk(folderId.get());
        raw = std::min(raw, Ms(start));
        start = Clock::now();
        showFolder();
        shown = std::min(shown, Ms(start));
        Pump();
    }
    const double ratio = shown / raw;
    std::printf("items listed: %d, rounds: %d\n", list.RowCount(), rounds);
    std::printf("raw shell walk (best):            %9.3f ms\n", raw);
    std::printf("item list shows the folder (best): %9.3f ms\n", shown);
    std::printf("ratio: %.3f (target at most %.2f): %s\n", ratio, kTarget,
                ratio <= kTarget ? "meets the target" : "misses the target");

    DestroyWindow(parent);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    CoUninitialize();
    return 0;
}
