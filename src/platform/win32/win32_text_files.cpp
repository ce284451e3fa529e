#include "platform/win32/win32_text_files.h"

#include <windows.h>

#include <limits>

#include "platform/win32/system_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

namespace glmx::platform::win32 {

namespace {

bool Fail(std::string* reason, DWORD error) {
    if (reason) *reason = SystemErrorText(error);
    return false;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

std::optional<std::string> Win32TextFiles::ReadBytes(const std::string& path, size_t maxBytes,
                                                     std::string* reason) const {
    UniqueFileHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        Fail(reason, GetLastError());
        return std::nullopt;
    }
    std::string bytes;
    char buffer[16384];
    while (bytes.size() < maxBytes) {
        const DWORD want = static_cast<DWORD>(std::min(sizeof(buffer), maxBytes - bytes.size()));
        DWORD read = 0;
        if (!ReadFile(file.get(), buffer, want, &read, nullptr)) {
            Fail(reason, GetLastError());
            return std::nullopt;
        }
        if (read == 0) break;
        bytes.append(buffer, read);
    }
    return bytes;
}

bool Win32TextFiles::WriteBytes(const std::string& path, std::string_view bytes,
                                std::string* reason) {
    // A new file of a unique name beside the target takes the target's place once written.
    const std::wstring target = Wide(path);
    const size_t slash = target.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"." : target.substr(0, slash + 1);
    wchar_t temporary[MAX_PATH + 1] = {};
    if (!GetTempFileNameW(folder.c_str(), L"glm", 0, temporary))
        return Fail(reason, GetLastError());
    DWORD error = ERROR_SUCCESS;
    {
        UniqueFileHandle file(CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file || !WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get()))
            error = GetLastError();
    }
    if (error == ERROR_SUCCESS &&
        !MoveFileExW(temporary, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error == ERROR_SUCCESS) return true;
    DeleteFileW(temporary);
    return Fail(reason, error);
}

std::string Win32TextFiles::AnsiToUtf8(std::string_view text) const {
    if (text.empty() || text.size() > static_cast<size_t>(std::numeric_limits<int>::max()))
        return {};
    const int size = static_cast<int>(text.size());
    const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (units <= 0) return {};
    std::wstring wide(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), units);
    return Narrow(wide);
}

std::optional<std::string> Win32TextFiles::Utf8ToAnsi(std::string_view text) const {
    const std::wstring wide = Wide(text);
    if (wide.empty()) return std::string();
    if (wide.size() > static_cast<size_t>(std::numeric_limits<int>::max())) return std::nullopt;
    const int units = static_cast<int>(wide.size());
    BOOL lost = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), units, nullptr,
                                         0, nullptr, &lost);
    if (size <= 0 || lost) return std::nullopt;
    std::string ansi(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), units, ansi.data(), size,
                        nullptr, &lost);
    if (lost) return std::nullopt;
    return ansi;
}

}  // namespace glmx::platform::win32
