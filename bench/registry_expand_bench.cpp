// Opening a registry key with 20,000 sub-keys in the registry view's tree (listed,
// sorted, each sub-key asked whether it has sub-keys of its own, the nodes added),
// against the plain loop it is built on (RegEnumKeyEx, and RegOpenKeyEx with
// RegQueryInfoKey for each sub-key), measured in the same run. Prints the ratio.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "app/program.h"
#include "platform/win32/wide.h"
#include "ui/mainwindow/commands.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kTarget = 1.5;
constexpr int kSubKeys = 20000;
constexpr int kRounds = 3;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The loop the view is built on, with nothing kept.
size_t RawExpand(const std::wstring& path) {
    HKEY parent = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &parent) != ERROR_SUCCESS)
        return 0;
    size_t withSubKeys = 0;
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = 256;
        if (RegEnumKeyExW(parent, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        HKEY child = nullptr;
        if (RegOpenKeyExW(parent, name, 0, KEY_QUERY_VALUE, &child) != ERROR_SUCCESS) continue;
        DWORD subKeys = 0;
        if (RegQueryInfoKeyW(child, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
            subKeys > 0)
            ++withSubKeys;
        RegCloseKey(child);
    }
    RegCloseKey(parent);
    return withSubKeys;
}

std::wstring ItemText(HWND tree, HTREEITEM item) {
    wchar_t text[260] = {};
    TVITEMW query{};
    query.mask = TVIF_TEXT | TVIF_HANDLE;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = 260;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
    return text;
}

// Opens the nodes down to a key's path below HKEY_CURRENT_USER and gives its node.
HTREEITEM Reveal(HWND tree, const std::wstring& path) {
    HTREEITEM item = TreeView_GetRoot(tree);
    std::wstring rest = L"HKEY_CURRENT_USER\\" + path;
    while (item && !rest.empty()) {
        const size_t slash = std::min(rest.find(L'\\'), rest.size());
        const std::wstring part = rest.substr(0, slash);
        rest = slash < rest.size() ? rest.substr(slash + 1) : L"";
        TreeView_Expand(tree, item, TVE_EXPAND);
        HTREEITEM child = TreeView_GetChild(tree, item);
        while (child && ItemText(tree, child) != part) child = TreeView_GetNextSibling(tree, child);
        item = child;
    }
    return item;
}

int CountChildren(HWND tree, HTREEITEM item) {
    int count = 0;
    for (HTREEITEM child = TreeView_GetChild(tree, item); child;
         child = TreeView_GetNextSibling(tree, child))
        ++count;
    return count;
}

}  // namespace

int wmain() {
    const std::wstring base =
        L"Software\\Quenfield\\GlmxBench-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring big = base + L"\\Big";
    std::printf("making %d sub-keys...\n", kSubKeys);
    HKEY parent = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, big.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &parent, nullptr) != ERROR_SUCCESS)
        return 1;
    for (int index = 0; index < kSubKeys; ++index) {
        // Every tenth has a sub-key of its own; the names come in no sorted order.
        std::wstring name = L"Key" + std::to_wstring((index * 7919) % kSubKeys);
        if (index % 10 == 0) name += L"\\Inner";
        HKEY child = nullptr;
        if (RegCreateKeyExW(parent, name.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &child,
                            nullptr) == ERROR_SUCCESS)
            RegCloseKey(child);
    }
    RegCloseKey(parent);

    double raw = 1e300, shown = 1e300;
    size_t rawWithSubKeys = 0;
    int nodes = 0;
    {
        glmx::app::Program program({"Software\\Quenfield\\GlmxBenchSettings"});
        if (!program.Create(GetModuleHandleW(nullptr))) return 1;
        HWND window = program.MainWindow().Handle();
        HWND tree = program.InventoryPage().RegistryTree();
        for (int round = 0; round < kRounds; ++round) {
            Clock::time_point start = Clock::now();
            rawWithSubKeys = RawExpand(big);
            raw = std::min(raw, MillisecondsSince(start));

            // A fresh tree each round: a key is read only the first time it opens.
            SendMessageW(window, WM_COMMAND, MAKEWPARAM(glmx::ui::ViewCommand(glmx::vkRegistry), 0),
                         0);
            HTREEITEM item = Reveal(tree, big);
            if (!item) return 1;
            start = Clock::now();
            TreeView_Expand(tree, item, TVE_EXPAND);
            shown = std::min(shown, MillisecondsSince(start));
            nodes = CountChildren(tree, item);
        }
        DestroyWindow(window);
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, base.c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quenfield\\GlmxBenchSettings");

    const double ratio = shown / raw;
    std::printf("sub-keys: %d in the tree, %zu with sub-keys; rounds: %d\n", nodes, rawWithSubKeys,
                kRounds);
    std::printf("raw enumeration and queries (best): %9.3f ms\n", raw);
    std::printf("registry tree opens the key (best): %9.3f ms\n", shown);
    std::printf("ratio: %.3f (target at most %.2f): %s\n", ratio, kTarget,
                ratio <= kTarget ? "meets the target" : "misses the target");
    return 0;
}
