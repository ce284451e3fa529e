#include "inventory/installed_programs.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "info/registry_program_details.h"
#include "inventory/item_actions.h"
#include "inventory/uninstall_command.h"
#include "platform/fake/fake_locale.h"
#include "platform/fake/fake_program_runner.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_system_folders.h"
#include "platform/fake/fake_user_messages.h"
#include "support/slow_info_cache_record.h"

namespace glmx::inventory {
namespace {

using platform::MakeStringData;
using platform::RegData;
using platform::RegRoot;
using platform::RegType;
using platform::RunStatus;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::string_view kMachine = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr std::string_view kUser = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

class InstalledProgramsTest : public ::testing::Test {
protected:
    // An entry below the Uninstall key of a place: "" leaves a value out.
    void Entry(platform::Registry& registry, RegRoot root, const std::string& key,
               const std::string& name, const std::string& uninstall,
               const std::string& icon = "") {
        auto entry = registry.CreateKey(
            root, std::string(root == RegRoot::CurrentUser ? kUser : kMachine) + key);
        if (!name.empty()) entry->SetValue("DisplayName", MakeStringData(name));
        if (!uninstall.empty()) entry->SetValue("UninstallString", MakeStringData(uninstall));
        if (!icon.empty()) entry->SetValue("DisplayIcon", MakeStringData(icon));
    }
    std::vector<std::string> Collected() {
        CollectInstalledPrograms(system, records);
        std::vector<std::string> shown;
        for (const auto& r : records)
            shown.push_back(r.DisplayName + "|" + r.KeyName +
                            (r.root == RegRoot::CurrentUser ? "|user"
                             : r.bits32                     ? "|32"
                                                            : ""));
        return shown;
    }

