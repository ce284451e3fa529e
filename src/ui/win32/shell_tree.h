// A folder tree over the shell namespace: folders only, listed lazily when a node
// opens, with the system's icons. The folder page, the file search's "Look in" tree
// and the browse dialog all use it.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>

#include "platform/win32/shell_namespace.h"

namespace glmx::ui {

struct ShellTreeEvents {
    // The selected folder changed (by the user, SetRoot or SelectFolder); a linked
    // list follows it. Never called with null.
    std::function<void(const ITEMIDLIST* folder)> folderSelected;
    // A click or key release in the tree, after the tree has handled it.
    std::function<void()> userActed;
};

class ShellTree {
public:
    explicit ShellTree(ShellTreeEvents events);
    ~ShellTree();
    ShellTree(const ShellTree&) = delete;
    ShellTree& operator=(const ShellTree&) = delete;

    // The tree view: buttons and lines but none at the root, selection kept visible,
    // the small system image list shared (never destroyed here).
    HWND Create(HWND parent, int id);
    HWND Handle() const;

    // Roots the tree at a folder, opens the root one level and selects it.
    void SetRoot(const ITEMIDLIST* root);
    // Selects a folder at or below the root, opening the way to it; false, with the
    // selection unchanged, when it lies elsewhere or cannot be reached.
    bool SelectFolder(const ITEMIDLIST* folder);
    // Null when nothing is selected.
    const ITEMIDLIST* SelectedFolder() const;
    const ITEMIDLIST* Root() const;
    void EnsureSelectionVisible();
    // Lists again the children of a folder's node, when the node is shown and open.
    void RefreshChildren(const ITEMIDLIST* folder);

    // WM_NOTIFY from the tree, routed by its parent; true when handled, with the result.
    bool OnNotify(const NMHDR& header, LRESULT& result);

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace glmx::ui
