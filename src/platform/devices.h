// The device database: the present devices of the current hardware profile with
// their registry properties and problem state, and the system's device console.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace glmx::platform {

// Device registry properties, numbered as SetupAPI numbers them (SPDRP_*).
enum class DeviceProperty : std::uint32_t {
    DeviceDescription = 0,
    HardwareId = 1,
    Class = 7,
    ClassGuid = 8,
    Driver = 9,
    ConfigFlags = 10,
    Manufacturer = 11,
    FriendlyName = 12,
    LocationInformation = 13,
};

enum class DeviceEnumResult { Device, Failed, NoMoreItems };

// An open device information set; each read is of the device last enumerated.
class DeviceSet {
public:
    virtual ~DeviceSet() = default;
    // Makes member `index` the current device.
    virtual DeviceEnumResult Enumerate(std::uint32_t index) = 0;
    // The bytes the property needs, as asked with no buffer; nullopt when the device has
    // no such property.
    virtual std::optional<std::uint32_t> PropertySize(DeviceProperty property) const = 0;
    // Reads the property's data (strings as UTF-16LE) into the buffer; false on failure,
    // a buffer too small for it among others.
    virtual bool ReadProperty(DeviceProperty property, std::span<std::uint8_t> buffer) const = 0;
    // The problem code of a device whose node reports a problem; nullopt when it reports
    // none or cannot be asked.
    virtual std::optional<std::uint32_t> ProblemCode() const = 0;
};

class Devices {
public:
    virtual ~Devices() = default;
    // The present devices of all classes in the current hardware profile; nullptr when
    // the system gives no set.
    virtual std::unique_ptr<DeviceSet> OpenPresentDevices() = 0;
    // Starts a program of the system folder, by its full path there, with the arguments;
    // nullopt when it started, else the system's reason.
    virtual std::optional<std::string> StartSystemProgram(std::string_view fileName,
                                                          std::string_view arguments) = 0;
};

}  // namespace glmx::platform
