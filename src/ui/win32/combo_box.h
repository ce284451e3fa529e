// A combo box seen as the item list a history fills.
#pragma once

#include <windows.h>

#include <string>

#include "settings/history.h"

namespace glmx::ui {

class ComboBox final : public settings::ComboBoxItems {
public:
    explicit ComboBox(HWND combo = nullptr) : combo_(combo) {}
    void Attach(HWND combo) { combo_ = combo; }
    HWND Handle() const { return combo_; }

    void ClearItems() override;
    void AddItem(std::string_view text) override;
    int ItemCount() const override;
    void SelectItem(int index) override;
    void SetText(std::string_view text) override;
    std::string Text() const;
    int SelectedIndex() const;

private:
    HWND combo_;
};

}  // namespace glmx::ui
