#include "ui/mainwindow/help_viewer.h"

#include <shellapi.h>

#include "platform/win32/wide.h"
#include "platform/win32/win32_system_folders.h"
#include "settings/program_identity.h"
#include "ui/mainwindow/help_topics.h"

namespace glmx::ui {

namespace {

using platform::win32::Wide;

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The system's help viewer, by its full path so that no hh.exe of the current folder runs.
std::wstring HelpViewer() {
    std::string folder = platform::win32::Win32SystemFolders().WindowsDirectory();
    if (folder.empty()) return {};
    if (folder.back() != '\\') folder += '\\';
    std::wstring viewer = Wide(folder + "hh.exe");
    return IsFile(viewer) ? viewer : std::wstring();
}

bool Opened(HINSTANCE result) { return reinterpret_cast<INT_PTR>(result) > 32; }

}  // namespace

void OpenHelp(HWND owner, const std::string& programFolder, ViewKind view) {
    const std::string helpFile = programFolder + std::string(settings::kHelpFileName);
    const std::wstring wideHelpFile = Wide(helpFile);
    if (!IsFile(wideHelpFile)) {
        MessageBoxW(owner, Wide("The help file \"" + helpFile + "\" was not found.").c_str(),
                    Wide(settings::kApplicationTitle).c_str(), MB_OK | MB_ICONINFORMATION);
        return;
    }
    // The viewer runs as a process of its own, so the help stays open beside the program and
    // a fault of the viewer cannot take the program down; it opens on the view's page.
    const std::wstring viewer = HelpViewer();
    if (!viewer.empty() &&
        Opened(ShellExecuteW(owner, L"open", viewer.c_str(),
                             Wide(HelpViewerArgument(helpFile, view)).c_str(), nullptr, SW_SHOW)))
        return;
    // Without the viewer the file's own association opens it on its first page; the shell
    // then says itself when it cannot.
    ShellExecuteW(owner, L"open", wideHelpFile.c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace glmx::ui
