// The main window's current view, read by the collectors and the item actions.
#pragma once

#include <cstdint>

namespace glmx {

enum ViewKind : std::uint8_t {
    vkRunningApplications = 0,
    vkRunningProcesses = 1,
    vkAutoStart = 2,
    vkInstalledPrograms = 3,
    // 4 belongs to no view.
    vkSearchFiles = 5,
    vkRegistry = 6,
    vkAll = 7,
    vkDocuments = 8,
    vkRecycleBin = 9,
    vkOtherPlace = 10,
    vkHardware = 11,
    vkCustomSearch = 12,
};

}  // namespace glmx
