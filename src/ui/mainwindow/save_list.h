// File > "Save List...": the current view's rows to CSV, tab-separated text or an
// HTML table, or the selected item's offline text to RTF or plain text.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/user_messages.h"

namespace glmx::ui {

enum class SaveKind { ListCsv, ListTabText, ListHtml, OfflineRtf, OfflineText };

// The list's every row (or the rich edit's text) written to the file; the reason on
// failure.
std::optional<std::string> SaveListAs(HWND list, HWND offlineText, const std::string& path,
                                      SaveKind kind);

// Asks for a file in the system's save dialog, its file type choosing what is saved,
// and saves; a failure says why.
void SaveListDialog(HWND owner, HWND list, HWND offlineText, platform::UserMessages& messages);

}  // namespace glmx::ui
