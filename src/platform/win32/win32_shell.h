// The shell services through the Windows shell: the system image list, shell
// links (Windows Installer shortcuts included) and the shell's context menus.
#pragma once

#include "platform/shell.h"

namespace glmx::platform::win32 {

class Win32Shell final : public Shell {
public:
    int SystemIconIndex(const std::string& path) const override;
    std::string ResolveShortcut(const std::string& shortcutPath) const override;
    // ownerWindow is an HWND. Blocks while the menu shows; call it on a GUI thread
    // with COM initialised.
    bool DisplayShellContextMenu(void* ownerWindow, const std::string& path, int x, int y) override;
    bool OpenWithShell(const std::string& target) override;
};

}  // namespace glmx::platform::win32
