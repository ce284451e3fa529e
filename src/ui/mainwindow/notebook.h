// The notebook ntbFunctions: one page shows at a time, each page a part of its own.
#pragma once

#include <windows.h>

#include <map>

#include "ui/mainwindow/function_bar.h"
#include "ui/mainwindow/view_catalogue.h"
#include "ui/mainwindow/window_part.h"

namespace glmx::ui {

class NotebookPage : public WindowPart {
public:
    // Creates the page's window and controls inside the notebook.
    virtual void Create(HWND notebook) = 0;
    virtual HWND PageWindow() const = 0;
    // Lays out the page's controls in its window of this size.
    virtual void Layout(int width, int height, UINT dpi) = 0;
    // The page's function bar; nullptr for a page without one.
    virtual FunctionBar* Bar() { return nullptr; }
};

class Notebook {
public:
    void Create(HWND parent);
    HWND Window() const { return window_; }

    // Creates the page in the notebook; the notebook shows one page at a time.
    void AddPage(Page page, NotebookPage& controller);
    void SetActivePage(Page page);
    Page ActivePage() const { return active_; }
    NotebookPage* PageOf(Page page) const;

    void Layout(UINT dpi);

private:
    HWND window_ = nullptr;
    std::map<Page, NotebookPage*> pages_;
    Page active_ = Page::Folders;
};

}  // namespace glmx::ui
