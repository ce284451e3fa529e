#include "inventory/running_applications.h"

#include "fileinfo/paths.h"
#include "inventory/os_version.h"
#include "platform/text.h"

namespace glmx::inventory {

void TRunningApplicationsInfo::CollectApplications(const platform::TopLevelWindows& windows,
                                                   const platform::ProcessSystem& system,
                                                   const platform::VersionResources& versions) {
    Clear();
    const platform::WindowId desktop = windows.DesktopWindow();
    const OsGroup group = GroupOf(system.OsVersion());
    for (const platform::TopLevelWindow& window : windows.Enumerate()) {
        if (!window.visible) continue;
        if (window.owner != 0 && window.owner != desktop) continue;  // a dialog of another window
        if (window.toolWindow) continue;
        RunningProgramInfo record;
        record.FullPath = group == OsGroup::Win9x ? GetSnapshotExeFile(system, window.processId)
                                                  : GetProcessExePath(system, window.processId);
        record.FileName = fileinfo::FileNamePart(record.FullPath);
        record.ProcessId = window.processId;
        record.WindowHandle = window.handle;
        ReadVersionDetails(record, versions);
        record.ProgramName = platform::TruncateUtf16(window.title, kMaxWindowTitle);
        Add(record);
    }
}

}  // namespace glmx::inventory
