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

using ::testing::ElementsAre;
using platform::FixedFileInfo;
using platform::MakeTranslation;

constexpr std::uint32_t kEnglish = MakeTranslation(0x0409, 0x04B0);
const platform::OsVersionNumbers kXp{2, 5, 1}, kWin98{1, 4, 10}, kWin10{2, 10, 0}, kWin7{2, 6, 1};

TEST(OsVersion, ClassifiesExactlyTheTabledVersions) {
    EXPECT_EQ(ClassifyOsVersion({1, 4, 0}), osWin95);
    EXPECT_EQ(ClassifyOsVersion(kWin98), osWin98);
    EXPECT_EQ(ClassifyOsVersion({1, 4, 90}), osWinMe);
    EXPECT_EQ(ClassifyOsVersion({2, 3, 51}), osNT351);
    EXPECT_EQ(ClassifyOsVersion({2, 4, 0}), osNT4);
    EXPECT_EQ(ClassifyOsVersion({2, 5, 0}), osWin2000);
    EXPECT_EQ(ClassifyOsVersion(kXp), osWinXP);
    EXPECT_EQ(ClassifyOsVersion({2, 5, 2}), osWin2003);
    EXPECT_EQ(ClassifyOsVersion(kWin7), std::nullopt);
    EXPECT_EQ(ClassifyOsVersion({1, 4, 0 + 1}), std::nullopt);
}

TEST(OsVersion, CurrentWindowsCollectsAsNT) {
    EXPECT_EQ(GroupOf(kWin98), OsGroup::Win9x);
    EXPECT_EQ(GroupOf({1, 4, 0}), OsGroup::Win9x);
    EXPECT_EQ(GroupOf(kXp), OsGroup::NT);
    EXPECT_EQ(GroupOf(kWin7), OsGroup::NT);
    EXPECT_EQ(GroupOf(kWin10), OsGroup::NT);
}

