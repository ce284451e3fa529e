#include "platform/fake/fake_system_folders.h"

#include "platform/text.h"

namespace glmx::platform {

std::optional<std::string> FakeSystemFolders::EnvironmentVariable(std::string_view name) const {
    for (const auto& [variable, value] : environment)
        if (EqualsIgnoringAsciiCase(variable, name)) return value;
    return std::nullopt;
}

std::string FakeSystemFolders::ShellFolderPath(int csidl) const {
    const auto found = shellFolders.find(csidl);
    return found == shellFolders.end() ? std::string() : found->second;
}

}  // namespace glmx::platform
