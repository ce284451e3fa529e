#include "ui/mainwindow/help_topics.h"

namespace glmx::ui {

std::string_view HelpPageOf(ViewKind view) {
    switch (view) {
        case vkRunningApplications:
            return "view_running_applications.htm";
        case vkRunningProcesses:
            return "view_running_processes.htm";
        case vkAutoStart:
            return "view_auto_start.htm";
        case vkInstalledPrograms:
            return "view_installed_programs.htm";
        case vkSearchFiles:
            return "view_search_files.htm";
        case vkRegistry:
            return "view_registry.htm";
        case vkAll:
            return "view_all.htm";
        case vkDocuments:
            return "view_documents.htm";
        case vkRecycleBin:
            return "view_recycle_bin.htm";
        case vkOtherPlace:
            return "view_other_places.htm";
        case vkHardware:
            return "view_hardware.htm";
        case vkCustomSearch:
            return "view_custom_search.htm";
    }
    return "index.htm";
}

std::string HelpViewerArgument(std::string_view helpFile, ViewKind view) {
    // The viewer's own "file::/page" form; a compiled help file keeps its pages at the root.
    std::string argument = "\"";
    argument += helpFile;
    argument += "::/";
    argument += HelpPageOf(view);
    argument += '"';
    return argument;
}

}  // namespace glmx::ui
