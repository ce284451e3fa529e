// The registry view's key tree, read one level at a time as the user expands it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace glmx::registry {

// A node of the key tree: level 0 is "My Computer", level 1 a root, deeper levels keys.
// Children are listed once, when the node is first expanded.
struct KeyNode {
    std::string text;
    int level = 0;
    KeyNode* parent = nullptr;
    bool hasChildren = false;
    bool listed = false;
    std::vector<std::unique_ptr<KeyNode>> children;
};

// The node's full path, from its root ("HKEY_USERS\.DEFAULT\Console"); "My Computer"
// is never part of it.
std::string GetNodePath(const KeyNode& node);

// Reads the node's children once: under "My Computer" the roots, under a key its
// sub-keys sorted without regard to case, each knowing whether it has sub-keys of its
// own. A key that cannot be opened has none.
void ListChildren(KeyNode& node, platform::Registry& registry);

}  // namespace glmx::registry
