// The hardware tree: "My Computer" over one node per class entry of the list and
// under each its devices, in list order, each node tied to its entry.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "hardware/device_inventory.h"
#include "platform/processes.h"

namespace glmx::hardware {

inline constexpr std::string_view kComputerClassGuid = "{4D36E966-E325-11CE-BFC1-08002BE10318}";
inline constexpr std::string_view kRootNodeText = "My Computer";

// The images of device classes.
class ClassImages {
public:
    virtual ~ClassImages() = default;
    // The image of a class GUID in its braced registry form; nullopt when there is none.
    virtual std::optional<int> ClassImageIndex(std::string_view classGuid) const = 0;
    // The image of a class without one of its own.
    virtual int GenericImage() const = 0;
};

// The tree control the builder fills.
class HardwareTree {
public:
    using Node = std::uintptr_t;  // 0 stands for none
    static constexpr int kNoEntry = -1;

    virtual ~HardwareTree() = default;
    virtual void DeleteAllNodes() = 0;
    // Adds the last child of parent (0: a top-level node) tied to list entry `entry`
    // (kNoEntry for the root); `problem` marks a device that reports one.
    virtual Node AddNode(Node parent, std::string_view text, int image, bool problem,
                         int entry) = 0;
    virtual void Expand(Node node) = 0;
    virtual void Select(Node node) = 0;
};

// Reads the devices anew and rebuilds the tree from them; gives the new list, whose
// names have lost their kind prefixes. The first class node ends up selected.
TMyList BuildHardwareTree(HardwareTree& tree, const ClassImages& images, platform::Devices& devices,
                          platform::Registry& registry);

// The system's short meaning of a device problem code (CM_PROB_*); "" for a code it
// does not document.
std::string_view ProblemMeaning(std::uint32_t code);

// The program and arguments, in the system folder, that open the device console on a
// system of this version; nullopt where there is none to open.
struct SystemCommand {
    std::string_view fileName;
    std::string_view arguments;
};
std::optional<SystemCommand> DeviceManagerCommand(const platform::OsVersionNumbers& version);

}  // namespace glmx::hardware