    platform::FakeRegistry registry;
    platform::FakeRegistry registry32;
    platform::FakeFileSystem files;
    platform::FakeShell shell;
    platform::FakeSystemFolders folders;
    std::string tracked;
    InstalledProgramsSystem system{
        registry, &registry32, files,
        shell,    folders,     [this](const InstalledProgramInfo&) { return tracked; }};
    TInstalledProgramsInfo records;
};

TEST_F(InstalledProgramsTest, ListsOnlyEntriesWithBothStringValuesAndSkipsUnreadableOnes) {
    Entry(registry, RegRoot::LocalMachine, "Good", "Good", "C:\\g.exe");
    Entry(registry, RegRoot::LocalMachine, "Update", "Update KB1", "");
    Entry(registry, RegRoot::LocalMachine, "NoName", "", "C:\\n.exe");
    Entry(registry, RegRoot::LocalMachine, "Denied", "Denied", "C:\\d.exe");
    registry.DenyAccess(RegRoot::LocalMachine, std::string(kMachine) + "Denied");
    Entry(registry, RegRoot::LocalMachine, "Number", "Number", "C:\\x.exe");
    registry
        .OpenKey(RegRoot::LocalMachine, std::string(kMachine) + "Number",
                 platform::RegAccess::ReadWrite)
        ->SetValue("UninstallString", RegData{RegType::Dword, {1, 0, 0, 0}});
    Entry(registry, RegRoot::LocalMachine, "Expand", "Expand", "");
    registry
        .OpenKey(RegRoot::LocalMachine, std::string(kMachine) + "Expand",
                 platform::RegAccess::ReadWrite)
        ->SetValue("UninstallString", MakeStringData("%WINDIR%\\u.exe", RegType::ExpandString));

    EXPECT_THAT(Collected(), ElementsAre("Expand|Expand", "Good|Good"));
    EXPECT_EQ(records[0].UninstallString, "%WINDIR%\\u.exe");  // as stored
}

TEST_F(InstalledProgramsTest, MergesTheThreePlacesSortedByUpperCasedNameKeepingEqualNamesInOrder) {
    Entry(registry, RegRoot::LocalMachine, "k2", "Same", "C:\\a.exe");
    Entry(registry, RegRoot::LocalMachine, "k3", "Same", "C:\\a.exe");
    Entry(registry, RegRoot::LocalMachine, "k9", "ABD", "C:\\a.exe");
    Entry(registry32, RegRoot::LocalMachine, "k1", "Same", "C:\\a.exe");
    Entry(registry32, RegRoot::LocalMachine, "k5", "abc", "C:\\a.exe");
    Entry(registry, RegRoot::CurrentUser, "k0", "Same", "C:\\a.exe");
    Entry(registry, RegRoot::CurrentUser, "k4", "_under", "C:\\a.exe");

    EXPECT_THAT(Collected(), ElementsAre("abc|k5|32", "ABD|k9", "Same|k2", "Same|k3", "Same|k1|32",
                                         "Same|k0|user", "_under|k4|user"));
}

TEST_F(InstalledProgramsTest, IconChainTakesTheFirstSourceThatGivesOne) {
    const std::string installer = "C:\\Windows\\Installer\\App\\";
    struct Case {
        std::string displayIcon, tracked, uninstall;
        std::vector<std::string> existing;
        std::string expected;  // the file asked, "" for none
    } cases[] = {
        {"\"%ProgramFiles%\\App\\app.exe\",0",
         "",
         "C:\\u.exe",
         {},
         "C:\\Program Files\\App\\app.exe"},
        {"C:\\App\\lib.dll,-101", "", "C:\\u.exe", {}, "C:\\App\\lib.dll"},
        {"C:\\App\\app.exe,2", "", "C:\\u.exe", {}, "C:\\App\\app.exe"},
        {"C:\\App\\readme.txt",
         "C:\\App\\main.exe",
         "C:\\u.exe",
         {"C:\\App\\main.exe"},
         "C:\\App\\main.exe"},
        {"",
         "C:\\Gone\\main.exe",
         "\"C:\\App\\unins.exe\" /x",
         {"C:\\App\\unins.exe"},
         "C:\\App\\unins.exe"},
        {"",
         "",
         "C:\\Program Files\\App\\unins.exe /S",
         {"C:\\Program Files\\App\\unins.exe"},
         "C:\\Program Files\\App\\unins.exe"},
        // A bare name is never looked for in the current directory.
        {"",
         "",
         "MsiExec.exe /X{A}",
         {"MSIEXEC.EXE", installer + "ARPPRODUCTICON.exe"},
         installer + "ARPPRODUCTICON.exe"},
        {"",
         "",
         "C:\\Gone\\u.exe",
         {installer + "register_icon.exe"},
         installer + "register_icon.exe"},
        {"", "", "C:\\Gone\\u.exe", {}, ""},
    };
    folders.environment["ProgramFiles"] = "C:\\Program Files";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.displayIcon + "|" + c.tracked + "|" + c.uninstall);
        platform::FakeRegistry fresh;
        platform::FakeFileSystem existing;
        platform::FakeShell icons;
        for (const std::string& file : c.existing) existing.AddFile(file);
        if (!c.expected.empty()) icons.SetIconIndex(c.expected, 7);
        Entry(fresh, RegRoot::CurrentUser, "App", "App", c.uninstall, c.displayIcon);
        tracked = c.tracked;
        const InstalledProgramsSystem place{fresh, nullptr, existing,
                                            icons, folders, system.trackedName};
        CollectInstalledPrograms(place, records);
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(GetInstalledProgramIcon(place, records[0]), c.expected.empty() ? -1 : 7);
    }
}

TEST_F(InstalledProgramsTest, IconOfA32BitEntryIsReadInThe32BitView) {
    Entry(registry32, RegRoot::LocalMachine, "App", "App", "C:\\u.exe", "C:\\A\\a.ico");
    Entry(registry, RegRoot::LocalMachine, "App", "App", "C:\\u.exe");
    shell.SetIconIndex("C:\\A\\a.ico", 4);
    CollectInstalledPrograms(system, records);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(GetInstalledProgramIcon(system, records[0]), -1);
    EXPECT_TRUE(records[1].bits32);
    EXPECT_EQ(GetInstalledProgramIcon(system, records[1]), 4);
}