class CollectorTest : public ::testing::Test {
protected:
    void AddProgram(const std::string& path, bool withStrings) {
        versions.AddFile(path, FixedFileInfo{0x00050001, 0x0A280884, 0x00060000, 0x00000001, 0x40004, 1});
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
    system.snapshot = {{0, "[System Process]"}, {4, "System"}, {100, "editor.exe"}, {200, "gone.exe"}};
    system.modules[100] = {"C:\\Apps\\editor.dll", "C:\\Apps\\Editor.Exe", "C:\\Apps\\other.exe"};
    AddProgram("C:\\Apps\\Editor.Exe", true);

    TRunningProgramsInfoClass processes;
    processes.CollectProcesses(system, versions);

    ASSERT_EQ(processes.Count(), 3u);
    const auto& system4 = processes.Records()[0];
    EXPECT_EQ(system4.ProgramName, "System");
    EXPECT_EQ(system4.FullPath, "");
    EXPECT_EQ(system4.CompanyName, "");
    const auto& editor = processes.Records()[1];
    EXPECT_EQ(editor.FileName, "editor.exe");
    EXPECT_EQ(editor.FullPath, "C:\\Apps\\Editor.Exe");
    EXPECT_EQ(editor.ProcessId, 100u);
    EXPECT_EQ(editor.ProgramName, "Quenfield Editor");
    EXPECT_EQ(editor.CompanyName, "Quenfield");
    EXPECT_EQ(editor.Version, "6.0");
    EXPECT_EQ(editor.Copyright, "(C) Quenfield");
    EXPECT_EQ(editor.FileDescription, "Editor");
    EXPECT_EQ(editor.FileVersion, "");  // the table's empty string replaces the fixed numbers
    EXPECT_EQ(editor.OriginalFilename, "EDITOR.EXE");
    EXPECT_EQ(editor.InternalName, "editor");
    EXPECT_EQ(editor.WindowHandle, 0u);
    EXPECT_EQ(processes.Records()[2].ProgramName, "gone.exe");  // cannot be opened: still listed
}

TEST_F(CollectorTest, ARealFirstProcessIsKept) {
    // Wine's snapshot has no idle entry: its first entry is a running program.
    system.snapshot = {{32, "services.exe"}, {48, "winedevice.exe"}};
    TRunningProgramsInfoClass processes;
    processes.CollectProcesses(system, versions);
    ASSERT_EQ(processes.Count(), 2u);
    EXPECT_EQ(processes.Records()[0].FileName, "services.exe");
}

TEST_F(CollectorTest, NineXTakesThePathFromTheSnapshot) {
    system.version = kWin98;
    system.snapshot = {{0, "C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL"}, {7, "C:\\WINDOWS\\EXPLORER.EXE"}};
    AddProgram("C:\\WINDOWS\\EXPLORER.EXE", false);
    TRunningProgramsInfoClass processes;
    processes.CollectProcesses(system, versions);
    ASSERT_EQ(processes.Count(), 1u);
    EXPECT_EQ(processes.Records()[0].FullPath, "C:\\WINDOWS\\EXPLORER.EXE");
    EXPECT_EQ(processes.Records()[0].FileName, "EXPLORER.EXE");
    EXPECT_TRUE(system.moduleLimitsAsked.empty());
}

TEST_F(CollectorTest, WithoutAStringTableTheFixedNumbersFillBothVersions) {
    system.snapshot = {{9, "tool.exe"}};
    system.modules[9] = {"C:\\tool.exe"};
    AddProgram("C:\\tool.exe", false);
    TRunningProgramsInfoClass processes;
    processes.CollectProcesses(system, versions);
    const auto& tool = processes.Records()[0];
    EXPECT_EQ(tool.FileVersion, "5.1.2600.2180");
    EXPECT_EQ(tool.Version, "6.0.0.1");
    EXPECT_EQ(tool.ProgramName, "tool.exe");  // no product name: the file name
}

TEST_F(CollectorTest, ABlankProductNameFallsBackToTheFileName) {
    system.snapshot = {{9, "tool.exe"}};
    system.modules[9] = {"C:\\tool.exe"};
    versions.AddFile("C:\\tool.exe", FixedFileInfo{});
    versions.AddTranslation("C:\\tool.exe", kEnglish);
    versions.SetString("C:\\tool.exe", kEnglish, "ProductName", "   ");
    TRunningProgramsInfoClass processes;
    processes.CollectProcesses(system, versions);
    EXPECT_EQ(processes.Records()[0].ProgramName, "tool.exe");
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
    const auto& editor = applications.Records()[0];
    EXPECT_EQ(editor.ProgramName, "Document - Editor");
    EXPECT_EQ(editor.FileName, "editor.exe");
    EXPECT_EQ(editor.CompanyName, "Quenfield");
    EXPECT_EQ(editor.ProcessId, 100u);
    EXPECT_EQ(applications.Records()[2].ProgramName, std::string(128, 'x'));
    EXPECT_EQ(applications.Records()[3].FullPath, "");  // its process cannot be opened
    EXPECT_EQ(applications.Records()[3].ProgramName, "");
}

TEST_F(CollectorTest, NineXApplicationsTakeThePathFromTheSnapshot) {
    system.version = kWin98;
    system.snapshot = {{0, "C:\\WINDOWS\\KERNEL32.DLL"}, {8, "C:\\WINDOWS\\NOTEPAD.EXE"}};
    platform::FakeTopLevelWindows windows;
    windows.windows = {{1, true, 0, false, "Untitled - Notepad", 8}};
    TRunningApplicationsInfo applications;
    applications.CollectApplications(windows, system, versions);
    ASSERT_EQ(applications.Count(), 1u);
    EXPECT_EQ(applications.Records()[0].FullPath, "C:\\WINDOWS\\NOTEPAD.EXE");
    EXPECT_EQ(applications.Records()[0].FileName, "NOTEPAD.EXE");
}

}  // namespace
}  // namespace glmx::inventory
