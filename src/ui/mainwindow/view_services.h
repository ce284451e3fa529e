// What the view switches call on the features that fill the views. Each feature
// implements its interface when it is built; until then the main window holds
// an implementation that shows nothing.
#pragma once

#include <string>

#include "inventory/view_kind.h"

namespace glmx::ui {

// A collector of one inventory view (applications, processes, installed programs,
// auto-start entries) with the list filler and the offline builder of its rows.
class InventorySource {
public:
    virtual ~InventorySource() = default;
    virtual void Collect() = 0;
    // startupFilter: 0 all, 1 enabled only, 2 disabled only; used by the auto-start view.
    virtual void Fill(int startupFilter) = 0;
    // Shows the offline information of the list's row.
    virtual void ShowItemInfo(int row) = 0;
};

// The folder page: the shell tree and list.
class FolderPage {
public:
    virtual ~FolderPage() = default;
    // A root-folder identifier ("rfDesktop") or a folder path.
    virtual void RootAt(const std::string& root) = 0;
    virtual void ShowSelectedFolderInfo() = 0;
};

class RegistryBrowser {
public:
    virtual ~RegistryBrowser() = default;
    virtual void BuildRegistryTree() = 0;
    // The tree's selected key with the list's selected value.
    virtual void ShowRegistryKeyInfo() = 0;
    virtual void ShowRegistryValueInfo(int row) = 0;
};

class HardwareBrowser {
public:
    virtual ~HardwareBrowser() = default;
    virtual void BuildHardwareTree() = 0;
    // The selected node's position among all nodes, -1 when none is selected.
    virtual int SelectedNodeAbsoluteIndex() const = 0;
    virtual void ShowDeviceInfo() = 0;
};

class FileSearchResults {
public:
    virtual ~FileSearchResults() = default;
    virtual void ShowFoundFileInfo(const std::string& path) = 0;
    // A running search ends without showing more: the list now serves another view.
    virtual void AbandonSearch() = 0;
};

class OfflineInformation {
public:
    virtual ~OfflineInformation() = default;
    virtual void ShowEmptyInfo() = 0;
};

// What the switches read of the inventory list.
class InventoryListState {
public:
    virtual ~InventoryListState() = default;
    virtual int RowCount() const = 0;
    virtual int SelectedRow() const = 0;  // -1 when none
    virtual std::string RowCaption(int row) const = 0;
};

// What the function bar's buttons of the inventory page do.
class ItemActions {
public:
    virtual ~ItemActions() = default;
    virtual void ControlButtonClicked(ViewKind view) = 0;
    virtual void SwitchToClicked() = 0;
};

// The features behind the views; a null pointer stands for one not built yet.
struct ViewServices {
    InventorySource* applications = nullptr;
    InventorySource* processes = nullptr;
    InventorySource* installedPrograms = nullptr;
    InventorySource* autoStart = nullptr;
    FolderPage* folders = nullptr;
    RegistryBrowser* registry = nullptr;
    HardwareBrowser* hardware = nullptr;
    FileSearchResults* fileSearch = nullptr;
    OfflineInformation* offline = nullptr;
    ItemActions* actions = nullptr;
};

}  // namespace glmx::ui
