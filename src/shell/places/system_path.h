// TPBSystemPath: the system's special-folder paths, read once from the registry
// (the shell's folder keys and Windows' own settings) and the system's folder
// functions, each with its environment references expanded.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "platform/registry.h"
#include "platform/system_folders.h"
#include "shell/places/places_menu.h"

namespace glmx::shell::places {

class TPBSystemPath final : public SpecialFolderPaths {
public:
    // Reads every path at once.
    TPBSystemPath(platform::Registry& registry, const platform::SystemFolders& folders);

    // By property name ("System", "CommonDocuments", ...); "" for a name it does not know.
    std::string PathOf(std::string_view property) const override;

    // On (the default): every non-empty path ends with "\". A change reads all paths again.
    bool IncludeBackSlash() const { return includeBackSlash_; }
    void SetIncludeBackSlash(bool include);

    void ReadPaths();
    // Every %NAME% whose variable exists replaced by its value, then AddBackSlash.
    std::string ExpandEnvironmentPart(std::string_view text) const;
    std::string AddBackSlash(std::string_view text) const;

private:
    platform::Registry& registry_;
    const platform::SystemFolders& folders_;
    bool includeBackSlash_ = true;
    std::map<std::string, std::string, std::less<>> paths_;
};

}  // namespace glmx::shell::places
