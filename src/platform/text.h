// Text helpers shared by every layer: UTF-8 inside the program, UTF-16 at the
// Windows boundary, and the ASCII-only case rules the program's comparisons use.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace glmx::platform {

// UTF-16 to UTF-8. A lone surrogate (legal in registry and file names) is kept
// as its three-byte form so that converting back gives the same code units.
std::string Utf16ToUtf8(std::u16string_view text);

// UTF-8 to UTF-16; the inverse of Utf16ToUtf8. A byte that starts no valid
// sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

// Upper-cases a-z only; every other byte, UTF-8 sequences included, stays as it is.
std::string AsciiUpper(std::string_view text);

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Without spaces and control characters (codes up to 32) at either end.
std::string_view TrimSpacesAndControls(std::string_view text);

// At most maxUnits UTF-16 code units of a UTF-8 text, never splitting a pair.
std::string TruncateUtf16(std::string_view text, size_t maxUnits);

// A decimal integer with an optional sign and surrounding blanks, within int's
// range; anything else (empty, "12px", "0x10", "99999999999") gives nullopt.
std::optional<int> ParseDecimalInt(std::string_view text);

}  // namespace glmx::platform
