// Icons of shell items asked on a worker thread: the shell may take long to find an
// item's icon (a network item, an icon handler of a slow program), and a control asks
// while it paints. Until an icon arrives the control shows a placeholder.
#pragma once

#include <windows.h>
// These need the types of windows.h first.
#include <shlobj.h>

#include <memory>
#include <optional>

namespace glmx::platform::win32 {

class ShellIconLoader {
public:
    // When asked icons have arrived, `message` is posted to `notifyWindow` (once for
    // each batch), and the control asks again.
    ShellIconLoader(HWND notifyWindow, UINT message);
    ~ShellIconLoader();
    ShellIconLoader(const ShellIconLoader&) = delete;
    ShellIconLoader& operator=(const ShellIconLoader&) = delete;

    // The small system image-list index of an item's icon (its open icon when open),
    // when known; otherwise nullopt, and the icon is asked for.
    std::optional<int> IconOf(const ITEMIDLIST* absolute, bool open = false);

    struct State;

private:
    std::shared_ptr<State> state_;
};

// The shell's small icon for any folder and for any file, asked by attributes alone.
int GenericFolderIcon();
int GenericFileIcon();

}  // namespace glmx::platform::win32
