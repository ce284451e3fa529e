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
    // The entry's "DisplayIcon" as stored, read with the entry: the icon is asked as the
    // list fills, and opening every entry twice would double the reads.
    std::string DisplayIcon;
};

}  // namespace glmx::inventory
