#include "shell/places/folder_rules.h"

namespace glmx::shell::places {

std::string RootCaption(std::string_view parsingName, std::string_view displayName) {
    const bool virtualFolder = parsingName.starts_with("::");
    const size_t separator = parsingName.find_last_of("\\:");
    const std::string_view last =
        separator == std::string_view::npos ? parsingName : parsingName.substr(separator + 1);
    if (virtualFolder || last.empty()) return std::string(displayName);
    return std::string(last);
}

std::string FolderOfPath(std::string_view filePath) {
    const size_t separator = filePath.find_last_of("\\:");
    if (separator == std::string_view::npos) return {};
    return std::string(filePath.substr(0, separator + 1));
}

}  // namespace glmx::shell::places
