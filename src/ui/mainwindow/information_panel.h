// pnlInformation: the 40-pixel bar with the Search field, "Go" and the five
// navigation image buttons, above the area where the offline text and the
// browser take turns.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "ui/win32/combo_box.h"
#include "ui/win32/image_button.h"
#include "ui/win32/rich_text_view.h"

namespace glmx::ui {

struct NavigationMenus {
    HMENU back = nullptr;
    HMENU forward = nullptr;
};

class InformationPanel {
public:
    InformationPanel() = default;
    InformationPanel(const InformationPanel&) = delete;
    InformationPanel& operator=(const InformationPanel&) = delete;
    ~InformationPanel();

    void Create(HWND parent, HFONT font, const NavigationMenus& menus);
    void SetFont(HFONT font);
    void Layout(UINT dpi);

    HWND Panel() const { return pnlInformation_; }
    HWND ClientArea() const { return client_; }
    ComboBox& SearchField() { return cmbOfflineInformation_; }
    HWND ImageButton(int command) const;
    HWND GoButton() const { return go_; }
    RichTextView& OfflineView() { return ricOfflineInformations_; }

private:
    HWND pnlInformation_ = nullptr;
    HWND bar_ = nullptr;
    HWND searchLabel_ = nullptr;
    ComboBox cmbOfflineInformation_;
    HWND go_ = nullptr;
    HWND buttons_[5] = {};
    HWND client_ = nullptr;
    RichTextView ricOfflineInformations_;
    HWND tooltips_ = nullptr;
    ImageButtonImages images_;
};

}  // namespace glmx::ui
