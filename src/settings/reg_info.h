// A group of settings or an input history: one registry key below
// HKEY_CURRENT_USER\<base key>, its string values mirrored in memory.
// Reading failures are silent: a key that cannot be read leaves the store empty.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace glmx::settings {

struct TValue {
    std::string Name;
    std::string Value;

    friend bool operator==(const TValue&, const TValue&) = default;
};

using TValueList = std::vector<TValue>;
using TImplicitValueList = std::vector<TValue>;

// The defaults of one store, in the order they are written.
class TImplicitValues {
public:
    void Add(std::string name, std::string value);
    size_t Count() const { return list_.size(); }
    const TImplicitValueList& List() const { return list_; }
    // The default of a name (case-sensitive), or "" when it has none.
    std::string Find(std::string_view name) const;

private:
    TImplicitValueList list_;
};

class TRegInfoClass {
public:
    // Touches no registry key.
    TRegInfoClass(platform::Registry& registry, std::string baseKey, std::string subKey);

    // Replaces Values with the key's named values in stored order; non-string data
    // loads as its decimal number (DWORD, QWORD) or as "".
    void LoadValues();
    // From memory only; case-sensitive; "" when the name is not there.
    std::string GetValue(std::string_view name) const;
    // Writes REG_SZ at once, creating the key; memory follows even when the write fails,
    // so the setting holds for this run.
    void SetValue(std::string_view name, std::string_view value);
    // Writes each default whose name the key lacks; existing values are never touched.
    void WriteImplicitValues();
    // Forgets Values and removes the key with everything below it.
    void DeleteAll();

    const std::string& BaseKey() const { return baseKey_; }
    const std::string& SubKey() const { return subKey_; }
    std::string KeyPath() const { return baseKey_ + "\\" + subKey_; }
    TImplicitValues& ImplicitValues() { return implicitValues_; }
    const TImplicitValues& ImplicitValues() const { return implicitValues_; }
    const TValueList& Values() const { return values_; }

private:
    platform::Registry& registry_;
    std::string baseKey_;
    std::string subKey_;
    TImplicitValues implicitValues_;
    TValueList values_;
};

}  // namespace glmx::settings
