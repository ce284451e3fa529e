// The Favourites menu: "Add to favorites...", "Organize favorites...", a line, then the
// user's Favorites folder with the system's small icons, each submenu starting with a line.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include "info/favourites.h"
#include "platform/shell.h"
#include "platform/win32/unique_handle.h"

namespace glmx::ui {

class FavouritesMenu {
public:
    // Empties the menu and fills it anew; smallImages is the system's small icon list.
    void Build(HMENU menu, const std::vector<info::FavouriteEntry>& entries,
               const platform::Shell& shell, HIMAGELIST smallImages);
    // The shortcut file a command of the menu stands for; nullptr for other commands.
    const std::string* PathOf(int command) const;

private:
    void AddEntries(HMENU menu, const std::vector<info::FavouriteEntry>& entries);
    HBITMAP IconBitmap(const std::string& path, bool isFolder);

    const platform::Shell* shell_ = nullptr;
    HIMAGELIST images_ = nullptr;
    std::vector<std::string> paths_;                           // by command - cmdFavouriteFirst
    std::map<int, platform::win32::UniqueGdiObject> bitmaps_;  // by system icon index
};

}  // namespace glmx::ui
