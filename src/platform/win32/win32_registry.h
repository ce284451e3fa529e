// The real registry through the wide-character API.
#pragma once

#include "platform/registry.h"

namespace glmx::platform::win32 {

class Win32Registry final : public Registry {
public:
    std::unique_ptr<RegistryKey> OpenKey(RegRoot root, std::string_view path,
                                         RegAccess access) override;
    std::unique_ptr<RegistryKey> CreateKey(RegRoot root, std::string_view path) override;
    bool DeleteKeyTree(RegRoot root, std::string_view path) override;
};

}  // namespace glmx::platform::win32
