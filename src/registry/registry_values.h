// What the registry view's value list shows: each value's type and data as text,
// and the rows of a key in the order the list keeps them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "info/offline_information.h"
#include "platform/registry.h"

namespace glmx::registry {

// Images of the value list: text values and the rest.
constexpr int kTextValueImage = 6;
constexpr int kBinaryValueImage = 7;

// The list shows at most this many bytes of a value, as its read buffer holds.
constexpr size_t kShownValueBytes = 1024;

// "REG_SZ" and its siblings; "" for a type Windows does not name.
std::string_view ValueTypeName(platform::RegType type);

struct FormattedValue {
    std::string typeText;
    std::string dataText;
    int image = kTextValueImage;
};

FormattedValue FormatValue(const platform::RegData& data);

struct ValueRow {
    info::RegistryValueRow text;
    int image = kTextValueImage;
};

// The key's values: "(Default)" first, always, then the named ones sorted without
// regard to case. A key that could not be opened (null) has no rows.
std::vector<ValueRow> ValueRows(const platform::RegistryKey* key);

// The names sorted without regard to case (ASCII letters), of names equal but for
// case only the first.
std::vector<std::string> SortedNames(std::vector<std::string> names);

// The key's sub-key names sorted without regard to case, each once.
std::vector<std::string> SortedSubKeyNames(const platform::RegistryKey* key);

}  // namespace glmx::registry
