// What the Explorer context-menu handler offers and how it hands a selection to
// glmx.exe. Plain C++ so that the handler DLL and the program share it.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace glmx::shellintegration {

// The class identifier under which the handler DLL registers itself.
inline constexpr std::string_view kHandlerClassId = "{E63C3709-6797-4C7F-8A05-C783BBEF78FA}";
inline constexpr std::wstring_view kHandlerClassIdWide = L"{E63C3709-6797-4C7F-8A05-C783BBEF78FA}";

enum class ContextMenu { Files, Folders, Drives, RecycleBin };

// One caption per context menu, in the order of ContextMenu.
inline constexpr std::array<std::string_view, 4> ContextMenuCaptions = {
    "More information about this &file",
    "More information about this f&older",
    "More information about this &drive",
    "More information about this Recycle Bin",
};

inline std::string_view ContextMenuCaption(ContextMenu menu) {
    return ContextMenuCaptions[static_cast<size_t>(menu)];
}

// The menu a selected path belongs to: a drive root ("C:\", "C:", "\\server\share\"),
// another folder, or a file.
ContextMenu ClassifySelection(std::string_view path, bool isDirectory);

// The one argument glmx.exe gets: "/F", "/O" or "/D" followed by the path, in double
// quotes so that blanks stay inside. glmx.exe drops the quotes and takes backslashes
// as they are, so a drive root's trailing "\" needs no doubling.
std::string HandlerArgument(ContextMenu menu, std::string_view path);

}  // namespace glmx::shellintegration
