// Collecting processes and applications against fake processes, windows and
// version resources.
#include "inventory/running_programs.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "inventory/os_version.h"
#include "inventory/running_applications.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/fake_version_resources.h"

namespace glmx::inventory {
namespace {

using platform::FixedFileInfo;
using platform::MakeTranslation;
using ::testing::ElementsAre;

constexpr std::uint32_t kEnglish = MakeTranslation(0x0409, 0x04B0);
const platform::OsVersionNumbers kXp{2, 5, 1}, kWin98{1, 4, 10}, kWin10{2, 10, 0}, kWin7{2, 6, 1};

TEST(OsVersion, ClassifiesExactlyTheTabledVersionsAndCurrentWindowsCollectsAsNT) {
    // clang-format off
    const std::pair<platform::OsVersionNumbers, std::optional<OsVersionKind>> cases[] = {
        {{1, 4, 0}, osWin95}, {kWin98, osWin98}, {{1, 4, 90}, osWinMe}, {{2, 3, 51}, osNT351},
        {{2, 4, 0}, osNT4}, {{2, 5, 0}, osWin2000}, {kXp, osWinXP}, {{2, 5, 2}, osWin2003},
        {kWin7, std::nullopt}, {{1, 4, 1}, std::nullopt}};
    // clang-format on
    for (const auto& [numbers, version] : cases)
        EXPECT_EQ(ClassifyOsVersion(numbers), version) << numbers.major << "." << numbers.minor;
    for (const auto& nt : {kXp, kWin7, kWin10}) EXPECT_EQ(GroupOf(nt), OsGroup::NT);
}

std::string Fields(const RunningProgramInfo& r) {
    return r.ProgramName + "|" + r.FileName + "|" + r.CompanyName + "|" + r.Version + "|" +
           r.Copyright + "|" + r.FileDescription + "|" + r.FileVersion + "|" + r.OriginalFilename +
           "|" + r.InternalName + "|" + r.FullPath + "|" + std::to_string(r.ProcessId) + "|" +
           std::to_string(r.WindowHandle);
}

class CollectorTest : public ::testing::Test {
protected:
    void AddProgram(const std::string& path, bool withStrings) {
        versions.AddFile(path,
                         FixedFileInfo{0x00050001, 0x0A280884, 0x00060000, 0x00000001, 0x40004, 1});
        if (!withStrings) return;
        versions.AddTranslation(path, kEnglish);
        versions.SetString(path, kEnglish, "ProductName", "  Quenfield Editor \t");
        versions.SetString(path, kEnglish, "CompanyName", "Quenfield");
        versions.SetString(path, kEnglish, "ProductVersion", "6.0");
        versions.SetString(path, kEnglish, "FileDescription", "Editor");
        versions.SetString(path, kEnglish, "LegalCopyright", "(C) Quenfield");
        versions.SetString(path, kEnglish, "InternalName", "editor");
        versions.SetString(path, kEnglish, "OriginalFileName", "EDITOR.EXE");
    }

