// The cool bar CoolBar2 with its one band holding the main tool bar tbrMain:
// check-style view buttons with captions under 36x36 images, the band's
// chevron and its overflow menu.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "inventory/view_kind.h"
#include "platform/win32/unique_handle.h"
#include "ui/mainwindow/toolbar_overflow.h"

namespace glmx::ui {

class MainToolbar {
public:
    MainToolbar() = default;
    MainToolbar(const MainToolbar&) = delete;
    MainToolbar& operator=(const MainToolbar&) = delete;

    void Create(HWND parent, UINT dpi);
    HWND CoolBar() const { return coolBar_; }
    HWND Toolbar() const { return toolbar_; }
    int Height() const;

    void ReleaseToolbarButtons();
    void PressButton(ViewKind view);
    bool IsPressed(ViewKind view) const;
    std::vector<ViewKind> PressedButtons() const;

    // Band style and ideal width after every size change, so the chevron shows when
    // the window is narrower than the buttons need.
    void UpdateToolbarBands();
    // Button positions in the tool bar, one per slot, separators included.
    std::vector<ToolbarButtonGeometry> ButtonGeometry() const;
    // Which overflow items the chevron's menu shows now.
    std::vector<bool> OverflowItemsShownNow() const;
    // Pops up the overflow menu below the chevron; its choice arrives as WM_COMMAND.
    void ShowChevronMenu(const NMREBARCHEVRON& chevron, HWND owner) const;

    // Tool tip text of the button with this command, or nullptr.
    const wchar_t* HintOf(int command) const;

private:
    HWND coolBar_ = nullptr;
    HWND toolbar_ = nullptr;
    platform::win32::UniqueImageList images_;
    std::vector<std::wstring> hints_;
};

}  // namespace glmx::ui
