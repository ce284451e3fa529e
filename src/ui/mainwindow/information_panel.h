// pnlInformation: the 40-pixel bar with the Search field, "Go" and the five
// navigation image buttons, above the area where the offline text and the
// browser take turns.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>

#include "platform/win32/unique_handle.h"
#include "ui/mainwindow/window_part.h"
#include "ui/win32/combo_box.h"
#include "ui/win32/image_button.h"
#include "ui/win32/rich_text_view.h"

namespace glmx::ui {

struct NavigationMenus {
    HMENU back = nullptr;
    HMENU forward = nullptr;
};

class InformationPanel final : public WindowPart {
public:
    InformationPanel() = default;
    InformationPanel(const InformationPanel&) = delete;
    InformationPanel& operator=(const InformationPanel&) = delete;

    // bigSystemImages stays the caller's; the offline text shows program icons from it.
    void Create(HWND parent, const NavigationMenus& menus, HIMAGELIST bigSystemImages);
    void SetFonts(const PartFonts& fonts) override;
    LRESULT OnNotify(NMHDR& header) override;
    bool OnContextMenu(HWND control, POINT screenPoint) override;
    void Layout(UINT dpi);
    // Told the client area's bounds on each layout (the browser shares it with the text).
    void SetClientAreaListener(std::function<void(const RECT&)> listener) {
        clientAreaListener_ = std::move(listener);
    }

    HWND Panel() const { return pnlInformation_; }
    HWND ClientArea() const { return client_; }
    ComboBox& SearchField() { return searchField_; }
    HWND ImageButton(int command) const;
    HWND GoButton() const { return go_; }
    RichTextView& OfflineView() { return offlineText_; }

private:
    HWND pnlInformation_ = nullptr;
    HWND bar_ = nullptr;
    HWND searchLabel_ = nullptr;
    ComboBox searchField_;
    HWND go_ = nullptr;
    HWND buttons_[5] = {};
    HWND client_ = nullptr;
    RichTextView offlineText_;
    platform::win32::UniqueWindow tooltips_;
    platform::win32::UniqueImageList normalImages_, hotImages_, disabledImages_;
    platform::win32::UniqueImageList searching_;
    std::function<void(const RECT&)> clientAreaListener_;  // the offline text's search pictures
};

}  // namespace glmx::ui
