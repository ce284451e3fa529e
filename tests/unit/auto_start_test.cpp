// The auto-start entries: their sources, order and list, and changes that lose nothing.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "inventory/auto_start.h"
#include "inventory/auto_start_changes.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_user_messages.h"

namespace glmx::inventory {
namespace {

using platform::MakeStringData;
using platform::RegData;
using platform::RegRoot;
using platform::RegType;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::SizeIs;

constexpr std::string_view kHkcuRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::string_view kHklmRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::string_view kApproved =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\";
constexpr std::string_view kUserStartup = "C:\\Users\\u\\Startup";

struct Rows final : RecordRows, StatusLine {
    void BeginFill() override {}
    void RemoveAllRows() override { rows.clear(); }
    void EndFill() override {}
    void AddRecordRow(const std::vector<std::string>& cells, int, bool marked,
                      size_t record) override {
        rows.push_back(cells[0] + "|" + cells[3] + (marked ? "|marked>" : ">") +
                       std::to_string(record));
    }
    void SelectRow(int row) override { selected = row; }
    void Focus() override {}
    void SetStatusText(std::string_view text) override { status = text; }
    std::vector<std::string> rows;
    int selected = -1;
    std::string status;
};

class AutoStartTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto folders = registry.CreateKey(
            RegRoot::CurrentUser,
            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
        folders->SetValue("Startup", MakeStringData(kUserStartup));
        files.AddDirectory(std::string(kUserStartup));
    }
    void Set(platform::Registry& where, RegRoot root, std::string_view key, std::string_view name,
             const RegData& data) {
        where.CreateKey(root, key)->SetValue(name, data);
    }
    std::optional<RegData> Value(platform::Registry& where, RegRoot root, std::string_view key,
                                 std::string_view name) {
        const auto opened = where.OpenKey(root, key, platform::RegAccess::Read);
        return opened ? opened->QueryValue(name) : std::nullopt;
    }
    void Collect() { CollectAutoStartPrograms(system, records); }
    const TAutoStartProgramInfo& Record(std::string_view name) {
        for (const TAutoStartProgramInfo& record : records)
            if (record.Name == name) return record;
        throw std::runtime_error("no record " + std::string(name));
    }
    bool Toggle(std::string_view name) {
        Collect();
        return ToggleAutoStart(system, messages, Record(name));
    }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (const auto& record : records)
            names.push_back(record.Name + (record.Disabled ? "-" : "+"));
        return names;
    }
    void AddShortcut(const std::string& name) {
        files.AddFile(std::string(kUserStartup) + "\\" + name);
        shell.SetShortcutTarget(std::string(kUserStartup) + "\\" + name, "C:\\TOOL\\TOOL.EXE");
    }

    platform::FakeRegistry registry, registry32;
    platform::FakeFileSystem files;
    platform::FakeShell shell;
    platform::FakeUserMessages messages;
    AutoStartSystem system{registry, &registry32, files, shell};
    TAutoStartProgramsInfo records;
};

