// The Win32 shell and file-system services against real files, links and folders in a
// throw-away folder below the temp folder.
#include <windows.h>

#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <tuple>

#include "platform/win32/com_ptr.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_shell.h"
#include "support/shell_test_fixture.h"

namespace glmx::platform::win32 {
namespace {

bool WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(std::filesystem::path(ExtendedLengthPath(Wide(path))), std::ios::binary);
    return static_cast<bool>(file << bytes);
}

bool SaveShortcut(const std::string& linkPath, const std::string& targetPath) {
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                __uuidof(IShellLinkW), link.put_void())) ||
        FAILED(link->SetPath(Wide(targetPath).c_str())))
        return false;
    const ComPtr<IPersistFile> file = link.As<IPersistFile>();
    return file && SUCCEEDED(file->Save(Wide(linkPath).c_str(), TRUE));
}

// Whether two existing paths name the same file, whatever their short or long forms.
bool SamePath(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(Wide(a), Wide(b), error);
}

class ShellWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        // ASCII: Wine loads a saved link's target through the ANSI code page only, so
        // other characters come back as "?" (Windows keeps them).
        ASSERT_TRUE(WriteBytes(target, "target"));
        ASSERT_TRUE(SaveShortcut(link, target));
    }
    void TearDown() override { CoUninitialize(); }

    glmx::testing::TempFolder temp{L"glmx-shell-"};
    std::string folder = temp.Utf8(), target = temp.Of("target file.txt"),
                link = temp.Of(L"Verkn\u00fcpfung \u65e5\U0001F600.lnk");
    Win32Shell shell;
    Win32FileSystem files;
};

TEST_F(ShellWinTest, AShortcutResolvesToItsTargetThroughAnyFormOfItsPath) {
    EXPECT_TRUE(SamePath(shell.ResolveShortcut(link), target)) << shell.ResolveShortcut(link);

    // The path is expanded and made full first.
    const std::string name = link.substr(folder.size() + 1);
    ASSERT_TRUE(SetEnvironmentVariableW(L"GLMX_SHELL_TEST", temp.path.c_str()));
    const std::string viaVariable = shell.ResolveShortcut("%GLMX_SHELL_TEST%\\" + name);
    SetEnvironmentVariableW(L"GLMX_SHELL_TEST", nullptr);
    EXPECT_TRUE(SamePath(viaVariable, target)) << viaVariable;

    // Also on a thread without COM, which the shell initialises itself.
    std::string resolved;
    std::thread([&] { resolved = shell.ResolveShortcut(link); }).join();
    EXPECT_TRUE(SamePath(resolved, target)) << resolved;
}

TEST_F(ShellWinTest, WhatIsNoShortcutResolvesToNothing) {
    const std::string garbage = folder + "\\garbage.lnk", empty = folder + "\\empty.lnk";
    ASSERT_TRUE(WriteBytes(garbage, std::string("L\0\0\0\x01\x14\x02\0garbage\xff\xfe", 17)));
    ASSERT_TRUE(WriteBytes(empty, ""));
    for (const std::string& path :
         {folder + "\\missing.lnk", garbage, empty, target, folder, std::string(),
          link + std::string(1, '\0') + "x", std::string(40000, 'a') + ".lnk"})
        EXPECT_EQ(shell.ResolveShortcut(path), "") << path.substr(0, 100);
}

TEST_F(ShellWinTest, SystemIconIndexesComeFromTheNameAlone) {
    // Wine gives every file 0; Windows gives each file type its own index.
    EXPECT_GE(shell.SystemIconIndex(folder), 0);
    EXPECT_EQ(shell.SystemIconIndex(target), shell.SystemIconIndex(folder + "\\never made.txt"));
    for (const std::string& nothing : {std::string(), std::string("a\0.txt", 6)})
        EXPECT_EQ(shell.SystemIconIndex(nothing), 0);
}

TEST_F(ShellWinTest, FilesAndFoldersAreFoundAndToldApartAtAnyLength) {
    // A folder beyond ASCII, and folders below it until the path is longer than 300.
    std::string longFolder = folder + "\\Ordner \u00e4\u65e5\U0001F600";
    ASSERT_TRUE(CreateDirectoryW(Wide(longFolder).c_str(), nullptr));
    while (longFolder.size() <= 300) {
        longFolder += "\\" + std::string(40, 'd');
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + Wide(longFolder)).c_str(), nullptr));
    }
    const std::string longFile =
        longFolder + "\\Datei \u00fc\u0416 " + std::string(30, 'f') + ".txt";
    ASSERT_TRUE(WriteBytes(longFile, "long"));

    const std::tuple<std::string, bool, bool> cases[] = {
        // path, file, folder
        {folder + "\\", false, true},
        {target, true, false},
        {folder + "\\missing.txt", false, false},
        {"", false, false},
        {files.WindowsFolder(), false, true},
        {folder + std::string(1, '\0') + "x", false, false},  // not cut short at the NUL
        {longFolder, false, true},
        {longFile, true, false},
        {longFolder + "\\x\\..\\missing.txt", false, false},
    };
    for (const auto& [path, file, directory] : cases) {
        EXPECT_EQ(files.FileExists(path), file) << path;
        EXPECT_EQ(files.DirectoryExists(path), directory) << path;
    }
    EXPECT_NE(files.WindowsFolder().back(), '\\');
}

