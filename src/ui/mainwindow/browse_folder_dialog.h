// The file search's "Browse for Folder" dialog (TFBrowseFolder).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace glmx::ui {

// "Browse for Folder", modal over the owner: a folder tree rooted at My Computer, the edit
// "Folder:", and the buttons "OK" (default), "Cancel" and "Local Hard drives". Selecting a folder
// puts its path into "Folder:" when it is an existing directory, else empties it; "Local Hard
// drives" puts the fixed drives' roots there ("C:\;D:\"); the user may type anything. Resizable, at
// least 350 by 350 pixels. Gives the "Folder:" text when closed with OK, nullopt otherwise (Cancel,
// Esc, the close box).
std::optional<std::string> BrowseForFolder(HWND owner);

// The smallest size of the dialog at 96 dpi, in pixels, both ways.
inline constexpr int kBrowseFolderMinimumSize = 350;

}  // namespace glmx::ui
