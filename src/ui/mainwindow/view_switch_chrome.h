// What the view switches change in the main window, gathered from the frame,
// its notebook pages and the information panel.
#pragma once

#include "ui/mainwindow/inventory_page.h"
#include "ui/mainwindow/main_window.h"
#include "ui/mainwindow/view_switcher.h"

namespace glmx::ui {

class ViewSwitchChrome final : public MainWindowChrome {
public:
    ViewSwitchChrome(TFMain& window, InventoryPageController& inventoryPage)
        : window_(window), inventoryPage_(inventoryPage) {}

    void ShowFunctionPages() override { window_.ShowFunctionPages(); }
    void HideFunctionPages() override { window_.HideFunctionPages(); }
    void SetActivePage(Page page) override { window_.Pages().SetActivePage(page); }
    void ReleaseToolbarButtons() override { window_.ReleaseToolbarButtons(); }
    void PressToolbarButton(ViewKind view) override { window_.PressToolbarButton(view); }
    void CheckViewMenuEntry(ViewKind view) override { window_.CheckViewMenuEntry(view); }
    void SetPageLabel(Page page, std::string_view text) override;
    inventory::ControlButton& PageControlButton(Page page) override;
    void SetStartupFilterIndex(int index) override { inventoryPage_.SetStartupFilterIndex(index); }
    settings::ComboBoxItems& SearchField() override { return window_.Information().SearchField(); }
    void FocusSearchField() override;
    void BeginWaitCursor() override { window_.BeginWaitCursor(); }
    void EndWaitCursor() override { window_.EndWaitCursor(); }

private:
    // For a page without a function bar: its button shows nowhere.
    class NoButton final : public inventory::ControlButton {
    public:
        void ShowWithCaption(std::string_view) override {}
    };

    TFMain& window_;
    InventoryPageController& inventoryPage_;
    NoButton noButton_;
};

}  // namespace glmx::ui