TEST_F(AutoStartTest, ListsEverySourceSortedByNameWithEqualNamesInSourceOrder) {
    Set(registry, RegRoot::CurrentUser, kHkcuRun, "same", MakeStringData("user.exe"));
    Set(registry, RegRoot::CurrentUser, kHkcuRun, "abd",
        MakeStringData("%ProgramFiles%\\a.exe", RegType::ExpandString));
    Set(registry, RegRoot::CurrentUser, kHkcuRun, "number", RegData{RegType::Dword, {1, 0, 0, 0}});
    Set(registry, RegRoot::LocalMachine, kHklmRun, "same", MakeStringData("machine.exe"));
    Set(registry32, RegRoot::LocalMachine, kHklmRun, "same", MakeStringData("machine32.exe"));
    for (const char* name : {"zz", "Zeta"})
        Set(registry, RegRoot::LocalMachine,
            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce_Disabled", name,
            MakeStringData("z.exe"));
    Set(registry, RegRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
        "ABC", MakeStringData("abc.exe"));
    AddShortcut("Tool.lnk");
    files.AddFile(std::string(kUserStartup) + "\\readme.txt");
    const std::string parked = std::string(kStartupFolderKey) + "\\C:^Users^u^Startup^Old.lnk";
    for (const auto& [name, text] : {std::pair{"Item", "Old"},
                                     {"Command", "C:\\OLD.EXE"},
                                     {"location", "Startup"},
                                     {"Backup", "C:\\W\\pss\\Old.lnkStartup"},
                                     {"Path", "C:\\Users\\u\\Startup\\Old.lnk"}})
        Set(registry, RegRoot::LocalMachine, parked, name, MakeStringData(text));

    const int writes = registry.WriteCount();
    Collect();
    EXPECT_EQ(registry.WriteCount(), writes);  // only read
    EXPECT_THAT(Names(), ElementsAre("ABC+", "abd+", "Old-", "same+", "same+", "same+", "Tool+",
                                     "Zeta-", "zz-"));
    EXPECT_EQ(records[1].Command, "%ProgramFiles%\\a.exe");  // as stored, not expanded
    EXPECT_EQ(records[3].Location, "HKEY_CURRENT_USER\\" + std::string(kHkcuRun));
    EXPECT_EQ(records[4].Location, "HKEY_LOCAL_MACHINE\\" + std::string(kHklmRun));
    EXPECT_EQ(records[5].Location,
              "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run");
    EXPECT_TRUE(records[5].bits32);
    const TAutoStartProgramInfo& tool = Record("Tool");
    EXPECT_EQ(tool.Path, "C:\\Users\\u\\Startup\\Tool.lnk");
    EXPECT_EQ(tool.Command, "C:\\TOOL\\TOOL.EXE");
    EXPECT_EQ(tool.Location, "Startup");
    EXPECT_EQ(tool.StartType, "Startup Folder");
    const TAutoStartProgramInfo& old = Record("Old");
    EXPECT_EQ(old.MsconfigKey, "C:^Users^u^Startup^Old.lnk");
    EXPECT_EQ(old.Backup, "C:\\W\\pss\\Old.lnkStartup");
    EXPECT_EQ(old.Location, "Startup");
}

