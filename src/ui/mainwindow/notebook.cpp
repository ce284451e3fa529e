#include "ui/mainwindow/notebook.h"

#include "ui/win32/focus.h"
#include "ui/win32/panel.h"

namespace glmx::ui {

void Notebook::Create(HWND parent) { window_ = CreatePanel(parent, PanelStyle::Plain); }

void Notebook::AddPage(Page page, NotebookPage& controller) {
    controller.Create(window_);
    pages_[page] = &controller;
    ShowWindow(controller.PageWindow(), page == active_ ? SW_SHOW : SW_HIDE);
}

void Notebook::SetActivePage(Page page) {
    active_ = page;
    // The new page shows first, so the focus of a page that goes can move onto it.
    if (NotebookPage* shown = PageOf(page)) ShowWindow(shown->PageWindow(), SW_SHOW);
    for (const auto& [each, controller] : pages_)
        if (each != page) ShowOrHide(controller->PageWindow(), false);
}

NotebookPage* Notebook::PageOf(Page page) const {
    auto found = pages_.find(page);
    return found == pages_.end() ? nullptr : found->second;
}

void Notebook::Layout(UINT dpi) {
    RECT client{};
    GetClientRect(window_, &client);
    for (const auto& [page, controller] : pages_) {
        Place(controller->PageWindow(), 0, 0, client.right, client.bottom);
        controller->Layout(client.right, client.bottom, dpi);
    }
}

}  // namespace glmx::ui
