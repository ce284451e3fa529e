// An uninstaller for the tests to run: given what to do, a hive (HKCU or HKLM), a
// registry view (32, 64 or native) and the program's key below the hive, it removes
// the key, empties its "UninstallString", leaves it, or hands over to a copy of
// itself that removes the key a second later, and ends at once.
#include <windows.h>

#include <string>

namespace {

REGSAM ViewOf(const std::wstring& view) {
    return view == L"32" ? KEY_WOW64_32KEY : view == L"64" ? KEY_WOW64_64KEY : 0;
}

int RemoveKey(HKEY root, REGSAM view, const std::wstring& path) {
    const size_t split = path.rfind(L'\\');
    if (split == std::wstring::npos) return 2;
    HKEY parent = nullptr;
    if (RegOpenKeyExW(root, path.substr(0, split).c_str(), 0, KEY_ALL_ACCESS | view, &parent))
        return 3;
    const LONG result = RegDeleteTreeW(parent, path.substr(split + 1).c_str());
    RegCloseKey(parent);
    return result ? 4 : 0;
}

int EmptyCommand(HKEY root, REGSAM view, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_SET_VALUE | view, &key)) return 3;
    const wchar_t empty[] = L"";
    const LONG result = RegSetValueExW(key, L"UninstallString", 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(empty), sizeof(empty));
    RegCloseKey(key);
    return result ? 4 : 0;
}

int HandOver(const std::wstring& hive, const std::wstring& view, const std::wstring& path) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring line =
        L"\"" + std::wstring(self) + L"\" later " + hive + L" " + view + L" \"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(self, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
        return 5;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 5) return 1;
    const std::wstring mode = argv[1], hive = argv[2], view = argv[3], path = argv[4];
    HKEY root = hive == L"HKLM" ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    if (mode == L"remove") return RemoveKey(root, ViewOf(view), path);
    if (mode == L"empty") return EmptyCommand(root, ViewOf(view), path);
    if (mode == L"spawn") return HandOver(hive, view, path);
    if (mode == L"later") {
        Sleep(1000);  // long after the uninstaller the user started has ended
        return RemoveKey(root, ViewOf(view), path);
    }
    return 0;  // "leave"
}
