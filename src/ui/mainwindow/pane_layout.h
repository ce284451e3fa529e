// Where the user left the panes' splitters and the lists' column widths, kept in the
// "Desktop" settings at 96 dpi and restored at the next start.
#pragma once

#include <map>
#include <optional>
#include <vector>

#include "settings/reg_info.h"

namespace glmx::ui {

struct PaneLayout {
    std::optional<int> inventoryTreeWidth;         // the registry and search trees beside the list
    std::optional<int> folderTreeWidth;            // the folder page's tree
    std::map<int, std::vector<int>> columnWidths;  // by view number, left to right
};

// A stored value that is not a sensible width is left out, as if not stored.
PaneLayout LoadPaneLayout(const settings::TRegInfoClass& desktop);
void SavePaneLayout(settings::TRegInfoClass& desktop, const PaneLayout& layout);

}  // namespace glmx::ui
