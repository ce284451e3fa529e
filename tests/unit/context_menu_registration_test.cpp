#include "shellintegration/context_menu_registration.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line.h"
#include "platform/fake/fake_registry.h"
#include "settings/settings_stores.h"
#include "shellintegration/configuration_choices.h"
#include "shellintegration/shell_menu.h"

namespace glmx::shellintegration {
namespace {

using platform::RegAccess;
using platform::RegRoot;

constexpr char kFolder[] = "C:\\Program Files\\Glimmer box\\";
constexpr char kVerb[] = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\Shell\\GLMX";
constexpr char kServer[] = "CLSID\\{E63C3709-6797-4C7F-8A05-C783BBEF78FA}\\InprocServer32";

class Registration : public ::testing::Test {
protected:
    // The value of a key below the user's (or another root's) classes; nullopt when absent.
    std::optional<std::string> Value(const std::string& path, const char* name = "",
                                     RegRoot root = RegRoot::CurrentUser) {
        auto key = registry.OpenKey(root, "Software\\Classes\\" + path, RegAccess::Read);
        const auto data = key ? key->QueryValue(name) : std::nullopt;
        if (!data) return std::nullopt;
        return platform::DecodeStringData(*data);
    }
    void Seed(RegRoot root, const std::string& path, const char* text = "old") {
        registry.CreateKey(root, "Software\\Classes\\" + path)
            ->SetValue("", platform::MakeStringData(text));
    }
    bool Exists(const std::string& path, RegRoot root = RegRoot::CurrentUser) {
        return registry.KeyExists(root, "Software\\Classes\\" + path);
    }
    std::optional<std::string> Close(bool confirmed, const ConfigurationChoices& choices,
                                     bool dllPresent = true) {
        return CloseConfiguration(confirmed, choices,
                                  {stores.ConfigurationSettings, registry, kFolder, dllPresent});
    }

