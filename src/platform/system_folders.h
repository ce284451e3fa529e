// Where the system keeps its own folders, and the process's environment variables.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace glmx::platform {

class SystemFolders {
public:
    virtual ~SystemFolders() = default;
    // Each as the system gives it; "" when it cannot be read.
    virtual std::string WindowsDirectory() const = 0;
    virtual std::string SystemDirectory() const = 0;
    virtual std::string TempPath() const = 0;
    // nullopt when the variable is not defined; a defined one may be empty.
    virtual std::optional<std::string> EnvironmentVariable(std::string_view name) const = 0;
    // The shell's own path of a special folder (a CSIDL number); "" when it has none.
    virtual std::string ShellFolderPath(int csidl) const = 0;
};

}  // namespace glmx::platform
