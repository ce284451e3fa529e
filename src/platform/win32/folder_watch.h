// Follows the changes in one folder: the shell's change notifications, and for a
// file-system folder also a directory watch (the shell reports only what goes
// through it, and some shells not even that for other processes). A burst of
// changes reaches the window as one posted message, a moment after it calmed down.
#pragma once

#include <windows.h>
// These need the types of windows.h first.
#include <shlobj.h>

#include <memory>

namespace glmx::platform::win32 {

class FolderWatch {
public:
    // Posts `message` (wParam and lParam 0) to `window` after changes in `folder`, or
    // below it when `recursive`. A watch that cannot be set up posts nothing.
    FolderWatch(HWND window, UINT message, const ITEMIDLIST* folder, bool recursive);
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // True when at least one of the two watches is in place.
    bool Watching() const;

    struct State;

private:
    std::unique_ptr<State> state_;
};

}  // namespace glmx::platform::win32
