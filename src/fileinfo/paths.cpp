#include "fileinfo/paths.h"

#include "platform/text.h"

namespace glmx::fileinfo {

std::string ExeFromCommandLine(std::string_view text) {
    std::string upper = platform::AsciiUpper(text);
    const size_t exe = upper.find(".EXE");
    if (exe == std::string::npos) return upper;
    upper.resize(exe + 4);
    if (!upper.empty() && upper.front() == '"') upper.erase(0, 1);
    if (!upper.empty() && upper.back() == '"') upper.pop_back();
    return upper;
}

std::string HiveNameOf(std::string_view registryPath) {
    const size_t slash = registryPath.find('\\');
    return slash == std::string_view::npos ? std::string()
                                           : std::string(registryPath.substr(0, slash));
}

std::string PathBelowHive(std::string_view registryPath) {
    const size_t slash = registryPath.find('\\');
    return std::string(slash == std::string_view::npos ? registryPath
                                                       : registryPath.substr(slash + 1));
}

std::string FileNamePart(std::string_view path) {
    const size_t last = path.find_last_of("\\/:");
    return std::string(last == std::string_view::npos ? path : path.substr(last + 1));
}

std::string_view ExtensionOf(std::string_view fileName) {
    const size_t dot = fileName.find_last_of('.');
    if (dot == std::string_view::npos) return {};
    const std::string_view extension = fileName.substr(dot);
    return extension.find_first_of("\\/:") == std::string_view::npos ? extension
                                                                     : std::string_view();
}

}  // namespace glmx::fileinfo
