// Names the program presents itself with.
#pragma once

#include <string_view>

namespace glmx::settings {

inline constexpr std::string_view kApplicationTitle = "Quenfield Glimmerbox?";
inline constexpr std::string_view kHelpFileName = "glmx.chm";

}  // namespace glmx::settings