TEST_F(InstalledProgramsTest, DetailsAndTheCacheAreReadInTheRecordsOwnPlace) {
    const std::string cache =
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache\\App";
    struct Place {
        platform::FakeRegistry& registry;
        RegRoot root;
        bool bits32;
        std::string icon;
    } places[] = {{registry, RegRoot::LocalMachine, false, "machine"},
                  {registry32, RegRoot::LocalMachine, true, "machine32"},
                  {registry, RegRoot::CurrentUser, false, "user"}};
    for (const Place& place : places) {
        Entry(place.registry, place.root, "App", "App", "C:\\u.exe", place.icon);
        place.registry.CreateKey(place.root, cache)
            ->SetValue(
                "SlowInfoCache",
                {RegType::Binary,
                 testing::SlowInfoCacheRecord(
                     0, 0, 0, u"C:\\" + std::u16string(place.icon.begin(), place.icon.end()))});
    }
    platform::FakeLocale locale;
    const info::RegistryProgramDetails details(registry, &registry32, locale);
    for (const Place& place : places) {
        SCOPED_TRACE(place.icon);
        const InstalledProgramInfo record{"App", "App", "C:\\u.exe", place.root, place.bits32};
        const info::TProgramInfoCache values = details.UninstallValues(record);
        ASSERT_EQ(values.size(), 1u);
        EXPECT_EQ(values[0].Value, place.icon);
        EXPECT_EQ(details.CacheInfo(record).trackedName, "C:\\" + place.icon);
    }
}

TEST(ResolveCommandTest, FindsTheProgramWithoutGuessing) {
    platform::FakeFileSystem files;
    for (const char* file : {"C:\\Program.exe", "C:\\Program Files\\Tool\\unins.exe",
                             "C:\\Windows\\system32\\MsiExec.exe", "C:\\Windows\\regedit.exe",
                             "Tool\\unins.exe", "C:\\App\\unins.exe", "C:\\Quoted\\u.exe"})
        files.AddFile(file);
    struct Case {
        std::string command, program, commandLine;  // "" program: none found
    } cases[] = {
        {"C:\\Program Files\\Tool\\unins.exe /S", "C:\\Program Files\\Tool\\unins.exe",
         "\"C:\\Program Files\\Tool\\unins.exe\" /S"},
        {"C:\\Program Files\\Tool\\unins.exe", "C:\\Program Files\\Tool\\unins.exe",
         "\"C:\\Program Files\\Tool\\unins.exe\""},
        {" \"C:\\Quoted\\u.exe\"  /x  a ", "C:\\Quoted\\u.exe", "\"C:\\Quoted\\u.exe\" /x  a"},
        {"MsiExec.exe /X{GUID}", "C:\\Windows\\system32\\MsiExec.exe",
         "\"C:\\Windows\\system32\\MsiExec.exe\" /X{GUID}"},
        {"regedit", "C:\\Windows\\regedit.exe", "\"C:\\Windows\\regedit.exe\""},
        {"C:\\App\\unins.exe  /S", "C:\\App\\unins.exe", "\"C:\\App\\unins.exe\" /S"},
        {"C:\\App\\unins /S", "", ""},
        {"\"C:\\Program Files\\Tool\\gone.exe\" /S", "", ""},
        {"Tool\\unins.exe /S", "", ""},
        {"\"C:\\Quoted\\u.exe", "", ""},
        {"  ", "", ""},
        {"C:\\Program Files\\Tool", "", ""},  // a folder
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        const auto resolved = ResolveCommand(c.command, files, "C:\\Windows\\system32");
        EXPECT_EQ(resolved ? resolved->program : "", c.program);
        EXPECT_EQ(resolved ? resolved->commandLine : "", c.commandLine);
    }
}

