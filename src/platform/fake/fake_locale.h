// A locale for tests: separators and the time-zone offset are set by the test,
// dates follow the proleptic Gregorian calendar for any FILETIME.
#pragma once

#include <string>
#include <utility>

#include "platform/locale.h"

namespace glmx::platform {

class FakeLocale : public Locale {
public:
    // Rounds half away from zero (as the decimal form reads) and groups by threes;
    // "" for infinities and NaN, which have no such form.
    std::string FormatTwoDecimals(double value) const override;
    std::string DateSeparator() const override { return dateSeparator_; }
    // nullopt before 1601-01-01 or after 30827-12-31 local time.
    std::optional<CalendarDate> LocalDateOfFileTime(std::uint64_t fileTime) const override;

    void SetThousandsSeparator(std::string separator) {
        thousandsSeparator_ = std::move(separator);
    }
    void SetDecimalSeparator(std::string separator) { decimalSeparator_ = std::move(separator); }
    void SetDateSeparator(std::string separator) { dateSeparator_ = std::move(separator); }
    // Local time minus UTC: -300 for New York in winter, 60 for Berlin.
    void SetTimeZoneOffsetMinutes(int minutes) { offsetMinutes_ = minutes; }

private:
    std::string thousandsSeparator_ = ",";
    std::string decimalSeparator_ = ".";
    std::string dateSeparator_ = "/";
    int offsetMinutes_ = 0;
};

}  // namespace glmx::platform
