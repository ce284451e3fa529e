// The device service against the system's own device database: every present device
// enumerated to the end, their class groups and the entries built from them, and a
// program of the system folder that is not there refused with the system's reason.
#include "platform/win32/win32_devices.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "hardware/device_inventory.h"
#include "platform/win32/win32_registry.h"

namespace glmx::platform::win32 {
namespace {

TEST(DevicesWinTest, PresentDevicesReadToTheEndIntoClassGroupsAndEntries) {
    Win32Devices devices;
    {
        const auto set = devices.OpenPresentDevices();
        ASSERT_TRUE(set);
        std::uint32_t found = 0;
        std::uint32_t index = 0;
        for (; index < 10000; ++index) {
            const DeviceEnumResult result = set->Enumerate(index);
            if (result == DeviceEnumResult::NoMoreItems) break;
            if (result != DeviceEnumResult::Device) continue;
            ++found;
            const std::string guid = hardware::ReadStringProperty(*set, DeviceProperty::ClassGuid);
            EXPECT_TRUE(guid.size() == 38 && guid.front() == '{' && guid.back() == '}') << guid;
            set->ProblemCode();  // answers for every device, problem or not
        }
        EXPECT_LT(index, 10000u) << "the set never said it had no more members";
        EXPECT_GT(found, 0u);
    }

    Win32Registry registry;
    hardware::TGetHardware hardware(devices, registry);
    ASSERT_TRUE(hardware.EnumerateDevices());
    for (size_t i = 0; i < hardware.Classes().size(); ++i)
        for (size_t j = i + 1; j < hardware.Classes().size(); ++j)
            EXPECT_NE(hardware.Classes()[i].Devices.front().ClassGuid,
                      hardware.Classes()[j].Devices.front().ClassGuid);

    hardware::TMyList list;
    ASSERT_TRUE(hardware::GetHardwareList(list, devices, registry));
    ASSERT_GT(list.Count(), hardware.Classes().size());  // classes and their devices
    EXPECT_EQ(list.Names.front().substr(0, 2), "I~");
    for (size_t entry = 0; entry < list.Count(); ++entry)
        if (list.Names[entry].starts_with("C~")) {
            EXPECT_FALSE(list.Infos[entry].Manufacturer.empty()) << list.Names[entry];
            EXPECT_FALSE(list.Infos[entry].Location.empty()) << list.Names[entry];
        }
}

TEST(DevicesWinTest, AProgramMissingFromTheSystemFolderGivesTheSystemsReason) {
    Win32Devices devices;
    const auto reason = devices.StartSystemProgram("glmx-no-such-program.exe", "devmgmt.msc");
    ASSERT_TRUE(reason);
    EXPECT_FALSE(reason->empty());
}

TEST(DevicesWinTest, ClassImagesAreTheSystemsOrNoneAndNeverAGuessForBadText) {
    DeviceClassImageList images;
    EXPECT_EQ(images.IndexOf("not a GUID"), std::nullopt);
    EXPECT_EQ(images.IndexOf(""), std::nullopt);
    if (!images.get())
        EXPECT_EQ(images.IndexOf("{4D36E966-E325-11CE-BFC1-08002BE10318}"), std::nullopt);
}

}  // namespace
}  // namespace glmx::platform::win32
