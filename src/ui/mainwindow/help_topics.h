// Where the help file describes each view, and how the help viewer is asked for that page.
#pragma once

#include <string>
#include <string_view>

#include "inventory/view_kind.h"

namespace glmx::ui {

// The page of the help file, e.g. "view_registry.htm"; the contents page for a value that
// names no view.
std::string_view HelpPageOf(ViewKind view);

// The help viewer's one argument: the help file and the page within it, in quotes, so a
// folder with blanks stays one argument.
std::string HelpViewerArgument(std::string_view helpFile, ViewKind view);

}  // namespace glmx::ui
