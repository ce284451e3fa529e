#include "ui/mainwindow/help_viewer.h"

#include <shellapi.h>

#include "platform/win32/wide.h"
#include "settings/program_identity.h"

namespace glmx::ui {

void OpenHelp(HWND owner, const std::string& programFolder, ViewKind) {
    const std::wstring helpFile =
        platform::win32::Wide(programFolder + std::string(settings::kHelpFileName));
    ShellExecuteW(owner, L"open", helpFile.c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace glmx::ui
