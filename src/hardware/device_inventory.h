// The device inventory: the present devices read from the device database, grouped by
// class in the order each class first turns up, and the flat list of class and device
// entries that the hardware tree shows one node per entry of.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hardware/advanced_info.h"
#include "platform/devices.h"
#include "platform/registry.h"

namespace glmx::hardware {

// The cap of a string property read, in UTF-16 units with the terminating zero: a
// longer one comes back empty.
inline constexpr std::uint32_t kPropertyCapUnits = 100;
// Hardware IDs come as one multi-string of several IDs: a wider cap keeps the first.
inline constexpr std::uint32_t kHardwareIdCapUnits = 2048;
// At most this many characters of an entry's name (with its two-character kind) are kept.
inline constexpr size_t kEntryNameCap = 100;

inline constexpr std::string_view kClassKey = "SYSTEM\\CurrentControlSet\\Control\\Class";
// Where the classes live when the other key cannot be opened.
inline constexpr std::string_view kOldClassKey = "System\\CurrentControlSet\\Services\\Class";

struct TDeviceInfo {
    std::string DeviceClass;
    std::string ClassDescription;  // on the first device of a group only
    std::string ClassGuid;
    std::string FriendlyName;
    std::string DeviceDescription;
    std::string Manufacturer;
    std::string Location;
    std::uint8_t ConfigFlags = 0;
    std::string DriverKey;  // "{class GUID}\NNNN" below the class key
    std::string HardwareId;
    std::optional<std::uint32_t> ProblemCode;
};

// One class group, devices in enumeration order.
struct TInterfaceInfo {
    std::vector<TDeviceInfo> Devices;
};

// A string property read twice: once for its size, which is capped at capUnits, then
// into a buffer of that size; the text up to its first zero, "" when the second read fails.
std::string ReadStringProperty(const platform::DeviceSet& set, platform::DeviceProperty property,
                               std::uint32_t capUnits = kPropertyCapUnits);

class TGetHardware {
public:
    TGetHardware(platform::Devices& devices, platform::Registry& registry)
        : devices_(devices), registry_(registry) {}

    // Reads every present device and the class descriptions; true when there is a group.
    bool EnumerateDevices();
    const std::vector<TInterfaceInfo>& Classes() const { return classes_; }

private:
    TDeviceInfo ReadDevice(const platform::DeviceSet& set) const;
    void AddDevice(TDeviceInfo device);
    void ReadClassDescriptions();

    platform::Devices& devices_;
    platform::Registry& registry_;
    std::vector<TInterfaceInfo> classes_;
};

// Entry i is Names[i] with Infos[i]; a class entry's name starts with "I~", a device's
// with "C~" until the tree is built, which takes the two characters off.
struct TMyList {
    std::vector<std::string> Names;
    std::vector<TAdvancedInfo> Infos;

    size_t Count() const { return Names.size(); }
    void Add(std::string_view name, TAdvancedInfo info);
};

// "Location N (N)" for a location text that reads as a whole number N, " Unknown" for an
// empty one, any other text as it is.
std::string FormatLocation(std::string_view location);

// The four driver values of the device's driver key, opened for reading; empty where
// they cannot be read.
void ReadDriverInfo(TAdvancedInfo& info, platform::Registry& registry, std::string_view driverKey);

// Fills the list with a class entry per group, each followed by its devices that have a
// name; false, with an empty list, when there is no group.
bool GetHardwareList(TMyList& list, platform::Devices& devices, platform::Registry& registry);

}  // namespace glmx::hardware
