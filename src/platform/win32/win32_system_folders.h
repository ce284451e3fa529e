#pragma once

#include "platform/system_folders.h"

namespace glmx::platform::win32 {

class Win32SystemFolders final : public SystemFolders {
public:
    std::string WindowsDirectory() const override;
    std::string SystemDirectory() const override;
    std::string TempPath() const override;
    std::optional<std::string> EnvironmentVariable(std::string_view name) const override;
    std::string ShellFolderPath(int csidl) const override;
};

}  // namespace glmx::platform::win32
