// Boxes that show an input history, newest entry first.
#pragma once

#include <string_view>

#include "settings/reg_info.h"

namespace glmx::settings {

// What a history needs of a combo box; the window layer implements it.
class ComboBoxItems {
public:
    virtual ~ComboBoxItems() = default;
    virtual void ClearItems() = 0;
    virtual void AddItem(std::string_view text) = 0;
    virtual int ItemCount() const = 0;
    virtual void SelectItem(int index) = 0;
    virtual void SetText(std::string_view text) = 0;
};

// Reloads the history and lists it last-created first. With selectFirst the box shows
// its first item (or nothing when empty); otherwise what the user typed stays.
void FillComboFromHistory(TRegInfoClass& history, ComboBoxItems& box, bool selectFirst);

// A new entry is a value named by the text with empty data; a text already in the
// history keeps its place.
void AddToHistory(TRegInfoClass& history, std::string_view text);

}  // namespace glmx::settings
