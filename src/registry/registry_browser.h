// The registry view's state: the key tree as far as the user opened it, the path of
// the key last expanded or selected, and what selecting a node shows. Nothing here
// writes to the registry but the editor's remembered key, on the user's command.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "info/offline_information.h"
#include "platform/registry.h"
#include "registry/registry_paths.h"
#include "registry/registry_tree.h"
#include "registry/registry_values.h"

namespace glmx::registry {

// What the list and the status bar show for a selected node.
struct KeySelection {
    std::vector<ValueRow> rows;         // empty for "My Computer" and keys that cannot be read
    std::optional<std::string> status;  // the key's full path; nullopt leaves the status as it is
};

class RegistryBrowserState {
public:
    explicit RegistryBrowserState(platform::Registry& registry) : registry_(registry) {}

    // A new tree: "My Computer" with the five roots listed below it. Earlier nodes go.
    KeyNode& Build();
    KeyNode* Root() { return root_.get(); }

    // Reads the node's sub-keys the first time it opens; true when children were added now.
    bool Expand(KeyNode& node);
    KeySelection Select(const KeyNode& node);

    const RegistryPathManager& Path() const { return path_; }

private:
    void FollowPath(const KeyNode& node);

    platform::Registry& registry_;
    std::unique_ptr<KeyNode> root_;
    RegistryPathManager path_;
};

info::RegistryNodeInfo KeyInfoOf(const KeyNode& node);

// Where the registry editor keeps the key it shows when it starts.
inline constexpr const char* kEditorSettingsKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";
inline constexpr const char* kEditorLastKeyValue = "LastKey";

// The editor's remembered key for a full path. The editor writes its tree's root
// name ("My Computer", "Computer", or a translation) in front of the path; the one
// it wrote last is kept, else `defaultRootName`. An empty path leaves the editor at its root.
std::string EditorLastKey(const std::string& fullPath, const std::string& storedLastKey,
                          const std::string& defaultRootName);

// Remembers `fullPath` as the editor's last key; false when it could not be written.
bool RememberEditorKey(platform::Registry& registry, const std::string& fullPath,
                       const std::string& defaultRootName);

}  // namespace glmx::registry
