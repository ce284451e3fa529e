// The status bar stbMain in simple mode, with the download progress bar at its
// right end.
#pragma once

#include <windows.h>

namespace glmx::ui {

class StatusBar {
public:
    void Create(HWND parent, UINT dpi);
    HWND Handle() const { return status_; }
    HWND ProgressBar() const { return progress_; }
    int Height() const;
    // Follows the parent's size; the progress bar keeps to the right end.
    void Layout(int windowWidth, UINT dpi);

private:
    HWND status_ = nullptr;
    HWND progress_ = nullptr;
};

}  // namespace glmx::ui
