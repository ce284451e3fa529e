// The cool bar band's ideal width and the chevron's overflow menu.
#pragma once

#include <vector>

namespace glmx::ui {

struct ToolbarButtonGeometry {
    int left;
    int width;
    bool separator;
};

// The first button's left offset plus the widths of the view buttons; separators
// do not count.
int IdealBandWidth(const std::vector<ToolbarButtonGeometry>& buttons);

// Which overflow items show, one per button: none up to and including the first
// button that does not fit in clientWidth, then every view button.
std::vector<bool> OverflowItemsShown(const std::vector<ToolbarButtonGeometry>& buttons,
                                     int clientWidth);

}  // namespace glmx::ui
