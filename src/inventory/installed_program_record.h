// An installed program, as its uninstall entry names it.
#pragma once

#include <string>

namespace glmx::inventory {

struct InstalledProgramInfo {
    std::string KeyName;  // the sub-key of the Uninstall key
    std::string DisplayName;
    std::string UninstallString;
};

}  // namespace glmx::inventory
