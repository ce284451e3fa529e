// The view switches of the main window: each makes its page visible, presses its
// one tool bar button, checks its one View entry, sets the page up, records the
// view, fills it and shows the information of what is selected in it.
#pragma once

#include <string>
#include <string_view>

#include "inventory/inventory_list.h"
#include "inventory/view_kind.h"
#include "settings/history.h"
#include "settings/settings_stores.h"
#include "ui/mainwindow/view_catalogue.h"
#include "ui/mainwindow/view_services.h"

namespace glmx::ui {

// What the switches change in the window around the views.
class MainWindowChrome {
public:
    virtual ~MainWindowChrome() = default;
    virtual void ShowFunctionPages() = 0;  // the notebook and its splitter
    virtual void HideFunctionPages() = 0;
    virtual void SetActivePage(Page page) = 0;
    virtual void ReleaseToolbarButtons() = 0;
    virtual void PressToolbarButton(ViewKind view) = 0;
    virtual void CheckViewMenuEntry(ViewKind view) = 0;
    virtual void SetPageLabel(Page page, std::string_view text) = 0;
    virtual inventory::ControlButton& PageControlButton(Page page) = 0;
    virtual void SetStartupFilterIndex(int index) = 0;
    virtual settings::ComboBoxItems& SearchField() = 0;
    virtual void FocusSearchField() = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
};

class ViewSwitcher {
public:
    ViewSwitcher(MainWindowChrome& chrome, inventory::InventoryPage& inventoryPage,
                 const InventoryListState& list, ViewServices services,
                 settings::SettingsStores& stores, ViewKind& viewKind);

    // Every view but the places view, which needs its root.
    void SwitchTo(ViewKind view);
    // Does nothing at all when the root is empty (a folder the system does not define).
    void SwitchToOtherPlace(const std::string& root, std::string_view entryCaption);

    // The auto-start show-type box: stores the choice and shows the view anew.
    void StartupFilterSelected(int index);
    void ShowSelectionInfo();
    void ShowHardwareNodeInfo();

    int ShowStartupFilter() const { return showStartupFilter_; }
    void SetServices(const ViewServices& services) { services_ = services; }

private:
    void SwitchToFolderView(ViewKind view, const std::string& root, std::string_view label);
    void SwitchToInventoryView(ViewKind view);
    void SwitchToHardware();
    void SwitchToCustomSearch();
    void MarkView(ViewKind view);
    void CollectAndFill(InventorySource* source, int filter);
    InventorySource* SourceOf(ViewKind view) const;
    void ShowEmptyInfo();

    MainWindowChrome& chrome_;
    inventory::InventoryPage& inventoryPage_;
    const InventoryListState& list_;
    ViewServices services_;
    settings::SettingsStores& stores_;
    ViewKind& viewKind_;
    int showStartupFilter_ = 0;
};

}  // namespace glmx::ui
