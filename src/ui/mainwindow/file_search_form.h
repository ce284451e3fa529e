// The Search Files view's form in the inventory page's tree panel: the name box and
// the look-in box with "Browse...", a folder tree rooted at the desktop, "Stop" and
// "Search" (the default button).
#pragma once

#include <windows.h>

#include <functional>

#include "ui/mainwindow/window_part.h"
#include "ui/win32/combo_box.h"
#include "ui/win32/shell_tree.h"

namespace glmx::ui {

struct FileSearchFormEvents {
    std::function<void()> searchClicked;
    std::function<void()> stopClicked;
    std::function<void()> browseClicked;
    // A click or key release in the folder tree, after the tree handled it.
    std::function<void()> treeActed;
};

class FileSearchForm {
public:
    explicit FileSearchForm(FileSearchFormEvents events);

    void Create(HWND panel);
    void Layout(int width, int height, UINT dpi);
    void SetFonts(const PartFonts& fonts);
    // True when the command or notification was the form's.
    bool OnCommand(int command);
    bool OnNotify(const NMHDR& header, LRESULT& result);

    ComboBox& NameBox() { return nameBox_; }
    ComboBox& LookInBox() { return lookInBox_; }
    ShellTree& Tree() { return tree_; }
    HWND SearchButton() const { return search_; }
    HWND StopButton() const { return stop_; }
    // The tree lists the desktop the first time the form shows, not at start-up.
    void RootTreeOnce();
    // While a search runs its button is disabled.
    void SetSearching(bool searching);

private:
    FileSearchFormEvents events_;
    HWND panel_ = nullptr;
    HWND nameLabel_ = nullptr, lookInLabel_ = nullptr;
    ComboBox nameBox_, lookInBox_;
    HWND browse_ = nullptr, stop_ = nullptr, search_ = nullptr;
    ShellTree tree_;
};

}  // namespace glmx::ui
