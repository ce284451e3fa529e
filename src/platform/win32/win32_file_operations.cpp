#include "platform/win32/win32_file_operations.h"

#include <shellapi.h>

#include "platform/win32/wide.h"

namespace glmx::platform::win32 {

bool Win32FileOperations::DeleteToRecycleBin(const std::vector<std::string>& paths) {
    // The shell takes a list of NUL-terminated names ending in an empty one; a name
    // with a NUL of its own would end the list early and delete something else.
    std::wstring sources;
    for (const std::string& path : paths) {
        if (path.empty() || path.find('\0') != std::string::npos) return false;
        sources += Wide(path);
        sources += L'\0';
    }
    if (sources.empty()) return false;
    sources += L'\0';

    SHFILEOPSTRUCTW operation{};
    operation.hwnd = owner_;
    operation.wFunc = FO_DELETE;
    operation.pFrom = sources.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_SILENT | FOF_MULTIDESTFILES;
    return SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted;
}

bool Win32FileOperations::EmptyRecycleBin() {
    return SHEmptyRecycleBinW(owner_, nullptr, 0) == S_OK;
}

}  // namespace glmx::platform::win32
