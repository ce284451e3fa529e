#include "inventory/running_programs.h"

#include "fileinfo/paths.h"
#include "fileinfo/version_info.h"
#include "inventory/os_version.h"
#include "platform/text.h"

namespace glmx::inventory {

namespace {

constexpr size_t kMaxModules = 1024;

struct DetailKey {
    std::string_view key;
    std::string RunningProgramInfo::*field;
};

constexpr DetailKey kDetailKeys[] = {
    {"ProductName", &RunningProgramInfo::ProgramName},
    {"CompanyName", &RunningProgramInfo::CompanyName},
    {"ProductVersion", &RunningProgramInfo::Version},
    {"LegalCopyright", &RunningProgramInfo::Copyright},
    {"FileDescription", &RunningProgramInfo::FileDescription},
    {"FileVersion", &RunningProgramInfo::FileVersion},
    {"OriginalFileName", &RunningProgramInfo::OriginalFilename},
    {"InternalName", &RunningProgramInfo::InternalName},
};

// The idle pseudo-process heads the snapshot on Windows NT; it has identifier 0.
// Other systems (Wine among them) start with a real process, which stays listed.
bool IsIdlePseudoProcess(size_t entryNumber, const platform::SnapshotEntry& entry) {
    return entryNumber == 1 && entry.processId == 0;
}

}  // namespace

void ReadVersionDetails(RunningProgramInfo& record, const platform::VersionResources& versions) {
    for (const std::string& line : fileinfo::GetVersionInfoList(versions, record.FullPath)) {
        for (const DetailKey& detail : kDetailKeys) {
            const size_t at = line.find(detail.key);
            if (at == std::string::npos) continue;
            record.*detail.field = std::string(platform::TrimSpacesAndControls(
                std::string_view(line).substr(at + detail.key.size())));
        }
    }
    if (record.ProgramName.empty()) record.ProgramName = record.FileName;
}

std::string GetProcessExePath(const platform::ProcessSystem& system, std::uint32_t processId) {
    std::string path;
    size_t examined = 0;
    system.VisitModuleFileNames(processId, kMaxModules, [&](const std::string& module) {
        if (++examined > kMaxModules) return false;
        if (!platform::EqualsIgnoringAsciiCase(
                fileinfo::ExtensionOf(fileinfo::FileNamePart(module)), ".EXE"))
            return true;
        path = module;
        return false;  // the first one is the program
    });
    return path;
}

std::string GetSnapshotExeFile(const platform::ProcessSystem& system, std::uint32_t processId) {
    const auto snapshot = system.Snapshot();
    if (!snapshot) return {};
    for (const platform::SnapshotEntry& entry : *snapshot)
        if (entry.processId == processId) return entry.exeFile;
    return {};
}

void TRunningProgramsInfoClass::CollectProcesses(const platform::ProcessSystem& system,
                                                 const platform::VersionResources& versions) {
    records_.clear();
    const auto snapshot = system.Snapshot();
    if (!snapshot) return;
    const OsGroup group = GroupOf(system.OsVersion());
    records_.reserve(snapshot->size());
    size_t entryNumber = 0;
    for (const platform::SnapshotEntry& entry : *snapshot) {
        if (IsIdlePseudoProcess(++entryNumber, entry)) continue;
        RunningProgramInfo& record = records_.emplace_back();
        if (group == OsGroup::Win9x) {
            record.FullPath = entry.exeFile;
            record.FileName = fileinfo::FileNamePart(entry.exeFile);
        } else {
            record.FileName = entry.exeFile;
            record.FullPath = GetProcessExePath(system, entry.processId);
        }
        record.ProcessId = entry.processId;
        ReadVersionDetails(record, versions);
    }
}

void ProgramRecords::Delete(size_t index) {
    if (index < records_.size())
        records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace glmx::inventory
