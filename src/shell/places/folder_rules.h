// Rules of the folder page that need no shell: the root node's caption, the folder
// of a file path, and which rows a file path selects.
#pragma once

#include <string>
#include <string_view>

namespace glmx::shell::places {

// The root node's caption: the last component of its folder's parsing name (after the
// last "\" or ":"). A folder without a file-system name ("::{GUID}") or a drive root
// ("C:\") has no such component and keeps the shell's display name.
std::string RootCaption(std::string_view parsingName, std::string_view displayName);

// A file path up to and including its last "\" or ":"; "" when it has neither.
std::string FolderOfPath(std::string_view filePath);

}  // namespace glmx::shell::places
