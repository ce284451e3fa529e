#include "shellintegration/shell_menu.h"

namespace glmx::shellintegration {

namespace {

bool IsDriveLetterRoot(std::string_view path) {
    if (path.size() < 2 || path.size() > 3 || path[1] != ':') return false;
    const char letter = path[0];
    if (!((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z'))) return false;
    return path.size() == 2 || path[2] == '\\' || path[2] == '/';
}

// "\\server\share" with or without a trailing backslash: the root of a network drive.
bool IsShareRoot(std::string_view path) {
    if (!path.starts_with("\\\\")) return false;
    std::string_view rest = path.substr(2);
    if (rest.ends_with('\\')) rest.remove_suffix(1);
    const size_t separator = rest.find('\\');
    return separator != std::string_view::npos && separator > 0 && separator + 1 < rest.size() &&
           rest.find('\\', separator + 1) == std::string_view::npos;
}

}  // namespace

ContextMenu ClassifySelection(std::string_view path, bool isDirectory) {
    if (IsDriveLetterRoot(path) || (isDirectory && IsShareRoot(path))) return ContextMenu::Drives;
    return isDirectory ? ContextMenu::Folders : ContextMenu::Files;
}

std::string HandlerArgument(ContextMenu menu, std::string_view path) {
    const char* switchText = menu == ContextMenu::Drives       ? "/D"
                             : menu == ContextMenu::Folders    ? "/O"
                             : menu == ContextMenu::RecycleBin ? "/R"
                                                               : "/F";
    std::string argument = "\"";
    argument += switchText;
    argument += path;
    argument += '"';
    return argument;
}

}  // namespace glmx::shellintegration
