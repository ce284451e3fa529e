// The folder page pgFolders: the function bar, the folder tree under its
// "Folders:" header at the left and the folder's items at the right.
#pragma once

#include "ui/mainwindow/notebook.h"

namespace glmx::ui {

class FolderPageController final : public NotebookPage {
public:
    void Create(HWND notebook) override;
    HWND PageWindow() const override { return page_; }
    void Layout(int width, int height, UINT dpi) override;
    FunctionBar* Bar() override { return &bar_; }
    void SetFonts(const PartFonts& fonts) override;
    void OnSplitterMoved(int splitterId, int position) override;

    HWND FolderTree() const { return folderTree_; }
    HWND ItemList() const { return itemList_; }

private:
    HWND page_ = nullptr;
    FunctionBar bar_;
    HWND treePanel_ = nullptr, treeHeader_ = nullptr, folderTree_ = nullptr;
    HWND splitter_ = nullptr, itemList_ = nullptr;
    int treeWidth_ = 185;  // designed; the splitter changes it
};

}  // namespace glmx::ui
