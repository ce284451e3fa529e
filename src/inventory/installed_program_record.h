// An installed program, as its uninstall entry names it.
#pragma once

#include <string>

#include "platform/registry.h"

namespace glmx::inventory {

struct InstalledProgramInfo {
    std::string KeyName;  // the sub-key of the Uninstall key
    std::string DisplayName;
    std::string UninstallString;
    // Where the entry lies: the machine's Uninstall key (in the 32-bit programs' view
    // for bits32) or the user's own. Every later read and change goes there.
    platform::RegRoot root = platform::RegRoot::LocalMachine;
    bool bits32 = false;
};

}  // namespace glmx::inventory
