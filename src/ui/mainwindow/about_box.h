// The About box TFAbout: title, version line, notice and the maker's web site.
#pragma once

#include <windows.h>

#include <string>

namespace glmx::ui {

// Modal over the owner. versionLine may be empty when the program's version
// resource cannot be read.
void ShowAboutBox(HWND owner, const std::string& versionLine);

}  // namespace glmx::ui
