// UTF-8 <-> UTF-16 at the Windows API boundary (wchar_t is UTF-16 on Windows).
#pragma once

#include <string>
#include <string_view>

#include "platform/text.h"

namespace glmx::platform::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring Wide(std::string_view utf8) {
    const std::u16string wide = Utf8ToUtf16(utf8);
    return std::wstring(wide.begin(), wide.end());
}

inline std::string Narrow(std::wstring_view wide) {
    return Utf16ToUtf8(
        std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

}  // namespace glmx::platform::win32
