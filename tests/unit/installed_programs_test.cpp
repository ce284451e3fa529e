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
    for (const auto& [name, data] :
         {std::pair{"Number", RegData{RegType::Dword, {1, 0, 0, 0}}},
          {"Expand", MakeStringData("%WINDIR%\\u.exe", RegType::ExpandString)}}) {
        Entry(registry, RegRoot::LocalMachine, name, name, "");
        registry.CreateKey(RegRoot::LocalMachine, std::string(kMachine) + name)
            ->SetValue("UninstallString", data);
    }
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
    const std::string msi = "C:\\Windows\\Installer\\App\\ARPPRODUCTICON.exe";
    const std::string registered = "C:\\Windows\\Installer\\App\\register_icon.exe";
    struct Case {
        std::string displayIcon, tracked, uninstall;
        std::vector<std::string> existing;
        std::string expected;  // the file asked, "" for none
    } cases[] = {
        {"\"%ProgramFiles%\\A\\a.exe\",0", "", "C:\\u.exe", {}, "C:\\P F\\A\\a.exe"},
        {"C:\\A\\lib.dll,-101", "", "C:\\u.exe", {}, "C:\\A\\lib.dll"},
        {"C:\\A\\a.exe,2", "", "C:\\u.exe", {}, "C:\\A\\a.exe"},
        {"C:\\A\\readme.txt", "C:\\A\\m.exe", "C:\\u.exe", {"C:\\A\\m.exe"}, "C:\\A\\m.exe"},
        {"", "C:\\Gone\\m.exe", "\"C:\\A\\u.exe\" /x", {"C:\\A\\u.exe"}, "C:\\A\\u.exe"},
        {"", "", "C:\\P F\\u.exe /S", {"C:\\P F\\u.exe"}, "C:\\P F\\u.exe"},
        // A bare name is never looked for in the current directory.
        {"", "", "MsiExec.exe /X{A}", {"MSIEXEC.EXE", msi}, msi},
        {"", "", "C:\\Gone\\u.exe", {registered}, registered},
        {"", "", "C:\\Gone\\u.exe", {}, ""},
    };
    folders.environment["ProgramFiles"] = "C:\\P F";
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
        const InstalledProgramInfo record{"App", "App", "C:\\u.exe", place.root, place.bits32, ""};
        const info::TProgramInfoCache values = details.UninstallValues(record);
        ASSERT_EQ(values.size(), 1u);
        EXPECT_EQ(values[0].Value, place.icon);
        EXPECT_EQ(details.CacheInfo(record).trackedName, "C:\\" + place.icon);
    }
}

TEST(ResolveCommandTest, FindsTheProgramWithoutGuessing) {
    platform::FakeFileSystem files;
    for (const char* file :
         {"C:\\P.exe", "C:\\P F\\T\\unins.exe", "C:\\Windows\\system32\\MsiExec.exe",
          "C:\\Windows\\regedit.exe", "Tool\\unins.exe", "C:\\App\\unins.exe", "C:\\Quoted\\u.exe"})
        files.AddFile(file);
    struct Case {
        std::string command, program, commandLine;  // "" program: none found
    } cases[] = {
        {"C:\\P F\\T\\unins.exe /S", "C:\\P F\\T\\unins.exe", "\"C:\\P F\\T\\unins.exe\" /S"},
        {"C:\\P F\\T\\unins.exe", "C:\\P F\\T\\unins.exe", "\"C:\\P F\\T\\unins.exe\""},
        {" \"C:\\Quoted\\u.exe\"  /x  a ", "C:\\Quoted\\u.exe", "\"C:\\Quoted\\u.exe\" /x  a"},
        {"MsiExec.exe /X{GUID}", "C:\\Windows\\system32\\MsiExec.exe",
         "\"C:\\Windows\\system32\\MsiExec.exe\" /X{GUID}"},
        {"regedit", "C:\\Windows\\regedit.exe", "\"C:\\Windows\\regedit.exe\""},
        {"C:\\App\\unins.exe  /S", "C:\\App\\unins.exe", "\"C:\\App\\unins.exe\" /S"},
        {"C:\\App\\unins /S", "", ""},
        {"\"C:\\P F\\T\\gone.exe\" /S", "", ""},
        {"Tool\\unins.exe /S", "", ""},
        {"\"C:\\Quoted\\u.exe", "", ""},
        {"  ", "", ""},
        {"C:\\P F\\T", "", ""},  // a folder
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
        Entry(registry, RegRoot::LocalMachine, "App", "App", machine.UninstallString);
        Entry(registry, RegRoot::CurrentUser, "App", "App", machine.UninstallString);
        Entry(registry32, RegRoot::LocalMachine, "App", "App", machine.UninstallString);
    }
    bool Uninstall(const InstalledProgramInfo& record) {
        return UninstallProgram(system, runner, messages, record);
    }
    bool Exists(platform::FakeRegistry& where, RegRoot root) {
        return where.KeyExists(root, UninstallKeyPath(root) + "\\App");
    }

    InstalledProgramInfo machine{"App", "App", "\"C:\\App\\unins.exe\" /S", RegRoot::LocalMachine,
                                 false, ""};
    platform::FakeProgramRunner runner;
    platform::FakeUserMessages messages;
};