    platform::FakeRegistry registry;
    settings::SettingsStores stores{registry};
};

TEST_F(Registration, EachTickedRowWritesItsKeysInTheUsersClassesAndUntickedRowsRemoveTheirEntry) {
    const std::string entries[] = {"*\\shellex\\ContextMenuHandlers\\GLMX",
                                   "Folder\\shellex\\ContextMenuHandlers\\GLMX",
                                   "Drive\\shellex\\ContextMenuHandlers\\GLMX", kVerb};
    const ConfigurationChoices rows[] = {
        {.files = true}, {.folders = true}, {.drives = true}, {.recycleBin = true}};
    for (int ticked = 0; ticked < 4; ++ticked) {
        // Every entry present before, in the user's and the machine's classes, and an old
        // unnamed value on the parents that a registration takes over.
        ASSERT_EQ(Close(true, {true, true, true, true}), std::nullopt);
        for (const auto& entry : entries) Seed(RegRoot::LocalMachine, entry);
        Seed(RegRoot::LocalMachine, std::string(kVerb) + "\\Command");
        Seed(RegRoot::CurrentUser, "*\\shellex");
        Seed(RegRoot::CurrentUser, "Drive\\shellex\\ContextMenuHandlers");

        ASSERT_EQ(Close(true, rows[ticked]), std::nullopt);
        for (int row = 0; row < 4; ++row) {
            EXPECT_EQ(Exists(entries[row]), row == ticked) << entries[row];
            EXPECT_TRUE(row == ticked || !Exists(entries[row], RegRoot::LocalMachine));
        }
        const std::string& entry = entries[ticked];
        if (ticked < 3) {
            EXPECT_EQ(Value(entry), "{E63C3709-6797-4C7F-8A05-C783BBEF78FA}");
            EXPECT_EQ(Value(entry.substr(0, entry.rfind('\\'))), "");        // ContextMenuHandlers
            EXPECT_EQ(Value(entry.substr(0, entry.find("\\Context"))), "");  // shellex
        } else {
            EXPECT_EQ(Value(entry), "More Information about Recycle Bin");
            EXPECT_EQ(Value(entry + "\\Command"),
                      "\"C:\\Program Files\\Glimmer box\\glmx.exe\" /X /R");
        }
        // Parents of a removed entry stay; nothing goes to the administrators' view.
        EXPECT_TRUE(Exists("Folder\\shellex\\ContextMenuHandlers"));
        EXPECT_TRUE(
            registry.OpenKey(RegRoot::ClassesRoot, "", RegAccess::Read)->SubKeyNames().empty());
    }
}

TEST_F(Registration, RemovalLeavesAKeyWithSubKeysAndIgnoresARefusedMachineKey) {
    ASSERT_EQ(Close(true, {true, true, true, true}), std::nullopt);
    Seed(RegRoot::CurrentUser, "*\\shellex\\ContextMenuHandlers\\GLMX\\Other");
    registry.DenyAccess(RegRoot::LocalMachine,
                        "Software\\Classes\\Folder\\shellex\\ContextMenuHandlers\\GLMX");
    Seed(RegRoot::CurrentUser, std::string(kVerb) + "\\ddeexec");

    EXPECT_EQ(Close(true, {}), std::nullopt);
    EXPECT_TRUE(Exists("*\\shellex\\ContextMenuHandlers\\GLMX"));
    EXPECT_FALSE(Exists("Folder\\shellex\\ContextMenuHandlers\\GLMX"));
    EXPECT_TRUE(Exists("Folder\\shellex\\ContextMenuHandlers\\GLMX", RegRoot::LocalMachine));
    // The verb's Command goes before the verb, which stays here for its other sub-key.
    EXPECT_FALSE(Exists(std::string(kVerb) + "\\Command"));
    EXPECT_TRUE(Exists(kVerb));
}

TEST_F(Registration, CancelChangesNothingAndOkStoresTheSevenChoicesForTheNextOpening) {
    const ConfigurationChoices first = LoadConfigurationChoices(stores.ConfigurationSettings);
    EXPECT_EQ(first, (ConfigurationChoices{true, true, true, true, true, false, false}));
    EXPECT_EQ(HotkeyModifiers(first), 2u);

    const int writes = registry.WriteCount();
    const ConfigurationChoices changed{false, true, false, true, false, true, true};
    EXPECT_EQ(Close(false, changed), std::nullopt);
    EXPECT_EQ(registry.WriteCount(), writes);
    EXPECT_EQ(LoadConfigurationChoices(stores.ConfigurationSettings), first);

    EXPECT_EQ(Close(true, changed), std::nullopt);
    EXPECT_EQ(stores.ConfigurationSettings.GetValue("GLMXinFileContext"), "0");
    EXPECT_EQ(stores.ConfigurationSettings.GetValue("Conf_ModifierAlt"), "1");
    const ConfigurationChoices reopened = LoadConfigurationChoices(stores.ConfigurationSettings);
    EXPECT_EQ(reopened, changed);
    EXPECT_EQ(HotkeyModifiers(reopened), 5u);
    EXPECT_EQ(HotkeyModifiers({.ctrl = true, .shift = true, .alt = true}), 7u);
}

TEST_F(Registration, AFailedKeyIsNamedWithItsBoxAndTheLaterRegistrationsAreNotMade) {
    registry.DenyAccess(RegRoot::CurrentUser, "Software\\Classes\\Folder\\shellex");
    const auto message = Close(true, {true, true, true, true});
    EXPECT_EQ(message,
              "Error creating system registry entry\n\nGlimmerbox in contextmenu of folders:\n"
              "HKEY_CURRENT_USER\\Software\\Classes\\Folder\\shellex");
    EXPECT_TRUE(Exists("*\\shellex\\ContextMenuHandlers\\GLMX"));
    EXPECT_FALSE(Exists("Drive\\shellex"));
    EXPECT_FALSE(Exists(kVerb));
    // The choices were confirmed, so they are kept.
    EXPECT_EQ(stores.ConfigurationSettings.GetValue("GLMXinDriveContext"), "1");
}

TEST_F(Registration, TheHandlerDllIsRegisteredForTheUserWhenABoxNeedsItAndNoneIsRegistered) {
    EXPECT_EQ(Close(true, {.recycleBin = true}), std::nullopt);
    EXPECT_FALSE(Exists(kServer));
    // Without the extension beside the program the entries are written and the user told.
    const auto missing = Close(true, {.drives = true}, false);
    ASSERT_TRUE(missing.has_value());
    EXPECT_NE(missing->find("Glimmer box\\glmxshell.dll\" was not found"), std::string::npos);
    EXPECT_TRUE(Exists("Drive\\shellex\\ContextMenuHandlers\\GLMX"));
    EXPECT_FALSE(Exists(kServer));
    EXPECT_EQ(Close(true, {.recycleBin = true}, false), std::nullopt);

    EXPECT_EQ(Close(true, {.drives = true}), std::nullopt);
    EXPECT_EQ(Value(kServer), "C:\\Program Files\\Glimmer box\\glmxshell.dll");
    EXPECT_EQ(Value(kServer, "ThreadingModel"), "Apartment");

    // One registered by the machine's administrator is kept as it is.
    registry.DeleteKeyTree(RegRoot::CurrentUser, "Software\\Classes\\CLSID");
    Seed(RegRoot::LocalMachine, kServer, "D:\\glmxshell.dll");
    EXPECT_EQ(Close(true, {.files = true}), std::nullopt);
    EXPECT_FALSE(Exists(kServer));
}

TEST(ShellMenu, TheHandlersArgumentReachesGlmxAsItsSwitchAndPath) {
    const struct {
        const char* path;
        bool directory;
        ContextMenu menu;
        app::CommandLineAction action;
    } cases[] = {
        {"C:\\dir\\a b.txt", false, ContextMenu::Files, app::CommandLineAction::clSelectFile},
        {"C:\\My Folder", true, ContextMenu::Folders, app::CommandLineAction::clOpenFolder},
        {"C:\\", true, ContextMenu::Drives, app::CommandLineAction::clOpenDrive},
        {"d:", true, ContextMenu::Drives, app::CommandLineAction::clOpenDrive},
        {"\\\\server\\share\\", true, ContextMenu::Drives, app::CommandLineAction::clOpenDrive},
        {"\\\\server\\share\\sub", true, ContextMenu::Folders,
         app::CommandLineAction::clOpenFolder},
        {"C:\\x\\", true, ContextMenu::Folders, app::CommandLineAction::clOpenFolder},
    };
    for (const auto& c : cases) {
        const ContextMenu menu = ClassifySelection(c.path, c.directory);
        EXPECT_EQ(menu, c.menu) << c.path;
        const std::string commandLine =
            "\"C:\\Program Files\\G\\glmx.exe\" " + HandlerArgument(menu, c.path);
        auto arguments = app::ProgramArguments("C:\\Program Files\\G\\glmx.exe", commandLine);
        ASSERT_EQ(arguments.size(), 2u) << commandLine;
        app::CommandLineReader reader(arguments);
        std::string path;
        EXPECT_EQ(reader.NextCommandLineAction(path), c.action) << commandLine;
        EXPECT_EQ(path, c.path);
    }
    // The Recycle Bin verb starts the program itself, even from a folder with blanks.
    const auto verb = app::SplitCommandLine(RecycleBinCommandLine(kFolder));
    ASSERT_EQ(verb.size(), 3u);
    EXPECT_EQ(verb[0], "C:\\Program Files\\Glimmer box\\glmx.exe");
}

}  // namespace
}  // namespace glmx::shellintegration
