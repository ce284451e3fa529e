// A combo box that keeps what the code under test puts in it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/history.h"

namespace glmx::testing {

class RecordingComboBox : public settings::ComboBoxItems {
public:
    void ClearItems() override { items.clear(); }
    void AddItem(std::string_view item) override { items.emplace_back(item); }
    int ItemCount() const override { return static_cast<int>(items.size()); }
    void SelectItem(int index) override {
        selected = index;
        text = items.at(static_cast<size_t>(index));
    }
    void SetText(std::string_view value) override { text = value; }

    std::vector<std::string> items;
    int selected = -1;
    std::string text;  // the edit field's text
};

}  // namespace glmx::testing