TEST_F(UninstallTest, AfterARunTheEntryTellsWhetherTheProgramIsGone) {
    const std::string entry = std::string(kMachine) + "App";
    const auto removeKey = [&] { registry.DeleteKeyTree(RegRoot::LocalMachine, entry); };
    const auto emptyCommand = [&] {
        registry.CreateKey(RegRoot::LocalMachine, entry)
            ->SetValue("UninstallString", MakeStringData(""));
    };
    const auto hideList = [&] {
        registry.DenyAccess(RegRoot::LocalMachine, UninstallKeyPath(RegRoot::LocalMachine));
    };
    struct Case {
        std::function<void()> uninstaller;
        RunStatus status;
        bool removed;
        std::string_view shown;  // "" for nothing
    } cases[] = {
        {removeKey, RunStatus::Ended, true, ""},
        {emptyCommand, RunStatus::Ended, true, kFoundInRegistryCleanedUp},
        {[] {}, RunStatus::Ended, false, kProgramStillInstalled},
        {[] {}, RunStatus::WaitFailed, false, kProgramStillInstalled},
        {hideList, RunStatus::Ended, false, kNothingCleanedUp},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        SetUp();
        messages.shown.clear();
        runner.outcome.status = c.status;
        runner.whileRunning = c.uninstaller;
        EXPECT_EQ(Uninstall(machine), c.removed);
        EXPECT_EQ(messages.shown, c.shown.empty() ? std::vector<std::string>{}
                                                  : std::vector<std::string>{std::string(c.shown)});
        EXPECT_NE(Exists(registry, RegRoot::LocalMachine), c.removed);
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

    // The system's reason is given; the 32-bit entry is the one asked about.
    messages.shown.clear();
    runner.outcome = {RunStatus::NotStarted, "Access is denied.", false};
    registry32.SetReadOnly(true);
    EXPECT_FALSE(
        Uninstall({"App", "App", machine.UninstallString, RegRoot::LocalMachine, true, ""}));
    EXPECT_THAT(messages.shown,
                ElementsAre(std::string(kUninstallerNotStarted) + "Access is denied.\r\n\r\n" +
                                std::string(kRemoveEntryQuestion),
                            std::string(kEntryNotRemoved)));
    EXPECT_TRUE(Exists(registry32, RegRoot::LocalMachine));
}

// Rows as "caption|image" tied to a record, and the status line.
struct Rows final : RecordRows, RowTies, StatusLine {
    void BeginFill() override {}
    void EndFill() override {}
    void RemoveAllRows() override { rows.clear(); }
    void AddRecordRow(const std::vector<std::string>& cells, int image, bool, size_t i) override {
        rows.push_back({cells[0] + "|" + std::to_string(image), i});
    }
    int RowCount() const override { return static_cast<int>(rows.size()); }
    long long RowRecord(int row) const override {
        return static_cast<long long>(rows[static_cast<size_t>(row)].second);
    }
    void SetRowRecord(int row, size_t i) override { rows[static_cast<size_t>(row)].second = i; }
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

TEST_F(InstalledProgramsTest, FillingAddsRowsAndRetyingAfterARemovalRenumbersThem) {
    for (const char* name : {"A", "B", "C"})
        Entry(registry, RegRoot::LocalMachine, name, name, "C:\\u.exe");
    CollectInstalledPrograms(system, records);
    Rows list;
    FillInstalledList(list, list, list, records, system, FillMode::Adding);
    EXPECT_EQ(list.rows, (decltype(list.rows){{"A|-1", 0}, {"B|-1", 1}, {"C|-1", 2}}));
    EXPECT_EQ(list.selected, 0);
    EXPECT_TRUE(list.focused);
    EXPECT_EQ(list.status, "3 installed programs");

    RemoveRecordAndRow(
        list, 1, [&] { records.erase(records.begin() + 1); },
        [&] { FillInstalledList(list, list, list, records, system, FillMode::Retying); }, {});
    EXPECT_EQ(list.rows, (decltype(list.rows){{"A|-1", 0}, {"C|-1", 1}}));
    EXPECT_EQ(list.status, "2 installed programs");
}

}  // namespace
}  // namespace glmx::inventory
