// The hardware view: the hardware page's tree of device classes and devices, each
// node tied to its entry of the device list, the offline text of the selected node,
// and "Device Manager".
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string_view>

#include "hardware/hardware_tree.h"
#include "info/offline_information.h"
#include "platform/devices.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/user_messages.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_devices.h"
#include "ui/mainwindow/view_services.h"

namespace glmx::ui {

inline constexpr std::string_view kDeviceManagerNotStarted =
    "The Device Manager could not be started.";

struct HardwareViewPlatform {
    platform::Devices& devices;
    platform::Registry& registry;
    platform::UserMessages& messages;
    platform::OsVersionNumbers osVersion;
};

class HardwareView final : public HardwareBrowser,
                           private hardware::HardwareTree,
                           private hardware::ClassImages {
public:
    // showDeviceImages hands the tree's images to the offline text's pictures, and
    // nullptr when they go.
    HardwareView(HWND tree, HardwareViewPlatform platform, info::OfflineInformationBuilder& builder,
                 std::function<void(HIMAGELIST)> showDeviceImages);
    ~HardwareView() override;
    HardwareView(const HardwareView&) = delete;
    HardwareView& operator=(const HardwareView&) = delete;

    // HardwareBrowser
    void BuildHardwareTree() override;
    int SelectedNodeAbsoluteIndex() const override;
    void ShowDeviceInfo() override;

    // Opens the system's device console; says so, with the system's reason, when it
    // cannot be started.
    void OpenDeviceManager();

    HIMAGELIST Images() const;
    const hardware::TMyList& List() const { return list_; }

private:
    // hardware::HardwareTree
    void DeleteAllNodes() override;
    Node AddNode(Node parent, std::string_view text, int image, bool problem, int entry) override;
    void Expand(Node node) override;
    void Select(Node node) override;
    // hardware::ClassImages
    std::optional<int> ClassImageIndex(std::string_view classGuid) const override;
    int GenericImage() const override;

    HWND tree_;
    HardwareViewPlatform platform_;
    info::OfflineInformationBuilder& builder_;
    std::function<void(HIMAGELIST)> showDeviceImages_;
    platform::win32::DeviceClassImageList classImages_;
    // Where the system gives no class images: a computer (0) and a generic device (1).
    platform::win32::UniqueImageList ownImages_;
    platform::win32::UniqueImageList stateImages_;  // 0 none, 1 a device's problem
    hardware::TMyList list_;
};

}  // namespace glmx::ui
