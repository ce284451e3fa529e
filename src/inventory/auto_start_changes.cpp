#include "inventory/auto_start_changes.h"

#include <algorithm>
#include <string>

#include "fileinfo/paths.h"

namespace glmx::inventory {

using platform::RegAccess;
using platform::RegRoot;

namespace {

constexpr std::string_view kDisabledSuffix = "_Disabled";
constexpr std::string_view kUnchanged = " Nothing was changed.";

// One change of one entry; Fail tells the user why it did not happen.
class Change {
public:
    Change(const AutoStartSystem& system, platform::UserMessages& messages,
           const TAutoStartProgramInfo& record, std::string_view action)
        : system(system), record(record), messages_(messages), action_(action) {}

    bool Fail(const std::string& reason) {
        messages_.Error("\"" + record.Name + "\" could not be " + std::string(action_) + ": " +
                        reason);
        return false;
    }

    // The registry view the entry was read from.
    platform::Registry& Registry() const {
        return record.bits32 && system.registry32 ? *system.registry32 : system.registry;
    }

    const AutoStartSystem& system;
    const TAutoStartProgramInfo& record;

private:
    platform::UserMessages& messages_;
    std::string_view action_;
};

std::string KeyRefused(RegRoot root, std::string_view keyPath, bool bits32) {
    std::string reason = "the key " + ShownKeyPath(root, keyPath, bits32) + " cannot be changed";
    if (root == RegRoot::LocalMachine)
        reason += " (changing the entries of all users needs administrator rights)";
    return reason + "." + std::string(kUnchanged);
}

std::string StringValue(const platform::RegistryKey& key, std::string_view name) {
    const std::optional<platform::RegData> data = key.QueryValue(name);
    return data ? platform::DecodeStringData(*data) : std::string();
}

// Moves the entry's value, with its type, from one key to another: written to the target
// first, deleted from the source only then, and taken back from the target when the
// source refuses.
bool MoveValue(Change& change, const std::string& from, const std::string& to) {
    const TAutoStartProgramInfo& record = change.record;
    platform::Registry& registry = change.Registry();
    const auto source = registry.OpenKey(record.root, from, RegAccess::ReadWrite);
    if (!source) return change.Fail(KeyRefused(record.root, from, record.bits32));
    const std::optional<platform::RegData> data = source->QueryValue(record.Name);
    if (!data)
        return change.Fail("it is no longer in " + ShownKeyPath(record.root, from, record.bits32) +
                           ".");
    const auto target = registry.CreateKey(record.root, to);
    if (!target) return change.Fail(KeyRefused(record.root, to, record.bits32));
    const std::optional<platform::RegData> existing = target->QueryValue(record.Name);
    if (existing && *existing != *data)
        return change.Fail("another entry of that name is in " +
                           ShownKeyPath(record.root, to, record.bits32) + "." +
                           std::string(kUnchanged));
    if (!existing && !target->SetValue(record.Name, *data))
        return change.Fail(KeyRefused(record.root, to, record.bits32));
    if (!source->DeleteValue(record.Name)) {
        if (!existing) target->DeleteValue(record.Name);
        return change.Fail(KeyRefused(record.root, from, record.bits32));
    }
    return true;
}

// Turns the system's own switch of the entry back on; true when it is on.
bool ClearApproval(Change& change) {
    const std::optional<StartupApproval>& approval = change.record.approval;
    if (!approval) return true;
    const auto key =
        change.system.registry.OpenKey(approval->root, approval->key, RegAccess::ReadWrite);
    if (!key) {
        return !change.system.registry.OpenKey(approval->root, approval->key, RegAccess::Read)
                   ? true  // no switch at all
                   : change.Fail(KeyRefused(approval->root, approval->key, false));
    }
    std::optional<platform::RegData> data = key->QueryValue(approval->valueName);
    if (!data || !ApprovalSwitchesOff(*data)) return true;
    data->bytes[0] &= 0xFE;
    return key->SetValue(approval->valueName, *data) ||
           change.Fail(KeyRefused(approval->root, approval->key, false));
}

std::string ParkedRecordKey(std::string_view subKey) {
    return std::string(kStartupFolderKey) + "\\" + std::string(subKey);
}

std::string ShownParkedKey() {
    return ShownKeyPath(RegRoot::LocalMachine, kStartupFolderKey, false);
}

// A shortcut is parked as the system configuration utility parks one, so both see
// the same state: a record below the startupfolder key, the file in "pss".
bool ParkShortcut(Change& change) {
    const TAutoStartProgramInfo& record = change.record;
    platform::FileSystem& files = change.system.files;
    platform::Registry& registry = change.system.registry;
    std::string subKey = record.Path;
    std::replace(subKey.begin(), subKey.end(), '\\', '^');
    const std::string recordKey = ParkedRecordKey(subKey);
    const std::string pss = files.WindowsFolder() + "\\pss";
    const std::string backup = pss + "\\" + fileinfo::FileNamePart(record.Path) + record.Location;

    if (!files.FileExists(record.Path))
        return change.Fail("the shortcut " + record.Path + " is no longer there.");
    if (registry.OpenKey(RegRoot::LocalMachine, recordKey, RegAccess::Query))
        return change.Fail("a disabled entry for " + record.Path + " is in " + ShownParkedKey() +
                           " already." + std::string(kUnchanged));
    if (files.FileExists(backup))
        return change.Fail("the file " + backup + " is there already." + std::string(kUnchanged));
    if (!files.MakeDirectory(pss))
        return change.Fail("the folder " + pss + " could not be created." +
                           std::string(kUnchanged));

    const auto key = registry.CreateKey(RegRoot::LocalMachine, recordKey);
    const std::pair<std::string_view, const std::string*> values[] = {
        {"backup", &backup},
        {"command", &record.Command},
        {"item", &record.Name},
        {"location", &record.Location},
        {"path", &record.Path}};
    bool written = key != nullptr;
    for (const auto& [name, text] : values)
        written = written && key->SetValue(name, platform::MakeStringData(*text));
    std::string failure;
    if (!written)
        failure = KeyRefused(RegRoot::LocalMachine, kStartupFolderKey, false);
    else if (!files.MoveFileTo(record.Path, backup))
        failure = "the shortcut could not be moved to " + backup + "." + std::string(kUnchanged);
    else
        return true;
    if (key && !registry.DeleteKeyTree(RegRoot::LocalMachine, recordKey))
        failure += " Its record below " + ShownParkedKey() + " could not be removed again.";
    return change.Fail(failure);
}

bool RestoreShortcut(Change& change) {
    const TAutoStartProgramInfo& record = change.record;
    platform::FileSystem& files = change.system.files;
    platform::Registry& registry = change.system.registry;
    const std::string recordKey = ParkedRecordKey(record.MsconfigKey);
    const auto key = registry.OpenKey(RegRoot::LocalMachine, recordKey, RegAccess::Read);
    if (record.MsconfigKey.empty() || !key)
        return change.Fail("its record below " + ShownParkedKey() + " is no longer there.");
    // The file lies at the backup path as far as its location's name.
    const std::string location = StringValue(*key, "location");
    std::string source = record.Backup;
    if (const size_t at = source.find(location); !location.empty() && at != std::string::npos)
        source = source.substr(0, at) + location;
    if (files.FileExists(record.Path))
        return change.Fail("a file " + record.Path + " is there already." +
                           std::string(kUnchanged));
    if (!files.MoveFileTo(source, record.Path))
        return change.Fail("the shortcut could not be moved from " + source + " to " + record.Path +
                           "." + std::string(kUnchanged));
    if (!registry.DeleteKeyTree(RegRoot::LocalMachine, recordKey)) {
        files.MoveFileTo(record.Path, source);
        return change.Fail(KeyRefused(RegRoot::LocalMachine, kStartupFolderKey, false));
    }
    return true;
}

bool IsRegistryEntry(const TAutoStartProgramInfo& record) {
    return record.StartType == kRegistrySection;
}

// Switched off by this program or the configuration utility, not only by the system.
bool IsParked(const TAutoStartProgramInfo& record) {
    return IsRegistryEntry(record) ? record.keyPath.find(kDisabledSuffix) != std::string::npos
                                   : !record.MsconfigKey.empty();
}

bool Disable(Change& change) {
    if (IsRegistryEntry(change.record))
        return MoveValue(change, change.record.keyPath,
                         change.record.keyPath + std::string(kDisabledSuffix));
    return ParkShortcut(change);
}

bool Enable(Change& change) {
    const TAutoStartProgramInfo& record = change.record;
    if (IsParked(record)) {
        const bool moved =
            IsRegistryEntry(record)
                ? MoveValue(change, record.keyPath,
                            record.keyPath.substr(0, record.keyPath.find(kDisabledSuffix)))
                : RestoreShortcut(change);
        if (!moved) return false;
    }
    return !record.DisabledBySystem || ClearApproval(change);
}

}  // namespace

bool ToggleAutoStart(const AutoStartSystem& system, platform::UserMessages& messages,
                     const TAutoStartProgramInfo& record) {
    if (!IsRegistryEntry(record) && record.StartType != kStartupFolder) return false;
    Change change(system, messages, record, record.Disabled ? "enabled" : "disabled");
    return record.Disabled ? Enable(change) : Disable(change);
}

bool DeleteAutoStart(const AutoStartSystem& system, platform::UserMessages& messages,
                     const TAutoStartProgramInfo& record) {
    Change change(system, messages, record, "deleted");
    platform::FileSystem& files = system.files;
    if (IsRegistryEntry(record)) {
        const auto key =
            change.Registry().OpenKey(record.root, record.keyPath, RegAccess::ReadWrite);
        if (key && !key->QueryValue(record.Name)) return true;  // gone already
        if (!key || !key->DeleteValue(record.Name))
            return change.Fail(KeyRefused(record.root, record.keyPath, record.bits32));
        return true;
    }
    if (record.StartType != kStartupFolder) return false;
    if (!IsParked(record)) {
        return files.RemoveFile(record.Path) ||
               change.Fail("the shortcut " + record.Path + " could not be deleted." +
                           std::string(kUnchanged));
    }
    if (!system.registry.DeleteKeyTree(RegRoot::LocalMachine, ParkedRecordKey(record.MsconfigKey)))
        return change.Fail(KeyRefused(RegRoot::LocalMachine, kStartupFolderKey, false));
    if (files.FileExists(record.Backup) && !files.RemoveFile(record.Backup))
        return change.Fail("its record is removed, but its file " + record.Backup +
                           " could not be deleted.");
    return true;
}

}  // namespace glmx::inventory
