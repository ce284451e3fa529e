// "Customize Search Sites" (TFSearchSite): the user edits the list of search sites.
#pragma once

#include <windows.h>

#include <optional>

#include "info/search_sites.h"

namespace glmx::platform {
class UserMessages;
}

namespace glmx::ui {

// Modal over the owner, loaded once from the given sites (what search.cfg holds now), so
// switching windows never loses an edit. A grid "Site Name" / "Search URL" whose cells are
// edited on a double-click, F2 or Enter (Enter or leaving the cell keeps the text, Esc
// drops it) and whose rows may be dragged; "Add", "Delete", "Move Up", "Move Down", "OK"
// (default) and "Cancel". A name that another row has is refused with a message and the
// cell keeps its old name. OK gives one site per row, each with the template of the first
// row of its name; Cancel, Esc and the close box give nullopt.
std::optional<info::TSearchSites> ShowSearchSitesDialog(HWND owner,
                                                        const info::TSearchSites& fromFile,
                                                        platform::UserMessages& messages);

}  // namespace glmx::ui
