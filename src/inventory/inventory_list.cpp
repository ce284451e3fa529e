#include "inventory/inventory_list.h"

namespace glmx::inventory {

namespace {

constexpr ListColumn kProgramColumns[] = {
    {"Program Name", 250}, {"File Name", 100},         {"Company Name", 200},
    {"Version", 100},      {"Copyright", 300},         {"File Description", 200},
    {"File Version", 200}, {"Original Filename", 150}, {"Internalname", 120},
};
constexpr ListColumn kAutoStartColumns[] = {
    {"Program Name", 200}, {"Command", 350},  {"Autostart type", 100},
    {"Status", 80},        {"Location", 400},
};
constexpr ListColumn kSingleColumn[] = {{"", 800}};
constexpr ListColumn kRegistryColumns[] = {{"Name", 200}, {"Type", 110}, {"Data", 300}};

}  // namespace

std::span<const ListColumn> InventoryColumns(ViewKind view) {
    switch (view) {
        case vkRunningApplications:
        case vkRunningProcesses:
            return kProgramColumns;
        case vkAutoStart:
            return kAutoStartColumns;
        case vkInstalledPrograms:
        case vkSearchFiles:
            return kSingleColumn;
        case vkRegistry:
            return kRegistryColumns;
        default:
            return {};
    }
}

std::string_view ControlButtonCaption(ViewKind view) {
    switch (view) {
        case vkRunningApplications:
            return "End Task";
        case vkRunningProcesses:
            return "Close";
        case vkAutoStart:
            return "Enable/Disable";
        case vkInstalledPrograms:
            return "Unistall";
        case vkSearchFiles:
        case vkAll:
        case vkDocuments:
        case vkOtherPlace:
            return "Delete";
        case vkRegistry:
            return "Registry Editor";
        case vkRecycleBin:
            return "Empty";
        case vkHardware:
            return "Device Manager";
        case vkCustomSearch:
            return "";
    }
    return "";
}

void UpdateControlButton(ControlButton& button, ViewKind viewKind) {
    button.ShowWithCaption(ControlButtonCaption(viewKind));
}

void PrepareInventoryList(ViewKind view, InventoryPage& page, ViewKind& viewKind,
                          ControlButton& inventoryButton) {
    // The page knows whose columns it is given (each view's widths are its own).
    viewKind = view;
    page.SuspendListDrawing();
    page.RemoveAllRowsAndColumns();
    for (const ListColumn& column : InventoryColumns(view))
        page.AddColumn(column.caption, column.width);
    page.ResumeListDrawing();

    const bool treeView = view == vkSearchFiles || view == vkRegistry;
    page.ShowTreePanel(treeView);
    if (treeView) {
        page.ShowRegistryTreePanel(view == vkRegistry);
        page.ShowSearchPanel(view == vkSearchFiles);
    }
    if (view == vkSearchFiles) page.ClearSearchNameBox();
    page.ShowStartupOptions(view == vkAutoStart);
    // "Switch To" belongs to the applications it switches to.
    page.ShowRunningAppsOptions(view == vkRunningApplications);
    page.UseListImages(view == vkRegistry ? ListImages::Registry : ListImages::System);

    UpdateControlButton(inventoryButton, viewKind);
}

}  // namespace glmx::inventory
