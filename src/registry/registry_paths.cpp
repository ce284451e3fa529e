#include "registry/registry_paths.h"

#include <array>
#include <stdexcept>

namespace glmx::registry {

using platform::RegRoot;

std::span<const RegRoot> RootKeyTable() {
    static constexpr std::array kRoots = {RegRoot::ClassesRoot, RegRoot::CurrentUser,
                                          RegRoot::LocalMachine, RegRoot::Users,
                                          RegRoot::CurrentConfig};
    return kRoots;
}

RegRoot RootKeyFromName(const std::string& name) {
    for (RegRoot root : RootKeyTable())
        if (platform::RootLongName(root) == name) return root;
    throw std::invalid_argument(name + " - Invalid HKEY description");
}

void RegistryPathManager::SetFullPath(const std::string& path) {
    if (path == fullPath_) return;
    const size_t slash = path.find('\\');
    std::string rootName = path.substr(0, slash);
    std::string subKeyPath = slash == std::string::npos ? "" : path.substr(slash + 1);
    if (rootName != rootKeyName_) {
        rootKey_ = RootKeyFromName(rootName);  // before anything changes: may throw
        rootKeyName_ = std::move(rootName);
    }
    fullPath_ = path;
    subKeyPath_ = std::move(subKeyPath);
}

}  // namespace glmx::registry
