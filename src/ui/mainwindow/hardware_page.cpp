#include "ui/mainwindow/hardware_page.h"

#include "ui/mainwindow/commands.h"
#include "ui/win32/panel.h"

namespace glmx::ui {

void HardwarePageController::Create(HWND notebook) {
    page_ = CreatePanel(notebook, PanelStyle::Plain);
    bar_.Create(page_, cmdHardwareControlButton);
    tree_ = CreateTreeControl(page_, idHardwareTree);
}

void HardwarePageController::SetFonts(const PartFonts& fonts) {
    bar_.SetFonts(fonts);
    SendMessageW(tree_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.normal), TRUE);
}

void HardwarePageController::Layout(int width, int height, UINT dpi) {
    bar_.Layout(width, dpi);
    const int top = FunctionBar::Height(dpi);
    Place(tree_, 0, top, width, height - top);
}

LRESULT HardwarePageController::OnNotify(NMHDR& header) {
    if (header.hwndFrom == tree_ && (header.code == NM_CLICK || header.code == TVN_KEYDOWN) &&
        selectionChanged_)
        selectionChanged_();
    return 0;
}

void HardwarePageController::OnCommand(int command, int notification) {
    if (command == cmdHardwareControlButton && notification == BN_CLICKED && controlButtonClicked_)
        controlButtonClicked_();
}

void CustomSearchPageController::Create(HWND notebook) {
    page_ = CreatePanel(notebook, PanelStyle::Plain);
}

}  // namespace glmx::ui
