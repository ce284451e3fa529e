// The user's locale through the National Language Support functions.
#pragma once

#include "platform/locale.h"

namespace glmx::platform::win32 {

class Win32Locale final : public Locale {
public:
    // "" for infinities, NaN, magnitudes of 1e21 and more, and when the system cannot
    // format the number.
    std::string FormatTwoDecimals(double value) const override;
    std::string DateSeparator() const override;
    std::optional<CalendarDate> LocalDateOfFileTime(std::uint64_t fileTime) const override;
};

}  // namespace glmx::platform::win32
