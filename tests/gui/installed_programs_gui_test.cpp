// The installed-programs view over the prefix's real Uninstall keys: test entries in
// the machine's key, its 32-bit view and the user's key, each uninstalled through
// "Unistall" with a real test uninstaller, and an entry whose uninstaller is missing.
#include <windows.h>

#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "app/command_line.h"
#include "platform/win32/win32_process_environment.h"
#include "platform/win32/win32_registry.h"
#include "support/list_cells.h"
#include "support/scoped_test_key.h"
#include "support/shell_test_fixture.h"
#include "support/window_under_test.h"
#include "ui/mainwindow/commands.h"

namespace glmx::testing {
namespace {

using platform::RegAccess;
using platform::RegRoot;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::string_view kUninstall = "Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// A test entry, removed with the keys it had to create when the test ends.
struct TestEntry {
    TestEntry(RegRoot root, bool bits32, const std::string& id, const std::string& what)
        : registry(bits32 ? platform::win32::RegistryView::Bits32
                          : platform::win32::RegistryView::Native),
          path(std::string(root == RegRoot::CurrentUser ? "Software\\" : "SOFTWARE\\") +
               std::string(kUninstall) + "GlmxTest-" + id + "-" + what),
          // The 32-bit view's keys lie below Wow6432Node.
          scoped(root, bits32 ? "SOFTWARE\\Wow6432Node\\" + std::string(kUninstall) + "GlmxTest-" +
                                    id + "-" + what
                              : path),
          root(root),
          name("Glimmerbox test " + id + " " + what) {}
    ~TestEntry() { registry.DeleteKeyTree(root, path); }

    void Register(const std::string& uninstallCommand) {
        auto key = registry.CreateKey(root, path);
        ASSERT_TRUE(key);
        key->SetValue("DisplayName", platform::MakeStringData(name));
        key->SetValue("UninstallString", platform::MakeStringData(uninstallCommand));
    }
    // The test uninstaller told what to do with this entry.
    void RegisterTestUninstaller(const std::string& what, bool quoted = true) {
        const std::string program =
            app::ProgramFolderOf(platform::win32::Win32ProcessEnvironment().ProgramPath()) +
            "glmx_test_uninstaller.exe";
        Register((quoted ? "\"" + program + "\"" : program) + " " + what + " " +
                 (root == RegRoot::CurrentUser ? "HKCU " : "HKLM ") +
                 (scoped.Path() == path ? "native" : "32") + " \"" + path + "\"");
    }
    bool Exists() { return registry.OpenKey(root, path, RegAccess::Read) != nullptr; }

    platform::win32::Win32Registry registry;
    std::string path;
    ScopedTestKey scoped;
    RegRoot root;
    std::string name;
};

class InstalledProgramsGuiTest : public ::testing::Test {
protected:
    HWND List() { return window.App().InventoryPage().List(); }
    int Row(const TestEntry& entry) { return FindRow(List(), 0, entry.name); }
    // "Unistall" on the entry's row; the texts of the message boxes answered.
    std::vector<std::string> Uninstall(const TestEntry& entry, bool answerYes = true) {
        SelectRow(List(), Row(entry));
        DialogAnswerer answerer(answerYes);
        window.Command(ui::cmdInventoryControlButton);
        return DialogAnswerer::Texts();
    }

    std::string id = std::to_string(GetCurrentProcessId());
    WindowUnderTest window;
};

TEST_F(InstalledProgramsGuiTest, EachPlaceIsListedAndEachOutcomeKeepsOrDropsItsRow) {
    TestEntry removes(RegRoot::LocalMachine, false, id, "removes");
    TestEntry empties(RegRoot::LocalMachine, true, id, "empties");
    TestEntry leaves(RegRoot::CurrentUser, false, id, "leaves");
    TestEntry handsOver(RegRoot::CurrentUser, false, id, "hands over");
    removes.RegisterTestUninstaller("remove", false);  // the program's path is not quoted
    empties.RegisterTestUninstaller("empty");
    leaves.RegisterTestUninstaller("leave");
    handsOver.RegisterTestUninstaller("spawn");

    window.Command(ui::ViewCommand(vkInstalledPrograms));
    for (const TestEntry* entry : {&removes, &empties, &leaves, &handsOver})
        EXPECT_GE(Row(*entry), 0) << entry->name;
    const int rows = ListView_GetItemCount(List());
    EXPECT_EQ(window.App().ProgramViews().List().StatusText(),
              std::to_string(rows) + " installed programs");

    EXPECT_THAT(Uninstall(removes), IsEmpty());
    EXPECT_EQ(Row(removes), -1);
    EXPECT_THAT(Uninstall(empties), ElementsAre("Program found in registry. Cleaned Up"));
    EXPECT_EQ(Row(empties), -1);
    EXPECT_FALSE(empties.Exists());
    EXPECT_THAT(Uninstall(leaves), ElementsAre("Program still installed"));
    EXPECT_GE(Row(leaves), 0);
    EXPECT_TRUE(leaves.Exists());
    // Its copy removes the key a second after the uninstaller itself ended.
    EXPECT_THAT(Uninstall(handsOver), IsEmpty());
    EXPECT_EQ(Row(handsOver), -1);
    EXPECT_FALSE(handsOver.Exists());
    EXPECT_EQ(ListView_GetItemCount(List()), rows - 3);
    EXPECT_EQ(window.App().ProgramViews().List().StatusText(),
              std::to_string(rows - 3) + " installed programs");
}

TEST_F(InstalledProgramsGuiTest, AMissingUninstallerAsksWithNoAsDefaultAndOnlyYesRemoves) {
    TestEntry missing(RegRoot::CurrentUser, false, id, "missing");
    missing.Register("C:\\Glimmerbox missing\\unins000.exe /SILENT");
    window.Command(ui::ViewCommand(vkInstalledPrograms));
    ASSERT_GE(Row(missing), 0);
    const std::string question =
        "The uninstaller could not be started: the program it names was not found.\r\n\r\n"
        "Do you want to remove the program from the list of installed programs?";

    EXPECT_THAT(Uninstall(missing, false), ElementsAre(question));
    EXPECT_THAT(DialogAnswerer::DefaultButtons(), ElementsAre(IDNO));
    EXPECT_GE(Row(missing), 0);
    EXPECT_TRUE(missing.Exists());

    EXPECT_THAT(Uninstall(missing),
                ElementsAre(question, "Unistallation of the program failed. Cleaned Up"));
    EXPECT_EQ(Row(missing), -1);
    EXPECT_FALSE(missing.Exists());
}

}  // namespace
}  // namespace glmx::testing
