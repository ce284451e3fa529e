// The About box TFAbout: title, version line, notice and the maker's web site.
#pragma once

#include <windows.h>

#include <string>

#include "platform/version_resources.h"

namespace glmx::ui {

// "Version " + ProductVersion + " (build " + FileVersion + ")" of the program's own
// version resource; "" when it has none.
std::string AboutVersionLine(const platform::VersionResources& versions,
                             const std::string& programPath);

// Modal over the owner. versionLine may be empty when the program's version
// resource cannot be read.
void ShowAboutBox(HWND owner, const std::string& versionLine);

}  // namespace glmx::ui
