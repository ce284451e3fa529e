// An auto-start entry, as the auto-start view lists it.
#pragma once

#include <string>

namespace glmx::inventory {

struct TAutoStartProgramInfo {
    std::string Name;
    std::string Command;
    std::string StartType;  // where it starts from: a Run key, a Startup folder, ...
    bool Disabled = false;
    std::string Location;
};

}  // namespace glmx::inventory
