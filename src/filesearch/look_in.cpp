#include "filesearch/look_in.h"

namespace glmx::filesearch {

std::vector<std::string> SplitLookIn(std::string_view text) {
    std::vector<std::string> names;
    std::string name;
    for (const char c : text) {
        if (c == ',' || c == ';') {
            names.push_back(std::move(name));
            name.clear();
        } else {
            name += c;
        }
    }
    names.push_back(std::move(name));  // closed by the appended ";"
    return names;
}

std::string NotAValidFolderMessage(std::string_view name) {
    return "'" + std::string(name) + "' is not a valid folder";
}

}  // namespace glmx::filesearch
