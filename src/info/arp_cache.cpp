#include "info/arp_cache.h"

#include <cstdio>
#include <string_view>

#include "platform/text.h"

namespace glmx::info {

using platform::RegAccess;
using platform::RegRoot;
using platform::RegType;

namespace {

constexpr std::string_view kArpCacheKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache";
constexpr std::string_view kUninstallKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr std::string_view kSlowInfoCacheValue = "SlowInfoCache";

// The record's layout.
constexpr size_t kRecordSize = 552;
constexpr size_t kSizeOffset = 8;
constexpr size_t kLastUsedOffset = 16;
constexpr size_t kUsageOffset = 24;
constexpr size_t kNameOffset = 28;
constexpr size_t kNameMaxChars = 260;

constexpr double kBytesPerMegabyte = 1024.0 * 1024.0;

std::uint64_t ReadLittleEndian(std::span<const std::uint8_t> bytes, size_t offset, size_t count) {
    std::uint64_t value = 0;
    for (size_t i = count; i-- > 0;) value = (value << 8) | bytes[offset + i];
    return value;
}

std::string SizeText(std::int64_t size, const platform::Locale& locale) {
    if (size <= 0) return {};
    return locale.FormatTwoDecimals(static_cast<double>(size) / kBytesPerMegabyte) + " MB";
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// The date is printed with a four-digit year, so only years 1 to 9999 have a form.
bool IsValidDate(const platform::CalendarDate& date) {
    static constexpr int kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (date.year < 1 || date.year > 9999 || date.month < 1 || date.month > 12 || date.day < 1)
        return false;
    const int days = kDaysInMonth[date.month - 1] + (date.month == 2 && IsLeapYear(date.year));
    return date.day <= days;
}

std::string LastUsedText(std::uint32_t low, std::uint32_t high, const platform::Locale& locale) {
    constexpr std::string_view kUnknown = "(Unknown)";
    if (low == 0 && high == 0) return {};
    if (low == 0xFFFFFFFFu && high == 0xFFFFFFFFu) return std::string(kUnknown);
    const auto date = locale.LocalDateOfFileTime((std::uint64_t{high} << 32) | low);
    if (!date || !IsValidDate(*date)) return std::string(kUnknown);
    const std::string separator = locale.DateSeparator();
    char month[16], day[16], year[16];
    std::snprintf(month, sizeof month, "%02d", date->month);
    std::snprintf(day, sizeof day, "%02d", date->day);
    std::snprintf(year, sizeof year, "%04d", date->year);
    return month + separator + day + separator + year;
}

std::string UsageText(std::int32_t count) {
    if (count < 0) return {};
    if (count <= 2) return "rarely";
    if (count <= 10) return "occasionally";
    return "frequently";
}

std::string TrackedName(std::span<const std::uint8_t> record) {
    std::u16string name;
    for (size_t i = 0; i < kNameMaxChars; ++i) {
        const auto unit = static_cast<char16_t>(ReadLittleEndian(record, kNameOffset + 2 * i, 2));
        if (unit == 0) break;
        name += unit;
    }
    return platform::Utf16ToUtf8(name);
}

std::string DwordText(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 4) return {};
    return std::to_string(static_cast<std::int32_t>(ReadLittleEndian(bytes, 0, 4)));
}

}  // namespace

std::vector<std::string> ReadArpCacheKeyNames(platform::Registry& registry, RegRoot root) {
    const auto key = registry.OpenKey(root, kArpCacheKey, RegAccess::Read);
    if (!key) return {};
    return key->SubKeyNames();
}

ArpCacheInfo ParseSlowInfoCache(std::span<const std::uint8_t> record,
                                const platform::Locale& locale) {
    ArpCacheInfo info;
    if (record.size() != kRecordSize) return info;
    info.sizeText =
        SizeText(static_cast<std::int64_t>(ReadLittleEndian(record, kSizeOffset, 8)), locale);
    info.lastUsedText = LastUsedText(
        static_cast<std::uint32_t>(ReadLittleEndian(record, kLastUsedOffset, 4)),
        static_cast<std::uint32_t>(ReadLittleEndian(record, kLastUsedOffset + 4, 4)), locale);
    info.usageText =
        UsageText(static_cast<std::int32_t>(ReadLittleEndian(record, kUsageOffset, 4)));
    info.trackedName = TrackedName(record);
    return info;
}

ArpCacheInfo ReadArpCacheInfo(platform::Registry& registry,
                              const std::vector<std::string>& keyNames,
                              const std::string& uninstallKeyName, const platform::Locale& locale,
                              RegRoot root) {
    const std::string* storedName = nullptr;
    for (const std::string& name : keyNames) {
        if (platform::EqualsIgnoringAsciiCase(name, uninstallKeyName)) {
            storedName = &name;
            break;
        }
    }
    if (!storedName || storedName->empty()) return {};

    const auto key =
        registry.OpenKey(root, std::string(kArpCacheKey) + "\\" + *storedName, RegAccess::Read);
    if (!key) return {};
    const auto data = key->QueryValue(kSlowInfoCacheValue);
    if (!data || data->type != RegType::Binary || data->bytes.size() != kRecordSize) return {};
    return ParseSlowInfoCache(data->bytes, locale);
}

TProgramInfoCache ReadUninstallValues(platform::Registry& registry,
                                      const std::string& uninstallKeyName, RegRoot root) {
    // An empty name would read the Uninstall key itself, which is no program's entry.
    if (uninstallKeyName.empty()) return {};
    const auto key = registry.OpenKey(root, std::string(kUninstallKey) + "\\" + uninstallKeyName,
                                      RegAccess::Read);
    if (!key) return {};

    TProgramInfoCache values;
    for (const platform::RegNamedValue& value : key->Values()) {
        if (value.name == "DisplayName" || value.name == "UninstallString") continue;
        std::string text;
        switch (value.data.type) {
            case RegType::String:
            case RegType::ExpandString:
                text = platform::DecodeStringData(value.data);
                break;
            case RegType::Dword:
                text = DwordText(value.data.bytes);
                break;
            default:
                break;
        }
        values.push_back({value.name, std::move(text)});
    }
    return values;
}

}  // namespace glmx::info
