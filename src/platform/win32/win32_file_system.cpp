#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

namespace glmx::platform::win32 {

namespace {

// Reads text from a function that returns the length it needs (with the NUL) when the
// buffer is too small and the length it wrote (without the NUL) when it fits.
template <typename Call>
std::optional<std::wstring> ReadSizedText(Call call) {
    DWORD size = call(nullptr, 0);
    for (int attempt = 0; attempt < 4 && size != 0; ++attempt) {  // it may grow meanwhile
        std::wstring buffer(size, L'\0');
        const DWORD got = call(buffer.data(), size);
        if (got == 0) return std::nullopt;
        if (got < size) {
            buffer.resize(got);
            if (const size_t nul = buffer.find(L'\0'); nul != std::wstring::npos)
                buffer.resize(nul);
            return buffer;
        }
        size = got;
    }
    return std::nullopt;
}

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// Attributes of a path, or INVALID_FILE_ATTRIBUTES. A NUL inside the text would make
// Windows see a shorter, different path: such a path exists nowhere.
DWORD AttributesOf(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) return INVALID_FILE_ATTRIBUTES;
    return GetFileAttributesW(ExtendedLengthPath(Wide(path)).c_str());
}

// The path as file functions take it; "" for a text that cannot name a file.
std::wstring FilePath(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) return {};
    return ExtendedLengthPath(Wide(path));
}

}  // namespace

std::optional<std::wstring> FullPathName(const std::wstring& path) {
    if (path.empty()) return std::nullopt;
    return ReadSizedText([&](wchar_t* buffer, DWORD size) {
        return GetFullPathNameW(path.c_str(), size, buffer, nullptr);
    });
}

std::wstring ExtendedLengthPath(std::wstring_view path) {
    // Beyond this even directories can no longer be created without the prefix.
    constexpr size_t kClassicLimit = MAX_PATH - 12;
    if (path.size() <= kClassicLimit || path.starts_with(L"\\\\?\\") ||
        path.starts_with(L"\\\\.\\"))
        return std::wstring(path);
    // The prefix turns off the clean-up of "/", "." and "..": do it first.
    const std::optional<std::wstring> full = FullPathName(std::wstring(path));
    if (!full) return std::wstring(path);
    const std::wstring& f = *full;
    if (f.size() >= 3 && IsDriveLetter(f[0]) && f[1] == L':' && f[2] == L'\\')
        return L"\\\\?\\" + f;
    if (f.starts_with(L"\\\\") && !f.starts_with(L"\\\\?\\") && !f.starts_with(L"\\\\.\\"))
        return L"\\\\?\\UNC\\" + f.substr(2);
    return f;
}

bool Win32FileSystem::DirectoryExists(const std::string& path) const {
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32FileSystem::FileExists(const std::string& path) const {
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string Win32FileSystem::WindowsFolder() const {
    std::wstring folder = ReadSizedText([](wchar_t* buffer, DWORD size) {
                              return GetWindowsDirectoryW(buffer, size);
                          }).value_or(L"");
    while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    return Narrow(folder);
}

std::vector<std::string> Win32FileSystem::FileNames(const std::string& folder,
                                                    std::string_view mask) const {
    std::vector<std::string> names;
    std::string pattern = folder;
    if (!pattern.empty() && pattern.back() != '\\') pattern += '\\';
    pattern += mask;
    const std::wstring widePattern = FilePath(pattern);
    if (widePattern.empty()) return names;
    WIN32_FIND_DATAW found{};
    UniqueFindHandle find(FindFirstFileW(widePattern.c_str(), &found));
    if (!find) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(Narrow(found.cFileName));
    } while (FindNextFileW(find.get(), &found));
    return names;
}

bool Win32FileSystem::MoveFileTo(const std::string& from, const std::string& to) {
    const std::wstring source = FilePath(from), target = FilePath(to);
    // Across drives the system copies first and removes the source only after the copy.
    return !source.empty() && !target.empty() &&
           MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_COPY_ALLOWED);
}

bool Win32FileSystem::MakeDirectory(const std::string& path) {
    const std::wstring folder = FilePath(path);
    if (folder.empty()) return false;
    return CreateDirectoryW(folder.c_str(), nullptr) || DirectoryExists(path);
}

bool Win32FileSystem::RemoveFile(const std::string& path) {
    const std::wstring file = FilePath(path);
    return !file.empty() && DeleteFileW(file.c_str());
}

}  // namespace glmx::platform::win32
