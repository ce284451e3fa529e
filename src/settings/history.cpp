#include "settings/history.h"

namespace glmx::settings {

void FillComboFromHistory(TRegInfoClass& history, ComboBoxItems& box, bool selectFirst) {
    box.ClearItems();
    history.LoadValues();
    const TValueList& entries = history.Values();
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) box.AddItem(it->Name);
    if (!selectFirst) return;
    if (box.ItemCount() > 0)
        box.SelectItem(0);
    else
        box.SetText("");
}

void AddToHistory(TRegInfoClass& history, std::string_view text) { history.SetValue(text, ""); }

}  // namespace glmx::settings