class UninstallTest : public InstalledProgramsTest {
protected:
    void SetUp() override {
        files.AddFile("C:\\App\\unins.exe");
        Entry(registry, RegRoot::LocalMachine, "App", "App", "\"C:\\App\\unins.exe\" /S");
        Entry(registry, RegRoot::CurrentUser, "App", "App", "\"C:\\App\\unins.exe\" /S");
        Entry(registry32, RegRoot::LocalMachine, "App", "App", "\"C:\\App\\unins.exe\" /S");
    }
    bool Uninstall(const InstalledProgramInfo& record) {
        return UninstallProgram(system, runner, messages, record);
    }
    bool Exists(platform::FakeRegistry& where, RegRoot root) {
        return where.KeyExists(root, UninstallKeyPath(root) + "\\App");
    }

    InstalledProgramInfo machine{"App", "App", "\"C:\\App\\unins.exe\" /S", RegRoot::LocalMachine,
                                 false};
    platform::FakeProgramRunner runner;
    platform::FakeUserMessages messages;
};

TEST_F(UninstallTest, AfterARunTheEntryTellsWhetherTheProgramIsGone) {
    const auto setUninstall = [this](std::string text) {
        return [this, text] {
            registry
                .OpenKey(RegRoot::LocalMachine, std::string(kMachine) + "App",
                         platform::RegAccess::ReadWrite)
                ->SetValue("UninstallString", MakeStringData(text));
        };
    };
    struct Case {
        std::string name;
        std::function<void()> uninstaller;
        RunStatus status;
        bool removed, entryLeft;
        std::vector<std::string> shown;
    } cases[] = {
        {"removes its key",
         [this] { registry.DeleteKeyTree(RegRoot::LocalMachine, std::string(kMachine) + "App"); },
         RunStatus::Ended,
         true,
         false,
         {}},
        {"empties its command",
         setUninstall(""),
         RunStatus::Ended,
         true,
         false,
         {std::string(kFoundInRegistryCleanedUp)}},
        {"leaves it", [] {}, RunStatus::Ended, false, true, {std::string(kProgramStillInstalled)}},
        {"cannot be waited for",
         [] {},
         RunStatus::WaitFailed,
         false,
         true,
         {std::string(kProgramStillInstalled)}},
        {"takes the list with it",
         [this] {
             registry.DenyAccess(RegRoot::LocalMachine, UninstallKeyPath(RegRoot::LocalMachine));
         },
         RunStatus::Ended,
         false,
         true,
         {std::string(kNothingCleanedUp)}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        messages.shown.clear();
        runner.outcome.status = c.status;
        runner.whileRunning = c.uninstaller;
        EXPECT_EQ(Uninstall(machine), c.removed);
        EXPECT_EQ(messages.shown, c.shown);
        EXPECT_EQ(Exists(registry, RegRoot::LocalMachine), c.entryLeft);
        EXPECT_TRUE(Exists(registry, RegRoot::CurrentUser));  // the same name elsewhere stays
        EXPECT_TRUE(Exists(registry32, RegRoot::LocalMachine));
    }
    EXPECT_EQ(runner.started.back(), "C:\\App\\unins.exe|\"C:\\App\\unins.exe\" /S");
}

TEST_F(UninstallTest, AnUninstallerThatCannotStartLeavesTheEntryUnlessTheUserSaysYes) {
    InstalledProgramInfo user = machine;
    user.root = RegRoot::CurrentUser;
    user.UninstallString = "C:\\Gone\\unins.exe /S";
    messages.answer = false;
    EXPECT_FALSE(Uninstall(user));
    EXPECT_THAT(runner.started, IsEmpty());
    const std::string question = std::string(kUninstallerNotStarted) +
                                 std::string(kUninstallerNotFound) + "\r\n\r\n" +
                                 std::string(kRemoveEntryQuestion);
    EXPECT_THAT(messages.shown, ElementsAre(question));
    EXPECT_TRUE(Exists(registry, RegRoot::CurrentUser));

    messages.shown.clear();
    messages.answer = true;
    EXPECT_TRUE(Uninstall(user));
    EXPECT_THAT(messages.shown, ElementsAre(question, std::string(kUninstallFailedCleanedUp)));
    EXPECT_FALSE(Exists(registry, RegRoot::CurrentUser));
    EXPECT_TRUE(Exists(registry, RegRoot::LocalMachine));

    // The system refusing to start it: its reason is given, the 32-bit entry is the one asked
    // about.
    messages.shown.clear();
    runner.outcome = {RunStatus::NotStarted, "Access is denied.", false};
    registry32.SetReadOnly(true);
    EXPECT_FALSE(Uninstall({"App", "App", machine.UninstallString, RegRoot::LocalMachine, true}));
    EXPECT_THAT(messages.shown,
                ElementsAre(std::string(kUninstallerNotStarted) + "Access is denied.\r\n\r\n" +
                                std::string(kRemoveEntryQuestion),
                            std::string(kEntryNotRemoved)));
    EXPECT_TRUE(Exists(registry32, RegRoot::LocalMachine));
}

// A list with rows tied to records by position, and the status line.
struct Rows final : RecordRows, RowTies, StatusLine {
    void BeginFill() override {}
    void EndFill() override {}
    void RemoveAllRows() override { rows.clear(); }
    void AddRecordRow(const std::vector<std::string>& cells, int image, bool,
                      size_t record) override {
        rows.push_back({cells[0] + "|" + std::to_string(image), record});
    }
    int RowCount() const override { return static_cast<int>(rows.size()); }
    long long RowRecord(int row) const override {
        return static_cast<long long>(rows[static_cast<size_t>(row)].second);
    }
    void SetRowRecord(int row, size_t record) override {
        rows[static_cast<size_t>(row)].second = record;
    }
    int SelectedRow() const override { return selected; }
    void SelectRow(int row) override { selected = row; }
    void DeleteRow(int row) override { rows.erase(rows.begin() + row); }
    void Focus() override { focused = true; }
    void SetStatusText(std::string_view text) override { status = text; }
    std::vector<std::pair<std::string, size_t>> rows;
    int selected = -1;
    bool focused = false;
    std::string status;
};

TEST_F(InstalledProgramsTest, RemovingARowReTiesTheRestAndSelectsTheSamePlace) {
    for (const char* name : {"A", "B", "C"})
        Entry(registry, RegRoot::LocalMachine, name, name, "C:\\u.exe");
    CollectInstalledPrograms(system, records);
    Rows list;
    FillInstalledList(list, list, list, records, system, FillMode::Adding);
    EXPECT_THAT(list.rows, ElementsAre(std::pair<std::string, size_t>{"A|-1", 0},
                                       std::pair<std::string, size_t>{"B|-1", 1},
                                       std::pair<std::string, size_t>{"C|-1", 2}));
    EXPECT_EQ(list.selected, 0);
    EXPECT_TRUE(list.focused);
    EXPECT_EQ(list.status, "3 installed programs");

    const auto remove = [&](int row) {
        RemoveRecordAndRow(
            list, row, [&] { records.erase(records.begin() + row); },
            [&] { FillInstalledList(list, list, list, records, system, FillMode::Retying); }, {});
    };
    remove(1);
    EXPECT_THAT(list.rows, ElementsAre(std::pair<std::string, size_t>{"A|-1", 0},
                                       std::pair<std::string, size_t>{"C|-1", 1}));
    EXPECT_EQ(list.selected, 1);
    EXPECT_EQ(list.status, "2 installed programs");
    remove(1);
    EXPECT_EQ(list.selected, 0);
    remove(0);
    EXPECT_EQ(list.selected, 0);  // nothing left to select
    EXPECT_EQ(list.status, "0 installed programs");
}

}  // namespace
}  // namespace glmx::inventory
