// Running processes: the record shared with the running applications, the
// collector, and the reading of an executable's version details.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/processes.h"
#include "platform/version_resources.h"

namespace glmx::inventory {

struct RunningProgramInfo {
    std::string ProgramName;  // product name, else FileName; an application's window title
    std::string FileName;
    std::string CompanyName;
    std::string Version;  // "ProductVersion"
    std::string Copyright;
    std::string FileDescription;
    std::string FileVersion;
    std::string OriginalFilename;
    std::string InternalName;
    std::string FullPath;  // "" when it cannot be found
    std::uint32_t ProcessId = 0;
    std::uintptr_t WindowHandle = 0;  // applications only
};

using TRunningProgramsInfo = std::vector<RunningProgramInfo>;

// Fills the program name and the version fields from the executable at FullPath.
// A key found anywhere in a line of the version list takes the rest of the line,
// so without a string table "FileVersion" and "ProductVersion" take the fixed
// part's numbers from the "InternalFileVersion" and "InternalProductVersion" lines.
void ReadVersionDetails(RunningProgramInfo& record, const platform::VersionResources& versions);

// The path of the process's first module named ".EXE" among its first 1024; "".
std::string GetProcessExePath(const platform::ProcessSystem& system, std::uint32_t processId);

// The executable entry of the process in a fresh snapshot; "".
std::string GetSnapshotExeFile(const platform::ProcessSystem& system, std::uint32_t processId);

// The records of a collector; row i of the list shows record i.
class ProgramRecords {
public:
    size_t Count() const { return records_.size(); }
    const TRunningProgramsInfo& Records() const { return records_; }
    // Later records move down one place; an index past the end changes nothing.
    void Delete(size_t index);

protected:
    TRunningProgramsInfo records_;
};

class TRunningProgramsInfoClass : public ProgramRecords {
public:
    // Every process in snapshot order, but the idle pseudo-process.
    void CollectProcesses(const platform::ProcessSystem& system,
                          const platform::VersionResources& versions);
};

}  // namespace glmx::inventory
