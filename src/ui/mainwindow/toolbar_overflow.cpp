#include "ui/mainwindow/toolbar_overflow.h"

#include <cstddef>

namespace glmx::ui {

int IdealBandWidth(const std::vector<ToolbarButtonGeometry>& buttons) {
    if (buttons.empty()) return 0;
    int width = buttons.front().left;
    for (const ToolbarButtonGeometry& button : buttons)
        if (!button.separator) width += button.width;
    return width;
}

std::vector<bool> OverflowItemsShown(const std::vector<ToolbarButtonGeometry>& buttons,
                                     int clientWidth) {
    std::size_t firstCut = 0;  // 1-based; 0 when every button fits
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i].left + buttons[i].width > clientWidth) {
            firstCut = i + 1;
            break;
        }
    }
    std::vector<bool> shown(buttons.size(), false);
    for (std::size_t i = firstCut; i < buttons.size(); ++i) shown[i] = !buttons[i].separator;
    return shown;
}

}  // namespace glmx::ui
