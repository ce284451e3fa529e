#include "ui/win32/error_box.h"

#include "platform/win32/wide.h"
#include "settings/program_identity.h"

namespace glmx::ui {

void ShowGeneralError(HWND owner, std::string_view message) {
    using platform::win32::Wide;
    MessageBoxW(owner, Wide(message).c_str(), Wide(settings::kApplicationTitle).c_str(),
                MB_OK | MB_ICONERROR);
}

}  // namespace glmx::ui
