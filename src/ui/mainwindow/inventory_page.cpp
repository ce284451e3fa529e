#include "ui/mainwindow/inventory_page.h"

#include <algorithm>
#include <vector>

#include "platform/win32/wide.h"
#include "ui/mainwindow/commands.h"
#include "ui/mainwindow/resource_ids.h"
#include "ui/win32/dpi.h"
#include "ui/win32/focus.h"
#include "ui/win32/image_lists.h"
#include "ui/win32/list_view_rows.h"
#include "ui/win32/panel.h"
#include "ui/win32/splitter.h"

namespace glmx::ui {

using platform::win32::Narrow;
using platform::win32::Wide;

InventoryPageController::InventoryPageController(const ViewKind& viewKind,
                                                 InventoryPageEvents events)
    : viewKind_(viewKind), events_(std::move(events)), searchForm_(events_.search) {}

void InventoryPageController::Create(HWND notebook) {
    page_ = CreatePanel(notebook, PanelStyle::Plain);
    bar_.Create(page_, cmdInventoryControlButton);
    startupOptions_ = CreatePanel(bar_.Panel(), PanelStyle::FunctionBar);
    startupFilter_ = CreateChild(WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                                 startupOptions_, cmdShowStartupPrograms);
    for (const wchar_t* item :
         {L"Show all startup programs", L"Show enabled programs", L"Show disabled programs"})
        SendMessageW(startupFilter_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    startupDelete_ = CreateChild(WC_BUTTONW, L"Delete", WS_TABSTOP | BS_PUSHBUTTON, startupOptions_,
                                 cmdStartupDelete);
    runningAppsOptions_ = CreatePanel(bar_.Panel(), PanelStyle::FunctionBar);
    switchTo_ = CreateChild(WC_BUTTONW, L"Switch To", WS_TABSTOP | BS_PUSHBUTTON,
                            runningAppsOptions_, cmdSwitchTo);
    ShowWindow(startupOptions_, SW_HIDE);
    ShowWindow(runningAppsOptions_, SW_HIDE);

    treePanel_ = CreatePanel(page_, PanelStyle::Plain);
    registryTreePanel_ = CreatePanel(treePanel_, PanelStyle::Plain);
    registryTree_ = CreateTreeControl(registryTreePanel_, idRegistryTree);
    searchPanel_ = CreatePanel(treePanel_, PanelStyle::Plain);
    searchForm_.Create(searchPanel_);
    splitter_ = CreateSplitter(page_, SplitterOrientation::Vertical, idInventorySplitter);
    // Several rows may be selected for copying; the actions take the focused one.
    list_ = CreateChild(WC_LISTVIEWW, L"",
                        WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS, page_,
                        idInventoryList, WS_EX_CLIENTEDGE);
    listFeatures_.Attach(list_);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    systemSmall_ = SystemImageList(true);
    systemLarge_ = SystemImageList(false);
    registryImages_.reset(LoadImageStrip(IDB_REGISTRY, 16));
    stateImages_.reset(LoadImageStrip(IDB_OTHERS_STATE, 16));
    ListView_SetImageList(list_, stateImages_.get(), LVSIL_STATE);
    TreeView_SetImageList(registryTree_, registryImages_.get(), TVSIL_NORMAL);
}

void InventoryPageController::SetFonts(const PartFonts& fonts) {
    bar_.SetFonts(fonts);
    searchForm_.SetFonts(fonts);
    for (HWND window : {startupFilter_, startupDelete_, switchTo_, registryTree_, list_})
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.normal), TRUE);
}

