#include "ui/mainwindow/pane_layout.h"

#include <string>

#include "inventory/view_kind.h"
#include "platform/text.h"

namespace glmx::ui {

namespace {

constexpr char kInventoryTree[] = "InventoryTreeWidth";
constexpr char kFolderTree[] = "FolderTreeWidth";
constexpr char kColumns[] = "ColumnWidths";
constexpr int kMaxWidth = 10000;
constexpr int kMaxColumns = 32;

std::optional<int> Width(std::string_view text, int least) {
    const std::optional<int> width = platform::ParseDecimalInt(text);
    if (!width || *width < least || *width > kMaxWidth) return std::nullopt;
    return width;
}

// "120,80,300": every part a width, else nothing is taken.
std::vector<int> Widths(std::string_view text) {
    std::vector<int> widths;
    while (!text.empty() && widths.size() < kMaxColumns) {
        const size_t comma = text.find(',');
        const std::optional<int> width = Width(text.substr(0, comma), 0);
        if (!width) return {};
        widths.push_back(*width);
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return widths;
}

}  // namespace

PaneLayout LoadPaneLayout(const settings::TRegInfoClass& desktop) {
    PaneLayout layout;
    layout.inventoryTreeWidth = Width(desktop.GetValue(kInventoryTree), 40);
    layout.folderTreeWidth = Width(desktop.GetValue(kFolderTree), 40);
    for (int view = 0; view <= vkCustomSearch; ++view) {
        std::vector<int> widths = Widths(desktop.GetValue(kColumns + std::to_string(view)));
        if (!widths.empty()) layout.columnWidths[view] = std::move(widths);
    }
    return layout;
}

void SavePaneLayout(settings::TRegInfoClass& desktop, const PaneLayout& layout) {
    if (layout.inventoryTreeWidth)
        desktop.SetValue(kInventoryTree, std::to_string(*layout.inventoryTreeWidth));
    if (layout.folderTreeWidth)
        desktop.SetValue(kFolderTree, std::to_string(*layout.folderTreeWidth));
    for (const auto& [view, widths] : layout.columnWidths) {
        std::string text;
        for (const int width : widths) text += (text.empty() ? "" : ",") + std::to_string(width);
        desktop.SetValue(kColumns + std::to_string(view), text);
    }
}

}  // namespace glmx::ui
