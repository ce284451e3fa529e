// The user's locale: number and date formatting, and local time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace glmx::platform {

struct CalendarDate {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;    // 1 to 31
};

class Locale {
public:
    virtual ~Locale() = default;
    // The number with the locale's thousands separators and decimal separator and
    // exactly two decimals ("12.50", "1,234.00").
    virtual std::string FormatTwoDecimals(double value) const = 0;
    // The locale's date separator ("/" in the United States, "." in Germany).
    virtual std::string DateSeparator() const = 0;
    // The local calendar date of a FILETIME (UTC, 100-ns units since 1601-01-01);
    // nullopt when the time cannot be converted.
    virtual std::optional<CalendarDate> LocalDateOfFileTime(std::uint64_t fileTime) const = 0;
};

}  // namespace glmx::platform
