// The bar at the top of a notebook page: the page's bold label at the left and
// its control button at the right, on the button-shadow colour.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "inventory/inventory_list.h"
#include "ui/mainwindow/window_part.h"

namespace glmx::ui {

class FunctionBar final : public inventory::ControlButton {
public:
    void Create(HWND page, int buttonCommand);
    void SetFonts(const PartFonts& fonts);
    // Lays the bar out across the page's top; the label ends at labelRight (or the button).
    void Layout(int width, UINT dpi, int labelRight = -1);

    HWND Panel() const { return panel_; }
    HWND Button() const { return button_; }
    int ButtonLeft(int width, UINT dpi) const;
    static int Height(UINT dpi);

    void SetLabel(std::string_view text);
    std::string Label() const;
    void ShowWithCaption(std::string_view caption) override;

private:
    HWND panel_ = nullptr;
    HWND label_ = nullptr;
    HWND button_ = nullptr;
};

// A child control of the program's pages, created visible at 0,0 with no size.
HWND CreateChild(const wchar_t* className, const wchar_t* text, DWORD style, HWND parent,
                 int id = 0, DWORD exStyle = 0);
HWND CreateTreeControl(HWND parent, int id);
// Moves a control; negative sizes become 0.
void Place(HWND window, int left, int top, int width, int height);

}  // namespace glmx::ui
