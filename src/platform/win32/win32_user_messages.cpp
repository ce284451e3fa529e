#include "platform/win32/win32_user_messages.h"

#include "platform/win32/wide.h"

namespace glmx::platform::win32 {

int Win32UserMessages::Show(std::string_view text, UINT style) {
    return MessageBoxW(owner_, Wide(text).c_str(), Wide(title_).c_str(), style);
}

void Win32UserMessages::Information(std::string_view text) {
    Show(text, MB_OK | MB_ICONINFORMATION);
}
void Win32UserMessages::Warning(std::string_view text) { Show(text, MB_OK | MB_ICONWARNING); }
void Win32UserMessages::Error(std::string_view text) { Show(text, MB_OK | MB_ICONERROR); }
bool Win32UserMessages::Confirm(std::string_view text) {
    return Show(text, MB_YESNO | MB_ICONQUESTION) == IDYES;
}
bool Win32UserMessages::ConfirmDefaultNo(std::string_view text) {
    return Show(text, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

}  // namespace glmx::platform::win32
