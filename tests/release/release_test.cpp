// The release as a user gets it, from build/dist (tools/dist.sh): the installer run silently,
// the program started from its Start menu shortcut with F1 opening the help on the view's
// page, a second install over the first keeping a setting made in between, the entry in the
// program's own Installed Programs view and "Unistall" from there removing everything it
// made; and the portable zip's glmx.exe started from a folder with blanks and non-ASCII
// letters in its path.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/win32/system_library.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_registry.h"
#include "support/list_cells.h"
#include "support/main_window_finder.h"
#include "support/scoped_test_key.h"
#include "support/shell_test_fixture.h"
#include "support/window_under_test.h"
#include "ui/mainwindow/commands.h"

namespace glmx::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using platform::RegAccess;
using platform::RegRoot;
using platform::win32::Narrow;
using platform::win32::UniqueKernelHandle;
using platform::win32::Wide;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr char kUninstallKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Glimmerbox";
constexpr char kSettingsKey[] = "Software\\Quenfield\\GLMX";
constexpr char kShellExtensionKey[] =
    "Software\\Classes\\CLSID\\{E63C3709-6797-4C7F-8A05-C783BBEF78FA}";
const std::wstring kName = L"Glimmerbox-" GLMX_RELEASE_VERSION_W;

std::wstring ShellFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) ? path
                                                                                          : L"";
}

bool IsFile(const fs::path& path) { return fs::is_regular_file(path); }

// Runs a program to its end; its exit code, or nothing when it did not start.
std::optional<DWORD> RunToEnd(const fs::path& program, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + program.wstring() + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info))
        return std::nullopt;
    CloseHandle(info.hThread);
    UniqueKernelHandle process(info.hProcess);
    if (WaitForSingleObject(process.get(), 120000) != WAIT_OBJECT_0) return std::nullopt;
    DWORD exitCode = 0;
    GetExitCodeProcess(process.get(), &exitCode);
    return exitCode;
}

// A process's command line, read from its process parameters.
std::wstring CommandLineOf(DWORD processId) {
    using Query = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    static const auto query =
        platform::win32::SystemLibrary(L"ntdll.dll").Function<Query>("NtQueryInformationProcess");
    UniqueKernelHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    PROCESS_BASIC_INFORMATION basic{};
    PEB peb{};
    RTL_USER_PROCESS_PARAMETERS parameters{};
    if (!process || !query ||
        query(process.get(), ProcessBasicInformation, &basic, sizeof(basic), nullptr) != 0 ||
        !ReadProcessMemory(process.get(), basic.PebBaseAddress, &peb, sizeof(peb), nullptr) ||
        !ReadProcessMemory(process.get(), peb.ProcessParameters, &parameters, sizeof(parameters),
                           nullptr))
        return {};
    std::wstring text(parameters.CommandLine.Length / sizeof(wchar_t), L'\0');
    if (!ReadProcessMemory(process.get(), parameters.CommandLine.Buffer, text.data(),
                           parameters.CommandLine.Length, nullptr))
        return {};
    return text;
}

// Running processes of a program file name, by identifier.
std::vector<DWORD> ProcessesNamed(const wchar_t* name) {
    std::vector<DWORD> found;
    UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry))
        if (_wcsicmp(entry.szExeFile, name) == 0) found.push_back(entry.th32ProcessID);
    return found;
}

// Waits for the help viewer with the given argument, ends it and tells whether it came.
bool HelpViewerOpened(const std::wstring& argument) {
    DWORD viewer = 0;
    WaitUntil(
        [&] {
            for (DWORD id : ProcessesNamed(L"hh.exe"))
                if (CommandLineOf(id).find(argument) != std::wstring::npos) viewer = id;
            return viewer != 0;
        },
        20s);
    if (viewer == 0) return false;
    UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, viewer));
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 5000);
    return true;
}

