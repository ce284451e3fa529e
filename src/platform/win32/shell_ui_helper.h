// The shell's favourites dialogs, through its scriptable "Shell.UIHelper" object.
#pragma once

#include <string>

namespace glmx::platform::win32 {

// Each false when the system lacks the object or it refused; the shell shows its own dialog.
bool AddFavorite(const std::string& url, const std::string& title);
bool OrganizeFavorites();

}  // namespace glmx::platform::win32
