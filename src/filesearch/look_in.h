// The look-in text of the file search: one or more folder names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace glmx::filesearch {

// "," or ";" ends a name; a ";" is appended first, so a trailing separator or two in a
// row give an empty name. Blanks belong to the names; the order is kept.
std::vector<std::string> SplitLookIn(std::string_view text);

// What the search says of a look-in name that is not an existing directory.
std::string NotAValidFolderMessage(std::string_view name);

}  // namespace glmx::filesearch
