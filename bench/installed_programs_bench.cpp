// Collecting and filling the installed-programs view with 500 test entries, each with
// its icon, against the plain reads it is built on (RegEnumKeyEx, and for each entry
// RegOpenKeyEx, its three values and SHGetFileInfo of its icon file) over the same
// three places, measured in the same run. Prints the ratio. The test entries are
// removed afterwards.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "app/program.h"
#include "ui/mainwindow/commands.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kTarget = 1.5;
constexpr int kEntries = 500;
constexpr int kRounds = 5;
constexpr wchar_t kUninstall[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::wstring Value(HKEY key, const wchar_t* name) {
    wchar_t text[1024];
    DWORD size = sizeof(text) - sizeof(wchar_t), type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    text[size / sizeof(wchar_t)] = L'\0';
    return text;
}

// The plain reads of one place, with nothing kept but a count.
int RawPlace(HKEY root, REGSAM view) {
    HKEY parent = nullptr;
    if (RegOpenKeyExW(root, kUninstall, 0, KEY_READ | view, &parent)) return 0;
    int listed = 0;
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = 256;
        if (RegEnumKeyExW(parent, index, name, &length, nullptr, nullptr, nullptr, nullptr)) break;
        HKEY entry = nullptr;
        if (RegOpenKeyExW(parent, name, 0, KEY_READ, &entry)) continue;
        const std::wstring display = Value(entry, L"DisplayName");
        const std::wstring uninstall = Value(entry, L"UninstallString");
        std::wstring icon = Value(entry, L"DisplayIcon");
        RegCloseKey(entry);
        if (display.empty() || uninstall.empty()) continue;
        icon = icon.substr(0, icon.find(L','));
        SHFILEINFOW info{};
        SHGetFileInfoW(icon.c_str(), 0, &info, sizeof(info),
                       SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
        listed += info.iIcon >= 0;
    }
    RegCloseKey(parent);
    return listed;
}

int Raw() {
    return RawPlace(HKEY_LOCAL_MACHINE, 0) + RawPlace(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY) +
           RawPlace(HKEY_CURRENT_USER, 0);
}

}  // namespace

int wmain() {
    const std::wstring prefix = L"GlmxBench-" + std::to_wstring(GetCurrentProcessId()) + L"-";
    HKEY uninstall = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kUninstall, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &uninstall, &disposition))
        return 1;
    const auto set = [](HKEY key, const wchar_t* name, const std::wstring& text) {
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    };
    for (int index = 0; index < kEntries; ++index) {
        const std::wstring number = std::to_wstring((index * 7919) % kEntries);
        HKEY entry = nullptr;
        if (RegCreateKeyExW(uninstall, (prefix + number).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                            &entry, nullptr))
            continue;
        set(entry, L"DisplayName", L"Bench Program " + number);
        set(entry, L"UninstallString", L"\"C:\\Bench\\" + number + L"\\unins000.exe\" /S");
        set(entry, L"DisplayIcon", L"C:\\Bench\\" + number + L"\\program.exe,0");
        set(entry, L"Publisher", L"Quenfield");
        RegCloseKey(entry);
    }

    double raw = 1e300, shown = 1e300;
    int rawListed = 0, rows = 0;
    {
        glmx::app::Program program({"Software\\Quenfield\\GlmxBenchSettings"});
        if (!program.Create(GetModuleHandleW(nullptr))) return 1;
        HWND window = program.MainWindow().Handle();
        SendMessageW(window, WM_COMMAND,
                     MAKEWPARAM(glmx::ui::ViewCommand(glmx::vkInstalledPrograms), 0), 0);
        for (int round = 0; round < kRounds; ++round) {
            Clock::time_point start = Clock::now();
            rawListed = Raw();
            raw = std::min(raw, MillisecondsSince(start));

            start = Clock::now();
            program.InstalledPrograms().Collect();
            program.InstalledPrograms().Fill(0);
            shown = std::min(shown, MillisecondsSince(start));
            rows = ListView_GetItemCount(program.InventoryPage().List());
        }
        DestroyWindow(window);
    }
    for (int index = 0; index < kEntries; ++index)
        RegDeleteTreeW(uninstall, (prefix + std::to_wstring(index)).c_str());
    RegCloseKey(uninstall);
    if (disposition == REG_CREATED_NEW_KEY) RegDeleteKeyW(HKEY_CURRENT_USER, kUninstall);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quenfield\\GlmxBenchSettings");

    const double ratio = shown / raw;
    std::printf("entries: %d listed plainly, %d rows; rounds: %d\n", rawListed, rows, kRounds);
    std::printf("raw reads and icons (best):         %9.3f ms\n", raw);
    std::printf("installed programs collected and filled (best): %9.3f ms\n", shown);
    std::printf("ratio: %.3f (target at most %.2f): %s\n", ratio, kTarget,
                ratio <= kTarget ? "meets the target" : "misses the target");
    return 0;
}
