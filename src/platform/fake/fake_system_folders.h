// System folders and environment variables for tests, set by the test itself.
// Variable names compare without regard to ASCII case, as Windows compares them.
#pragma once

#include <map>
#include <string>

#include "platform/system_folders.h"

namespace glmx::platform {

class FakeSystemFolders final : public SystemFolders {
public:
    std::string WindowsDirectory() const override { return windowsDirectory; }
    std::string SystemDirectory() const override { return systemDirectory; }
    std::string TempPath() const override { return tempPath; }
    std::optional<std::string> EnvironmentVariable(std::string_view name) const override;
    std::string ShellFolderPath(int csidl) const override;

    std::string windowsDirectory = "C:\\Windows";
    std::string systemDirectory = "C:\\Windows\\system32";
    std::string tempPath = "C:\\Temp\\";
    std::map<std::string, std::string> environment;
    std::map<int, std::string> shellFolders;  // by CSIDL
};

}  // namespace glmx::platform
