#include "inventory/installed_programs.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "fileinfo/paths.h"
#include "inventory/uninstall_command.h"
#include "platform/text.h"

namespace glmx::inventory {

using platform::RegAccess;
using platform::RegRoot;

namespace {

std::optional<std::string> StringValue(const platform::RegistryKey& key, std::string_view name) {
    const std::optional<platform::RegData> data = key.QueryValue(name);
    if (!data) return std::nullopt;
    if (data->type != platform::RegType::String && data->type != platform::RegType::ExpandString)
        return std::string();  // another type counts as empty
    return platform::DecodeStringData(*data);
}

void ReadPlace(platform::Registry& registry, RegRoot root, bool bits32,
               TInstalledProgramsInfo& records) {
    const std::string path = UninstallKeyPath(root);
    const auto uninstall = registry.OpenKey(root, path, RegAccess::Read);
    if (!uninstall) return;
    for (std::string& name : uninstall->SubKeyNames()) {
        if (name.empty()) continue;
        const auto entry = registry.OpenKey(root, path + "\\" + name, RegAccess::Read);
        if (!entry) continue;  // one the user may not read
        std::string displayName = StringValue(*entry, "DisplayName").value_or("");
        std::string uninstallString = StringValue(*entry, "UninstallString").value_or("");
        if (displayName.empty() || uninstallString.empty()) continue;
        records.push_back({std::move(name), std::move(displayName), std::move(uninstallString),
                           root, bits32, StringValue(*entry, "DisplayIcon").value_or("")});
    }
}

// Every %NAME% whose variable exists replaced by its value.
std::string ExpandReferences(std::string_view text, const platform::SystemFolders& folders) {
    std::string expanded;
    size_t position = 0;
    for (;;) {
        const size_t open = text.find('%', position);
        const size_t close = open == std::string_view::npos ? open : text.find('%', open + 1);
        if (close == std::string_view::npos) break;
        expanded += text.substr(position, open - position);
        const std::string_view name = text.substr(open + 1, close - open - 1);
        const std::optional<std::string> value =
            name.empty() ? std::nullopt : folders.EnvironmentVariable(name);
        expanded += value ? std::string_view(*value) : text.substr(open, close - open + 1);
        position = close + 1;
    }
    return expanded.append(text.substr(position));
}

// The file of an icon reference: "\"C:\app\app.exe\",0", "C:\app\lib.dll,-101".
std::string IconFile(std::string_view reference) {
    reference = platform::TrimSpacesAndControls(reference);
    if (reference.starts_with('"')) {
        const size_t close = reference.find('"', 1);
        return std::string(reference.substr(
            1, close == std::string_view::npos ? std::string_view::npos : close - 1));
    }
    const size_t comma = reference.rfind(',');
    if (comma != std::string_view::npos) {
        std::string_view index = platform::TrimSpacesAndControls(reference.substr(comma + 1));
        if (index.starts_with('-')) index.remove_prefix(1);
        if (!index.empty() &&
            std::all_of(index.begin(), index.end(), [](char c) { return c >= '0' && c <= '9'; }))
            reference = platform::TrimSpacesAndControls(reference.substr(0, comma));
    }
    return std::string(reference);
}

bool NamesIconFile(std::string_view path) {
    const std::string extension = platform::AsciiUpper(fileinfo::ExtensionOf(path));
    return extension == ".EXE" || extension == ".ICO" || extension == ".DLL";
}

bool IsExistingFile(const platform::FileSystem& files, const std::string& path) {
    return IsAbsolutePath(path) && files.FileExists(path);
}

bool HasSubKey(const platform::RegistryKey& key, std::string_view name) {
    const std::vector<std::string> names = key.SubKeyNames();
    return std::any_of(names.begin(), names.end(), [&](const std::string& each) {
        return platform::EqualsIgnoringAsciiCase(each, name);
    });
}

// Deletes the entry and says so with doneText; true when it went.
bool DeleteEntry(const InstalledProgramsSystem& system, platform::UserMessages& messages,
                 const InstalledProgramInfo& record, std::string_view doneText) {
    if (!RegistryOf(system, record)
             .DeleteKeyTree(record.root, UninstallKeyPath(record.root) + "\\" + record.KeyName)) {
        messages.Warning(kEntryNotRemoved);
        return false;
    }
    messages.Information(doneText);
    return true;
}

}  // namespace

std::string UninstallKeyPath(RegRoot root) {
    return std::string(root == RegRoot::CurrentUser ? "Software" : "SOFTWARE") +
           "\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
}

platform::Registry& RegistryOf(const InstalledProgramsSystem& system,
                               const InstalledProgramInfo& record) {
    return record.bits32 && system.registry32 ? *system.registry32 : system.registry;
}

void CollectInstalledPrograms(const InstalledProgramsSystem& system,
                              TInstalledProgramsInfo& records) {
    records.clear();
    ReadPlace(system.registry, RegRoot::LocalMachine, false, records);
    if (system.registry32) ReadPlace(*system.registry32, RegRoot::LocalMachine, true, records);
    ReadPlace(system.registry, RegRoot::CurrentUser, false, records);

    std::vector<std::pair<std::string, size_t>> order;
    order.reserve(records.size());
    for (size_t i = 0; i < records.size(); ++i)
        order.emplace_back(platform::AsciiUpper(records[i].DisplayName), i);
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    TInstalledProgramsInfo sorted;
    sorted.reserve(records.size());
    for (const auto& [name, index] : order) sorted.push_back(std::move(records[index]));
    records = std::move(sorted);
}

int GetInstalledProgramIcon(const InstalledProgramsSystem& system,
                            const InstalledProgramInfo& record) {
    if (!record.DisplayIcon.empty()) {
        const std::string reference = ExpandReferences(record.DisplayIcon, system.folders);
        for (const std::string& file :
             {IconFile(reference), fileinfo::ExeFromCommandLine(reference)})
            if (NamesIconFile(file)) return system.shell.SystemIconIndex(file);
    }
    if (system.trackedName) {
        const std::string tracked = fileinfo::ExeFromCommandLine(system.trackedName(record));
        if (IsExistingFile(system.files, tracked)) return system.shell.SystemIconIndex(tracked);
    }
    const std::string uninstaller =
        fileinfo::ExeFromCommandLine(ExpandReferences(record.UninstallString, system.folders));
    if (IsExistingFile(system.files, uninstaller)) return system.shell.SystemIconIndex(uninstaller);
    if (record.KeyName.empty()) return -1;
    const std::string installer =
        system.files.WindowsFolder() + "\\Installer\\" + record.KeyName + "\\";
    for (const char* name : {"ARPPRODUCTICON.exe", "register_icon.exe"})
        if (system.files.FileExists(installer + name))
            return system.shell.SystemIconIndex(installer + name);
    return -1;
}

void FillInstalledList(RecordRows& rows, RowTies& ties, StatusLine& status,
                       const TInstalledProgramsInfo& records, const InstalledProgramsSystem& system,
                       FillMode mode) {
    if (mode == FillMode::Retying) {
        RetieRows(ties, status, records.size(), kInstalledProgramsStatus);
        return;
    }
    rows.BeginFill();
    rows.RemoveAllRows();
    for (size_t i = 0; i < records.size(); ++i)
        rows.AddRecordRow({records[i].DisplayName}, GetInstalledProgramIcon(system, records[i]),
                          false, i);
    rows.EndFill();
    if (!records.empty()) rows.SelectRow(0);
    rows.Focus();
    status.SetStatusText(std::to_string(records.size()) + std::string(kInstalledProgramsStatus));
}

bool CheckUninstallResult(const InstalledProgramsSystem& system, platform::UserMessages& messages,
                          const InstalledProgramInfo& record, const platform::RunOutcome& outcome) {
    platform::Registry& registry = RegistryOf(system, record);
    const std::string path = UninstallKeyPath(record.root);
    const auto uninstall = registry.OpenKey(record.root, path, RegAccess::Read);
    if (!uninstall) {
        messages.Warning(kNothingCleanedUp);
        return true;
    }
    if (record.KeyName.empty() || !HasSubKey(*uninstall, record.KeyName)) return false;

    if (outcome.status == platform::RunStatus::NotStarted) {
        const std::string question = std::string(kUninstallerNotStarted) + outcome.reason +
                                     "\r\n\r\n" + std::string(kRemoveEntryQuestion);
        if (!messages.ConfirmDefaultNo(question)) return true;
        return !DeleteEntry(system, messages, record, kUninstallFailedCleanedUp);
    }
    // Ended, or waiting failed: the entry itself tells whether the program is still there.
    const auto entry = registry.OpenKey(record.root, path + "\\" + record.KeyName, RegAccess::Read);
    if (!entry || !StringValue(*entry, "UninstallString").value_or("").empty()) {
        messages.Information(kProgramStillInstalled);
        return true;
    }
    return !DeleteEntry(system, messages, record, kFoundInRegistryCleanedUp);
}

bool UninstallProgram(const InstalledProgramsSystem& system, platform::ProgramRunner& runner,
                      platform::UserMessages& messages, const InstalledProgramInfo& record) {
    platform::RunOutcome outcome{platform::RunStatus::NotStarted, std::string(kUninstallerNotFound),
                                 false};
    if (const auto command =
            ResolveCommand(ExpandReferences(record.UninstallString, system.folders), system.files,
                           system.folders.SystemDirectory()))
        outcome = runner.RunAndWait(command->program, command->commandLine);
    return !CheckUninstallResult(system, messages, record, outcome);
}

}  // namespace glmx::inventory
