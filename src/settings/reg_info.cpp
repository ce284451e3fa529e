#include "settings/reg_info.h"

#include "platform/text.h"

namespace glmx::settings {

using platform::RegRoot;

void TImplicitValues::Add(std::string name, std::string value) {
    list_.push_back({std::move(name), std::move(value)});
}

std::string TImplicitValues::Find(std::string_view name) const {
    for (const TValue& entry : list_)
        if (entry.Name == name) return entry.Value;
    return {};
}

TRegInfoClass::TRegInfoClass(platform::Registry& registry, std::string baseKey, std::string subKey)
    : registry_(registry), baseKey_(std::move(baseKey)), subKey_(std::move(subKey)) {}

void TRegInfoClass::LoadValues() {
    values_.clear();
    const auto key = registry_.OpenKey(RegRoot::CurrentUser, KeyPath(), platform::RegAccess::Read);
    if (!key) return;
    for (const platform::RegNamedValue& value : key->Values()) {
        if (value.name.empty()) continue;  // the unnamed value belongs to no setting
        values_.push_back({value.name, platform::ValueAsText(value.data).value_or("")});
    }
}

std::string TRegInfoClass::GetValue(std::string_view name) const {
    for (const TValue& entry : values_)
        if (entry.Name == name) return entry.Value;
    return {};
}

void TRegInfoClass::SetValue(std::string_view name, std::string_view value) {
    if (const auto key = registry_.CreateKey(RegRoot::CurrentUser, KeyPath()))
        key->SetValue(name, platform::MakeStringData(value));
    if (name.empty()) return;

    // The registry matched the name without regard to case, so every loaded spelling
    // of it now has the new value; GetValue compares exactly, so an unseen spelling
    // gets its own entry.
    bool exactFound = false;
    for (TValue& entry : values_) {
        if (platform::EqualsIgnoringAsciiCase(entry.Name, name)) {
            entry.Value = std::string(value);
            exactFound = exactFound || entry.Name == name;
        }
    }
    if (!exactFound) values_.push_back({std::string(name), std::string(value)});
}

void TRegInfoClass::WriteImplicitValues() {
    const auto key = registry_.CreateKey(RegRoot::CurrentUser, KeyPath());
    if (!key) return;
    for (const TValue& implicit : implicitValues_.List()) {
        if (!key->QueryValue(implicit.Name))
            key->SetValue(implicit.Name, platform::MakeStringData(implicit.Value));
    }
}

void TRegInfoClass::DeleteAll() {
    values_.clear();
    registry_.DeleteKeyTree(RegRoot::CurrentUser, KeyPath());
}

}  // namespace glmx::settings
