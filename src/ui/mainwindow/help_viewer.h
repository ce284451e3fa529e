// Opens the program's help file.
#pragma once

#include <windows.h>

#include <string>

#include "inventory/view_kind.h"

namespace glmx::ui {

// Opens the help file beside the program, where possible on the page of the view shown.
void OpenHelp(HWND owner, const std::string& programFolder, ViewKind view);

}  // namespace glmx::ui
