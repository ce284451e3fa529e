#include "shell/places/system_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_system_folders.h"
#include "shell/places/root_folders.h"

namespace glmx::shell::places {
namespace {

using platform::MakeStringData;
using platform::RegRoot;
using platform::RegType;

constexpr char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kWindowsSettings[] = "Software\\Microsoft\\Windows\\CurrentVersion";

class SystemPathTest : public ::testing::Test {
protected:
    SystemPathTest() {
        folders.environment = {
            {"SystemDrive", "C:"}, {"USERNAME", "me"}, {"ProgramFiles", "D:\\Apps"}};
        folders.shellFolders = {{csidl::kAppData, "C:\\Shell\\AppData"},
                                {csidl::kCookies, "C:\\Shell\\Cookies"},
                                {csidl::kHistory, "C:\\Shell\\History"},
                                {csidl::kCommonDocuments, "C:\\Shell\\Docs\\"}};
    }
    void Seed(RegRoot root, const char* key, const char* name, const platform::RegData& data) {
        registry.CreateKey(root, key)->SetValue(name, data);
    }
    // Reads through a registry that refuses every write, opening for writing included.
    TPBSystemPath Read() {
        registry.SetReadOnly(true);
        return TPBSystemPath(registry, folders);
    }

    platform::FakeRegistry registry;
    platform::FakeSystemFolders folders;
};

TEST_F(SystemPathTest, ExpandsEveryPairedReferenceToAnExistingVariable) {
    const TPBSystemPath paths = Read();
    const std::pair<const char*, const char*> cases[] = {
        {"%SystemDrive%\\Data", "C:\\Data\\"},
        {"%SystemDrive%\\Users\\%USERNAME%", "C:\\Users\\me\\"},
        {"%USERNAME%%USERNAME%", "meme\\"},
        {"%Missing%\\%USERNAME%", "%Missing%\\me\\"},
        {"C:\\100%\\%USERNAME%", "C:\\100%\\%USERNAME%\\"},  // "%\%" pairs first
        {"%SystemDrive%\\odd%", "C:\\odd%\\"},
        {"%%\\x", "%%\\x\\"},
        {"", ""},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(paths.ExpandEnvironmentPart(text), expected) << text;
}

TEST_F(SystemPathTest, ReadsTheThreeKeysAndFallsBackToTheShellForMissingValues) {
    Seed(RegRoot::CurrentUser, kShellFolders, "Personal",
         MakeStringData("%SystemDrive%\\Docs", RegType::ExpandString));
    Seed(RegRoot::CurrentUser, kShellFolders, "Start Menu", MakeStringData("C:\\Start"));
    Seed(RegRoot::CurrentUser, kShellFolders, "Cookies", {RegType::Dword, {1, 0, 0, 0}});
    Seed(RegRoot::CurrentUser, kShellFolders, "History", MakeStringData(""));
    Seed(RegRoot::LocalMachine, kWindowsSettings, "ProgramFilesPath",
         MakeStringData("%ProgramFiles%", RegType::ExpandString));
    Seed(RegRoot::LocalMachine, kShellFolders, "Common Documents", MakeStringData("C:\\Public"));
    const TPBSystemPath paths = Read();

    const std::pair<const char*, const char*> cases[] = {
        {"Personal", "C:\\Docs\\"},
        {"StartMenu", "C:\\Start\\"},
        {"ProgramFiles", "D:\\Apps\\"},
        {"CommonDocuments", "C:\\Public\\"},
        {"AppData", "C:\\Shell\\AppData\\"},  // missing
        {"Cookies", "C:\\Shell\\Cookies\\"},  // not a string
        {"History", "C:\\Shell\\History\\"},  // empty
        {"LocalSettings", ""},                // the shell has no number for it
        {"Windows", "C:\\Windows\\"},
        {"System", "C:\\Windows\\system32\\"},
        {"Temp", "C:\\Temp\\"},
        {"ComponentVersion", "5.00.00.00"},
        {"personal", ""},
        {"Nonsense", ""},
    };
    for (const auto& [property, expected] : cases)
        EXPECT_EQ(paths.PathOf(property), expected) << property;
}

TEST_F(SystemPathTest, AKeyMissingOrRefusedGivesTheShellsPathsAndIsNeverCreated) {
    Seed(RegRoot::LocalMachine, kShellFolders, "Common Documents", MakeStringData("C:\\Public"));
    registry.DenyAccess(RegRoot::LocalMachine, kShellFolders);
    const TPBSystemPath paths = Read();
    EXPECT_EQ(paths.PathOf("CommonDocuments"), "C:\\Shell\\Docs\\");
    EXPECT_EQ(paths.PathOf("AppData"), "C:\\Shell\\AppData\\");
    EXPECT_FALSE(registry.KeyExists(RegRoot::CurrentUser, kShellFolders));
}

TEST_F(SystemPathTest, TurningTheBackSlashOffOrOnReadsAllPathsAgain) {
    Seed(RegRoot::CurrentUser, kShellFolders, "Personal", MakeStringData("C:\\Docs"));
    TPBSystemPath paths = Read();
    registry.SetReadOnly(false);
    Seed(RegRoot::CurrentUser, kShellFolders, "Personal", MakeStringData("E:\\Docs"));

    paths.SetIncludeBackSlash(false);
    EXPECT_EQ(paths.PathOf("Personal"), "E:\\Docs");
    EXPECT_EQ(paths.PathOf("System"), "C:\\Windows\\system32");
    EXPECT_EQ(paths.PathOf("Temp"), "C:\\Temp\\");  // as the system gives it
    EXPECT_EQ(paths.PathOf("AppData"), "C:\\Shell\\AppData");
    EXPECT_EQ(paths.ExpandEnvironmentPart("%SystemDrive%"), "C:");

    paths.SetIncludeBackSlash(true);
    EXPECT_EQ(paths.PathOf("System"), "C:\\Windows\\system32\\");
}

TEST(RootFolders, IdentifiersNameTheirOwnFoldersAndPlacesUseTheRightOnes) {
    EXPECT_EQ(CsidlOfRoot("rfPrograms"), csidl::kPrograms);
    EXPECT_EQ(CsidlOfRoot("rffonts"), std::nullopt);
    EXPECT_EQ(CsidlOfRoot("C:\\Windows\\Fonts"), std::nullopt);

    platform::FakeRegistry registry;
    const platform::FakeSystemFolders folders;
    const TPBSystemPath paths(registry, folders);
    auto rootOf = [&](std::string_view caption) {
        const auto entries = PlacesMenuEntries();
        const auto entry = std::find_if(entries.begin(), entries.end(),
                                        [&](const PlaceEntry& e) { return e.caption == caption; });
        return ResolveRoot(entry->root, paths);
    };
    EXPECT_EQ(CsidlOfRoot(rootOf("Program Files")), csidl::kProgramFiles);
    EXPECT_EQ(CsidlOfRoot(rootOf("Program Files (Common Components)")), csidl::kProgramFilesCommon);
    EXPECT_EQ(rootOf("System Folder"), "C:\\Windows\\system32\\");
}

}  // namespace
}  // namespace glmx::shell::places
