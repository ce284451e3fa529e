#include "hardware/device_inventory.h"

#include <algorithm>

#include "platform/text.h"

namespace glmx::hardware {

using platform::DeviceProperty;

namespace {

// A set that keeps failing without ever saying it has no more members still ends.
constexpr std::uint32_t kMaxMembers = 1u << 16;

std::string TextUpToZero(const std::vector<std::uint8_t>& data) {
    std::u16string text;
    for (size_t i = 0; i + 1 < data.size(); i += 2) {
        const char16_t unit = static_cast<char16_t>(data[i] | data[i + 1] << 8);
        if (unit == 0) break;
        text.push_back(unit);
    }
    return platform::Utf16ToUtf8(text);
}

std::string StringValue(const platform::RegistryKey& key, std::string_view name) {
    const auto data = key.QueryValue(name);
    if (!data ||
        (data->type != platform::RegType::String && data->type != platform::RegType::ExpandString))
        return {};
    return platform::DecodeStringData(*data);
}

}  // namespace

std::string ReadStringProperty(const platform::DeviceSet& set, DeviceProperty property,
                               std::uint32_t capUnits) {
    const std::uint32_t size = std::min(set.PropertySize(property).value_or(0), capUnits * 2);
    std::vector<std::uint8_t> buffer(size);
    if (!set.ReadProperty(property, buffer)) return {};
    return TextUpToZero(buffer);
}

TDeviceInfo TGetHardware::ReadDevice(const platform::DeviceSet& set) const {
    TDeviceInfo device;
    device.DeviceClass = ReadStringProperty(set, DeviceProperty::Class);
    device.ClassGuid = ReadStringProperty(set, DeviceProperty::ClassGuid);
    device.FriendlyName = ReadStringProperty(set, DeviceProperty::FriendlyName);
    device.DeviceDescription = ReadStringProperty(set, DeviceProperty::DeviceDescription);
    device.Manufacturer = ReadStringProperty(set, DeviceProperty::Manufacturer);
    device.Location = ReadStringProperty(set, DeviceProperty::LocationInformation);
    device.DriverKey = ReadStringProperty(set, DeviceProperty::Driver);
    std::uint8_t flags[4] = {};
    if (set.ReadProperty(DeviceProperty::ConfigFlags, flags)) device.ConfigFlags = flags[0];
    device.HardwareId = ReadStringProperty(set, DeviceProperty::HardwareId, kHardwareIdCapUnits);
    device.ProblemCode = set.ProblemCode();
    return device;
}

void TGetHardware::AddDevice(TDeviceInfo device) {
    // The last groups are the likeliest: devices of a class mostly come together.
    auto group = std::find_if(classes_.rbegin(), classes_.rend(), [&](const TInterfaceInfo& g) {
        return g.Devices.empty() || g.Devices.front().ClassGuid == device.ClassGuid;
    });
    if (group == classes_.rend()) {
        classes_.emplace_back();
        group = classes_.rbegin();
    }
    group->Devices.push_back(std::move(device));
}

bool TGetHardware::EnumerateDevices() {
    classes_.clear();
    if (auto set = devices_.OpenPresentDevices()) {
        for (std::uint32_t index = 0; index < kMaxMembers; ++index) {
            const platform::DeviceEnumResult result = set->Enumerate(index);
            if (result == platform::DeviceEnumResult::NoMoreItems) break;
            if (result == platform::DeviceEnumResult::Device) AddDevice(ReadDevice(*set));
        }
    }
    ReadClassDescriptions();
    return !classes_.empty();
}

void TGetHardware::ReadClassDescriptions() {
    using platform::RegAccess;
    using platform::RegRoot;
    std::string_view root = kClassKey;
    auto classes = registry_.OpenKey(RegRoot::LocalMachine, root, RegAccess::Read);
    if (!classes) {
        root = kOldClassKey;
        classes = registry_.OpenKey(RegRoot::LocalMachine, root, RegAccess::Read);
    }
    if (!classes) return;
    for (const std::string& name : classes->SubKeyNames()) {
        const auto key = registry_.OpenKey(RegRoot::LocalMachine, std::string(root) + "\\" + name,
                                           RegAccess::Read);
        if (!key) continue;
        const std::string upper = platform::AsciiUpper(name);
        const auto group = std::find_if(classes_.begin(), classes_.end(), [&](const auto& g) {
            return platform::AsciiUpper(g.Devices.front().ClassGuid) == upper;
        });
        if (group == classes_.end()) continue;
        const std::string description = StringValue(*key, "");
        group->Devices.front().ClassDescription =
            description.empty() ? "Other devices" : description;
    }
}

void TMyList::Add(std::string_view name, TAdvancedInfo info) {
    Names.push_back(platform::TruncateUtf16(name, kEntryNameCap));
    Infos.push_back(std::move(info));
}

std::string FormatLocation(std::string_view location) {
    if (location.empty()) return " Unknown";
    if (const auto number = platform::ParseDecimalInt(location)) {
        const std::string n = std::to_string(*number);
        return "Location " + n + " (" + n + ")";
    }
    return std::string(location);
}

void ReadDriverInfo(TAdvancedInfo& info, platform::Registry& registry, std::string_view driverKey) {
    using platform::RegAccess;
    using platform::RegRoot;
    info.DriverProvider.clear();
    info.DriverDate.clear();
    info.DriverVersion.clear();
    info.DriverDescription.clear();
    // Without a key name the class key itself would be read.
    if (driverKey.empty()) return;
    std::string_view root = kClassKey;
    if (!registry.OpenKey(RegRoot::LocalMachine, root, RegAccess::Read)) {
        root = kOldClassKey;
        if (!registry.OpenKey(RegRoot::LocalMachine, root, RegAccess::Read)) return;
    }
    // Reading is all it needs, and all that a user without administrator rights gets.
    const auto key = registry.OpenKey(
        RegRoot::LocalMachine, std::string(root) + "\\" + std::string(driverKey), RegAccess::Read);
    if (!key) return;
    info.DriverProvider = StringValue(*key, "ProviderName");
    info.DriverVersion = StringValue(*key, "DriverVersion");
    info.DriverDate = StringValue(*key, "DriverDate");
    info.DriverDescription = StringValue(*key, "DriverDesc");
}

bool GetHardwareList(TMyList& list, platform::Devices& devices, platform::Registry& registry) {
    list = {};
    TGetHardware hardware(devices, registry);
    if (!hardware.EnumerateDevices()) return false;
    for (const TInterfaceInfo& group : hardware.Classes()) {
        const TDeviceInfo& first = group.Devices.front();
        TAdvancedInfo classInfo;
        classInfo.ClassGuid = first.ClassGuid;
        list.Add("I~" + first.ClassDescription, std::move(classInfo));
        for (const TDeviceInfo& device : group.Devices) {
            const std::string& name =
                device.FriendlyName.empty() ? device.DeviceDescription : device.FriendlyName;
            if (name.empty()) continue;
            TAdvancedInfo info;
            info.Manufacturer = device.Manufacturer.empty() ? " Unknown" : device.Manufacturer;
            info.Location = FormatLocation(device.Location);
            ReadDriverInfo(info, registry, device.DriverKey);
            info.HardwareId = device.HardwareId;
            info.ProblemCode = device.ProblemCode;
            list.Add("C~" + name, std::move(info));
        }
    }
    return true;
}

}  // namespace glmx::hardware
