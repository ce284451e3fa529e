#include "platform/fake/fake_devices.h"

#include <algorithm>

namespace glmx::platform {

namespace {

void AppendUtf16(std::vector<std::uint8_t>& data, std::u16string_view text) {
    for (const char16_t unit : text) {
        data.push_back(static_cast<std::uint8_t>(unit & 0xff));
        data.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    data.insert(data.end(), {0, 0});
}

class FakeDeviceSet final : public DeviceSet {
public:
    explicit FakeDeviceSet(FakeDevices& owner) : owner_(owner) { ++owner_.setsOpen; }
    ~FakeDeviceSet() override { --owner_.setsOpen; }

    DeviceEnumResult Enumerate(std::uint32_t index) override {
        current_ = nullptr;
        if (index >= owner_.devices.size()) return DeviceEnumResult::NoMoreItems;
        if (owner_.devices[index].enumerationFails) return DeviceEnumResult::Failed;
        current_ = &owner_.devices[index];
        return DeviceEnumResult::Device;
    }
    std::optional<std::uint32_t> PropertySize(DeviceProperty property) const override {
        const auto* data = Data(property);
        if (!data) return std::nullopt;
        return static_cast<std::uint32_t>(data->size());
    }
    bool ReadProperty(DeviceProperty property, std::span<std::uint8_t> buffer) const override {
        const auto* data = Data(property);
        if (!data || buffer.size() < data->size()) return false;
        std::copy(data->begin(), data->end(), buffer.begin());
        return true;
    }
    std::optional<std::uint32_t> ProblemCode() const override {
        return current_ ? current_->problemCode : std::nullopt;
    }

private:
    const std::vector<std::uint8_t>* Data(DeviceProperty property) const {
        if (!current_) return nullptr;
        const auto found = current_->properties.find(property);
        return found == current_->properties.end() ? nullptr : &found->second;
    }

    FakeDevices& owner_;
    const FakeDevice* current_ = nullptr;
};

}  // namespace

FakeDevice& FakeDevice::Set(DeviceProperty property, std::u16string_view text) {
    std::vector<std::uint8_t> data;
    AppendUtf16(data, text);
    properties[property] = std::move(data);
    return *this;
}

std::vector<std::uint8_t> MultiStringData(const std::vector<std::u16string>& strings) {
    std::vector<std::uint8_t> data;
    for (const std::u16string& text : strings) AppendUtf16(data, text);
    data.insert(data.end(), {0, 0});
    return data;
}

std::unique_ptr<DeviceSet> FakeDevices::OpenPresentDevices() {
    if (!setAvailable) return nullptr;
    return std::make_unique<FakeDeviceSet>(*this);
}

std::optional<std::string> FakeDevices::StartSystemProgram(std::string_view fileName,
                                                           std::string_view arguments) {
    started.push_back(std::string(fileName) + " " + std::string(arguments));
    return startFailure;
}

}  // namespace glmx::platform
