#include "ui/mainwindow/folder_page.h"

#include <algorithm>
#include <utility>

#include "ui/mainwindow/commands.h"
#include "ui/win32/dpi.h"
#include "ui/win32/panel.h"
#include "ui/win32/splitter.h"

namespace glmx::ui {

FolderPageController::FolderPageController(FolderPageEvents events)
    : controlButtonClicked_(std::move(events.controlButtonClicked)),
      tree_(std::move(events.tree)),
      list_(std::move(events.list)) {}

void FolderPageController::Create(HWND notebook) {
    page_ = CreatePanel(notebook, PanelStyle::Plain);
    bar_.Create(page_, cmdFolderControlButton);
    treePanel_ = CreatePanel(page_, PanelStyle::Plain);
    treeHeader_ = CreateChild(WC_STATICW, L"Folders:", SS_LEFT | SS_CENTERIMAGE, treePanel_);
    tree_.Create(treePanel_, idExplorerTree);
    splitter_ = CreateSplitter(page_, SplitterOrientation::Vertical, idFolderSplitter);
    list_.Create(page_, idFolderItemList);
}

void FolderPageController::OnCommand(int command, int /*notification*/) {
    if (command == cmdFolderControlButton && controlButtonClicked_) controlButtonClicked_();
}

LRESULT FolderPageController::OnNotify(NMHDR& header) {
    LRESULT result = 0;
    if (header.idFrom == idExplorerTree && header.hwndFrom == tree_.Handle())
        tree_.OnNotify(header, result);
    else if (header.idFrom == idFolderItemList && header.hwndFrom == list_.Handle())
        list_.OnNotify(header, result);
    return result;
}

bool FolderPageController::OnContextMenu(HWND control, POINT screenPoint) {
    return control == list_.Handle() && list_.ShowContextMenu(screenPoint);
}

void FolderPageController::SetFonts(const PartFonts& fonts) {
    bar_.SetFonts(fonts);
    for (HWND window : {treeHeader_, tree_.Handle(), list_.Handle()})
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.normal), TRUE);
}

void FolderPageController::Layout(int width, int height, UINT dpi) {
    bar_.Layout(width, dpi);
    const int top = FunctionBar::Height(dpi);
    const int below = height - top;
    const int left = ClampedPaneWidth(Scale(treeWidth_, dpi), width, dpi);
    const int splitter = Scale(kSplitterThickness, dpi);
    const int header = Scale(20, dpi);
    Place(treePanel_, 0, top, left, below);
    Place(treeHeader_, Scale(4, dpi), 0, left - Scale(4, dpi), header);
    Place(tree_.Handle(), 0, header, left, below - header);
    Place(splitter_, left, top, splitter, below);
    Place(list_.Handle(), left + splitter, top, width - left - splitter, below);
}

void FolderPageController::OnSplitterMoved(int splitterId, int position) {
    if (splitterId != idFolderSplitter) return;
    const UINT dpi = DpiOf(page_);
    treeWidth_ = std::max(40, MulDiv(position, 96, static_cast<int>(dpi)));
    if (layout_) layout_->folderTreeWidth = treeWidth_;
    RECT client{};
    GetClientRect(page_, &client);
    Layout(client.right, client.bottom, dpi);
}

}  // namespace glmx::ui
