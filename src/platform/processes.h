// Processes of the machine: the snapshot walk, the modules of one process,
// ending a process, and the Windows version the collectors branch on.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace glmx::platform {

struct SnapshotEntry {
    std::uint32_t processId = 0;
    std::string exeFile;  // a bare file name on NT, a full path on 9x
};

struct OsVersionNumbers {
    std::uint32_t platformId = 0;  // 1: the Windows 9x family, 2: the NT family
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
};

enum class EndProcessStatus {
    OpenFailed,       // it cannot be opened for termination
    Ended,            // termination succeeded
    AlreadyExited,    // termination failed because it had just ended by itself
    TerminateFailed,  // it still runs; reason says why
};

struct EndProcessResult {
    EndProcessStatus status = EndProcessStatus::OpenFailed;
    std::string reason;  // the system's text of the error, for TerminateFailed
};

class ProcessSystem {
public:
    virtual ~ProcessSystem() = default;
    // The processes in snapshot order; nullopt when no snapshot can be taken.
    virtual std::optional<std::vector<SnapshotEntry>> Snapshot() const = 0;
    // Hands the file names of a process's modules, in the order the system reports
    // them and at most maxModules, to visit until it returns false; false when the
    // process cannot be opened for reading. Names are read only as they are visited.
    virtual bool VisitModuleFileNames(
        std::uint32_t processId, size_t maxModules,
        const std::function<bool(const std::string&)>& visit) const = 0;
    // Opens the process for termination and, when that works, terminates it.
    virtual EndProcessResult EndProcess(std::uint32_t processId) = 0;
    virtual OsVersionNumbers OsVersion() const = 0;
    // The identifier of the process this program runs in.
    virtual std::uint32_t CurrentProcessId() const = 0;
};

}  // namespace glmx::platform
