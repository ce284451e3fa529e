// The hardware page pgHardware: its function bar over the tree of devices.
#pragma once

#include <functional>

#include "ui/mainwindow/notebook.h"

namespace glmx::ui {

class HardwarePageController final : public NotebookPage {
public:
    // selectionChanged runs after the tree handled a click or key that may have changed
    // its selection; controlButtonClicked on a click of the function bar's button.
    explicit HardwarePageController(std::function<void()> selectionChanged,
                                    std::function<void()> controlButtonClicked = {})
        : selectionChanged_(std::move(selectionChanged)),
          controlButtonClicked_(std::move(controlButtonClicked)) {}

    void Create(HWND notebook) override;
    HWND PageWindow() const override { return page_; }
    void Layout(int width, int height, UINT dpi) override;
    FunctionBar* Bar() override { return &bar_; }
    void SetFonts(const PartFonts& fonts) override;
    LRESULT OnNotify(NMHDR& header) override;
    void OnCommand(int command, int notification) override;

    HWND Tree() const { return tree_; }

private:
    std::function<void()> selectionChanged_;
    std::function<void()> controlButtonClicked_;
    HWND page_ = nullptr;
    FunctionBar bar_;
    HWND tree_ = nullptr;
};

// The custom search page: the notebook hides while it is active, the information
// panel does the work.
class CustomSearchPageController final : public NotebookPage {
public:
    void Create(HWND notebook) override;
    HWND PageWindow() const override { return page_; }
    void Layout(int, int, UINT) override {}

private:
    HWND page_ = nullptr;
};

}  // namespace glmx::ui
