// The real glmx.exe's Configuration dialog, driven as a user drives it: boxes clicked,
// OK or Cancel, the registrations checked in the current user's classes.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_process_environment.h"
#include "platform/win32/win32_registry.h"
#include "support/main_window_finder.h"
#include "support/program_under_test.h"
#include "support/scoped_test_key.h"
#include "ui/mainwindow/commands.h"
#include "ui/mainwindow/configuration_dialog.h"

namespace glmx::testing {
namespace {

using namespace std::chrono_literals;
using platform::RegAccess;
using platform::RegRoot;

constexpr char kHandlerClass[] = "CLSID\\{E63C3709-6797-4C7F-8A05-C783BBEF78FA}";
constexpr char kVerb[] = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\Shell\\GLMX";
constexpr int kBoxes[] = {ui::IDC_CONFIGURATION_FILES, ui::IDC_CONFIGURATION_FOLDERS,
                          ui::IDC_CONFIGURATION_DRIVES, ui::IDC_CONFIGURATION_RECYCLE_BIN};

class ConfigurationDialogGuiTest : public ::testing::Test {
protected:
    ConfigurationDialogGuiTest() {
        for (const char* key :
             {"*\\shellex", "Folder\\shellex", "Drive\\shellex", kVerb, kHandlerClass})
            classes.push_back(std::make_unique<ScopedTestKey>(
                RegRoot::CurrentUser, std::string("Software\\Classes\\") + key));
    }

    HWND Open() {
        PostMessageW(program.MainWindow(), WM_COMMAND, ui::cmdConfiguration, 0);
        HWND dialog = nullptr;
        WaitUntil(
            [&] {
                dialog = FindWindowW(L"#32770", L"Configuration");
                // Shown once its controls are made.
                return dialog && GetWindow(dialog, GW_OWNER) == program.MainWindow() &&
                       IsWindowVisible(dialog);
            },
            10s);
        return dialog;
    }
    static bool Ticked(HWND dialog, int id) {
        return SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    static std::vector<bool> Boxes(HWND dialog) {
        std::vector<bool> ticked;
        for (int id : kBoxes) ticked.push_back(Ticked(dialog, id));
        return ticked;
    }
    // Returns once the program has carried out the closing and waits for messages again.
    void Close(HWND dialog, int button) {
        SendDlgItemMessageW(dialog, button, BM_CLICK, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 10s));
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(program.MainWindow(), WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
    }
    // The unnamed value of a key in the user's classes; "(none)" when absent.
    std::string Value(const std::string& path, const char* name = "") {
        auto key =
            registry.OpenKey(RegRoot::CurrentUser, "Software\\Classes\\" + path, RegAccess::Read);
        const auto data = key ? key->QueryValue(name) : std::nullopt;
        return data ? platform::DecodeStringData(*data) : "(none)";
    }

    std::vector<std::unique_ptr<ScopedTestKey>> classes;
    ScopedTestKey settingsKey;
    platform::win32::Win32Registry registry;
    ProgramUnderTest program{settingsKey.Path()};
};

TEST_F(ConfigurationDialogGuiTest, OkRegistersTheTickedMenusCancelChangesNothing) {
    ASSERT_TRUE(program.MainWindow());
    const std::string bin =
        app::ProgramFolderOf(platform::win32::Win32ProcessEnvironment().ProgramPath());

    // First opening: the four menus and Ctrl ticked, the hotkey page out of reach.
    HWND dialog = Open();
    ASSERT_TRUE(dialog);
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 453);
    EXPECT_EQ(client.bottom, 329);
    EXPECT_EQ(Boxes(dialog), std::vector<bool>(4, true));
    EXPECT_TRUE(Ticked(dialog, ui::IDC_CONFIGURATION_CTRL));
    EXPECT_FALSE(Ticked(dialog, ui::IDC_CONFIGURATION_SHIFT));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, ui::IDC_CONFIGURATION_HOTKEY)));
    EXPECT_EQ(
        HIBYTE(SendDlgItemMessageW(dialog, ui::IDC_CONFIGURATION_HOTKEY, HKM_GETHOTKEY, 0, 0)),
        HOTKEYF_CONTROL);
    EXPECT_EQ(SendDlgItemMessageW(dialog, ui::IDC_CONFIGURATION_TREE, TVM_GETCOUNT, 0, 0), 2);

    // Cancel after unticking writes nothing, and the next opening shows the stored choice.
    SendDlgItemMessageW(dialog, ui::IDC_CONFIGURATION_FILES, BM_CLICK, 0, 0);
    EXPECT_FALSE(Ticked(dialog, ui::IDC_CONFIGURATION_FILES));
    Close(dialog, IDCANCEL);
    EXPECT_EQ(Value("*\\shellex\\ContextMenuHandlers\\GLMX"), "(none)");
    EXPECT_EQ(Value(kVerb), "(none)");

    // OK with every box ticked: the stored choice came back.
    dialog = Open();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(Boxes(dialog), std::vector<bool>(4, true));
    Close(dialog, IDOK);
    for (const char* type : {"*", "Folder", "Drive"}) {
        const std::string handlers = std::string(type) + "\\shellex\\ContextMenuHandlers";
        EXPECT_EQ(Value(handlers + "\\GLMX"), "{E63C3709-6797-4C7F-8A05-C783BBEF78FA}");
        EXPECT_EQ(Value(handlers), "");
        EXPECT_EQ(Value(std::string(type) + "\\shellex"), "");
    }
    EXPECT_EQ(Value(kVerb), "More Information about Recycle Bin");
    EXPECT_EQ(Value(std::string(kVerb) + "\\Command"), "\"" + bin + "glmx.exe\" /X /R");
    EXPECT_EQ(Value(std::string(kHandlerClass) + "\\InprocServer32"), bin + "glmxshell.dll");
    EXPECT_EQ(Value(std::string(kHandlerClass) + "\\InprocServer32", "ThreadingModel"),
              "Apartment");

    // Unticking files and the Recycle Bin removes their entries; the next opening agrees.
    dialog = Open();
    ASSERT_TRUE(dialog);
    for (int id : {ui::IDC_CONFIGURATION_FILES, ui::IDC_CONFIGURATION_RECYCLE_BIN})
        SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0);
    Close(dialog, IDOK);
    EXPECT_EQ(Value("*\\shellex\\ContextMenuHandlers\\GLMX"), "(none)");
    EXPECT_EQ(Value("*\\shellex\\ContextMenuHandlers"), "");
    EXPECT_EQ(Value("Folder\\shellex\\ContextMenuHandlers\\GLMX"),
              "{E63C3709-6797-4C7F-8A05-C783BBEF78FA}");
    EXPECT_EQ(Value(kVerb), "(none)");
    dialog = Open();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(Boxes(dialog), (std::vector<bool>{false, true, true, false}));
    // Escape is Cancel.
    PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 10s));
    EXPECT_EQ(program.CloseAndWait(), 0u);
}

}  // namespace
}  // namespace glmx::testing
