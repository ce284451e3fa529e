// The system's own text for an error code, for messages that say why an action failed.
#pragma once

#include <windows.h>

#include <string>

namespace glmx::platform::win32 {

// E.g. "Access is denied." for 5, in the user's language; "Error 1234." when the system
// has no text for the code.
std::string SystemErrorText(DWORD error);

}  // namespace glmx::platform::win32
