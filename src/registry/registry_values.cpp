#include "registry/registry_values.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <span>

#include "platform/text.h"

namespace glmx::registry {

using platform::RegData;
using platform::RegType;

namespace {

constexpr std::string_view kNotRead = "ERROR - VALUE NOT READ";
constexpr std::string_view kCutMark = "...";

std::string HexBytes(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return "(zero-length binary value)";
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (std::uint8_t byte : bytes) {
        if (!text.empty()) text += ' ';
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

// "0x000000ff (255)": the number in `digits` hex digits and in decimal.
std::string HexAndDecimal(std::uint64_t value, int digits) {
    char hex[24];
    std::snprintf(hex, sizeof hex, "0x%0*llx", digits, static_cast<unsigned long long>(value));
    return std::string(hex) + " (" + std::to_string(value) + ")";
}

// The number in the first `size` bytes; little-endian unless told otherwise.
std::uint64_t ReadNumber(std::span<const std::uint8_t> bytes, size_t size, bool bigEndian) {
    std::uint64_t value = 0;
    for (size_t i = 0; i < size; ++i) value = (value << 8) | bytes[bigEndian ? i : size - 1 - i];
    return value;
}

std::string NumberOrBytes(std::span<const std::uint8_t> bytes, size_t size, bool bigEndian) {
    if (bytes.size() < size) return HexBytes(bytes);
    return HexAndDecimal(ReadNumber(bytes, size, bigEndian), static_cast<int>(size * 2));
}

// Positions of `names` in the order the view lists them: sorted without regard to
// case, and of names equal but for case only the first.
std::vector<size_t> FoldedOrder(const std::vector<std::string>& names) {
    std::vector<std::pair<std::string, size_t>> keyed;
    keyed.reserve(names.size());
    for (size_t i = 0; i < names.size(); ++i) keyed.emplace_back(platform::AsciiUpper(names[i]), i);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    keyed.erase(std::unique(keyed.begin(), keyed.end(),
                            [](const auto& a, const auto& b) { return a.first == b.first; }),
                keyed.end());
    std::vector<size_t> order;
    order.reserve(keyed.size());
    for (const auto& entry : keyed) order.push_back(entry.second);
    return order;
}

}  // namespace

std::string_view ValueTypeName(RegType type) {
    static constexpr std::array<std::string_view, 12> kNames = {
        "REG_NONE",
        "REG_SZ",
        "REG_EXPAND_SZ",
        "REG_BINARY",
        "REG_DWORD",
        "REG_DWORD_BIG_ENDIAN",
        "REG_LINK",
        "REG_MULTI_SZ",
        "REG_RESOURCE_LIST",
        "REG_FULL_RESOURCE_DESCRIPTOR",
        "REG_RESOURCE_REQUIREMENTS_LIST",
        "REG_QWORD",
    };
    const auto index = static_cast<std::uint32_t>(type);
    return index < kNames.size() ? kNames[index] : "";
}

FormattedValue FormatValue(const RegData& data) {
    FormattedValue shown{std::string(ValueTypeName(data.type)), {}, kBinaryValueImage};
    const bool cut = data.bytes.size() > kShownValueBytes;
    const std::span<const std::uint8_t> bytes(data.bytes.data(),
                                              std::min(data.bytes.size(), kShownValueBytes));
    switch (data.type) {
        case RegType::String:
        case RegType::ExpandString:
            shown.dataText =
                platform::DecodeStringData(RegData{data.type, {bytes.begin(), bytes.end()}});
            shown.image = kTextValueImage;
            break;
        case RegType::Dword:
            shown.dataText = NumberOrBytes(bytes, 4, false);
            break;
        case RegType::DwordBigEndian:
            shown.dataText = NumberOrBytes(bytes, 4, true);
            break;
        case RegType::Qword:
            shown.dataText = NumberOrBytes(bytes, 8, false);
            break;
        case RegType::None:
        case RegType::Binary:
        case RegType::MultiString:
        case RegType::ResourceList:
        case RegType::FullResourceDescriptor:
            shown.dataText = HexBytes(bytes);
            break;
        default:
            shown.dataText = kNotRead;
            shown.image = kTextValueImage;
            return shown;  // nothing of it is shown, so nothing is cut
    }
    if (cut) shown.dataText += kCutMark;
    return shown;
}

std::vector<ValueRow> ValueRows(const platform::RegistryKey* key) {
    if (!key) return {};
    const std::vector<platform::RegNamedValue> values = key->Values();
    std::vector<std::string> names;
    names.reserve(values.size());
    for (const auto& value : values) names.push_back(value.name);

    std::vector<ValueRow> rows;
    rows.reserve(values.size() + 1);
    rows.push_back({{"(Default)", "", ""}, kTextValueImage});
    for (size_t index : FoldedOrder(names)) {
        const FormattedValue shown = FormatValue(values[index].data);
        if (names[index].empty()) {  // sorts first
            rows[0] = {{rows[0].text.name, shown.typeText, shown.dataText}, shown.image};
        } else {
            rows.push_back({{names[index], shown.typeText, shown.dataText}, shown.image});
        }
    }
    if (rows[0].text.dataText.empty()) rows[0].text.dataText = "(value not set)";
    return rows;
}

std::vector<std::string> SortedNames(std::vector<std::string> names) {
    std::vector<std::string> sorted;
    for (size_t index : FoldedOrder(names)) sorted.push_back(std::move(names[index]));
    return sorted;
}

std::vector<std::string> SortedSubKeyNames(const platform::RegistryKey* key) {
    return key ? SortedNames(key->SubKeyNames()) : std::vector<std::string>{};
}

}  // namespace glmx::registry
