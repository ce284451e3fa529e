#include "registry/registry_browser.h"

#include <stdexcept>

namespace glmx::registry {

KeyNode& RegistryBrowserState::Build() {
    root_ = std::make_unique<KeyNode>(KeyNode{"My Computer", 0, nullptr, true, false, {}});
    path_ = RegistryPathManager();
    ListChildren(*root_, registry_);
    return *root_;
}

void RegistryBrowserState::FollowPath(const KeyNode& node) {
    try {
        path_.SetFullPath(GetNodePath(node));
    } catch (const std::invalid_argument&) {
        // Only the tree's own nodes come here, and they all have a root's name.
    }
}

bool RegistryBrowserState::Expand(KeyNode& node) {
    if (node.level >= 1) FollowPath(node);
    if (!node.hasChildren || node.listed) return false;
    ListChildren(node, registry_);
    return !node.children.empty();
}

KeySelection RegistryBrowserState::Select(const KeyNode& node) {
    if (node.level == 0) return {};
    FollowPath(node);
    const auto key =
        registry_.OpenKey(path_.RootKey(), path_.SubKeyPath(), platform::RegAccess::Read);
    return {ValueRows(key.get()), path_.FullPath()};
}

info::RegistryNodeInfo KeyInfoOf(const KeyNode& node) { return {node.text, GetNodePath(node)}; }

std::string EditorLastKey(const std::string& fullPath, const std::string& storedLastKey,
                          const std::string& defaultRootName) {
    std::string rootName = defaultRootName;
    const std::string stored = storedLastKey.substr(0, storedLastKey.find('\\'));
    if (!stored.empty() && !stored.starts_with("HKEY_")) rootName = stored;
    return fullPath.empty() ? rootName : rootName + "\\" + fullPath;
}

bool RememberEditorKey(platform::Registry& registry, const std::string& fullPath,
                       const std::string& defaultRootName) {
    const auto key = registry.CreateKey(platform::RegRoot::CurrentUser, kEditorSettingsKey);
    if (!key) return false;
    const auto stored = key->QueryValue(kEditorLastKeyValue);
    const std::string storedText =
        stored ? platform::ValueAsText(*stored).value_or(std::string()) : std::string();
    return key->SetValue(kEditorLastKeyValue, platform::MakeStringData(EditorLastKey(
                                                  fullPath, storedText, defaultRootName)));
}

}  // namespace glmx::registry