TEST(ExtendedLengthPathWin, OnlyLongPathsGetThePrefixInTheirFullForm) {
    const std::wstring tail(300, L'a');
    EXPECT_EQ(ExtendedLengthPath(L"C:\\short\\path.txt"), L"C:\\short\\path.txt");
    EXPECT_EQ(ExtendedLengthPath(L"C:\\x\\y\\..\\" + tail), L"\\\\?\\C:\\x\\" + tail);
    EXPECT_EQ(ExtendedLengthPath(L"C:/x/" + tail), L"\\\\?\\C:\\x\\" + tail);
    EXPECT_EQ(ExtendedLengthPath(L"\\\\server\\share\\" + tail),
              L"\\\\?\\UNC\\server\\share\\" + tail);
    EXPECT_EQ(ExtendedLengthPath(L"\\\\?\\C:\\" + tail), L"\\\\?\\C:\\" + tail);
}

// ---- Context menus: a timer ends any menu that shows, so a test can never hang on one.

std::atomic<bool> menuSeen{false}, callbackWindowSeen{false};
std::atomic<int> menuTicks{0};

// Only this thread's windows: other test programs may show their menus meanwhile.
bool ThisThreadHasWindow(const wchar_t* className, bool visibleOnly) {
    using Search = std::tuple<const wchar_t*, bool, bool>;  // class, visible only, found
    Search search{className, visibleOnly, false};
    const auto check = [](HWND window, LPARAM context) -> BOOL {
        auto& [name, visible, found] = *reinterpret_cast<Search*>(context);
        wchar_t actual[64] = {};
        GetClassNameW(window, actual, 64);
        found |= std::wstring(actual) == name && (!visible || IsWindowVisible(window));
        return TRUE;
    };
    EnumThreadWindows(GetCurrentThreadId(), check, reinterpret_cast<LPARAM>(&search));
    return std::get<2>(search);
}

void CALLBACK EndAnyMenu(HWND, UINT, UINT_PTR, DWORD) {
    if (ThisThreadHasWindow(L"#32768", true)) menuSeen = true;
    if (ThisThreadHasWindow(L"ICMCALLBACKWND", false)) callbackWindowSeen = true;
    if (menuSeen || ++menuTicks > 50) EndMenu();
}

class ContextMenuWinTest : public ShellWinTest {
protected:
    void SetUp() override {
        ShellWinTest::SetUp();
        if (HasFatalFailure()) return;
        owner.reset(CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 100, 100, 200, 200, nullptr,
                                    nullptr, GetModuleHandleW(nullptr), nullptr));
        if (!owner) GTEST_SKIP() << "no display to create windows on";
        SetTimer(owner.get(), 1, 100, EndAnyMenu);
    }
    // Whether a menu showed; the call itself always answers false (no command was chosen).
    bool MenuShows(const std::string& path) {
        menuSeen = callbackWindowSeen = false;
        menuTicks = 0;
        EXPECT_FALSE(shell.DisplayShellContextMenu(owner.get(), path, 10, 10)) << path;
        return menuSeen;
    }

    UniqueWindow owner;  // its timer goes with it
};

TEST_F(ContextMenuWinTest, AMenuShowsForFilesFoldersAndDrivesAndNothingHappensWhenClosed) {
    const std::string drive = files.WindowsFolder().substr(0, 2);
    for (const std::string& path : {target, folder, drive, drive + "\\"}) {
        EXPECT_TRUE(MenuShows(path)) << path;
        // The shell's handler draws its own entries through the hidden callback window,
        // which goes with the menu.
        EXPECT_TRUE(callbackWindowSeen) << path;
        EXPECT_FALSE(ThisThreadHasWindow(L"ICMCALLBACKWND", false)) << path;
    }
    for (const std::string& path : {folder + "\\missing.txt", std::string("::<>|*?")})
        EXPECT_FALSE(MenuShows(path)) << path;
    EXPECT_TRUE(files.FileExists(target));
    EXPECT_TRUE(files.DirectoryExists(folder));
}

}  // namespace
}  // namespace glmx::platform::win32
