// The inventory page pgInventory: its function bar with the auto-start options
// and "Switch To", the tree panel (registry tree or file search form) with its
// splitter, and the list lswMainInside that every inventory view fills.
#pragma once

#include <functional>
#include <string>

#include "inventory/inventory_list.h"
#include "inventory/view_kind.h"
#include "platform/win32/unique_handle.h"
#include "ui/mainwindow/file_search_form.h"
#include "ui/mainwindow/notebook.h"
#include "ui/mainwindow/pane_layout.h"
#include "ui/mainwindow/view_services.h"
#include "ui/win32/list_view_rows.h"

namespace glmx::ui {

struct InventoryPageEvents {
    // The list's selection may have changed (a click or a key); called after the list handled it.
    std::function<void()> selectionChanged;
    // The show-type box's choice: 0 all, 1 enabled, 2 disabled.
    std::function<void(int)> startupFilterChosen;
    // WM_NOTIFY from the registry tree.
    std::function<LRESULT(const NMHDR&)> registryTreeNotified;
    FileSearchFormEvents search;
    // A double-click on a list row; the list's context menu at a screen point (true when shown).
    std::function<void()> listDoubleClicked;
    std::function<bool(POINT)> listContextMenu;
    // The auto-start options' "Delete".
    std::function<void()> startupDeleteClicked;
    // The Delete key in the list.
    std::function<void()> deleteKeyPressed;
};

class InventoryPageController final : public NotebookPage,
                                      public inventory::InventoryPage,
                                      public InventoryListState {
public:
    InventoryPageController(const ViewKind& viewKind, InventoryPageEvents events);

    // What the function bar's buttons act on; nullptr until the views are built.
    void SetActions(ItemActions* actions) { actions_ = actions; }

    // The tree's width and each view's column widths come from the layout and go back
    // into it as the user changes them.
    void SetPaneLayout(PaneLayout& layout);
    // The widths of the columns shown now, into the layout.
    void KeepColumnWidths();
    void Create(HWND notebook) override;
    HWND PageWindow() const override { return page_; }
    void Layout(int width, int height, UINT dpi) override;
    FunctionBar* Bar() override { return &bar_; }
    void SetFonts(const PartFonts& fonts) override;
    void OnCommand(int command, int notification) override;
    LRESULT OnNotify(NMHDR& header) override;
    bool OnContextMenu(HWND control, POINT screenPoint) override;
    void OnSplitterMoved(int splitterId, int position) override;

    HWND List() const { return list_; }
    HWND StartupFilterBox() const { return startupFilter_; }
    void SetStartupFilterIndex(int index);
    HWND StartupOptionsPanel() const { return startupOptions_; }
    HWND RunningAppsOptionsPanel() const { return runningAppsOptions_; }
    HWND TreePanel() const { return treePanel_; }
    HWND RegistryTreePanel() const { return registryTreePanel_; }
    HWND SearchPanel() const { return searchPanel_; }
    HWND RegistryTree() const { return registryTree_; }
    FileSearchForm& SearchForm() { return searchForm_; }

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
    void LayoutAgain();

    const ViewKind& viewKind_;
    InventoryPageEvents events_;
    ItemActions* actions_ = nullptr;

    HWND page_ = nullptr;
    FunctionBar bar_;
    HWND startupOptions_ = nullptr, startupFilter_ = nullptr, startupDelete_ = nullptr;
    HWND runningAppsOptions_ = nullptr, switchTo_ = nullptr;
    HWND treePanel_ = nullptr, registryTreePanel_ = nullptr, searchPanel_ = nullptr;
    HWND registryTree_ = nullptr, splitter_ = nullptr, list_ = nullptr;
    ListFeatures listFeatures_;  // sorting, copying and selecting all
    FileSearchForm searchForm_;
    // The system's lists are shared; the registry and state images are the page's.
    HIMAGELIST systemSmall_ = nullptr, systemLarge_ = nullptr;
    platform::win32::UniqueImageList registryImages_, stateImages_;
    int treeWidth_ = 265;  // designed; the splitter changes it
    PaneLayout* layout_ = nullptr;
    int columnsView_ = -1;  // whose columns the list shows
};

}  // namespace glmx::ui
