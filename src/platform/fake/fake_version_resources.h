// In-memory version resources for tests. A file gets a resource with or without
// its fixed part, a translation table, and string tables named by translation;
// a table may exist whether or not the translation table lists it, as in real
// files. Queries take the form "\StringFileInfo\LLLLCCCC\Key" and compare the
// table name and key without regard to case, as Windows does. Every query is
// recorded so tests can prove what was asked for.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/version_resources.h"

namespace glmx::platform {

// A translation table entry: low word language, high word code page.
constexpr std::uint32_t MakeTranslation(std::uint16_t language, std::uint16_t codePage) {
    return static_cast<std::uint32_t>(codePage) << 16 | language;
}

class FakeVersionResources final : public VersionResources {
public:
    FakeVersionResources();
    ~FakeVersionResources() override;

    // Gives the file a version resource, replacing any it had. Paths ignore ASCII case.
    void AddFile(const std::string& path, std::optional<FixedFileInfo> fixed);
    // Appends an entry to the translation table of a file added before.
    void AddTranslation(const std::string& path, std::uint32_t translation);
    // Sets a string in the table of one translation of a file added before.
    void SetString(const std::string& path, std::uint32_t translation, std::string_view key,
                   std::string_view value);

    // nullptr for a path never added. The resource is a copy: later changes do not reach it.
    std::unique_ptr<VersionResource> Read(const std::string& path) const override;

    // Every sub-block queried through resources read from here, in order.
    const std::vector<std::string>& Queries() const { return *queries_; }

    struct File;

private:
    File& Existing(const std::string& path);

    std::map<std::string, std::shared_ptr<File>> files_;  // by upper-cased path
    std::shared_ptr<std::vector<std::string>> queries_;
};

}  // namespace glmx::platform
