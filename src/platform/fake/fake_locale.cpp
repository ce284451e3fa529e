#include "platform/fake/fake_locale.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

namespace glmx::platform {

namespace {

constexpr std::int64_t kTicksPerMinute = 600'000'000;
constexpr std::int64_t kTicksPerDay = 24 * 60 * kTicksPerMinute;
// Days from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kDaysTo1970 = 134'774;
constexpr int kLastYear = 30827;  // FileTimeToSystemTime's limit

// The calendar date of a count of days since 1970-01-01 (H. Hinnant's civil_from_days).
CalendarDate DateOfUnixDays(std::int64_t days) {
    days += 719'468;
    const std::int64_t era = (days >= 0 ? days : days - 146'096) / 146'097;
    const std::int64_t dayOfEra = days - era * 146'097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;  // March is 0
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    const auto year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
    return {year, month, day};
}

}  // namespace

std::string FakeLocale::FormatTwoDecimals(double value) const {
    if (!std::isfinite(value)) return {};
    // The shortest decimal form that reads back as the value, so 0.125 rounds up as
    // written and not as its nearest binary fraction.
    char buffer[512];  // the longest fixed form of a double is about 330 characters
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed);
    if (error != std::errc()) return {};
    const std::string_view text(buffer, static_cast<size_t>(end - buffer));
    const size_t point = text.find('.');

    std::string integer(text.substr(0, point));
    std::string fraction =
        point == std::string_view::npos ? "" : std::string(text.substr(point + 1));
    const bool roundUp = fraction.size() > 2 && fraction[2] >= '5';
    fraction.resize(2, '0');
    std::string digits = integer + fraction;
    if (roundUp) {
        size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
        if (i == 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i - 1];
    }
    integer = digits.substr(0, digits.size() - 2);
    fraction = digits.substr(digits.size() - 2);

    std::string grouped;
    for (size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0) grouped += thousandsSeparator_;
        grouped += integer[i];
    }
    // What rounds to zero has no sign left to show.
    const bool negative = value < 0 && digits.find_first_not_of('0') != std::string::npos;
    return (negative ? "-" : "") + grouped + decimalSeparator_ + fraction;
}

std::optional<CalendarDate> FakeLocale::LocalDateOfFileTime(std::uint64_t fileTime) const {
    // Days and the time of day apart, so that no FILETIME overflows a signed count.
    std::int64_t days = static_cast<std::int64_t>(fileTime / kTicksPerDay);
    std::int64_t ticks = static_cast<std::int64_t>(fileTime % kTicksPerDay);
    const std::int64_t offset = std::int64_t{offsetMinutes_} * kTicksPerMinute;
    days += offset / kTicksPerDay;
    ticks += offset % kTicksPerDay;
    if (ticks < 0) {
        ticks += kTicksPerDay;
        --days;
    } else if (ticks >= kTicksPerDay) {
        ticks -= kTicksPerDay;
        ++days;
    }
    if (days < 0) return std::nullopt;
    const CalendarDate date = DateOfUnixDays(days - kDaysTo1970);
    if (date.year > kLastYear) return std::nullopt;
    return date;
}

}  // namespace glmx::platform
