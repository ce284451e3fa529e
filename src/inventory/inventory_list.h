// The inventory page's list and the function-bar control buttons: which columns,
// panels and images each view gets, and what its control button says.
#pragma once

#include <span>
#include <string_view>

#include "inventory/view_kind.h"

namespace glmx::inventory {

struct ListColumn {
    std::string_view caption;
    int width;
};

// The view's columns in order; empty for views that do not use the list.
std::span<const ListColumn> InventoryColumns(ViewKind view);

// The control button's caption for a view; empty for the custom search view.
std::string_view ControlButtonCaption(ViewKind view);

enum class ListImages { System, Registry };

// What the inventory page's list is prepared with.
class InventoryPage {
public:
    virtual ~InventoryPage() = default;
    virtual void SuspendListDrawing() = 0;
    virtual void ResumeListDrawing() = 0;
    virtual void RemoveAllRowsAndColumns() = 0;
    virtual void AddColumn(std::string_view caption, int width) = 0;
    virtual void ShowTreePanel(bool shown) = 0;  // the left tree panel with its splitter
    virtual void ShowRegistryTreePanel(bool shown) = 0;
    virtual void ShowSearchPanel(bool shown) = 0;
    virtual void ClearSearchNameBox() = 0;
    virtual void ShowStartupOptions(bool shown) = 0;
    virtual void ShowRunningAppsOptions(bool shown) = 0;
    virtual void UseListImages(ListImages images) = 0;
};

class ControlButton {
public:
    virtual ~ControlButton() = default;
    virtual void ShowWithCaption(std::string_view caption) = 0;
};

// Shows the button with the caption of the current view.
void UpdateControlButton(ControlButton& button, ViewKind viewKind);

// Empties the list and gives it the view's columns, panels and images, records
// the view and captions the inventory page's control button.
void PrepareInventoryList(ViewKind view, InventoryPage& page, ViewKind& viewKind,
                          ControlButton& inventoryButton);

}  // namespace glmx::inventory
