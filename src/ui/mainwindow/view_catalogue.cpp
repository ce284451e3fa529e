#include "ui/mainwindow/view_catalogue.h"

namespace glmx::ui {

namespace {

constexpr ViewInfo kViews[] = {
    {vkAll, Page::Folders, "All", "All"},
    {vkDocuments, Page::Folders, "Documents", "My Documents"},
    {vkRecycleBin, Page::Folders, "Recycle Bin", "Recycle Bin"},
    {vkOtherPlace, Page::Folders, "Others...", ""},
    {vkInstalledPrograms, Page::Inventory, "Programs", "Installed Programs"},
    {vkRunningProcesses, Page::Inventory, "Now running processes", "Running Processes"},
    {vkRunningApplications, Page::Inventory, "Runnig Applications", "Running Applications"},
    {vkAutoStart, Page::Inventory, "Auto-Start", "Auto-Start Programs"},
    {vkSearchFiles, Page::Inventory, "Search Files", "Search Files"},
    {vkRegistry, Page::Inventory, "Registry", "Windows Registry"},
    {vkHardware, Page::Hardware, "Hardware Configuration", "Hardware Configuration"},
    {vkCustomSearch, Page::CustomSearch, "Custom quick search", ""},
};

constexpr ToolbarSlot kToolbar[] = {
    {false, vkAll, "tlbAll", "   All  \t", "All", "All", 0},
    {false, vkDocuments, "tlbDocuments", "Documents", "My Documents", "Documents", 1},
    {false, vkRecycleBin, "tlbRecycleBin", "Recycle Bin", "Recycle Bin", "Recycle Bin", 2},
    {false, vkOtherPlace, "tlbOthers", "Others", "Others", "Others...", 3},
    {true, vkAll, "", "", "", "-", -1},
    {false, vkInstalledPrograms, "tlbPrograms", "Programs", "Programs installed on my computer",
     "Programs", 4},
    {false, vkRunningProcesses, "tlbNowRunningProcesses", "Processes",
     "Programs running on my computer", "Processes", 5},
    {false, vkRunningApplications, "tlbNowRunningApplications", "Now Running", "", "Running Apps",
     6},
    {false, vkAutoStart, "tlbAutoStart", "Auto-start",
     "Programs that automatically start with my computer", "Auto-Start", 7},
    {false, vkSearchFiles, "tlbSearchFiles", "Search Files", "Search for files", "Search Files", 8},
    {false, vkRegistry, "tlbRegistry", "Registry", "Windows Registry", "Registry", 9},
    {true, vkAll, "", "", "", "-", -1},
    {false, vkHardware, "tlbHardWareConfig", "HardWare", "Hardware Configuration", "Hardware", 10},
    {true, vkAll, "", "", "", "-", -1},
    {false, vkCustomSearch, "tlbCustomSearch", "Custom", "Custom quick search", "Custom Search",
     11},
};

}  // namespace

std::span<const ViewInfo> AllViews() { return kViews; }

const ViewInfo& InfoOf(ViewKind view) {
    for (const ViewInfo& info : kViews)
        if (info.kind == view) return info;
    return kViews[0];
}

std::span<const ToolbarSlot> ToolbarSlots() { return kToolbar; }

std::string StripAmpersands(std::string_view text) {
    std::string stripped;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') {
                stripped += '&';
                ++i;
            }
            continue;
        }
        stripped += text[i];
    }
    return stripped;
}

}  // namespace glmx::ui
