#include "platform/win32/win32_locale.h"

#include <windows.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

#include "platform/win32/wide.h"

namespace glmx::platform::win32 {

namespace {

constexpr double kLargestFormatted = 1e21;

// A locale text of any length; the fallback when the locale does not answer.
std::wstring LocaleText(LCTYPE type, const wchar_t* fallback) {
    const int size = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, nullptr, 0);
    if (size > 0) {
        std::wstring text(static_cast<size_t>(size), L'\0');
        const int got = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text.data(), size);
        if (got > 0) {
            text.resize(static_cast<size_t>(got) - 1);  // without the terminator
            return text;
        }
    }
    return fallback;
}

UINT LocaleNumber(LCTYPE type, UINT fallback) {
    DWORD value = 0;
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, type | LOCALE_RETURN_NUMBER,
                       reinterpret_cast<LPWSTR>(&value), sizeof value / sizeof(wchar_t)) == 0)
        return fallback;
    return value;
}

// LOCALE_SGROUPING ("3;0", "3;2;0", "3") in NUMBERFMTW's form (3, 32, 30): there a
// trailing 0 stops the grouping, while the locale text repeats the last group
// only when it ends in ";0".
UINT GroupingOf(const std::wstring& text) {
    std::wstring digits;
    for (wchar_t c : text)
        if (c >= L'0' && c <= L'9') digits += c;
    if (digits.empty()) return 3;
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, L";0") == 0)
        digits.pop_back();
    else
        digits += L'0';
    UINT grouping = 0;
    for (size_t i = 0; i < digits.size() && i < 9; ++i)
        grouping = grouping * 10 + (digits[i] - L'0');
    return grouping;
}

}  // namespace

std::string Win32Locale::FormatTwoDecimals(double value) const {
    // Long input overruns GetNumberFormatW's own buffers on some systems (Wine crashes
    // past some 250 digits), so the number is kept short: no value the program shows
    // comes near this.
    if (!std::isfinite(value) || std::fabs(value) >= kLargestFormatted) return {};
    // A plain decimal string, in fixed notation since GetNumberFormatW knows no exponent:
    // the shortest one that reads back as the value, so that it rounds as it reads.
    char buffer[512];  // the longest fixed form of a double is about 330 characters
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (error != std::errc()) return {};
    std::string_view plain(buffer, static_cast<size_t>(end - buffer));
    // Rounding to two decimals looks at the third one only; tiny values would be long.
    if (const size_t point = plain.find('.'); point != std::string_view::npos)
        plain = plain.substr(0, std::min(plain.size(), point + 4));
    const std::wstring number = Wide(plain);

    std::wstring decimal = LocaleText(LOCALE_SDECIMAL, L".");
    std::wstring thousands = LocaleText(LOCALE_STHOUSAND, L",");
    NUMBERFMTW format{};
    format.NumDigits = 2;
    format.LeadingZero = LocaleNumber(LOCALE_ILZERO, 1);
    format.Grouping = GroupingOf(LocaleText(LOCALE_SGROUPING, L"3;0"));
    format.lpDecimalSep = decimal.data();
    format.lpThousandSep = thousands.data();
    format.NegativeOrder = LocaleNumber(LOCALE_INEGNUMBER, 1);

    const int size = GetNumberFormatW(LOCALE_USER_DEFAULT, 0, number.c_str(), &format, nullptr, 0);
    if (size <= 0) return {};
    std::wstring text(static_cast<size_t>(size), L'\0');
    const int got =
        GetNumberFormatW(LOCALE_USER_DEFAULT, 0, number.c_str(), &format, text.data(), size);
    if (got <= 0) return {};
    text.resize(static_cast<size_t>(got) - 1);
    return Narrow(text);
}

std::string Win32Locale::DateSeparator() const { return Narrow(LocaleText(LOCALE_SDATE, L"/")); }

std::optional<CalendarDate> Win32Locale::LocalDateOfFileTime(std::uint64_t fileTime) const {
    const FILETIME utc{static_cast<DWORD>(fileTime & 0xFFFFFFFFu),
                       static_cast<DWORD>(fileTime >> 32)};
    FILETIME local{};
    SYSTEMTIME time{};
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &time))
        return std::nullopt;
    return CalendarDate{time.wYear, time.wMonth, time.wDay};
}

}  // namespace glmx::platform::win32
