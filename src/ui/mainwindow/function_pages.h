// The notebook ntbFunctions: the folder, inventory, hardware and custom search
// pages, each with its function bar (label and control button). The inventory
// page's list lswMainInside and its panels are prepared per view here.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <string>

#include "inventory/inventory_list.h"
#include "ui/mainwindow/view_catalogue.h"
#include "ui/mainwindow/view_services.h"

namespace glmx::ui {

struct ListImageLists {
    HIMAGELIST systemSmall = nullptr;
    HIMAGELIST systemLarge = nullptr;
    HIMAGELIST registry = nullptr;
    HIMAGELIST others = nullptr;  // state images
};

struct PageFonts {
    HFONT normal = nullptr;
    HFONT label = nullptr;  // bold, 16 pixels
};

class FunctionPages final : public inventory::InventoryPage, public InventoryListState {
public:
    void Create(HWND parent, const PageFonts& fonts, const ListImageLists& images);
    void Layout(UINT dpi);
    void SetFonts(const PageFonts& fonts);

    HWND Notebook() const { return notebook_; }
    void SetActivePage(Page page);
    Page ActivePage() const { return activePage_; }
    void SetPageLabel(Page page, std::string_view text);
    std::string PageLabel(Page page) const;
    inventory::ControlButton& PageControlButton(Page page);
    HWND ControlButtonHandle(Page page) const;

    HWND InventoryList() const { return lswMainInside_; }
    HWND StartupFilterCombo() const { return cmbShowStartupPrograms_; }
    HWND StartupOptionsPanel() const { return pnlAdditionalStartupOptions_; }
    HWND RunningAppsOptionsPanel() const { return runningAppsOptionsPanel_; }
    HWND TreePanel() const { return pnlTree_; }
    HWND RegistryTreePanel() const { return pnlRegistryTree_; }
    HWND SearchPanel() const { return pnlSearch_; }
    HWND PageWindow(Page page) const { return pages_.at(page); }
    HWND ExplorerTree() const { return stwExplorerTree_; }
    HWND MailList() const { return slwMailList_; }
    HWND RegistryTree() const { return trvRegistry_; }
    HWND HardwareTree() const { return trvHardWare_; }

    // A splitter of a page was dragged to this position.
    bool MoveSplitter(int splitterId, int position, UINT dpi);

    // InventoryPage
    void SuspendListDrawing() override;
    void ResumeListDrawing() override;
    void RemoveAllRowsAndColumns() override;
    void AddColumn(std::string_view caption, int width) override;
    void ShowTreePanel(bool shown) override;
    void ShowRegistryTreePanel(bool shown) override;
    void ShowSearchPanel(bool shown) override;
    void ClearSearchNameBox() override;
    void ShowStartupOptions(bool shown) override;
    void ShowRunningAppsOptions(bool shown) override;
    void UseListImages(inventory::ListImages images) override;

    // InventoryListState
    int RowCount() const override;
    int SelectedRow() const override;
    std::string RowCaption(int row) const override;

private:
    class PageButton final : public inventory::ControlButton {
    public:
        HWND handle = nullptr;
        void ShowWithCaption(std::string_view caption) override;
    };
    struct FunctionBar {
        HWND panel = nullptr;
        HWND label = nullptr;
        PageButton button;
    };

    FunctionBar CreateFunctionBar(HWND page, int buttonCommand);
    void LayoutFunctionBar(Page page, int width, UINT dpi);
    void LayoutFolders(int width, int height, UINT dpi);
    void LayoutInventory(int width, int height, UINT dpi);

    HWND notebook_ = nullptr;
    std::map<Page, HWND> pages_;
    std::map<Page, FunctionBar> bars_;
    Page activePage_ = Page::Folders;
    ListImageLists images_;

    HWND foldersLeft_ = nullptr, foldersHeader_ = nullptr, foldersSplitter_ = nullptr;
    HWND stwExplorerTree_ = nullptr, slwMailList_ = nullptr;
    HWND pnlAdditionalStartupOptions_ = nullptr, cmbShowStartupPrograms_ = nullptr;
    HWND startupDelete_ = nullptr;
    HWND runningAppsOptionsPanel_ = nullptr, switchTo_ = nullptr;
    HWND pnlTree_ = nullptr, pnlRegistryTree_ = nullptr, pnlSearch_ = nullptr;
    HWND trvRegistry_ = nullptr, inventorySplitter_ = nullptr, lswMainInside_ = nullptr;
    HWND trvHardWare_ = nullptr;
    int foldersLeftWidth_ = 185;  // designed widths; the splitters change them
    int treeWidth_ = 265;
};

}  // namespace glmx::ui