TEST_F(AutoStartTest, TheSystemsOwnSwitchDisablesItsEntryOnly) {
    Set(registry, RegRoot::CurrentUser, kHkcuRun, "same", MakeStringData("user.exe"));
    Set(registry, RegRoot::LocalMachine, kHklmRun, "same", MakeStringData("machine.exe"));
    Set(registry32, RegRoot::LocalMachine, kHklmRun, "same", MakeStringData("machine32.exe"));
    AddShortcut("Tool.lnk");
    const RegData off{RegType::Binary, {3, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8}};
    Set(registry, RegRoot::CurrentUser, std::string(kApproved) + "Run", "same", off);
    Set(registry, RegRoot::LocalMachine, std::string(kApproved) + "Run32", "same", off);
    Set(registry, RegRoot::LocalMachine, std::string(kApproved) + "Run", "same",
        RegData{RegType::Binary, {2, 0, 0, 0}});
    Set(registry, RegRoot::CurrentUser, std::string(kApproved) + "StartupFolder", "Tool.lnk", off);
    Collect();
    EXPECT_THAT(Names(), ElementsAre("same-", "same+", "same-", "Tool-"));

    // Enabling clears the switch and moves nothing.
    EXPECT_TRUE(ToggleAutoStart(system, messages, records[0]));
    EXPECT_EQ(Value(registry, RegRoot::CurrentUser, std::string(kApproved) + "Run", "same")->bytes,
              (std::vector<std::uint8_t>{2, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(Value(registry, RegRoot::CurrentUser, kHkcuRun, "same"), MakeStringData("user.exe"));
    EXPECT_TRUE(ToggleAutoStart(system, messages, Record("Tool")));
    EXPECT_TRUE(files.FileExists("C:\\Users\\u\\Startup\\Tool.lnk"));
    Collect();
    EXPECT_THAT(Names(), ElementsAre("same+", "same+", "same-", "Tool+"));
    EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(AutoStartTest, FilterChoosesRowsTiedToTheirRecordsAndSaysHowMany) {
    Set(registry, RegRoot::CurrentUser, kHkcuRun, "a", MakeStringData("a.exe"));
    Set(registry, RegRoot::CurrentUser, std::string(kHkcuRun) + "_Disabled", "b",
        MakeStringData("b.exe"));
    Set(registry, RegRoot::CurrentUser, kHkcuRun, "c", MakeStringData("c.exe"));
    Collect();
    Rows rows;
    FillAutoStartList(rows, rows, records, 0, shell);
    EXPECT_THAT(rows.rows, ElementsAre("a|Enabled>0", "b|Disabled|marked>1", "c|Enabled>2"));
    EXPECT_EQ(rows.status, "3 auto-start program(s)");
    EXPECT_EQ(rows.selected, 0);
    FillAutoStartList(rows, rows, records, 1, shell);
    EXPECT_THAT(rows.rows, ElementsAre("a|Enabled>0", "c|Enabled>2"));
    EXPECT_EQ(rows.status, "2 enabled auto-start program(s)");
    FillAutoStartList(rows, rows, records, 2, shell);
    EXPECT_THAT(rows.rows, ElementsAre("b|Disabled|marked>1"));
    records.erase(records.begin() + 1);
    rows.selected = -1;
    FillAutoStartList(rows, rows, records, 2, shell);
    EXPECT_THAT(rows.rows, IsEmpty());
    EXPECT_EQ(rows.selected, -1);
    EXPECT_EQ(rows.status, "0 disabled auto-start program(s)");
}

TEST_F(AutoStartTest, DisableAndEnableMoveTheValueWithItsType) {
    const RegData command = MakeStringData("%ProgramFiles%\\Tool\\tool.exe", RegType::ExpandString);
    const std::string runOnce = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
    Set(registry, RegRoot::LocalMachine, runOnce, "Tool", command);
    Set(registry, RegRoot::LocalMachine, runOnce, "Other", MakeStringData("o.exe"));
    EXPECT_TRUE(Toggle("Tool"));
    EXPECT_EQ(Value(registry, RegRoot::LocalMachine, runOnce + "_Disabled", "Tool"), command);
    EXPECT_FALSE(Value(registry, RegRoot::LocalMachine, runOnce, "Tool"));
    EXPECT_TRUE(Toggle("Tool"));
    EXPECT_EQ(Value(registry, RegRoot::LocalMachine, runOnce, "Tool"), command);
    EXPECT_FALSE(Value(registry, RegRoot::LocalMachine, runOnce + "_Disabled", "Tool"));
    EXPECT_TRUE(Value(registry, RegRoot::LocalMachine, runOnce, "Other"));

    // The 32-bit view's entries change in that view.
    Set(registry32, RegRoot::LocalMachine, kHklmRun, "Tool32", MakeStringData("t.exe"));
    EXPECT_TRUE(Toggle("Tool32"));
    EXPECT_TRUE(
        Value(registry32, RegRoot::LocalMachine, std::string(kHklmRun) + "_Disabled", "Tool32"));
    EXPECT_FALSE(registry.KeyExists(RegRoot::LocalMachine, std::string(kHklmRun) + "_Disabled"));
    EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(AutoStartTest, ARefusedRegistryChangeLeavesTheEntryAndSaysWhy) {
    const std::string disabled = std::string(kHklmRun) + "_Disabled";
    Set(registry, RegRoot::LocalMachine, kHklmRun, "Tool", MakeStringData("t.exe"));
    registry.DenyAccess(RegRoot::LocalMachine, disabled);
    EXPECT_FALSE(Toggle("Tool"));
    EXPECT_EQ(Value(registry, RegRoot::LocalMachine, kHklmRun, "Tool"), MakeStringData("t.exe"));
    ASSERT_THAT(messages.shown, SizeIs(1));
    EXPECT_THAT(messages.shown[0], HasSubstr("\"Tool\" could not be disabled: the key "
                                             "HKEY_LOCAL_MACHINE\\" +
                                             disabled));
    EXPECT_THAT(messages.shown[0], HasSubstr("administrator rights"));

    // A disabled entry of the same name and another command is never overwritten.
    const std::string userDisabled = std::string(kHkcuRun) + "_Disabled";
    Set(registry, RegRoot::CurrentUser, kHkcuRun, "Mine", MakeStringData("new.exe"));
    Set(registry, RegRoot::CurrentUser, userDisabled, "Mine", MakeStringData("old.exe"));
    EXPECT_FALSE(Toggle("Mine"));
    EXPECT_EQ(Value(registry, RegRoot::CurrentUser, kHkcuRun, "Mine"), MakeStringData("new.exe"));
    EXPECT_EQ(Value(registry, RegRoot::CurrentUser, userDisabled, "Mine"),
              MakeStringData("old.exe"));

    // A read-only registry still lists everything.
    registry.SetReadOnly(true);
    Collect();
    EXPECT_THAT(records, SizeIs(3));
    EXPECT_FALSE(DeleteAutoStart(system, messages, Record("Tool")));
    EXPECT_TRUE(Value(registry, RegRoot::LocalMachine, kHklmRun, "Tool"));
}

TEST_F(AutoStartTest, AShortcutIsParkedInPssWithItsRecordAndRestoredOnlyWhenNothingBlocks) {
    AddShortcut("Tool.lnk");
    files.SetWindowsFolder("C:\\W");
    EXPECT_TRUE(Toggle("Tool"));
    EXPECT_FALSE(files.FileExists("C:\\Users\\u\\Startup\\Tool.lnk"));
    EXPECT_TRUE(files.FileExists("C:\\W\\pss\\Tool.lnkStartup"));  // "pss" made for it
    const std::string recordKey = std::string(kStartupFolderKey) + "\\C:^Users^u^Startup^Tool.lnk";
    EXPECT_EQ(Value(registry, RegRoot::LocalMachine, recordKey, "backup"),
              MakeStringData("C:\\W\\pss\\Tool.lnkStartup"));
    EXPECT_EQ(Value(registry, RegRoot::LocalMachine, recordKey, "command"),
              MakeStringData("C:\\TOOL\\TOOL.EXE"));
    Collect();
    EXPECT_THAT(Names(), ElementsAre("Tool-"));  // parked exactly once

    files.AddFile("C:\\Users\\u\\Startup\\Tool.lnk");  // another file took its place
    EXPECT_FALSE(Toggle("Tool"));
    EXPECT_TRUE(files.FileExists("C:\\W\\pss\\Tool.lnkStartup"));
    files.RemoveFile("C:\\Users\\u\\Startup\\Tool.lnk");
    Collect();
    registry.SetReadOnly(true);
    EXPECT_FALSE(ToggleAutoStart(system, messages, Record("Tool")));  // the record cannot go
    registry.SetReadOnly(false);
    EXPECT_TRUE(files.FileExists("C:\\W\\pss\\Tool.lnkStartup"));
    EXPECT_FALSE(files.FileExists("C:\\Users\\u\\Startup\\Tool.lnk"));

    EXPECT_TRUE(Toggle("Tool"));
    EXPECT_TRUE(files.FileExists("C:\\Users\\u\\Startup\\Tool.lnk"));
    EXPECT_FALSE(files.FileExists("C:\\W\\pss\\Tool.lnkStartup"));
    EXPECT_FALSE(registry.KeyExists(RegRoot::LocalMachine, recordKey));
    EXPECT_THAT(messages.shown, SizeIs(2));  // the two failures only
}

TEST_F(AutoStartTest, AFailedParkingLeavesTheShortcutActiveAndNoRecord) {
    AddShortcut("Tool.lnk");
    const auto failsIn = [&](const char* windows) {
        files.SetWindowsFolder(windows);
        EXPECT_FALSE(Toggle("Tool"));
        Collect();
        EXPECT_THAT(Names(), ElementsAre("Tool+"));
        EXPECT_TRUE(files.FileExists("C:\\Users\\u\\Startup\\Tool.lnk"));
    };
    files.Refuse("C:\\W\\pss\\Tool.lnkStartup");  // the move fails
    failsIn("C:\\W");
    EXPECT_THAT(messages.shown.back(),
                HasSubstr("could not be moved to C:\\W\\pss\\Tool.lnkStartup"));
    files.Refuse("C:\\X\\pss");  // "pss" cannot be made
    failsIn("C:\\X");
    EXPECT_THAT(messages.shown.back(), HasSubstr("C:\\X\\pss could not be created"));
    registry.DenyAccess(RegRoot::LocalMachine, kStartupFolderKey);
    failsIn("C:\\W2");
    EXPECT_THAT(messages.shown, SizeIs(3));
}

TEST_F(AutoStartTest, DeleteRemovesValueShortcutOrParkedFileAndRecord) {
    Set(registry, RegRoot::CurrentUser, kHkcuRun, "Value", MakeStringData("v.exe"));
    AddShortcut("Active.lnk");
    AddShortcut("Parked.lnk");
    files.SetWindowsFolder("C:\\W");
    ASSERT_TRUE(Toggle("Parked"));
    Collect();
    for (const TAutoStartProgramInfo& record : TAutoStartProgramsInfo(records))
        EXPECT_TRUE(DeleteAutoStart(system, messages, record)) << record.Name;
    Collect();
    EXPECT_THAT(records, IsEmpty());
    EXPECT_FALSE(files.FileExists("C:\\W\\pss\\Parked.lnkStartup"));
    EXPECT_TRUE(registry.KeyExists(RegRoot::LocalMachine, kStartupFolderKey));

    AddShortcut("Locked.lnk");
    files.Refuse("C:\\Users\\u\\Startup\\Locked.lnk");
    Collect();
    EXPECT_FALSE(DeleteAutoStart(system, messages, records[0]));
    EXPECT_THAT(messages.shown, ElementsAre(HasSubstr("\"Locked\" could not be deleted")));
}

}  // namespace
}  // namespace glmx::inventory
