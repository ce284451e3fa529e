#include "ui/mainwindow/view_switcher.h"

#include "platform/text.h"

namespace glmx::ui {

namespace {

// The hourglass shows while a view is collected, and goes also when a collector throws.
class WaitCursor {
public:
    explicit WaitCursor(MainWindowChrome& chrome) : chrome_(chrome) { chrome_.BeginWaitCursor(); }
    ~WaitCursor() { chrome_.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    MainWindowChrome& chrome_;
};

}  // namespace

ViewSwitcher::ViewSwitcher(MainWindowChrome& chrome, inventory::InventoryPage& inventoryPage,
                           const InventoryListState& list, ViewServices services,
                           settings::SettingsStores& stores, ViewKind& viewKind)
    : chrome_(chrome),
      inventoryPage_(inventoryPage),
      list_(list),
      services_(services),
      stores_(stores),
      viewKind_(viewKind) {}

void ViewSwitcher::SwitchTo(ViewKind view) {
    // A running search would go on adding rows to a list that shows another view.
    if (services_.fileSearch) services_.fileSearch->AbandonSearch();
    switch (view) {
        case vkAll:
            return SwitchToFolderView(view, "rfDesktop", InfoOf(view).label);
        case vkDocuments:
            return SwitchToFolderView(view, "rfPersonal", InfoOf(view).label);
        case vkRecycleBin:
            return SwitchToFolderView(view, "rfRecycleBin", InfoOf(view).label);
        case vkOtherPlace:
            return;  // needs its root: SwitchToOtherPlace
        case vkRunningApplications:
        case vkRunningProcesses:
        case vkAutoStart:
        case vkInstalledPrograms:
        case vkSearchFiles:
        case vkRegistry:
            return SwitchToInventoryView(view);
        case vkHardware:
            return SwitchToHardware();
        case vkCustomSearch:
            return SwitchToCustomSearch();
    }
}

void ViewSwitcher::SwitchToOtherPlace(const std::string& root, std::string_view entryCaption) {
    if (root.empty()) return;
    if (services_.fileSearch) services_.fileSearch->AbandonSearch();
    SwitchToFolderView(vkOtherPlace, root, StripAmpersands(entryCaption));
}

void ViewSwitcher::MarkView(ViewKind view) {
    chrome_.ReleaseToolbarButtons();
    chrome_.PressToolbarButton(view);
    chrome_.CheckViewMenuEntry(view);
}

void ViewSwitcher::SwitchToFolderView(ViewKind view, const std::string& root,
                                      std::string_view label) {
    chrome_.ShowFunctionPages();
    chrome_.SetActivePage(Page::Folders);
    MarkView(view);
    if (services_.folders) services_.folders->RootAt(root);
    viewKind_ = view;
    chrome_.SetPageLabel(Page::Folders, label);
    inventory::UpdateControlButton(chrome_.PageControlButton(Page::Folders), viewKind_);
    if (services_.folders) services_.folders->ShowSelectedFolderInfo();
}

void ViewSwitcher::SwitchToInventoryView(ViewKind view) {
    chrome_.ShowFunctionPages();
    chrome_.SetActivePage(Page::Inventory);
    MarkView(view);

    const bool labelFirst = view == vkAutoStart || view == vkSearchFiles || view == vkRegistry;
    if (labelFirst) chrome_.SetPageLabel(Page::Inventory, InfoOf(view).label);
    inventory::PrepareInventoryList(view, inventoryPage_, viewKind_,
                                    chrome_.PageControlButton(Page::Inventory));
    if (!labelFirst) chrome_.SetPageLabel(Page::Inventory, InfoOf(view).label);

    switch (view) {
        case vkRunningApplications:
        case vkRunningProcesses:
        case vkInstalledPrograms:
            CollectAndFill(SourceOf(view), showStartupFilter_);
            ShowSelectionInfo();
            break;
        case vkAutoStart: {
            // "0", "1" and "2" choose the filter; any other text keeps the one in use.
            const std::string stored = stores_.ConfigurationSettings.GetValue("ShowStartupType");
            if (stored == "0" || stored == "1" || stored == "2")
                showStartupFilter_ = stored[0] - '0';
            chrome_.SetStartupFilterIndex(showStartupFilter_);
            CollectAndFill(services_.autoStart, showStartupFilter_);
            ShowSelectionInfo();
            break;
        }
        case vkSearchFiles:
            ShowEmptyInfo();
            break;
        case vkRegistry:
            if (services_.registry) {
                services_.registry->BuildRegistryTree();
                services_.registry->ShowRegistryKeyInfo();
            }
            break;
        default:
            break;
    }
}

void ViewSwitcher::CollectAndFill(InventorySource* source, int filter) {
    WaitCursor wait(chrome_);
    if (!source) return;
    source->Collect();
    source->Fill(filter);
}

void ViewSwitcher::SwitchToHardware() {
    chrome_.ShowFunctionPages();
    chrome_.SetActivePage(Page::Hardware);
    MarkView(vkHardware);
    viewKind_ = vkHardware;
    chrome_.SetPageLabel(Page::Hardware, InfoOf(vkHardware).label);
    inventory::UpdateControlButton(chrome_.PageControlButton(Page::Hardware), viewKind_);
    {
        WaitCursor wait(chrome_);
        if (services_.hardware) services_.hardware->BuildHardwareTree();
    }
    ShowHardwareNodeInfo();
}

void ViewSwitcher::SwitchToCustomSearch() {
    chrome_.HideFunctionPages();
    chrome_.SetActivePage(Page::CustomSearch);
    chrome_.ReleaseToolbarButtons();
    viewKind_ = vkCustomSearch;
    chrome_.PressToolbarButton(vkCustomSearch);
    chrome_.CheckViewMenuEntry(vkCustomSearch);
    settings::FillComboFromHistory(stores_.QuickSearchHistory, chrome_.SearchField(), true);
    ShowEmptyInfo();
    chrome_.FocusSearchField();
}

void ViewSwitcher::StartupFilterSelected(int index) {
    stores_.ConfigurationSettings.SetValue("ShowStartupType", std::to_string(index));
    SwitchTo(vkAutoStart);
}

InventorySource* ViewSwitcher::SourceOf(ViewKind view) const {
    switch (view) {
        case vkRunningApplications:
            return services_.applications;
        case vkRunningProcesses:
            return services_.processes;
        case vkInstalledPrograms:
            return services_.installedPrograms;
        case vkAutoStart:
            return services_.autoStart;
        default:
            return nullptr;
    }
}

void ViewSwitcher::ShowSelectionInfo() {
    const int row = list_.SelectedRow();
    if (row >= 0) {
        switch (viewKind_) {
            case vkRunningApplications:
            case vkRunningProcesses:
            case vkAutoStart:
            case vkInstalledPrograms:
                if (InventorySource* source = SourceOf(viewKind_)) source->ShowItemInfo(row);
                break;
            case vkSearchFiles:
                if (services_.fileSearch)
                    services_.fileSearch->ShowFoundFileInfo(list_.RowCaption(row));
                break;
            case vkRegistry:
                if (services_.registry) services_.registry->ShowRegistryValueInfo(row);
                break;
            default:
                break;
        }
    }
    if (list_.RowCount() == 0) ShowEmptyInfo();
}

void ViewSwitcher::ShowHardwareNodeInfo() {
    // Node 0 is the root "My Computer", which describes no device.
    if (services_.hardware && services_.hardware->SelectedNodeAbsoluteIndex() > 0)
        services_.hardware->ShowDeviceInfo();
}

void ViewSwitcher::ShowEmptyInfo() {
    if (services_.offline) services_.offline->ShowEmptyInfo();
}

}  // namespace glmx::ui
