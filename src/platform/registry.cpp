#include "platform/registry.h"

#include <cstring>

#include "platform/text.h"

namespace glmx::platform {

std::string_view RootLongName(RegRoot root) {
    switch (root) {
        case RegRoot::ClassesRoot:
            return "HKEY_CLASSES_ROOT";
        case RegRoot::CurrentUser:
            return "HKEY_CURRENT_USER";
        case RegRoot::LocalMachine:
            return "HKEY_LOCAL_MACHINE";
        case RegRoot::Users:
            return "HKEY_USERS";
        case RegRoot::CurrentConfig:
            return "HKEY_CURRENT_CONFIG";
    }
    return "";
}

RegData MakeStringData(std::string_view utf8, RegType type) {
    const std::u16string wide = Utf8ToUtf16(utf8);
    RegData data{type, {}};
    data.bytes.reserve((wide.size() + 1) * 2);
    for (char16_t unit : wide) {
        data.bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        data.bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    data.bytes.push_back(0);
    data.bytes.push_back(0);
    return data;
}

std::string DecodeStringData(const RegData& data) {
    std::u16string wide;
    for (size_t i = 0; i + 1 < data.bytes.size(); i += 2) {
        const auto unit = static_cast<char16_t>(data.bytes[i] | (data.bytes[i + 1] << 8));
        if (unit == 0) break;
        wide += unit;
    }
    return Utf16ToUtf8(wide);
}

std::optional<std::string> ValueAsText(const RegData& data) {
    switch (data.type) {
        case RegType::String:
        case RegType::ExpandString:
            return DecodeStringData(data);
        case RegType::Dword:
            if (data.bytes.size() >= 4) {
                std::uint32_t value = 0;
                for (int i = 3; i >= 0; --i) value = (value << 8) | data.bytes[i];
                return std::to_string(value);
            }
            return std::nullopt;
        case RegType::Qword:
            if (data.bytes.size() >= 8) {
                std::uint64_t value = 0;
                for (int i = 7; i >= 0; --i) value = (value << 8) | data.bytes[i];
                return std::to_string(value);
            }
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

}  // namespace glmx::platform
