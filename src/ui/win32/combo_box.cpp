#include "ui/win32/combo_box.h"

#include <vector>

#include "platform/win32/wide.h"

namespace glmx::ui {

using platform::win32::Narrow;
using platform::win32::Wide;

void ComboBox::ClearItems() {
    // Resetting the list also empties an editable box's text, which must stay.
    const std::string text = Text();
    SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
    SetWindowTextW(combo_, Wide(text).c_str());
}

void ComboBox::AddItem(std::string_view text) {
    SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

int ComboBox::ItemCount() const {
    return static_cast<int>(SendMessageW(combo_, CB_GETCOUNT, 0, 0));
}

void ComboBox::SelectItem(int index) { SendMessageW(combo_, CB_SETCURSEL, index, 0); }

void ComboBox::SetText(std::string_view text) {
    SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetWindowTextW(combo_, Wide(text).c_str());
}

std::string ComboBox::Text() const {
    const int length = GetWindowTextLengthW(combo_);
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
    GetWindowTextW(combo_, text.data(), length + 1);
    return Narrow(text.data());
}

int ComboBox::SelectedIndex() const {
    return static_cast<int>(SendMessageW(combo_, CB_GETCURSEL, 0, 0));
}

}  // namespace glmx::ui