// F1 in the program's window, in the given view: the help viewer opens that view's page of
// the help file beside the program.
void ExpectHelpOnViewPage(HWND mainWindow, const fs::path& folder, ViewKind view,
                          const std::wstring& page) {
    PostMessageW(mainWindow, WM_COMMAND, ui::ViewCommand(view), 0);
    SetForegroundWindow(mainWindow);
    PostMessageW(mainWindow, WM_KEYDOWN, VK_F1, 0);
    EXPECT_TRUE(HelpViewerOpened((folder / L"glmx.chm").wstring() + L"::/" + page))
        << "no help viewer on " << Narrow(page);
}

// The text of a message box the process shows, which is then closed with OK; "" when none
// comes.
std::string MessageBoxTextOf(DWORD processId) {
    struct Search {
        DWORD processId;
        HWND box = nullptr;
    } search{processId};
    WaitUntil(
        [&] {
            EnumWindows(
                [](HWND window, LPARAM context) {
                    auto& search = *reinterpret_cast<Search*>(context);
                    DWORD owner = 0;
                    wchar_t className[16] = {};
                    GetWindowThreadProcessId(window, &owner);
                    GetClassNameW(window, className, 16);
                    if (owner == search.processId && IsWindowVisible(window) &&
                        std::wstring_view(className) == L"#32770")
                        search.box = window;
                    return search.box ? FALSE : TRUE;
                },
                reinterpret_cast<LPARAM>(&search));
            return search.box != nullptr;
        },
        20s);
    if (!search.box) return {};
    wchar_t text[1024] = {};
    GetDlgItemTextW(search.box, 0xFFFF, text, 1024);
    PostMessageW(search.box, WM_COMMAND, IDOK, 0);
    return Narrow(text);
}

// The program started from a file or shortcut, found by its main window, closed at the end.
class StartedProgram {
public:
    explicit StartedProgram(const fs::path& file) {
        SHELLEXECUTEINFOW execute{};
        execute.cbSize = sizeof(execute);
        execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
        execute.lpVerb = L"open";
        execute.lpFile = file.c_str();
        execute.nShow = SW_SHOWNORMAL;
        if (!ShellExecuteExW(&execute)) return;
        process_.reset(execute.hProcess);
        window_ = WaitForMainWindow(process_ ? GetProcessId(process_.get()) : 0, 20s);
        // Started through a shortcut, the shell may hand back no process.
        DWORD processId = 0;
        if (!process_ && window_ && GetWindowThreadProcessId(window_, &processId))
            process_.reset(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE,
                                       FALSE, processId));
    }
    ~StartedProgram() {
        if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
        if (process_ && WaitForSingleObject(process_.get(), 20000) != WAIT_OBJECT_0)
            TerminateProcess(process_.get(), 99);
    }
    HWND Window() const { return window_; }
    DWORD ProcessId() const { return process_ ? GetProcessId(process_.get()) : 0; }
    // Closes it as a user would; its exit code.
    std::optional<DWORD> Close() {
        PostMessageW(std::exchange(window_, nullptr), WM_CLOSE, 0, 0);
        if (!process_ || WaitForSingleObject(process_.get(), 20000) != WAIT_OBJECT_0)
            return std::nullopt;
        DWORD exitCode = 0;
        GetExitCodeProcess(process_.get(), &exitCode);
        return exitCode;
    }

private:
    UniqueKernelHandle process_;
    HWND window_ = nullptr;
};

