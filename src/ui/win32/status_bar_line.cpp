#include "ui/win32/status_bar_line.h"

#include <commctrl.h>

#include "platform/win32/wide.h"

namespace glmx::ui {

void StatusBarLine::SetStatusText(std::string_view text) {
    text_ = text;
    SendMessageW(statusBar_, SB_SETTEXTW, SB_SIMPLEID,
                 reinterpret_cast<LPARAM>(platform::win32::Wide(text).c_str()));
}

}  // namespace glmx::ui
