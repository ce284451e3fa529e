// The places menu: the special folders offered beside All, Documents and the
// Recycle Bin, each with the root its view is shown at.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace glmx::shell::places {

// A root is one of the shell's root-folder identifiers ("rfFonts") or, for
// folders the shell has no identifier for, a special-folder path of the system.
struct PlaceRoot {
    enum class Kind { Identifier, SystemPath } kind;
    std::string_view name;  // the identifier, or the special-folder property ("CommonAppData")
};

struct PlaceEntry {
    std::string_view component;
    std::string_view caption;
    PlaceRoot root;
};

// The 19 entries in menu order.
std::span<const PlaceEntry> PlacesMenuEntries();

// The system's special-folder paths by property name; "" for one it does not define.
class SpecialFolderPaths {
public:
    virtual ~SpecialFolderPaths() = default;
    virtual std::string PathOf(std::string_view property) const = 0;
};

// The root the places view is given: the identifier itself, or the folder's path
// ("" when the system has no such folder, and the view then does nothing).
std::string ResolveRoot(const PlaceRoot& root, const SpecialFolderPaths& paths);

}  // namespace glmx::shell::places
