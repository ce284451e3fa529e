// Processes and top-level windows through the tool-help, process-status and
// window functions.
#pragma once

#include "platform/processes.h"
#include "platform/top_level_windows.h"

namespace glmx::platform::win32 {

class Win32ProcessSystem final : public ProcessSystem {
public:
    std::optional<std::vector<SnapshotEntry>> Snapshot() const override;
    bool VisitModuleFileNames(std::uint32_t processId, size_t maxModules,
                              const std::function<bool(const std::string&)>& visit) const override;
    EndProcessResult EndProcess(std::uint32_t processId) override;
    OsVersionNumbers OsVersion() const override;
    std::uint32_t CurrentProcessId() const override;
};

class Win32TopLevelWindows final : public TopLevelWindows {
public:
    std::vector<TopLevelWindow> Enumerate() const override;
    WindowId DesktopWindow() const override;
    WindowReply SendClose(WindowId window) override;
    bool SwitchTo(WindowId window) override;
};

}  // namespace glmx::platform::win32
