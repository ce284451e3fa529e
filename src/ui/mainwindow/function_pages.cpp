#include "ui/mainwindow/function_pages.h"

#include <algorithm>
#include <vector>

#include "platform/win32/wide.h"
#include "ui/mainwindow/commands.h"
#include "ui/win32/dpi.h"
#include "ui/win32/panel.h"
#include "ui/win32/splitter.h"

namespace glmx::ui {

using platform::win32::Narrow;
using platform::win32::Wide;

namespace {

constexpr int kFunctionBarHeight = 32;
constexpr int kControlButtonWidth = 129;
constexpr int kControlButtonHeight = 27;
constexpr int kSplitterWidth = 4;
constexpr Page kPages[] = {Page::Folders, Page::Inventory, Page::Hardware, Page::CustomSearch};

HWND Child(const wchar_t* className, const wchar_t* text, DWORD style, HWND parent, int id = 0,
           DWORD exStyle = 0) {
    return CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

HWND CreateTree(HWND parent, int id) {
    HWND tree = Child(WC_TREEVIEWW, L"",
                      WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS, parent, id,
                      WS_EX_CLIENTEDGE);
    return tree;
}

void Place(HWND window, int left, int top, int width, int height) {
    MoveWindow(window, left, top, std::max(width, 0), std::max(height, 0), TRUE);
}

int ClampWidth(int wanted, int available, UINT dpi) {
    return std::clamp(wanted, Scale(40, dpi), std::max(Scale(40, dpi), available - Scale(80, dpi)));
}

}  // namespace

void FunctionPages::Create(HWND parent, const PageFonts& fonts, const ListImageLists& images) {
    images_ = images;
    notebook_ = CreatePanel(parent, PanelStyle::Plain);
    for (Page page : kPages) pages_[page] = CreatePanel(notebook_, PanelStyle::Plain);

    // pgFolders
    bars_[Page::Folders] = CreateFunctionBar(pages_[Page::Folders], cmdFolderControlButton);
    foldersLeft_ = CreatePanel(pages_[Page::Folders], PanelStyle::Plain);
    foldersHeader_ = Child(WC_STATICW, L"Folders:", SS_LEFT | SS_CENTERIMAGE, foldersLeft_);
    stwExplorerTree_ = CreateTree(foldersLeft_, idExplorerTree);
    foldersSplitter_ = CreateSplitter(pages_[Page::Folders], SplitterOrientation::Vertical, idFolderSplitter);
    slwMailList_ = Child(WC_LISTVIEWW, L"", WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                         pages_[Page::Folders], idMailList, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(slwMailList_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    // The shell's own columns replace these once the folder page lists a folder.
    for (const auto& [caption, width] : {std::pair{L"Name", 220}, {L"Size", 80}, {L"Type", 140}, {L"Modified", 140}}) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(caption);
        column.cx = width;
        SendMessageW(slwMailList_, LVM_INSERTCOLUMNW, Header_GetItemCount(ListView_GetHeader(slwMailList_)),
                     reinterpret_cast<LPARAM>(&column));
    }

    // pgInventory
    bars_[Page::Inventory] = CreateFunctionBar(pages_[Page::Inventory], cmdInventoryControlButton);
    HWND bar = bars_[Page::Inventory].panel;
    pnlAdditionalStartupOptions_ = CreatePanel(bar, PanelStyle::FunctionBar);
    cmbShowStartupPrograms_ = Child(WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                                    pnlAdditionalStartupOptions_, cmdShowStartupPrograms);
    for (const wchar_t* item : {L"Show all startup programs", L"Show enabled programs", L"Show disabled programs"})
        SendMessageW(cmbShowStartupPrograms_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    startupDelete_ = Child(WC_BUTTONW, L"Delete", WS_TABSTOP | BS_PUSHBUTTON, pnlAdditionalStartupOptions_, cmdStartupDelete);
    runningAppsOptionsPanel_ = CreatePanel(bar, PanelStyle::FunctionBar);
    switchTo_ = Child(WC_BUTTONW, L"Switch To", WS_TABSTOP | BS_PUSHBUTTON, runningAppsOptionsPanel_, cmdSwitchTo);
    ShowWindow(pnlAdditionalStartupOptions_, SW_HIDE);
    ShowWindow(runningAppsOptionsPanel_, SW_HIDE);

    pnlTree_ = CreatePanel(pages_[Page::Inventory], PanelStyle::Plain);
    pnlRegistryTree_ = CreatePanel(pnlTree_, PanelStyle::Plain);
    trvRegistry_ = CreateTree(pnlRegistryTree_, idRegistryTree);
    pnlSearch_ = CreatePanel(pnlTree_, PanelStyle::Plain);
    inventorySplitter_ = CreateSplitter(pages_[Page::Inventory], SplitterOrientation::Vertical, idInventorySplitter);
    lswMainInside_ = Child(WC_LISTVIEWW, L"",
                           WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                               LVS_SHAREIMAGELISTS | LVS_NOSORTHEADER,
                           pages_[Page::Inventory], idInventoryList, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(lswMainInside_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    ListView_SetImageList(lswMainInside_, images_.others, LVSIL_STATE);

    // pgHardware
    bars_[Page::Hardware] = CreateFunctionBar(pages_[Page::Hardware], cmdHardwareControlButton);
    trvHardWare_ = CreateTree(pages_[Page::Hardware], idHardwareTree);

    SetFonts(fonts);
    SetActivePage(Page::Folders);
}

FunctionPages::FunctionBar FunctionPages::CreateFunctionBar(HWND page, int buttonCommand) {
    FunctionBar bar;
    bar.panel = CreatePanel(page, PanelStyle::FunctionBar);
    bar.label = Child(WC_STATICW, L"", SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, bar.panel);
    bar.button.handle = Child(WC_BUTTONW, L"", WS_TABSTOP | BS_PUSHBUTTON, bar.panel, buttonCommand);
    ShowWindow(bar.button.handle, SW_HIDE);  // until a view captions it
    return bar;
}

void FunctionPages::SetFonts(const PageFonts& fonts) {
    auto setFont = [](HWND window, HFONT font) {
        if (window) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    };
    for (auto& [page, bar] : bars_) {
        setFont(bar.label, fonts.label);
        setFont(bar.button.handle, fonts.normal);
    }
    for (HWND window : {foldersHeader_, stwExplorerTree_, slwMailList_, cmbShowStartupPrograms_,
                        startupDelete_, switchTo_, trvRegistry_, lswMainInside_, trvHardWare_})
        setFont(window, fonts.normal);
}

void FunctionPages::PageButton::ShowWithCaption(std::string_view caption) {
    SetWindowTextW(handle, Wide(caption).c_str());
    ShowWindow(handle, SW_SHOW);
}

void FunctionPages::SetActivePage(Page page) {
    activePage_ = page;
    for (Page each : kPages) ShowWindow(pages_.at(each), each == page ? SW_SHOW : SW_HIDE);
}

void FunctionPages::SetPageLabel(Page page, std::string_view text) {
    if (auto bar = bars_.find(page); bar != bars_.end())
        SetWindowTextW(bar->second.label, Wide(text).c_str());
}

std::string FunctionPages::PageLabel(Page page) const {
    auto bar = bars_.find(page);
    if (bar == bars_.end()) return {};
    wchar_t text[256] = {};
    GetWindowTextW(bar->second.label, text, 256);
    return Narrow(text);
}

inventory::ControlButton& FunctionPages::PageControlButton(Page page) { return bars_.at(page).button; }

HWND FunctionPages::ControlButtonHandle(Page page) const {
    auto bar = bars_.find(page);
    return bar == bars_.end() ? nullptr : bar->second.button.handle;
}

void FunctionPages::Layout(UINT dpi) {
    RECT client{};
    GetClientRect(notebook_, &client);
    const int width = client.right, height = client.bottom;
    for (Page page : kPages) Place(pages_[page], 0, 0, width, height);
    for (Page page : {Page::Folders, Page::Inventory, Page::Hardware}) LayoutFunctionBar(page, width, dpi);
    const int barHeight = Scale(kFunctionBarHeight, dpi);
    LayoutFolders(width, height - barHeight, dpi);
    LayoutInventory(width, height - barHeight, dpi);
    Place(trvHardWare_, 0, barHeight, width, height - barHeight);
}

void FunctionPages::LayoutFunctionBar(Page page, int width, UINT dpi) {
    const FunctionBar& bar = bars_.at(page);
    const int height = Scale(kFunctionBarHeight, dpi);
    const int margin = Scale(4, dpi);
    Place(bar.panel, 0, 0, width, height);
    const int buttonWidth = Scale(kControlButtonWidth, dpi);
    const int buttonHeight = Scale(kControlButtonHeight, dpi);
    const int buttonLeft = std::max(0, width - buttonWidth - margin);
    Place(bar.button.handle, buttonLeft, (height - buttonHeight) / 2, buttonWidth, buttonHeight);
    int labelRight = buttonLeft - margin;
    if (page == Page::Inventory) {
        // The option panels stand left of the control button.
        const int optionsWidth = Scale(300, dpi);
        const int optionsLeft = std::max(Scale(160, dpi), buttonLeft - margin - optionsWidth);
        Place(pnlAdditionalStartupOptions_, optionsLeft, 0, buttonLeft - margin - optionsLeft, height);
        const int deleteWidth = Scale(80, dpi);
        const int comboWidth = buttonLeft - margin - optionsLeft - deleteWidth - margin;
        Place(cmbShowStartupPrograms_, 0, (height - Scale(23, dpi)) / 2, comboWidth, Scale(200, dpi));
        Place(startupDelete_, comboWidth + margin, (height - buttonHeight) / 2, deleteWidth, buttonHeight);
        const int switchWidth = Scale(90, dpi);
        Place(runningAppsOptionsPanel_, buttonLeft - margin - switchWidth, 0, switchWidth, height);
        Place(switchTo_, 0, (height - buttonHeight) / 2, switchWidth, buttonHeight);
        if (IsWindowVisible(pnlAdditionalStartupOptions_)) labelRight = optionsLeft - margin;
        else if (IsWindowVisible(runningAppsOptionsPanel_)) labelRight = buttonLeft - 2 * margin - switchWidth;
    }
    Place(bar.label, Scale(8, dpi), 0, labelRight - Scale(8, dpi), height);
}

void FunctionPages::LayoutFolders(int width, int height, UINT dpi) {
    const int top = Scale(kFunctionBarHeight, dpi);
    const int left = ClampWidth(Scale(foldersLeftWidth_, dpi), width, dpi);
    const int splitter = Scale(kSplitterWidth, dpi);
    const int header = Scale(20, dpi);
    Place(foldersLeft_, 0, top, left, height);
    Place(foldersHeader_, Scale(4, dpi), 0, left - Scale(4, dpi), header);
    Place(stwExplorerTree_, 0, header, left, height - header);
    Place(foldersSplitter_, left, top, splitter, height);
    Place(slwMailList_, left + splitter, top, width - left - splitter, height);
}

void FunctionPages::LayoutInventory(int width, int height, UINT dpi) {
    const int top = Scale(kFunctionBarHeight, dpi);
    int listLeft = 0;
    if (IsWindowVisible(pnlTree_)) {
        const int tree = ClampWidth(Scale(treeWidth_, dpi), width, dpi);
        const int splitter = Scale(kSplitterWidth, dpi);
        Place(pnlTree_, 0, top, tree, height);
        Place(pnlRegistryTree_, 0, 0, tree, height);
        Place(pnlSearch_, 0, 0, tree, height);
        Place(trvRegistry_, 0, 0, tree, height);
        Place(inventorySplitter_, tree, top, splitter, height);
        listLeft = tree + splitter;
    }
    Place(lswMainInside_, listLeft, top, width - listLeft, height);
}

bool FunctionPages::MoveSplitter(int splitterId, int position, UINT dpi) {
    const int designed = MulDiv(position, 96, static_cast<int>(dpi));
    if (splitterId == idFolderSplitter) foldersLeftWidth_ = std::max(40, designed);
    else if (splitterId == idInventorySplitter) treeWidth_ = std::max(40, designed);
    else return false;
    Layout(dpi);
    return true;
}

void FunctionPages::SuspendListDrawing() { SendMessageW(lswMainInside_, WM_SETREDRAW, FALSE, 0); }

void FunctionPages::ResumeListDrawing() {
    SendMessageW(lswMainInside_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(lswMainInside_, nullptr, TRUE);
}

void FunctionPages::RemoveAllRowsAndColumns() {
    ListView_DeleteAllItems(lswMainInside_);
    while (ListView_DeleteColumn(lswMainInside_, 0)) {
    }
}

void FunctionPages::AddColumn(std::string_view caption, int width) {
    std::wstring text = Wide(caption);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text.data();
    column.cx = Scale(width, DpiOf(lswMainInside_));
    const int count = Header_GetItemCount(ListView_GetHeader(lswMainInside_));
    SendMessageW(lswMainInside_, LVM_INSERTCOLUMNW, count, reinterpret_cast<LPARAM>(&column));
}

void FunctionPages::ShowTreePanel(bool shown) {
    ShowWindow(pnlTree_, shown ? SW_SHOW : SW_HIDE);
    ShowWindow(inventorySplitter_, shown ? SW_SHOW : SW_HIDE);
    Layout(DpiOf(notebook_));
}

void FunctionPages::ShowRegistryTreePanel(bool shown) { ShowWindow(pnlRegistryTree_, shown ? SW_SHOW : SW_HIDE); }
void FunctionPages::ShowSearchPanel(bool shown) { ShowWindow(pnlSearch_, shown ? SW_SHOW : SW_HIDE); }
void FunctionPages::ClearSearchNameBox() {}  // the file search form brings its name box

void FunctionPages::ShowStartupOptions(bool shown) {
    ShowWindow(pnlAdditionalStartupOptions_, shown ? SW_SHOW : SW_HIDE);
    LayoutFunctionBar(Page::Inventory, [&] { RECT r{}; GetClientRect(notebook_, &r); return r.right; }(), DpiOf(notebook_));
}

void FunctionPages::ShowRunningAppsOptions(bool shown) {
    ShowWindow(runningAppsOptionsPanel_, shown ? SW_SHOW : SW_HIDE);
    LayoutFunctionBar(Page::Inventory, [&] { RECT r{}; GetClientRect(notebook_, &r); return r.right; }(), DpiOf(notebook_));
}

void FunctionPages::UseListImages(inventory::ListImages images) {
    const bool registry = images == inventory::ListImages::Registry;
    ListView_SetImageList(lswMainInside_, registry ? images_.registry : images_.systemSmall, LVSIL_SMALL);
    ListView_SetImageList(lswMainInside_, registry ? images_.registry : images_.systemLarge, LVSIL_NORMAL);
}

int FunctionPages::RowCount() const { return ListView_GetItemCount(lswMainInside_); }

int FunctionPages::SelectedRow() const {
    return ListView_GetNextItem(lswMainInside_, -1, LVNI_SELECTED);
}

std::string FunctionPages::RowCaption(int row) const {
    std::vector<wchar_t> text(32768);
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    SendMessageW(lswMainInside_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return Narrow(text.data());
}

}  // namespace glmx::ui