// Goes through the uninstaller's pages of another process while it lives: its confirmation
// ("Uninstall") and No to the question whether to remove the settings.
class UninstallerClicker {
public:
    UninstallerClicker()
        : thread_([this] {
              while (!stop_) {
                  EnumWindows(&UninstallerClicker::Click, 0);
                  Sleep(50);
              }
          }) {}
    ~UninstallerClicker() {
        stop_ = true;
        thread_.join();
    }

private:
    static BOOL CALLBACK Click(HWND window, LPARAM) {
        // Asking a window of this process for its text would wait for the test's own thread.
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        if (processId == GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
        wchar_t className[16] = {};
        wchar_t title[64] = {};
        GetClassNameW(window, className, 16);
        GetWindowTextW(window, title, 64);
        if (std::wstring_view(className) != L"#32770" ||
            std::wstring_view(title).find(L"Glimmerbox") == std::wstring_view::npos)
            return TRUE;
        HWND button = GetDlgItem(window, IDNO);
        if (!button) button = GetDlgItem(window, IDOK);
        if (button && IsWindowEnabled(button)) PostMessageW(button, BM_CLICK, 0, 0);
        return TRUE;
    }

    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// What a failed run left installed goes with the uninstaller, silently and in place.
struct UninstalledAtEnd {
    ~UninstalledAtEnd() {
        if (!IsFile(folder / L"uninstall.exe")) return;
        RunToEnd(folder / L"uninstall.exe", L"/S /CurrentUser _?=" + folder.wstring());
        RemoveTree(folder.wstring());
    }
    fs::path folder;
};

class ReleaseTest : public ::testing::Test {
protected:
    std::optional<std::string> Value(RegRoot root, const std::string& path,
                                     const std::string& name) {
        const auto key = registry.OpenKey(root, path, RegAccess::Read);
        const auto data = key ? key->QueryValue(name) : std::nullopt;
        return data ? platform::ValueAsText(*data) : std::nullopt;
    }

    const fs::path dist = GLMX_DIST_DIR_W;
    platform::win32::Win32Registry registry;
    // The program's own settings, which the installed program writes; gone at the end.
    ScopedTestKey settings{RegRoot::CurrentUser, kSettingsKey};
};

TEST_F(ReleaseTest, InstallsPerUserUpgradesKeepingSettingsAndUninstallsFromItsOwnView) {
    const fs::path setup = dist / (kName + L"-setup.exe");
    ASSERT_TRUE(IsFile(setup)) << Narrow(setup.wstring()) << " is missing: run tools/dist.sh";
    const fs::path folder = fs::path(ShellFolder(CSIDL_LOCAL_APPDATA)) / L"Programs\\Glimmerbox";
    const fs::path shortcut = fs::path(ShellFolder(CSIDL_PROGRAMS)) / L"Glimmerbox.lnk";
    ASSERT_FALSE(fs::exists(folder)) << "left over from an earlier run";
    const std::string location = Narrow(folder.wstring());
    const UninstalledAtEnd cleanUp{folder};
    Watchdog watchdog("installing, upgrading and uninstalling");  // each step within 30 s

    ASSERT_EQ(RunToEnd(setup, L"/S"), 0u);
    watchdog.NextStep();
    for (const wchar_t* file : {L"glmx.exe", L"glmxshell.dll", L"glmx.chm", L"search.cfg",
                                L"uninstall.exe", L"LICENSE-artwork.md", L"readme.txt"})
        EXPECT_TRUE(IsFile(folder / file)) << Narrow(file);
    EXPECT_TRUE(IsFile(shortcut));
    const auto entry = [&](const char* name) {
        return Value(RegRoot::CurrentUser, kUninstallKey, name).value_or("(none)");
    };
    EXPECT_EQ(entry("DisplayName"), "Glimmerbox");
    EXPECT_EQ(entry("DisplayIcon"), location + "\\glmx.exe,0");
    EXPECT_EQ(entry("DisplayVersion"), GLMX_RELEASE_VERSION);
    EXPECT_EQ(entry("Publisher"), "Quenfield");
    EXPECT_EQ(entry("InstallLocation"), location);
    EXPECT_EQ(entry("UninstallString"), "\"" + location + "\\uninstall.exe\" /CurrentUser");
    EXPECT_GT(
        std::stoul("0" + Value(RegRoot::CurrentUser, kUninstallKey, "EstimatedSize").value_or("0")),
        100u);  // KB: the program alone is larger
    EXPECT_FALSE(registry.OpenKey(RegRoot::LocalMachine, kUninstallKey, RegAccess::Read));
    // The user turns the Explorer extension on.
    const fs::path regsvr32 = fs::path(ShellFolder(CSIDL_SYSTEM)) / L"regsvr32.exe";
    ASSERT_EQ(RunToEnd(regsvr32, L"/s \"" + (folder / L"glmxshell.dll").wstring() + L"\""), 0u);
    ASSERT_TRUE(registry.OpenKey(RegRoot::CurrentUser, kShellExtensionKey, RegAccess::Read));
    watchdog.NextStep();

    {
        StartedProgram program(shortcut);
        ASSERT_TRUE(program.Window()) << "the shortcut did not start the program";
        ExpectHelpOnViewPage(program.Window(), folder, vkInstalledPrograms,
                             L"view_installed_programs.htm");
        EXPECT_EQ(program.Close(), 0u);
    }
    watchdog.NextStep();
    // A setting made between the two installs.
    registry.CreateKey(RegRoot::CurrentUser, std::string(kSettingsKey) + "\\Configuration")
        ->SetValue("ShowStartupType", platform::MakeStringData("2"));

    ASSERT_EQ(RunToEnd(setup, L"/S"), 0u);
    watchdog.NextStep();
    EXPECT_EQ(Value(RegRoot::CurrentUser, std::string(kSettingsKey) + "\\Configuration",
                    "ShowStartupType"),
              "2");
    EXPECT_TRUE(Value(RegRoot::CurrentUser, std::string(kSettingsKey) + "\\Desktop", "Width"));
    EXPECT_TRUE(IsFile(folder / L"glmx.exe"));

    WindowUnderTest window;
    const HWND list = window.App().InventoryPage().List();
    window.Command(ui::ViewCommand(vkInstalledPrograms));
    const int row = FindRow(list, 0, "Glimmerbox");
    ASSERT_GE(row, 0);
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    ListView_GetItem(list, &item);
    EXPECT_GE(item.iImage, 0) << "no icon";
    SelectRow(list, row);
    window.NotifyClick(list);
    WindowUnderTest::PumpMessages();
    const std::string details = window.Main().Information().OfflineView().Text();
    watchdog.NextStep();
    EXPECT_THAT(details, HasSubstr("Quenfield"));
    EXPECT_THAT(details, HasSubstr(GLMX_RELEASE_VERSION));
    EXPECT_THAT(details, HasSubstr(location));

    {
        UninstallerClicker clicker;
        DialogAnswerer answerer(true);
        window.Command(ui::cmdInventoryControlButton);
        EXPECT_THAT(DialogAnswerer::Texts(), IsEmpty());
    }
    EXPECT_EQ(FindRow(list, 0, "Glimmerbox"), -1);
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_FALSE(fs::exists(shortcut));
    EXPECT_FALSE(registry.OpenKey(RegRoot::CurrentUser, kUninstallKey, RegAccess::Read));
    EXPECT_FALSE(registry.OpenKey(RegRoot::CurrentUser, kShellExtensionKey, RegAccess::Read));
    // The settings stay unless the user asks.
    EXPECT_EQ(Value(RegRoot::CurrentUser, std::string(kSettingsKey) + "\\Configuration",
                    "ShowStartupType"),
              "2");
}

TEST_F(ReleaseTest, PortableProgramRunsFromAFolderWithBlanksAndNonAsciiLetters) {
    // Unpacked from the zip by the test fixture; copied where a user might put it.
    const fs::path unpacked = fs::path(GLMX_PORTABLE_DIR_W) / kName;
    ASSERT_TRUE(IsFile(unpacked / L"glmx.exe"))
        << "the zip holds no " << Narrow(kName) << "\\glmx.exe";
    TempFolder place(L"Glimmerbox Pr\u00fcfung \u00e9t\u00e9 \u0416 ");
    const fs::path folder = place.path / L"Werkzeug f\u00fcr Sch\u00e4tze";
    fs::copy(unpacked, folder, fs::copy_options::recursive);
    EXPECT_FALSE(IsFile(folder / L"uninstall.exe"));

    StartedProgram program(folder / L"glmx.exe");
    ASSERT_TRUE(program.Window());
    ExpectHelpOnViewPage(program.Window(), folder, vkRegistry, L"view_registry.htm");
    // Without the help file, F1 says so.
    fs::remove(folder / L"glmx.chm");
    PostMessageW(program.Window(), WM_KEYDOWN, VK_F1, 0);
    EXPECT_EQ(MessageBoxTextOf(program.ProcessId()),
              "The help file \"" + Narrow((folder / L"glmx.chm").wstring()) + "\" was not found.");
    EXPECT_EQ(program.Close(), 0u);
}

}  // namespace
}  // namespace glmx::testing
