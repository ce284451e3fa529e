// What the device database tells about one device.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace glmx::hardware {

struct TAdvancedInfo {
    std::string ClassGuid;  // a class entry's; empty for a device
    std::string Manufacturer;
    std::string Location;
    std::string DriverProvider;
    std::string DriverDate;
    std::string DriverVersion;
    std::string DriverDescription;
    std::string HardwareId;                    // the first of the device's hardware IDs
    std::optional<std::uint32_t> ProblemCode;  // set when the device reports a problem
};

}  // namespace glmx::hardware
