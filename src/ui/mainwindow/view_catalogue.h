// The twelve views of the main window: their pages, tool bar buttons, View menu
// entries and labels, and the tool bar in button order.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "inventory/view_kind.h"

namespace glmx::ui {

enum class Page { Folders, Inventory, Hardware, CustomSearch };

struct ViewInfo {
    ViewKind kind;
    Page page;
    std::string_view viewMenuCaption;
    std::string_view label;  // the function bar's label; the places view takes its entry's caption
};

// In View menu order.
std::span<const ViewInfo> AllViews();
const ViewInfo& InfoOf(ViewKind view);

// One slot of the main tool bar: a view button or a separator.
struct ToolbarSlot {
    bool separator;
    ViewKind view;                     // for view buttons
    std::string_view name;             // the button's component name
    std::string_view caption;          // set at creation
    std::string_view hint;             // its tool tip; empty for none
    std::string_view overflowCaption;  // its item in the chevron's overflow menu
    int image;                         // index into the tool bar images
};

// The 15 slots, left to right.
std::span<const ToolbarSlot> ToolbarSlots();

// Removes accelerator marks: "&" goes, "&&" leaves one "&".
std::string StripAmpersands(std::string_view text);

}  // namespace glmx::ui
