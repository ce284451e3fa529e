// The device inventory and the hardware tree over an in-memory device database and
// registry: grouping, names, the property cap, locations, driver keys, node ties.
#include "hardware/hardware_tree.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "platform/fake/fake_devices.h"
#include "platform/fake/fake_registry.h"

namespace glmx::hardware {
namespace {

using platform::DeviceProperty;
using platform::FakeDevice;
using ::testing::ElementsAre;

constexpr char kSound[] = "{4D36E96C-E325-11CE-BFC1-08002BE10318}";
constexpr char kMouse[] = "{4D36E96F-E325-11CE-BFC1-08002BE10318}";
constexpr char kStray[] = "{00000000-0000-0000-0000-00000000ABCD}";

FakeDevice Device(std::string_view guid, std::u16string_view friendly, std::u16string_view desc) {
    FakeDevice device;
    device.Set(DeviceProperty::ClassGuid, std::u16string(guid.begin(), guid.end()));
    if (!friendly.empty()) device.Set(DeviceProperty::FriendlyName, friendly);
    if (!desc.empty()) device.Set(DeviceProperty::DeviceDescription, desc);
    return device;
}

// Node i+1 is the i-th added: "parent>text image entry", with "!" for a problem.
class RecordingTree final : public HardwareTree {
public:
    void DeleteAllNodes() override { nodes.clear(); }
    Node AddNode(Node parent, std::string_view text, int image, bool problem, int entry) override {
        nodes.push_back(std::to_string(parent) + ">" + std::string(text) + " " +
                        std::to_string(image) + " " + std::to_string(entry) + (problem ? "!" : ""));
        return nodes.size();
    }
    void Expand(Node node) override { expanded = node; }
    void Select(Node node) override { selected = node; }

    std::vector<std::string> nodes;
    Node expanded = 0;
    Node selected = 0;
};

class Images final : public ClassImages {
public:
    std::optional<int> ClassImageIndex(std::string_view guid) const override {
        const auto found = known.find(std::string(guid));
        return found == known.end() ? std::nullopt : std::optional(found->second);
    }
    int GenericImage() const override { return 9; }
    std::map<std::string, int> known{{std::string(kComputerClassGuid), 0}, {kSound, 3}};
};

class HardwareTreeTest : public ::testing::Test {
protected:
    void AddClass(std::string_view guid, std::string_view description) {
        registry
            .CreateKey(platform::RegRoot::LocalMachine,
                       std::string(kClassKey) + "\\" + std::string(guid))
            ->SetValue("", platform::MakeStringData(description));
    }
    void AddDriver(std::string_view key, std::string_view provider) {
        auto driver = registry.CreateKey(platform::RegRoot::LocalMachine,
                                         std::string(kClassKey) + "\\" + std::string(key));
        driver->SetValue("ProviderName", platform::MakeStringData(provider));
        driver->SetValue("DriverDate", platform::MakeStringData("6-21-2006"));
        driver->SetValue("DriverVersion", platform::MakeStringData("10.0.1"));
        driver->SetValue("DriverDesc", platform::MakeStringData("Generic"));
    }
    TMyList Build() { return BuildHardwareTree(tree, images, devices, registry); }

