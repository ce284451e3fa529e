// Running applications: the top-level windows a user would call applications,
// each with the version details of the program that owns it.
#pragma once

#include "inventory/running_programs.h"
#include "platform/processes.h"
#include "platform/top_level_windows.h"
#include "platform/version_resources.h"

namespace glmx::inventory {

// Window titles are read up to this many characters.
inline constexpr size_t kMaxWindowTitle = 128;

class TRunningApplicationsInfo : public ProgramRecords {
public:
    // One record per visible window that no other window owns and that is no tool
    // window, in the system's order (front-most first).
    void CollectApplications(const platform::TopLevelWindows& windows,
                             const platform::ProcessSystem& system,
                             const platform::VersionResources& versions);
    void Clear() { records_.clear(); }
    void Add(const RunningProgramInfo& record) { records_.push_back(record); }
};

}  // namespace glmx::inventory
