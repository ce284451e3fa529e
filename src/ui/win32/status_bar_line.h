// The status bar's one simple text.
#pragma once

#include <windows.h>

#include <string>

#include "inventory/program_list.h"

namespace glmx::ui {

class StatusBarLine final : public inventory::StatusLine {
public:
    explicit StatusBarLine(HWND statusBar) : statusBar_(statusBar) {}
    void SetStatusText(std::string_view text) override;
    // What was set last (the control reads its simple text back unreliably under Wine).
    const std::string& Text() const { return text_; }

private:
    HWND statusBar_;
    std::string text_;
};

}  // namespace glmx::ui
