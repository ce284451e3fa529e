// Folder listings and directory identities from the real file system.
#pragma once

#include "platform/directory_listing.h"

namespace glmx::platform::win32 {

class Win32DirectoryListing final : public DirectoryListing {
public:
    bool List(const std::string& folder,
              const std::function<bool(const DirectoryEntry&)>& entry) override;
    std::optional<DirectoryIdentity> IdentityOf(const std::string& folder) override;
    std::optional<std::uint64_t> IndexOf(const std::string& folder) override;
    std::unique_ptr<DirectoryCursor> Open(const std::string& folder) override;
};

}  // namespace glmx::platform::win32
