// The device database through SetupAPI and the configuration manager, the
// device-class image list, and programs of the system folder started by full path.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <setupapi.h>

#include <optional>
#include <string_view>

#include "platform/devices.h"

namespace glmx::platform::win32 {

class Win32Devices final : public Devices {
public:
    std::unique_ptr<DeviceSet> OpenPresentDevices() override;
    std::optional<std::string> StartSystemProgram(std::string_view fileName,
                                                  std::string_view arguments) override;
};

// The system's image list of device classes, given back to the system when it goes;
// empty where the system has none (Wine's is a stub).
class DeviceClassImageList {
public:
    DeviceClassImageList();
    ~DeviceClassImageList();
    DeviceClassImageList(const DeviceClassImageList&) = delete;
    DeviceClassImageList& operator=(const DeviceClassImageList&) = delete;

    HIMAGELIST get() const { return loaded_ ? data_.ImageList : nullptr; }
    // The image of a class GUID in its braced registry form; nullopt when the list is
    // missing, the text is no GUID or the system has no image for it.
    std::optional<int> IndexOf(std::string_view classGuid) const;

private:
    SP_CLASSIMAGELIST_DATA data_{};
    bool loaded_ = false;
};

}  // namespace glmx::platform::win32