    platform::FakeProcessSystem system;
    platform::FakeVersionResources versions;
};

TEST_F(CollectorTest, NTSkipsOnlyTheIdlePseudoProcessAndFindsPathsThroughModules) {
    system.snapshot = {
        {0, "[System Process]"}, {4, "System"}, {100, "editor.exe"}, {200, "gone.exe"}};
    system.modules[100] = {"C:\\Apps\\editor.dll", "C:\\Apps\\Editor.Exe", "C:\\Apps\\other.exe"};
    AddProgram("C:\\Apps\\Editor.Exe", true);

    TRunningProgramsInfoClass processes;
    processes.CollectProcesses(system, versions);

    ASSERT_EQ(processes.Count(), 3u);
    EXPECT_EQ(Fields(processes.Records()[0]), "System|System|||||||||4|0");
    // The table's empty FileVersion replaces the fixed numbers.
    EXPECT_EQ(Fields(processes.Records()[1]),
              "Quenfield Editor|editor.exe|Quenfield|6.0|(C) Quenfield|Editor||EDITOR.EXE|editor|"
              "C:\\Apps\\Editor.Exe|100|0");
    EXPECT_EQ(processes.Records()[2].ProgramName, "gone.exe");  // cannot be opened: still listed
}

TEST_F(CollectorTest, NineXProcessesAndApplicationsTakeThePathFromTheSnapshot) {
    system.version = kWin98;
    system.snapshot = {{0, "C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL"}, {7, "C:\\WINDOWS\\NOTEPAD.EXE"}};
    TRunningProgramsInfoClass processes;
    processes.CollectProcesses(system, versions);
    platform::FakeTopLevelWindows windows;
    windows.windows = {{1, true, 0, false, "Untitled - Notepad", 7}};
    TRunningApplicationsInfo applications;
    applications.CollectApplications(windows, system, versions);
    for (const auto* records : {&processes.Records(), &applications.Records()}) {
        ASSERT_EQ(records->size(), 1u);
        EXPECT_EQ(records->front().FullPath, "C:\\WINDOWS\\NOTEPAD.EXE");
        EXPECT_EQ(records->front().FileName, "NOTEPAD.EXE");
    }
    EXPECT_TRUE(system.moduleLimitsAsked.empty());
}

TEST_F(CollectorTest, WithoutAStringTableOrProductNameTheFixedNumbersAndTheFileNameServe) {
    system.snapshot = {{9, "tool.exe"}, {10, "blank.exe"}};
    system.modules[9] = {"C:\\tool.exe"};
    system.modules[10] = {"C:\\blank.exe"};
    AddProgram("C:\\tool.exe", false);
    versions.AddFile("C:\\blank.exe", FixedFileInfo{});
    versions.AddTranslation("C:\\blank.exe", kEnglish);
    versions.SetString("C:\\blank.exe", kEnglish, "ProductName", "   ");
    TRunningProgramsInfoClass processes;
    processes.CollectProcesses(system, versions);
    EXPECT_EQ(Fields(processes.Records()[0]),
              "tool.exe|tool.exe||6.0.0.1|||5.1.2600.2180|||C:\\tool.exe|9|0");
    EXPECT_EQ(processes.Records()[1].ProgramName, "blank.exe");
}

TEST_F(CollectorTest, OnlyTheFirst1024ModulesAreExamined) {
    std::vector<std::string> modules(1024, "C:\\lib.dll");
    modules.push_back("C:\\late.exe");
    system.modules[5] = modules;
    EXPECT_EQ(GetProcessExePath(system, 5), "");
    system.modules[5][1023] = "C:\\last.EXE";
    EXPECT_EQ(GetProcessExePath(system, 5), "C:\\last.EXE");
    EXPECT_THAT(system.moduleLimitsAsked, ::testing::Each(1024u));
    EXPECT_EQ(GetProcessExePath(system, 77), "");  // cannot be opened

    // The walk stops at the program: no more names are read than needed.
    system.modules[6] = {"C:\\first.exe", "C:\\a.dll", "C:\\b.dll"};
    system.moduleNamesRead = 0;
    EXPECT_EQ(GetProcessExePath(system, 6), "C:\\first.exe");
    EXPECT_EQ(system.moduleNamesRead, 1u);
}

TEST_F(CollectorTest, NoSnapshotListsNothingAndDeleteMovesLaterRecordsDown) {
    system.snapshot = std::nullopt;
    TRunningProgramsInfoClass processes;
    processes.CollectProcesses(system, versions);
    EXPECT_EQ(processes.Count(), 0u);

    system.snapshot = {{1, "a.exe"}, {2, "b.exe"}, {3, "c.exe"}};
    processes.CollectProcesses(system, versions);
    processes.Delete(1);
    ASSERT_EQ(processes.Count(), 2u);
    EXPECT_EQ(processes.Records()[1].FileName, "c.exe");
    processes.Delete(5);  // past the end: nothing
    EXPECT_EQ(processes.Count(), 2u);
    EXPECT_EQ(GetSnapshotExeFile(system, 3), "c.exe");
    EXPECT_EQ(GetSnapshotExeFile(system, 4), "");
}

TEST_F(CollectorTest, ApplicationsAreVisibleUnownedNonToolWindowsWithShortTitles) {
    system.modules[100] = {"C:\\Apps\\editor.exe"};
    AddProgram("C:\\Apps\\editor.exe", true);
    platform::FakeTopLevelWindows windows;
    const std::string longTitle(200, 'x');
    windows.windows = {
        {1, true, 0, false, "Document - Editor", 100},
        {2, false, 0, false, "hidden", 100},
        {3, true, 1, false, "Find (owned by the editor)", 100},
        {4, true, windows.desktop, false, "Owned by the desktop", 100},
        {5, true, 0, true, "Palette", 100},
        {6, true, 0, false, longTitle, 100},
        {7, true, 0, false, "", 300},
    };
    TRunningApplicationsInfo applications;
    applications.Add({});  // cleared by collecting
    applications.CollectApplications(windows, system, versions);

    std::vector<std::uintptr_t> handles;
    for (const auto& record : applications.Records()) handles.push_back(record.WindowHandle);
    EXPECT_THAT(handles, ElementsAre(1, 4, 6, 7));
    EXPECT_EQ(Fields(applications.Records()[0]),
              "Document - Editor|editor.exe|Quenfield|6.0|(C) Quenfield|Editor||EDITOR.EXE|editor|"
              "C:\\Apps\\editor.exe|100|1");
    EXPECT_EQ(applications.Records()[2].ProgramName, std::string(128, 'x'));
    EXPECT_EQ(applications.Records()[3].FullPath, "");  // its process cannot be opened
    EXPECT_EQ(applications.Records()[3].ProgramName, "");
}

}  // namespace
}  // namespace glmx::inventory
