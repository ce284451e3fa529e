#include "registry/registry_tree.h"

#include <stdexcept>

#include "registry/registry_paths.h"
#include "registry/registry_values.h"

namespace glmx::registry {

std::string GetNodePath(const KeyNode& node) {
    std::string path = node.text;
    for (const KeyNode* at = &node; at->level >= 2 && at->parent; at = at->parent)
        path = at->parent->text + "\\" + path;
    return path;
}

void ListChildren(KeyNode& node, platform::Registry& registry) {
    if (node.listed) return;
    node.listed = true;
    auto addChild = [&node](std::string text, bool hasChildren) {
        node.children.push_back(std::make_unique<KeyNode>(
            KeyNode{std::move(text), node.level + 1, &node, hasChildren, false, {}}));
    };
    if (node.level == 0) {
        for (platform::RegRoot root : RootKeyTable()) {
            const auto key = registry.OpenKey(root, "", platform::RegAccess::Query);
            addChild(std::string(platform::RootLongName(root)), key && key->SubKeyCount() > 0);
        }
        return;
    }
    RegistryPathManager path;
    try {
        path.SetFullPath(GetNodePath(node));
    } catch (const std::invalid_argument&) {
        node.hasChildren = false;  // not a key of the registry: nothing below it
        return;
    }
    const auto key = registry.OpenKey(path.RootKey(), path.SubKeyPath(), platform::RegAccess::Read);
    for (std::string& name : SortedSubKeyNames(key.get())) {
        const bool hasChildren = key->SubKeyCountOf(name) > 0;
        addChild(std::move(name), hasChildren);
    }
    node.hasChildren = !node.children.empty();
}

}  // namespace glmx::registry