    platform::FakeDevices devices;
    platform::FakeRegistry registry;
    RecordingTree tree;
    Images images;
};

TEST_F(HardwareTreeTest, ClassesInOrderOfFirstAppearanceEachNodeTiedToItsOwnEntry) {
    AddClass(kSound, "Sound");
    AddClass(kMouse, "");  // an empty description
    AddDriver(std::string(kSound) + "\\0001", "Quenfield");
    devices.devices = {
        Device(kMouse, u"", u"PS/2 Mouse"), Device(kSound, u"Speakers", u"HD Audio"),
        Device(kSound, u"", u""),  // neither name: no entry
        Device(kStray, u"", u"Stray"),      Device(kSound, u"", u"Line In"),
        Device(kMouse, u"", u"USB Mouse"),
    };
    devices.devices[1]
        .Set(DeviceProperty::Driver, u"{4D36E96C-E325-11CE-BFC1-08002BE10318}\\0001")
        .Set(DeviceProperty::Manufacturer, u"Quenfield")
        .Set(DeviceProperty::LocationInformation, u"2")
        .properties[DeviceProperty::HardwareId] = platform::MultiStringData({u"HDA\\A", u"HDA"});
    devices.devices[4].problemCode = 22;
    FakeDevice failing;
    failing.enumerationFails = true;
    devices.devices.insert(devices.devices.begin() + 2, failing);

    const TMyList list = Build();
    EXPECT_THAT(list.Names, ElementsAre("Other devices", "PS/2 Mouse", "USB Mouse", "Sound",
                                        "Speakers", "Line In", "", "Stray"));
    EXPECT_THAT(tree.nodes,
                ElementsAre("0>My Computer 0 -1", "1>Other devices 9 0", "2>PS/2 Mouse 9 1",
                            "2>USB Mouse 9 2", "1>Sound 3 3", "5>Speakers 3 4", "5>Line In 3 5!",
                            "1> 9 6", "8>Stray 9 7"));
    EXPECT_EQ(tree.expanded, 1u);
    EXPECT_EQ(tree.selected, 2u);
    EXPECT_EQ(devices.setsOpen, 0);

    const TAdvancedInfo& speakers = list.Infos[4];
    EXPECT_EQ(speakers.Manufacturer, "Quenfield");
    EXPECT_EQ(speakers.Location, "Location 2 (2)");
    EXPECT_EQ(speakers.HardwareId, "HDA\\A");
    EXPECT_EQ(speakers.DriverProvider, "Quenfield");
    EXPECT_EQ(speakers.DriverDate, "6-21-2006");
    EXPECT_EQ(speakers.DriverVersion, "10.0.1");
    EXPECT_EQ(speakers.DriverDescription, "Generic");
    EXPECT_EQ(list.Infos[3].ClassGuid, kSound);
    EXPECT_EQ(list.Infos[5].Manufacturer, " Unknown");
    EXPECT_EQ(list.Infos[5].Location, " Unknown");
    EXPECT_EQ(list.Infos[5].ProblemCode, 22u);
    EXPECT_EQ(list.Infos[5].DriverProvider, "");
}

TEST_F(HardwareTreeTest, NoDeviceSetLeavesTheRootAloneWithNothingSelected) {
    tree.nodes = {"stale"};
    devices.setAvailable = false;
    EXPECT_EQ(Build().Count(), 0u);
    EXPECT_THAT(tree.nodes, ElementsAre("0>My Computer 0 -1"));
    EXPECT_EQ(tree.selected, 0u);
}

TEST_F(HardwareTreeTest, StringPropertiesAreCutAtAHundredUnitsWithTheirZero) {
    for (const auto& [length, kept] :
         std::vector<std::pair<size_t, bool>>{{0, true}, {99, true}, {100, false}, {150, false}}) {
        devices.devices = {
            FakeDevice{}.Set(DeviceProperty::FriendlyName, std::u16string(length, u'\u00e9'))};
        auto set = devices.OpenPresentDevices();
        ASSERT_EQ(set->Enumerate(0), platform::DeviceEnumResult::Device);
        EXPECT_EQ(ReadStringProperty(*set, DeviceProperty::FriendlyName).size(),
                  kept ? length * 2 : 0)
            << length;
    }
}

TEST_F(HardwareTreeTest, LocationsThatAreNumbersAreSpelledOutAndEmptyOnesUnknown) {
    for (const auto& [text, shown] : std::vector<std::pair<std::string, std::string>>{
             {"2", "Location 2 (2)"},
             {"0", "Location 0 (0)"},
             {"PCI bus 1, device 0, function 0", "PCI bus 1, device 0, function 0"},
             {"12px", "12px"},
             {"", " Unknown"}})
        EXPECT_EQ(FormatLocation(text), shown);
}

TEST_F(HardwareTreeTest, DriverKeysAreOpenedForReadingAndFoundUnderTheOldClassKeyToo) {
    AddDriver("{X}\\0000", "Quenfield");
    registry.SetReadOnly(true);  // any request to write is refused
    TAdvancedInfo info;
    ReadDriverInfo(info, registry, "{X}\\0000");
    EXPECT_EQ(info.DriverProvider, "Quenfield");
    ReadDriverInfo(info, registry, "");
    EXPECT_EQ(info.DriverProvider, "");

    registry.SetReadOnly(false);
    registry.DeleteKeyTree(platform::RegRoot::LocalMachine, kClassKey);
    registry.CreateKey(platform::RegRoot::LocalMachine, std::string(kOldClassKey) + "\\{X}\\0000")
        ->SetValue("DriverDesc", platform::MakeStringData("Old"));
    ReadDriverInfo(info, registry, "{X}\\0000");
    EXPECT_EQ(info.DriverDescription, "Old");
}

TEST_F(HardwareTreeTest, DeviceManagerIsTheConsoleFromWindows2000OnAndThePropertiesOn98) {
    using V = platform::OsVersionNumbers;
    const auto command = [](V version) {
        const auto found = DeviceManagerCommand(version);
        return found ? std::string(found->fileName) + " " + std::string(found->arguments) : "";
    };
    EXPECT_EQ(command(V{1, 4, 10}), "rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl,,1");
    for (const V version : {V{2, 5, 0}, V{2, 5, 2}, V{2, 6, 0}, V{2, 10, 0}})
        EXPECT_EQ(command(version), "mmc.exe devmgmt.msc");
    for (const V version : {V{1, 4, 0}, V{1, 4, 90}, V{2, 4, 0}, V{2, 3, 51}})
        EXPECT_EQ(command(version), "");
}

}  // namespace
}  // namespace glmx::hardware
