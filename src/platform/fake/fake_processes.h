// In-memory processes and top-level windows for tests.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/processes.h"
#include "platform/top_level_windows.h"

namespace glmx::platform {

class FakeProcessSystem final : public ProcessSystem {
public:
    std::optional<std::vector<SnapshotEntry>> Snapshot() const override { return snapshot; }
    bool VisitModuleFileNames(std::uint32_t processId, size_t maxModules,
                              const std::function<bool(const std::string&)>& visit) const override;
    EndProcessResult EndProcess(std::uint32_t processId) override;
    OsVersionNumbers OsVersion() const override { return version; }
    std::uint32_t CurrentProcessId() const override { return currentProcessId; }

    std::optional<std::vector<SnapshotEntry>> snapshot = std::vector<SnapshotEntry>{};
    // Processes missing here cannot be opened.
    std::map<std::uint32_t, std::vector<std::string>> modules;
    // Processes that can be opened for termination; ending one removes it.
    std::set<std::uint32_t> endable;
    // What ending an endable process here gives instead of Ended; after AlreadyExited
    // it is gone all the same.
    std::map<std::uint32_t, EndProcessResult> endResults;
    std::vector<std::uint32_t> ended;   // each process whose ending succeeded or found it gone
    OsVersionNumbers version{2, 5, 1};  // Windows XP
    std::uint32_t currentProcessId = 4040;
    mutable std::vector<size_t> moduleLimitsAsked;
    mutable size_t moduleNamesRead = 0;
};

class FakeTopLevelWindows final : public TopLevelWindows {
public:
    std::vector<TopLevelWindow> Enumerate() const override { return windows; }
    WindowId DesktopWindow() const override { return desktop; }
    WindowReply SendClose(WindowId window) override;
    bool SwitchTo(WindowId window) override;

    std::vector<TopLevelWindow> windows;
    WindowId desktop = 0x10010;
    std::map<WindowId, WindowReply> closeReplies;  // default: Answered, and the window goes
    std::vector<WindowId> switchedTo;
};

}  // namespace glmx::platform
