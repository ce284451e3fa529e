// The user's Favorites folder as the Favourites menu shows it: its subfolders (each
// with its own entries) and Internet shortcuts, in the file system's order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/directory_listing.h"
#include "platform/text_files.h"

namespace glmx::info {

struct FavouriteEntry {
    std::string caption;  // a shortcut's name without its extension
    std::string path;     // the full path of the folder or the .url file
    bool isFolder = false;
    std::vector<FavouriteEntry> children;  // a folder's entries
};

// folder ends with "\". Hidden and system folders are left out with all they hold (how
// the system hides its own); read-only and archive folders (how it marks customised ones)
// are listed. Files other than *.url are left out. At most maxDepth levels of folders.
std::vector<FavouriteEntry> CollectFavourites(platform::DirectoryListing& listing,
                                              const std::string& folder, int maxDepth = 16);

// "my.url.url" gives "my", "Site.URL" gives "Site".
std::string FavouriteCaption(std::string_view fileName);

// The address of an Internet shortcut (an INI file: key "URL" in section
// "[InternetShortcut]"); empty when absent. Takes the file's bytes: UTF-8 or UTF-16 with a
// byte-order mark, else the ANSI code page.
std::string InternetShortcutUrl(std::string_view bytes, const platform::TextFiles& files);

}  // namespace glmx::info
