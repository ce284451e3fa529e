#include "platform/win32/system_error.h"

#include <algorithm>
#include <iterator>

#include "platform/win32/wide.h"

namespace glmx::platform::win32 {

std::string SystemErrorText(DWORD error) {
    // Long enough for any system message; a longer one fails and gets the number.
    wchar_t text[1024] = {};
    DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                       0, text, static_cast<DWORD>(std::size(text)), nullptr);
    length = std::min<DWORD>(length, std::size(text) - 1);
    // System messages end in a line break.
    while (length > 0 &&
           (text[length - 1] == L'\r' || text[length - 1] == L'\n' || text[length - 1] == L' '))
        --length;
    if (length == 0) return "Error " + std::to_string(error) + ".";
    return Narrow(std::wstring_view(text, length));
}

}  // namespace glmx::platform::win32
