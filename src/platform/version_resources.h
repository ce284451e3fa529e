// A file's version resource, as the version-information list reads it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glmx::platform {

// The fixed part of a version resource.
struct FixedFileInfo {
    std::uint32_t fileVersionMS = 0;
    std::uint32_t fileVersionLS = 0;
    std::uint32_t productVersionMS = 0;
    std::uint32_t productVersionLS = 0;
    std::uint32_t fileOS = 0;
    std::uint32_t fileType = 0;
};

// One file's version resource, read once.
class VersionResource {
public:
    virtual ~VersionResource() = default;
    virtual std::optional<FixedFileInfo> Fixed() const = 0;
    // The translation table: each entry low word language, high word code page.
    virtual std::vector<std::uint32_t> Translations() const = 0;
    // A string of the string table, e.g. "\StringFileInfo\040904B0\CompanyName";
    // nullopt when it is not there.
    virtual std::optional<std::string> Query(std::string_view subBlock) const = 0;
};

class VersionResources {
public:
    virtual ~VersionResources() = default;
    // nullptr when the file has no version resource or cannot be read.
    virtual std::unique_ptr<VersionResource> Read(const std::string& path) const = 0;
};

}  // namespace glmx::platform
