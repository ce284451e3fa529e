#include "platform/win32/system_library.h"

#include <string>

namespace glmx::platform::win32 {

std::wstring SystemFolder() {
    const UINT needed = GetSystemDirectoryW(nullptr, 0);
    if (needed == 0) return {};
    std::wstring folder(needed, L'\0');
    const UINT length = GetSystemDirectoryW(folder.data(), needed);
    if (length == 0 || length >= needed) return {};
    folder.resize(length);
    return folder;
}

SystemLibrary::SystemLibrary(const wchar_t* fileName) {
    const std::wstring folder = SystemFolder();
    if (folder.empty() || !fileName || !*fileName) return;
    // The altered search path looks for the library's own imports in its folder first.
    module_.reset(LoadLibraryExW((folder + L"\\" + fileName).c_str(), nullptr,
                                 LOAD_WITH_ALTERED_SEARCH_PATH));
}

}  // namespace glmx::platform::win32
