// The program's general error box, for errors no handler expected.
#pragma once

#include <windows.h>

#include <string_view>

namespace glmx::ui {

void ShowGeneralError(HWND owner, std::string_view message);

}  // namespace glmx::ui
