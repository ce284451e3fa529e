// What the device database tells about one device.
#pragma once

#include <string>

namespace glmx::hardware {

struct TAdvancedInfo {
    std::string Manufacturer;
    std::string Location;
    std::string DriverProvider;
    std::string DriverDate;
    std::string DriverVersion;
    std::string DriverDescription;
};

}  // namespace glmx::hardware
