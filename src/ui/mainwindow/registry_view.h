// The registry view: the inventory page's key tree and its value list over the
// registry browser's state, the offline text of the selected key or value, and
// "Registry Editor" at the selected key.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "info/offline_information.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/user_messages.h"
#include "registry/registry_browser.h"
#include "ui/mainwindow/view_services.h"
#include "ui/win32/status_bar_line.h"

namespace glmx::ui {

inline constexpr std::string_view kRegistryEditorNotStarted =
    "The Registry Editor could not be started.";

struct RegistryViewPlatform {
    platform::Registry& registry;
    platform::Shell& shell;
    const platform::FileSystem& files;
    platform::UserMessages& messages;
    // The editor's name for its tree's root, used when it has never remembered a key.
    std::string editorRootName;
};

class RegistryView final : public RegistryBrowser {
public:
    // treeActed runs after a click or key in the tree, once the tree has handled it.
    RegistryView(HWND tree, HWND list, HWND statusBar, RegistryViewPlatform platform,
                 info::OfflineInformationBuilder& builder, std::function<void()> treeActed);
    ~RegistryView() override;
    RegistryView(const RegistryView&) = delete;
    RegistryView& operator=(const RegistryView&) = delete;

    // RegistryBrowser
    void BuildRegistryTree() override;
    void ShowRegistryKeyInfo() override;
    void ShowRegistryValueInfo(int row) override;

    // Remembers the selected key as the editor's last key and starts the editor from
    // the Windows folder; says so when it cannot be started.
    void OpenRegistryEditor();

    // WM_NOTIFY from the tree.
    LRESULT OnNotify(const NMHDR& header);

    // The selected node's full path; "" for "My Computer" or none.
    std::string SelectedPath() const;
    const std::string& StatusText() const { return status_.Text(); }

private:
    HTREEITEM AddNode(HTREEITEM parent, registry::KeyNode& node);
    void AddChildren(HTREEITEM item, registry::KeyNode& node);
    void SetNodeImages(HTREEITEM item, const registry::KeyNode& node);
    registry::KeyNode* NodeOf(HTREEITEM item) const;
    registry::KeyNode* SelectedNode() const;
    void OnExpanding(HTREEITEM item);
    void OnSelected(HTREEITEM item);
    void FillValueList(const std::vector<registry::ValueRow>& rows);

    HWND tree_;
    HWND list_;
    StatusBarLine status_;
    RegistryViewPlatform platform_;
    info::OfflineInformationBuilder& builder_;
    std::function<void()> treeActed_;
    registry::RegistryBrowserState state_;
    std::vector<registry::ValueRow> rows_;  // as the list shows them
};

}  // namespace glmx::ui
