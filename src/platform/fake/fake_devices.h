// An in-memory device database for tests. Reads behave as SetupAPI's do: the size
// asked with no buffer is the data's whole size, and a read into a smaller buffer
// fails. Programs to start are only recorded.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/devices.h"

namespace glmx::platform {

struct FakeDevice {
    std::map<DeviceProperty, std::vector<std::uint8_t>> properties;
    std::optional<std::uint32_t> problemCode;
    bool enumerationFails = false;  // SetupDiEnumDeviceInfo fails for this member

    // Sets a string property as the system stores it: UTF-16LE with its terminating zero.
    FakeDevice& Set(DeviceProperty property, std::u16string_view text);
};

// A multi-string's data: each string and its zero, and one zero more.
std::vector<std::uint8_t> MultiStringData(const std::vector<std::u16string>& strings);

class FakeDevices final : public Devices {
public:
    std::unique_ptr<DeviceSet> OpenPresentDevices() override;
    std::optional<std::string> StartSystemProgram(std::string_view fileName,
                                                  std::string_view arguments) override;

    std::vector<FakeDevice> devices;
    bool setAvailable = true;
    int setsOpen = 0;                         // sets opened and not yet destroyed
    std::optional<std::string> startFailure;  // the reason a start fails with
    std::vector<std::string> started;         // "file arguments" of each start asked for
};

}  // namespace glmx::platform
