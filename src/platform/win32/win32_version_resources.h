// Version resources of real files through the version library's wide-character API.
#pragma once

#include "platform/version_resources.h"

namespace glmx::platform::win32 {

class Win32VersionResources final : public VersionResources {
public:
    std::unique_ptr<VersionResource> Read(const std::string& path) const override;
};

}  // namespace glmx::platform::win32
