// Turning a registered uninstall command into a program to start: never a path the
// system would guess at, never the current directory or the search path.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/shell.h"

namespace glmx::inventory {

struct CommandToStart {
    std::string program;      // the full path of an existing file
    std::string commandLine;  // the program quoted, then the arguments
};

// A quoted program is taken as quoted. Unquoted, the longest leading part (ending at
// a blank) that names an existing file is the program and the rest its arguments, so
// "C:\Program Files\Tool\unins.exe /S" never starts "C:\Program.exe". A bare name
// ("MsiExec.exe") is looked for in the system folder, then the Windows folder; a
// relative path is not looked for at all. A bare name without an extension may stand
// for the ".exe" file. nullopt when no existing program is found.
std::optional<CommandToStart> ResolveCommand(std::string_view command,
                                             const platform::FileSystem& files,
                                             std::string_view systemFolder);

// Whether a path names a place on its own: "C:\..." or "\\server\...".
bool IsAbsolutePath(std::string_view path);

}  // namespace glmx::inventory