void InventoryPageController::Layout(int width, int height, UINT dpi) {
    // The option panels stand left of the control button.
    const int barHeight = FunctionBar::Height(dpi);
    const int margin = Scale(4, dpi);
    const int buttonLeft = bar_.ButtonLeft(width, dpi);
    const int buttonHeight = Scale(27, dpi);
    const int optionsLeft = std::max(Scale(160, dpi), buttonLeft - margin - Scale(300, dpi));
    Place(startupOptions_, optionsLeft, 0, buttonLeft - margin - optionsLeft, barHeight);
    const int deleteWidth = Scale(80, dpi);
    const int comboWidth = buttonLeft - margin - optionsLeft - deleteWidth - margin;
    Place(startupFilter_, 0, (barHeight - Scale(23, dpi)) / 2, comboWidth, Scale(200, dpi));
    Place(startupDelete_, comboWidth + margin, (barHeight - buttonHeight) / 2, deleteWidth,
          buttonHeight);
    const int switchWidth = Scale(90, dpi);
    Place(runningAppsOptions_, buttonLeft - margin - switchWidth, 0, switchWidth, barHeight);
    Place(switchTo_, 0, (barHeight - buttonHeight) / 2, switchWidth, buttonHeight);
    int labelRight = -1;
    if (IsWindowVisible(startupOptions_))
        labelRight = optionsLeft - margin;
    else if (IsWindowVisible(runningAppsOptions_))
        labelRight = buttonLeft - 2 * margin - switchWidth;
    bar_.Layout(width, dpi, labelRight);

    const int below = height - barHeight;
    int listLeft = 0;
    if (IsWindowVisible(treePanel_)) {
        const int tree = ClampedPaneWidth(Scale(treeWidth_, dpi), width, dpi);
        Place(treePanel_, 0, barHeight, tree, below);
        Place(registryTreePanel_, 0, 0, tree, below);
        Place(searchPanel_, 0, 0, tree, below);
        Place(registryTree_, 0, 0, tree, below);
        searchForm_.Layout(tree, below, dpi);
        Place(splitter_, tree, barHeight, Scale(kSplitterThickness, dpi), below);
        listLeft = tree + Scale(kSplitterThickness, dpi);
    }
    Place(list_, listLeft, barHeight, width - listLeft, below);
}

void InventoryPageController::LayoutAgain() {
    RECT client{};
    GetClientRect(page_, &client);
    Layout(client.right, client.bottom, DpiOf(page_));
}

void InventoryPageController::OnCommand(int command, int notification) {
    if (searchForm_.OnCommand(command)) return;
    switch (command) {
        case cmdShowStartupPrograms:
            if (notification == CBN_SELCHANGE) {
                const int index =
                    static_cast<int>(SendMessageW(startupFilter_, CB_GETCURSEL, 0, 0));
                if (index >= 0 && events_.startupFilterChosen) events_.startupFilterChosen(index);
            }
            break;
        case cmdInventoryControlButton:
            if (actions_) actions_->ControlButtonClicked(viewKind_);
            break;
        case cmdSwitchTo:
            if (actions_) actions_->SwitchToClicked();
            break;
        case cmdStartupDelete:
            if (events_.startupDeleteClicked) events_.startupDeleteClicked();
            break;
        default:
            break;
    }
}

LRESULT InventoryPageController::OnNotify(NMHDR& header) {
    if (header.hwndFrom == registryTree_)
        return events_.registryTreeNotified ? events_.registryTreeNotified(header) : 0;
    if (LRESULT result = 0; searchForm_.OnNotify(header, result)) return result;
    if (header.hwndFrom != list_) return 0;
    listFeatures_.OnNotify(header);
    if (header.code == NM_DBLCLK && events_.listDoubleClicked) events_.listDoubleClicked();
    if (header.code == LVN_KEYDOWN &&
        reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE && events_.deleteKeyPressed)
        return events_.deleteKeyPressed(), 0;
    // Enter shows the row's information as a click does.
    if ((header.code == NM_CLICK || header.code == LVN_KEYDOWN || header.code == NM_RETURN) &&
        events_.selectionChanged)
        events_.selectionChanged();
    return 0;
}

bool InventoryPageController::OnContextMenu(HWND control, POINT screenPoint) {
    if (control != list_) return false;
    // Found files have the shell's menu; every other view's rows offer Copy.
    if (events_.listContextMenu && events_.listContextMenu(screenPoint)) return true;
    return listFeatures_.ShowContextMenu(screenPoint);
}

