// The folder page pgFolders: the function bar, the folder tree under its
// "Folders:" header at the left and the selected folder's items at the right.
#pragma once

#include <functional>

#include "ui/mainwindow/notebook.h"
#include "ui/mainwindow/pane_layout.h"
#include "ui/win32/shell_list.h"
#include "ui/win32/shell_tree.h"

namespace glmx::ui {

struct FolderPageEvents {
    ShellTreeEvents tree;
    ShellListEvents list;
    std::function<void()> controlButtonClicked;
};

class FolderPageController final : public NotebookPage {
public:
    explicit FolderPageController(FolderPageEvents events);

    void Create(HWND notebook) override;
    // The tree's width comes from the layout and goes back into it when the splitter moves.
    void SetPaneLayout(PaneLayout& layout) {
        layout_ = &layout;
        if (layout.folderTreeWidth) treeWidth_ = *layout.folderTreeWidth;
    }
    HWND PageWindow() const override { return page_; }
    void Layout(int width, int height, UINT dpi) override;
    FunctionBar* Bar() override { return &bar_; }
    void SetFonts(const PartFonts& fonts) override;
    void OnCommand(int command, int notification) override;
    LRESULT OnNotify(NMHDR& header) override;
    bool OnContextMenu(HWND control, POINT screenPoint) override;
    void OnSplitterMoved(int splitterId, int position) override;

    ShellTree& Tree() { return tree_; }
    ShellList& Items() { return list_; }
    HWND FolderTree() const { return tree_.Handle(); }
    HWND ItemList() const { return list_.Handle(); }

private:
    std::function<void()> controlButtonClicked_;
    HWND page_ = nullptr;
    FunctionBar bar_;
    HWND treePanel_ = nullptr, treeHeader_ = nullptr;
    ShellTree tree_;
    HWND splitter_ = nullptr;
    ShellList list_;
    int treeWidth_ = 185;  // designed; the splitter changes it
    PaneLayout* layout_ = nullptr;
};

}  // namespace glmx::ui
