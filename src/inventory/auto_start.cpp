#include "inventory/auto_start.h"

#include <algorithm>
#include <string>

#include "fileinfo/paths.h"
#include "platform/text.h"

namespace glmx::inventory {

using platform::RegAccess;
using platform::RegRoot;

namespace {

constexpr std::string_view kCurrentVersion = "Microsoft\\Windows\\CurrentVersion\\";
constexpr std::string_view kApprovedKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\";
constexpr std::string_view kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

struct ValuesSource {
    RegRoot root;
    std::string_view key;  // below "Software\Microsoft\Windows\CurrentVersion\"
    bool disabled;
};

constexpr ValuesSource kValuesSources[] = {
    {RegRoot::CurrentUser, "Run", false},
    {RegRoot::CurrentUser, "RunOnce", false},
    {RegRoot::LocalMachine, "Run", false},
    {RegRoot::LocalMachine, "RunOnce", false},
    {RegRoot::LocalMachine, "RunOnceEx", false},
    {RegRoot::LocalMachine, "RunServices", false},
    {RegRoot::LocalMachine, "RunServicesOnce", false},
    {RegRoot::CurrentUser, "Run_Disabled", true},
    {RegRoot::CurrentUser, "RunOnce_Disabled", true},
    {RegRoot::LocalMachine, "Run_Disabled", true},
    {RegRoot::LocalMachine, "RunOnce_Disabled", true},
    {RegRoot::LocalMachine, "RunOnceEx_Disabled", true},
    {RegRoot::LocalMachine, "RunServices_Disabled", true},
    {RegRoot::LocalMachine, "RunServicesOnce_Disabled", true},
};

// The hive's own spelling of "Software".
std::string SoftwareOf(RegRoot root) {
    return root == RegRoot::CurrentUser ? "Software\\" : "SOFTWARE\\";
}

std::string StringValue(const platform::RegistryKey& key, std::string_view name) {
    const std::optional<platform::RegData> data = key.QueryValue(name);
    if (!data ||
        (data->type != platform::RegType::String && data->type != platform::RegType::ExpandString))
        return {};
    return platform::DecodeStringData(*data);
}

// The system's switch of a Run-key entry: the 32-bit view's machine-wide entries have
// their own key.
StartupApproval RunApproval(RegRoot root, bool bits32, std::string name) {
    return {root, std::string(kApprovedKey) + (bits32 ? "Run32" : "Run"), std::move(name)};
}

StartupApproval FolderApproval(std::string_view location, const std::string& shortcutPath) {
    return {location == "Common Startup" ? RegRoot::LocalMachine : RegRoot::CurrentUser,
            std::string(kApprovedKey) + "StartupFolder", fileinfo::FileNamePart(shortcutPath)};
}

void ReadValuesSource(platform::Registry& registry, const ValuesSource& source, bool bits32,
                      TAutoStartProgramsInfo& records) {
    const std::string keyPath =
        SoftwareOf(source.root) + std::string(kCurrentVersion) + std::string(source.key);
    const auto key = registry.OpenKey(source.root, keyPath, RegAccess::Read);
    if (!key) return;
    const std::string location = ShownKeyPath(source.root, keyPath, bits32);
    // Entries of RunOnce and its kin have no switch of the system's.
    const bool approvable = source.key == "Run" || source.key == "Run_Disabled";
    for (const platform::RegNamedValue& value : key->Values()) {
        if (value.data.type != platform::RegType::String &&
            value.data.type != platform::RegType::ExpandString)
            continue;
        TAutoStartProgramInfo record;
        record.Name = value.name;
        record.Command = platform::DecodeStringData(value.data);
        record.StartType = kRegistrySection;
        record.Location = location;
        record.Disabled = source.disabled;
        record.root = source.root;
        record.keyPath = keyPath;
        record.bits32 = bits32;
        if (approvable) record.approval = RunApproval(source.root, bits32, value.name);
        records.push_back(std::move(record));
    }
}

void ReadStartupFolder(const AutoStartSystem& system, RegRoot root, std::string_view valueName,
                       TAutoStartProgramsInfo& records) {
    const auto key = system.registry.OpenKey(root, kShellFolders, RegAccess::Read);
    if (!key) return;
    std::string folder = StringValue(*key, valueName);
    if (folder.empty()) return;
    if (folder.back() != '\\') folder += '\\';
    for (const std::string& fileName : system.files.FileNames(folder, "*.lnk")) {
        TAutoStartProgramInfo record;
        const std::string_view extension = fileinfo::ExtensionOf(fileName);
        record.Name = fileName.substr(0, fileName.size() - extension.size());
        record.StartType = kStartupFolder;
        record.Location = valueName;
        record.Path = folder + fileName;
        // The system's listing also gives names whose short form matches ("a.lnk2").
        if (platform::EqualsIgnoringAsciiCase(extension, ".lnk"))
            record.Command = system.shell.ResolveShortcut(record.Path);
        record.approval = FolderApproval(valueName, record.Path);
        records.push_back(std::move(record));
    }
}

void ReadParkedShortcuts(platform::Registry& registry, TAutoStartProgramsInfo& records) {
    const auto parked = registry.OpenKey(RegRoot::LocalMachine, kStartupFolderKey, RegAccess::Read);
    if (!parked) return;
    for (const std::string& subKey : parked->SubKeyNames()) {
        TAutoStartProgramInfo record;
        record.StartType = kStartupFolder;
        record.Disabled = true;
        record.MsconfigKey = subKey;
        if (const auto key =
                registry.OpenKey(RegRoot::LocalMachine,
                                 std::string(kStartupFolderKey) + "\\" + subKey, RegAccess::Read)) {
            record.Name = StringValue(*key, "Item");
            record.Command = StringValue(*key, "Command");
            record.Location = StringValue(*key, "location");
            record.Backup = StringValue(*key, "Backup");
            record.Path = StringValue(*key, "Path");
        }
        if (!record.Path.empty()) record.approval = FolderApproval(record.Location, record.Path);
        records.push_back(std::move(record));
    }
}

// Windows 8 and later: the entries their own switch turned off are disabled too.
void ReadApprovals(platform::Registry& registry, TAutoStartProgramsInfo& records) {
    for (TAutoStartProgramInfo& record : records) {
        if (!record.approval) continue;
        const auto key =
            registry.OpenKey(record.approval->root, record.approval->key, RegAccess::Read);
        if (!key) continue;
        const std::optional<platform::RegData> data = key->QueryValue(record.approval->valueName);
        if (data && ApprovalSwitchesOff(*data)) {
            record.DisabledBySystem = true;
            record.Disabled = true;
        }
    }
}

}  // namespace

std::string ShownKeyPath(RegRoot root, std::string_view keyPath, bool bits32) {
    std::string shown = std::string(platform::RootLongName(root)) + "\\";
    constexpr std::string_view kSoftware = "SOFTWARE\\";
    if (bits32 && keyPath.size() >= kSoftware.size() &&
        platform::EqualsIgnoringAsciiCase(keyPath.substr(0, kSoftware.size()), kSoftware))
        return shown.append(keyPath.substr(0, kSoftware.size()))
            .append("WOW6432Node\\")
            .append(keyPath.substr(kSoftware.size()));
    return shown.append(keyPath);
}

bool ApprovalSwitchesOff(const platform::RegData& data) {
    return !data.bytes.empty() && (data.bytes[0] & 1) != 0;
}

void CollectAutoStartPrograms(const AutoStartSystem& system, TAutoStartProgramsInfo& records) {
    records.clear();
    for (const ValuesSource& source : kValuesSources) {
        ReadValuesSource(system.registry, source, false, records);
        if (source.root == RegRoot::LocalMachine && system.registry32)
            ReadValuesSource(*system.registry32, source, true, records);
    }
    ReadStartupFolder(system, RegRoot::LocalMachine, "Common Startup", records);
    ReadStartupFolder(system, RegRoot::CurrentUser, "Startup", records);
    ReadParkedShortcuts(system.registry, records);
    ReadApprovals(system.registry, records);
    std::stable_sort(records.begin(), records.end(),
                     [](const TAutoStartProgramInfo& a, const TAutoStartProgramInfo& b) {
                         return platform::AsciiUpper(a.Name) < platform::AsciiUpper(b.Name);
                     });
}

std::string_view AutoStartStatusSuffix(int filter) {
    switch (filter) {
        case 1:
            return " enabled auto-start program(s)";
        case 2:
            return " disabled auto-start program(s)";
        default:
            return " auto-start program(s)";
    }
}

void FillAutoStartList(RecordRows& list, StatusLine& status, const TAutoStartProgramsInfo& records,
                       int filter, const platform::Shell& shell) {
    list.BeginFill();
    list.RemoveAllRows();
    int rows = 0;
    for (size_t index = 0; index < records.size(); ++index) {
        const TAutoStartProgramInfo& record = records[index];
        if ((filter == 1 && record.Disabled) || (filter == 2 && !record.Disabled)) continue;
        const int image = shell.SystemIconIndex(fileinfo::ExeFromCommandLine(record.Command));
        list.AddRecordRow({record.Name, record.Command, record.StartType,
                           record.Disabled ? "Disabled" : "Enabled", record.Location},
                          image, record.Disabled, index);
        ++rows;
    }
    list.EndFill();
    if (rows > 0) list.SelectRow(0);
    list.Focus();
    status.SetStatusText(std::to_string(rows) + std::string(AutoStartStatusSuffix(filter)));
}

}  // namespace glmx::inventory
