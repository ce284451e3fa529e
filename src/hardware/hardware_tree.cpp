#include "hardware/hardware_tree.h"

#include <algorithm>
#include <iterator>

#include "platform/text.h"

namespace glmx::hardware {

namespace {

struct Problem {
    std::uint32_t code;
    std::string_view meaning;
};

// The documented CM_PROB_* codes with the short meaning the system gives each.
constexpr Problem kProblems[] = {
    {1, "This device is not configured correctly."},
    {3,
     "The driver for this device might be corrupted, or the system may be running low on "
     "memory or other resources."},
    {9,
     "Windows cannot identify this hardware because it does not have a valid hardware "
     "identification number."},
    {10, "This device cannot start."},
    {12, "This device cannot find enough free resources that it can use."},
    {14, "This device cannot work properly until you restart your computer."},
    {16, "Windows cannot identify all the resources this device uses."},
    {18, "Reinstall the drivers for this device."},
    {19,
     "Windows cannot start this hardware device because its configuration information (in "
     "the registry) is incomplete or damaged."},
    {21, "Windows is removing this device."},
    {22, "This device is disabled."},
    {24,
     "This device is not present, is not working properly, or does not have all its "
     "drivers installed."},
    {28, "The drivers for this device are not installed."},
    {29,
     "This device is disabled because the firmware of the device did not give it the "
     "required resources."},
    {31,
     "This device is not working properly because Windows cannot load the drivers required "
     "for this device."},
    {32, "A driver (service) for this device has been disabled."},
    {33, "Windows cannot determine which resources are required for this device."},
    {34, "Windows cannot determine the settings for this device."},
    {35,
     "The computer's system firmware does not include enough information to properly "
     "configure and use this device."},
    {36,
     "This device is requesting a PCI interrupt but is configured for an ISA interrupt (or "
     "vice versa)."},
    {37, "Windows cannot initialize the device driver for this hardware."},
    {38,
     "Windows cannot load the device driver for this hardware because a previous instance "
     "of the device driver is still in memory."},
    {39,
     "Windows cannot load the device driver for this hardware. The driver may be corrupted "
     "or missing."},
    {40,
     "Windows cannot access this hardware because its service key information in the "
     "registry is missing or recorded incorrectly."},
    {41,
     "Windows successfully loaded the device driver for this hardware but cannot find the "
     "hardware device."},
    {42,
     "Windows cannot load the device driver for this hardware because there is a duplicate "
     "device already running in the system."},
    {43, "Windows has stopped this device because it has reported problems."},
    {44, "An application or service has shut down this hardware device."},
    {45, "Currently, this hardware device is not connected to the computer."},
    {46,
     "Windows cannot gain access to this hardware device because the operating system is "
     "in the process of shutting down."},
    {47,
     "Windows cannot use this hardware device because it has been prepared for safe "
     "removal, but it has not been removed from the computer."},
    {48,
     "The software for this device has been blocked from starting because it is known to "
     "have problems with Windows."},
    {49, "Windows cannot start new hardware devices because the system hive is too large."},
    {50, "Windows cannot apply all of the properties for this device."},
    {51, "This device is currently waiting on another device or set of devices to start."},
    {52,
     "Windows cannot verify the digital signature for the drivers required for this "
     "device."},
    {53,
     "This device has been reserved for use by the Windows kernel debugger for the "
     "duration of this boot session."},
    {54, "This device has failed and is undergoing a reset."},
};

}  // namespace

TMyList BuildHardwareTree(HardwareTree& tree, const ClassImages& images, platform::Devices& devices,
                          platform::Registry& registry) {
    tree.DeleteAllNodes();
    TMyList list;
    GetHardwareList(list, devices, registry);
    const int generic = images.GenericImage();
    const HardwareTree::Node root =
        tree.AddNode(0, kRootNodeText, images.ClassImageIndex(kComputerClassGuid).value_or(generic),
                     false, HardwareTree::kNoEntry);
    HardwareTree::Node classNode = 0;
    HardwareTree::Node firstClass = 0;
    int classImage = generic;
    for (size_t entry = 0; entry < list.Count(); ++entry) {
        std::string& name = list.Names[entry];
        const std::string kind = platform::AsciiUpper(name.substr(0, 2));
        const bool isClass = kind == "I~";
        if (!isClass && (kind != "C~" || !classNode)) continue;
        name.erase(0, 2);
        const TAdvancedInfo& info = list.Infos[entry];
        if (isClass) {
            classImage = info.ClassGuid.empty()
                             ? generic
                             : images.ClassImageIndex(info.ClassGuid).value_or(generic);
            classNode = tree.AddNode(root, name, classImage, false, static_cast<int>(entry));
            if (!firstClass) firstClass = classNode;
        } else {
            tree.AddNode(classNode, name, classImage, info.ProblemCode.has_value(),
                         static_cast<int>(entry));
        }
    }
    tree.Expand(root);
    if (firstClass) tree.Select(firstClass);
    return list;
}

std::string_view ProblemMeaning(std::uint32_t code) {
    const auto found = std::find_if(std::begin(kProblems), std::end(kProblems),
                                    [code](const Problem& p) { return p.code == code; });
    return found == std::end(kProblems) ? std::string_view() : found->meaning;
}

std::optional<SystemCommand> DeviceManagerCommand(const platform::OsVersionNumbers& version) {
    // Windows 98 shows its devices on the second page of the system properties.
    if (version.platformId == 1 && version.major == 4 && version.minor == 10)
        return SystemCommand{"rundll32.exe", "shell32.dll,Control_RunDLL sysdm.cpl,,1"};
    // Windows 2000 and every later NT system have the console.
    if (version.platformId == 2 && version.major >= 5)
        return SystemCommand{"mmc.exe", "devmgmt.msc"};
    return std::nullopt;
}

}  // namespace glmx::hardware
