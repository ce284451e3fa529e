#include "platform/win32/win32_process_environment.h"

#include <windows.h>

#include "platform/win32/wide.h"

namespace glmx::platform::win32 {

std::string Win32ProcessEnvironment::ProgramPath() const {
    // The path may be longer than MAX_PATH; grow until it fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return Narrow(std::wstring_view(path.data(), length));
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

std::string Win32ProcessEnvironment::CommandLine() const { return Narrow(GetCommandLineW()); }

}  // namespace glmx::platform::win32
