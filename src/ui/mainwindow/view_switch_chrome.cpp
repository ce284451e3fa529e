#include "ui/mainwindow/view_switch_chrome.h"

namespace glmx::ui {

void ViewSwitchChrome::SetPageLabel(Page page, std::string_view text) {
    if (NotebookPage* controller = window_.Pages().PageOf(page))
        if (FunctionBar* bar = controller->Bar()) bar->SetLabel(text);
}

inventory::ControlButton& ViewSwitchChrome::PageControlButton(Page page) {
    if (NotebookPage* controller = window_.Pages().PageOf(page))
        if (FunctionBar* bar = controller->Bar()) return *bar;
    return noButton_;
}

void ViewSwitchChrome::FocusSearchField() {
    SetFocus(window_.Information().SearchField().Handle());
}

}  // namespace glmx::ui
