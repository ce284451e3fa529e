// The auto-start entries against the prefix's real Run keys, Startup folder and Windows
// folder: each test adds entries of its own and removes whatever is left of them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "inventory/auto_start.h"
#include "inventory/auto_start_changes.h"
#include "platform/fake/fake_user_messages.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "support/shell_test_fixture.h"

namespace glmx::inventory {
namespace {

using platform::MakeStringData;
using platform::RegAccess;
using platform::RegRoot;
using platform::RegType;
using platform::win32::RegistryView;
using platform::win32::Wide;

constexpr std::string_view kUserRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::string_view kMachineRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

class AutoStartWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const auto folders = registry.OpenKey(
            RegRoot::CurrentUser,
            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
            RegAccess::Read);
        ASSERT_TRUE(folders);
        startup = platform::DecodeStringData(folders->QueryValue("Startup").value());
        CreateDirectoryW(Wide(startup).c_str(), nullptr);
        pssExisted = files.DirectoryExists(files.WindowsFolder() + "\\pss");
    }
    void TearDown() override {
        for (platform::Registry* view : {&registry, &registry32})
            for (RegRoot root : {RegRoot::CurrentUser, RegRoot::LocalMachine})
                for (std::string_view key : {kUserRun, kMachineRun})
                    for (const std::string& path :
                         {std::string(key), std::string(key) + "_Disabled"})
                        if (auto opened = view->OpenKey(root, path, RegAccess::ReadWrite))
                            opened->DeleteValue(name);
        std::string subKey = startup + "\\" + name + ".lnk";
        std::replace(subKey.begin(), subKey.end(), '\\', '^');
        registry.DeleteKeyTree(RegRoot::LocalMachine,
                               std::string(kStartupFolderKey) + "\\" + subKey);
        files.RemoveFile(startup + "\\" + name + ".lnk");
        files.RemoveFile(files.WindowsFolder() + "\\pss\\" + name + ".lnkStartup");
        if (!pssExisted) RemoveDirectoryW(Wide(files.WindowsFolder() + "\\pss").c_str());
        CoUninitialize();
    }
    // The test's own entry as collected now, or null.
    const TAutoStartProgramInfo* Entry() {
        CollectAutoStartPrograms(system, records);
        for (const TAutoStartProgramInfo& record : records)
            if (record.Name == name) return &record;
        return nullptr;
    }
    std::optional<platform::RegData> Value(platform::Registry& view, RegRoot root,
                                           const std::string& key) {
        const auto opened = view.OpenKey(root, key, RegAccess::Read);
        return opened ? opened->QueryValue(name) : std::nullopt;
    }

    platform::win32::Win32Registry registry;
    platform::win32::Win32Registry registry32{RegistryView::Bits32};
    platform::win32::Win32FileSystem files;
    platform::win32::Win32Shell shell;
    platform::FakeUserMessages messages;
    AutoStartSystem system{registry, &registry32, files, shell};
    TAutoStartProgramsInfo records;
    std::string name = "GlmxAutoStartTest" + std::to_string(GetCurrentProcessId());
    std::string startup;
    bool pssExisted = false;
};

TEST_F(AutoStartWinTest, AnExpandableRunValueKeepsItsTypeThroughDisableAndEnable) {
    const platform::RegData command =
        MakeStringData("%ProgramFiles%\\Tool\\tool.exe", RegType::ExpandString);
    ASSERT_TRUE(registry.CreateKey(RegRoot::CurrentUser, kUserRun)->SetValue(name, command));
    ASSERT_TRUE(Entry());
    EXPECT_EQ(Entry()->Location, "HKEY_CURRENT_USER\\" + std::string(kUserRun));
    EXPECT_EQ(Entry()->Command, "%ProgramFiles%\\Tool\\tool.exe");

    ASSERT_TRUE(ToggleAutoStart(system, messages, *Entry()));
    EXPECT_EQ(Value(registry, RegRoot::CurrentUser, std::string(kUserRun) + "_Disabled"), command);
    EXPECT_FALSE(Value(registry, RegRoot::CurrentUser, std::string(kUserRun)));
    ASSERT_TRUE(Entry() && Entry()->Disabled);
    ASSERT_TRUE(ToggleAutoStart(system, messages, *Entry()));
    EXPECT_EQ(Value(registry, RegRoot::CurrentUser, std::string(kUserRun)), command);
    ASSERT_TRUE(DeleteAutoStart(system, messages, *Entry()));
    EXPECT_FALSE(Entry());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AutoStartWinTest, AThirtyTwoBitMachineEntryChangesInItsOwnView) {
    ASSERT_TRUE(registry32.CreateKey(RegRoot::LocalMachine, kMachineRun)
                    ->SetValue(name, MakeStringData("C:\\Tool32\\tool.exe")));
    ASSERT_TRUE(Entry());
    EXPECT_EQ(Entry()->Location,
              "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run");
    ASSERT_TRUE(ToggleAutoStart(system, messages, *Entry()));
    const std::string disabled = std::string(kMachineRun) + "_Disabled";
    EXPECT_TRUE(Value(registry32, RegRoot::LocalMachine, disabled));
    EXPECT_FALSE(Value(registry, RegRoot::LocalMachine, disabled));
    ASSERT_TRUE(Entry() && Entry()->Disabled);
    ASSERT_TRUE(DeleteAutoStart(system, messages, *Entry()));
    EXPECT_FALSE(Value(registry32, RegRoot::LocalMachine, disabled));
}

TEST_F(AutoStartWinTest, AStartupShortcutIsParkedInPssAndRestored) {
    const std::string link = startup + "\\" + name + ".lnk";
    const std::string target = files.WindowsFolder() + "\\notepad.exe";
    ASSERT_TRUE(glmx::testing::SaveShortcut(link, target));
    const TAutoStartProgramInfo* entry = Entry();
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->Location, "Startup");
    EXPECT_EQ(entry->Path, link);
    EXPECT_FALSE(entry->Command.empty());

    ASSERT_TRUE(ToggleAutoStart(system, messages, *entry));
    const std::string parked = files.WindowsFolder() + "\\pss\\" + name + ".lnkStartup";
    EXPECT_TRUE(files.FileExists(parked));
    EXPECT_FALSE(files.FileExists(link));
    entry = Entry();
    ASSERT_TRUE(entry && entry->Disabled);
    EXPECT_EQ(entry->Backup, parked);
    ASSERT_TRUE(ToggleAutoStart(system, messages, *entry));
    EXPECT_TRUE(files.FileExists(link));
    EXPECT_FALSE(files.FileExists(parked));
    ASSERT_TRUE(Entry() && !Entry()->Disabled);
    ASSERT_TRUE(DeleteAutoStart(system, messages, *Entry()));
    EXPECT_FALSE(files.FileExists(link));
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace glmx::inventory