void InventoryPageController::OnSplitterMoved(int splitterId, int position) {
    if (splitterId != idInventorySplitter) return;
    treeWidth_ = std::max(40, MulDiv(position, 96, static_cast<int>(DpiOf(page_))));
    if (layout_) layout_->inventoryTreeWidth = treeWidth_;
    LayoutAgain();
}

void InventoryPageController::SetStartupFilterIndex(int index) {
    SendMessageW(startupFilter_, CB_SETCURSEL, index, 0);
}

void InventoryPageController::SuspendListDrawing() { SendMessageW(list_, WM_SETREDRAW, FALSE, 0); }

void InventoryPageController::ResumeListDrawing() {
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

void InventoryPageController::SetPaneLayout(PaneLayout& layout) {
    layout_ = &layout;
    if (layout.inventoryTreeWidth) treeWidth_ = *layout.inventoryTreeWidth;
}

void InventoryPageController::KeepColumnWidths() {
    const int count = Header_GetItemCount(ListView_GetHeader(list_));
    if (!layout_ || columnsView_ < 0 || count <= 0) return;
    const int dpi = static_cast<int>(DpiOf(list_));
    std::vector<int> widths;
    for (int column = 0; column < count; ++column)
        widths.push_back(MulDiv(ListView_GetColumnWidth(list_, column), 96, dpi));
    layout_->columnWidths[columnsView_] = std::move(widths);
}

void InventoryPageController::RemoveAllRowsAndColumns() {
    KeepColumnWidths();
    ListView_DeleteAllItems(list_);
    while (ListView_DeleteColumn(list_, 0)) {
    }
}

void InventoryPageController::AddColumn(std::string_view caption, int width) {
    std::wstring text = Wide(caption);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text.data();
    const int count = Header_GetItemCount(ListView_GetHeader(list_));
    columnsView_ = viewKind_;
    if (layout_) {
        const auto stored = layout_->columnWidths.find(viewKind_);
        if (stored != layout_->columnWidths.end() &&
            static_cast<size_t>(count) < stored->second.size())
            width = stored->second[static_cast<size_t>(count)];
    }
    column.cx = Scale(width, DpiOf(list_));
    SendMessageW(list_, LVM_INSERTCOLUMNW, count, reinterpret_cast<LPARAM>(&column));
}

void InventoryPageController::ShowTreePanel(bool shown) {
    ShowOrHide(treePanel_, shown);
    ShowOrHide(splitter_, shown);
    LayoutAgain();
}

void InventoryPageController::ShowRegistryTreePanel(bool shown) {
    ShowOrHide(registryTreePanel_, shown);
}
void InventoryPageController::ShowSearchPanel(bool shown) {
    ShowOrHide(searchPanel_, shown);
    if (shown) searchForm_.RootTreeOnce();
}

void InventoryPageController::ClearSearchNameBox() { searchForm_.NameBox().SetText(""); }

void InventoryPageController::ShowStartupOptions(bool shown) {
    ShowOrHide(startupOptions_, shown);
    LayoutAgain();
}

void InventoryPageController::ShowRunningAppsOptions(bool shown) {
    ShowOrHide(runningAppsOptions_, shown);
    LayoutAgain();
}

void InventoryPageController::UseListImages(inventory::ListImages images) {
    const bool registry = images == inventory::ListImages::Registry;
    ListView_SetImageList(list_, registry ? registryImages_.get() : systemSmall_, LVSIL_SMALL);
    ListView_SetImageList(list_, registry ? registryImages_.get() : systemLarge_, LVSIL_NORMAL);
}

int InventoryPageController::RowCount() const { return ListView_GetItemCount(list_); }

int InventoryPageController::SelectedRow() const { return ActedOnRow(list_); }

std::string InventoryPageController::RowCaption(int row) const {
    std::vector<wchar_t> text(32768);
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    SendMessageW(list_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return Narrow(text.data());
}

}  // namespace glmx::ui
