#include "platform/win32/win32_system_folders.h"

#include <windows.h>

#include <shlobj.h>

#include "platform/win32/wide.h"

namespace glmx::platform::win32 {

namespace {

// The classic folder functions write at most MAX_PATH characters and the NUL; a
// result that does not fit (the function gives the size it needs) reads as "".
template <typename Call>
std::string FixedBufferText(Call call) {
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD length = call(buffer, static_cast<UINT>(MAX_PATH + 1));
    if (length == 0 || length > MAX_PATH) return {};
    return Narrow(std::wstring_view(buffer, length));
}

}  // namespace

std::string Win32SystemFolders::WindowsDirectory() const {
    return FixedBufferText(
        [](wchar_t* buffer, UINT size) { return GetWindowsDirectoryW(buffer, size); });
}

std::string Win32SystemFolders::SystemDirectory() const {
    return FixedBufferText(
        [](wchar_t* buffer, UINT size) { return GetSystemDirectoryW(buffer, size); });
}

std::string Win32SystemFolders::TempPath() const {
    return FixedBufferText([](wchar_t* buffer, UINT size) { return GetTempPathW(size, buffer); });
}

std::optional<std::string> Win32SystemFolders::EnvironmentVariable(std::string_view name) const {
    // A NUL would make Windows look up a shorter, different name.
    if (name.empty() || name.find('\0') != std::string_view::npos) return std::nullopt;
    const std::wstring wideName = Wide(name);
    std::wstring value(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 4; ++attempt) {  // the value may grow meanwhile
        SetLastError(ERROR_SUCCESS);
        const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(),
                                                     static_cast<DWORD>(value.size()));
        if (length == 0)
            return GetLastError() == ERROR_ENVVAR_NOT_FOUND ? std::nullopt
                                                            : std::optional<std::string>("");
        if (length < value.size()) return Narrow(std::wstring_view(value.data(), length));
        value.assign(length, L'\0');
    }
    return std::nullopt;
}

std::string Win32SystemFolders::ShellFolderPath(int csidl) const {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    path[MAX_PATH - 1] = L'\0';
    return Narrow(path);
}

}  // namespace glmx::platform::win32
