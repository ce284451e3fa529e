#include "ui/mainwindow/folder_page.h"

#include <algorithm>
#include <utility>

#include "ui/mainwindow/commands.h"
#include "ui/win32/dpi.h"
#include "ui/win32/panel.h"
#include "ui/win32/splitter.h"

namespace glmx::ui {

void FolderPageController::Create(HWND notebook) {
    page_ = CreatePanel(notebook, PanelStyle::Plain);
    bar_.Create(page_, cmdFolderControlButton);
    treePanel_ = CreatePanel(page_, PanelStyle::Plain);
    treeHeader_ = CreateChild(WC_STATICW, L"Folders:", SS_LEFT | SS_CENTERIMAGE, treePanel_);
    folderTree_ = CreateTreeControl(treePanel_, idExplorerTree);
    splitter_ = CreateSplitter(page_, SplitterOrientation::Vertical, idFolderSplitter);
    itemList_ = CreateChild(WC_LISTVIEWW, L"",
                            WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                            page_, idFolderItemList, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(itemList_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    // The shell's own columns replace these once the page lists a folder.
    for (const auto& [caption, width] :
         {std::pair{L"Name", 220}, {L"Size", 80}, {L"Type", 140}, {L"Modified", 140}}) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(caption);
        column.cx = width;
        SendMessageW(itemList_, LVM_INSERTCOLUMNW,
                     Header_GetItemCount(ListView_GetHeader(itemList_)),
                     reinterpret_cast<LPARAM>(&column));
    }
}

void FolderPageController::SetFonts(const PartFonts& fonts) {
    bar_.SetFonts(fonts);
    for (HWND window : {treeHeader_, folderTree_, itemList_})
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
    Place(folderTree_, 0, header, left, below - header);
    Place(splitter_, left, top, splitter, below);
    Place(itemList_, left + splitter, top, width - left - splitter, below);
}

void FolderPageController::OnSplitterMoved(int splitterId, int position) {
    if (splitterId != idFolderSplitter) return;
    const UINT dpi = DpiOf(page_);
    treeWidth_ = std::max(40, MulDiv(position, 96, static_cast<int>(dpi)));
    RECT client{};
    GetClientRect(page_, &client);
    Layout(client.right, client.bottom, dpi);
}

}  // namespace glmx::ui
