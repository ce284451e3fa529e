// The shell's context menu of a handler, shown and run as the shell itself would:
// owner-drawn entries and sub-menus filled on demand get their messages.
#pragma once

#include <windows.h>
// These need the types of windows.h first.
#include <shobjidl.h>

namespace glmx::platform::win32 {

enum class ContextMenuOutcome { NotShown, Dismissed, CommandRan, CommandFailed };

// Fills a menu from the handler (queryFlags: CMF_...), tracks it at a screen point and
// invokes the chosen command with owner as the window of any dialog. Blocks while the
// menu shows; call it on a GUI thread with COM initialised.
ContextMenuOutcome ShowShellContextMenu(HWND owner, IContextMenu& handler, POINT screenPoint,
                                        UINT queryFlags);

}  // namespace glmx::platform::win32
