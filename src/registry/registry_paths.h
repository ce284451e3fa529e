// Where the registry view is: the selected key's full path split into its root and
// the path below it.
#pragma once

#include <span>
#include <string>

#include "platform/registry.h"

namespace glmx::registry {

// The roots the tree shows, in the order it shows them.
std::span<const platform::RegRoot> RootKeyTable();

// The root whose long name ("HKEY_LOCAL_MACHINE") is exactly `name`; throws
// std::invalid_argument for any other text.
platform::RegRoot RootKeyFromName(const std::string& name);

class RegistryPathManager {
public:
    // Splits "HKEY_CURRENT_USER\Software\x" into its root and "Software\x". An unknown
    // root throws and leaves the manager as it was.
    void SetFullPath(const std::string& path);

    platform::RegRoot RootKey() const { return rootKey_; }
    const std::string& RootKeyName() const { return rootKeyName_; }
    const std::string& FullPath() const { return fullPath_; }
    const std::string& SubKeyPath() const { return subKeyPath_; }

private:
    platform::RegRoot rootKey_ = platform::RegRoot::ClassesRoot;
    std::string rootKeyName_;
    std::string fullPath_;
    std::string subKeyPath_;
};

}  // namespace glmx::registry
