// The Win32 shell and file-system services against real files, links and folders in a
// throw-away folder below the temp folder.
#include <windows.h>

#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "platform/win32/com_ptr.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_shell.h"

namespace glmx::platform::win32 {
namespace {

// Removes a folder (a full drive path) with everything in it, at any depth and length.
void RemoveTree(const std::wstring& folder) {
    const std::wstring prefixed = L"\\\\?\\" + folder;
    WIN32_FIND_DATAW entry{};
    UniqueFindHandle find(FindFirstFileW((prefixed + L"\\*").c_str(), &entry));
    if (find) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(folder + L"\\" + name);
            } else {
                SetFileAttributesW((prefixed + L"\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW((prefixed + L"\\" + name).c_str());
            }
        } while (FindNextFileW(find.get(), &entry));
    }
    find.reset();
    RemoveDirectoryW(prefixed.c_str());
}

// A new folder of its own below the temp folder.
class ScopedTempFolder {
public:
    ScopedTempFolder() {
        static std::atomic<int> counter{0};
        wchar_t temp[MAX_PATH + 1] = {};
        const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
        std::wstring base(temp, length <= MAX_PATH ? length : 0);
        while (!base.empty() && base.back() == L'\\') base.pop_back();
        path_ = base + L"\\glmx-shell-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(counter++);
        RemoveTree(path_);
        created_ = CreateDirectoryW(path_.c_str(), nullptr) != FALSE;
    }
    ~ScopedTempFolder() { RemoveTree(path_); }
    ScopedTempFolder(const ScopedTempFolder&) = delete;
    ScopedTempFolder& operator=(const ScopedTempFolder&) = delete;

    bool Created() const { return created_; }
    const std::wstring& WidePath() const { return path_; }
    std::string Path() const { return Narrow(path_); }
    std::string Path(const std::string& name) const { return Path() + "\\" + name; }

private:
    std::wstring path_;
    bool created_ = false;
};

bool WriteBytes(const std::string& path, const std::string& bytes) {
    UniqueFileHandle file(CreateFileW(ExtendedLengthPath(Wide(path)).c_str(), GENERIC_WRITE, 0,
                                      nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file &&
           WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
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

// The long form of a path that exists, as Windows spells it.
std::wstring LongForm(const std::string& path) {
    const std::wstring wide = Wide(path);
    std::wstring buffer(32768, L'\0');
    const DWORD length =
        GetLongPathNameW(wide.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size()) return wide;
    buffer.resize(length);
    return buffer;
}

bool SamePath(const std::string& a, const std::string& b) {
    const std::wstring longA = LongForm(a);
    const std::wstring longB = LongForm(b);
    return CompareStringOrdinal(longA.c_str(), static_cast<int>(longA.size()), longB.c_str(),
                                static_cast<int>(longB.size()), TRUE) == CSTR_EQUAL;
}

class ShellWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        comInitialised_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        ASSERT_TRUE(folder.Created());
        // ASCII: Wine loads a saved link's target through the ANSI code page only, so
        // other characters come back as "?" (Windows keeps them).
        target = folder.Path("target file.txt");
        ASSERT_TRUE(WriteBytes(target, "target"));
        link = folder.Path("Verkn\u00fcpfung \u65e5\U0001F600.lnk");
        ASSERT_TRUE(SaveShortcut(link, target));
    }
    void TearDown() override {
        if (comInitialised_) CoUninitialize();
    }

    ScopedTempFolder folder;
    std::string target;
    std::string link;
    Win32Shell shell;
    Win32FileSystem files;

private:
    bool comInitialised_ = false;
};

TEST_F(ShellWinTest, AShortcutResolvesToItsTarget) {
    const std::string resolved = shell.ResolveShortcut(link);
    EXPECT_FALSE(resolved.empty());
    EXPECT_TRUE(SamePath(resolved, target)) << resolved;
}

TEST_F(ShellWinTest, AShortcutToAFolderResolvesToTheFolder) {
    const std::string folderLink = folder.Path("folder.lnk");
    ASSERT_TRUE(SaveShortcut(folderLink, folder.Path()));
    EXPECT_TRUE(SamePath(shell.ResolveShortcut(folderLink), folder.Path()));
}

TEST_F(ShellWinTest, TheShortcutPathIsExpandedAndMadeFullFirst) {
    ASSERT_TRUE(SetEnvironmentVariableW(L"GLMX_SHELL_TEST", folder.WidePath().c_str()));
    const std::string viaVariable =
        shell.ResolveShortcut("%GLMX_SHELL_TEST%\\" + link.substr(folder.Path().size() + 1));
    SetEnvironmentVariableW(L"GLMX_SHELL_TEST", nullptr);
    EXPECT_TRUE(SamePath(viaVariable, target)) << viaVariable;
    const std::string viaDots =
        folder.Path("no-such-folder\\..\\") + link.substr(folder.Path().size() + 1);
    EXPECT_TRUE(SamePath(shell.ResolveShortcut(viaDots), target));
}

TEST_F(ShellWinTest, AThreadWithoutComGetsItAndResolvesToo) {
    std::string resolved;
    HRESULT before = S_OK;
    HRESULT after = S_OK;
    std::thread worker([&] {
        ComPtr<IShellLinkW> unused;
        before = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                  __uuidof(IShellLinkW), unused.put_void());
        resolved = shell.ResolveShortcut(link);
        resolved = shell.ResolveShortcut(link);  // the apartment is there now
        after = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (SUCCEEDED(after)) CoUninitialize();
    });
    worker.join();
    EXPECT_EQ(before, CO_E_NOTINITIALIZED);
    EXPECT_TRUE(SamePath(resolved, target)) << resolved;
    EXPECT_EQ(after, S_FALSE);  // an apartment of that kind was there already
}

TEST_F(ShellWinTest, WhatIsNoShortcutResolvesToNothing) {
    const std::string garbage = folder.Path("garbage.lnk");
    ASSERT_TRUE(WriteBytes(garbage, std::string("L\0\0\0\x01\x14\x02\0garbage\xff\xfe", 17)));
    const std::string empty = folder.Path("empty.lnk");
    ASSERT_TRUE(WriteBytes(empty, ""));
    EXPECT_EQ(shell.ResolveShortcut(folder.Path("missing.lnk")), "");
    EXPECT_EQ(shell.ResolveShortcut(garbage), "");
    EXPECT_EQ(shell.ResolveShortcut(empty), "");
    EXPECT_EQ(shell.ResolveShortcut(target), "");
    EXPECT_EQ(shell.ResolveShortcut(folder.Path()), "");
    EXPECT_EQ(shell.ResolveShortcut(""), "");
    EXPECT_EQ(shell.ResolveShortcut(link + std::string(1, '\0') + "x"), "");
    EXPECT_EQ(shell.ResolveShortcut(std::string(40000, 'a') + ".lnk"), "");
}

TEST_F(ShellWinTest, SystemIconIndexesComeFromTheNameAlone) {
    // Wine gives every file 0; Windows gives each file type its own index.
    EXPECT_GE(shell.SystemIconIndex(target), 0);
    EXPECT_GE(shell.SystemIconIndex(folder.Path()), 0);
    EXPECT_EQ(shell.SystemIconIndex(folder.Path("a.txt")),
              shell.SystemIconIndex(folder.Path("never created.txt")));
    EXPECT_EQ(shell.SystemIconIndex(""), 0);
    EXPECT_EQ(shell.SystemIconIndex(std::string("a\0.txt", 6)), 0);
    EXPECT_GE(shell.SystemIconIndex(std::string(40000, 'x') + ".exe"), 0);
}

TEST_F(ShellWinTest, FilesAndFoldersAreFoundAndToldApart) {
    EXPECT_TRUE(files.DirectoryExists(folder.Path()));
    EXPECT_TRUE(files.DirectoryExists(folder.Path() + "\\"));
    EXPECT_FALSE(files.FileExists(folder.Path()));
    EXPECT_TRUE(files.FileExists(target));
    EXPECT_FALSE(files.DirectoryExists(target));
    EXPECT_FALSE(files.FileExists(folder.Path("missing.txt")));
    EXPECT_FALSE(files.DirectoryExists(folder.Path("missing")));
    EXPECT_FALSE(files.FileExists(""));
    EXPECT_FALSE(files.DirectoryExists(""));
    const std::string unicodeFolder = folder.Path("Ordner \u00e4\u65e5\U0001F600");
    ASSERT_TRUE(CreateDirectoryW(Wide(unicodeFolder).c_str(), nullptr));
    ASSERT_TRUE(WriteBytes(unicodeFolder + "\\Datei \u00fc\u0416.txt", "x"));
    EXPECT_TRUE(files.DirectoryExists(unicodeFolder));
    EXPECT_TRUE(files.FileExists(unicodeFolder + "\\Datei \u00fc\u0416.txt"));
    EXPECT_FALSE(files.FileExists(unicodeFolder + "\\Datei \u00fc.txt"));
    // A NUL would cut the path short at the folder.
    EXPECT_FALSE(files.DirectoryExists(folder.Path() + std::string(1, '\0') + "x"));
}

TEST_F(ShellWinTest, PathsLongerThanMaxPathWork) {
    std::string longFolder = folder.Path();
    while (longFolder.size() <= 300) {
        longFolder += "\\" + std::string(40, 'd');
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + Wide(longFolder)).c_str(), nullptr));
    }
    const std::string longFile = longFolder + "\\" + std::string(30, 'f') + ".txt";
    ASSERT_TRUE(WriteBytes(longFile, "long"));
    ASSERT_GT(longFile.size(), 300u);

    EXPECT_TRUE(files.DirectoryExists(longFolder));
    EXPECT_TRUE(files.FileExists(longFile));
    EXPECT_FALSE(files.FileExists(longFolder));
    EXPECT_FALSE(files.DirectoryExists(longFile));
    EXPECT_FALSE(files.FileExists(longFolder + "\\missing.txt"));
    // ".." and "/" are cleaned up before the "\\?\" prefix, which would keep them.
    const size_t lastSlash = longFile.rfind('\\');
    const std::string withDots =
        longFile.substr(0, lastSlash) + "\\x\\..\\" + longFile.substr(lastSlash + 1);
    EXPECT_TRUE(files.FileExists(withDots));
    std::string withSlashes = longFile;
    for (size_t i = 3; i < withSlashes.size(); ++i)
        if (withSlashes[i] == '\\') withSlashes[i] = '/';
    EXPECT_TRUE(files.FileExists(withSlashes));
}

TEST(ExtendedLengthPathWin, OnlyLongPathsGetThePrefixInTheirFullForm) {
    const std::wstring longTail(300, L'a');
    EXPECT_EQ(ExtendedLengthPath(L"C:\\short\\path.txt"), L"C:\\short\\path.txt");
    EXPECT_EQ(ExtendedLengthPath(L"C:\\x\\" + longTail), L"\\\\?\\C:\\x\\" + longTail);
    EXPECT_EQ(ExtendedLengthPath(L"C:\\x\\y\\..\\" + longTail), L"\\\\?\\C:\\x\\" + longTail);
    EXPECT_EQ(ExtendedLengthPath(L"C:/x/" + longTail), L"\\\\?\\C:\\x\\" + longTail);
    EXPECT_EQ(ExtendedLengthPath(L"\\\\server\\share\\" + longTail),
              L"\\\\?\\UNC\\server\\share\\" + longTail);
    EXPECT_EQ(ExtendedLengthPath(L"\\\\?\\C:\\" + longTail), L"\\\\?\\C:\\" + longTail);
    EXPECT_EQ(ExtendedLengthPath(L""), L"");
}

TEST(FileSystemWin, TheWindowsFolderExistsAndHasNoTrailingBackslash) {
    Win32FileSystem files;
    const std::string windows = files.WindowsFolder();
    ASSERT_FALSE(windows.empty());
    EXPECT_NE(windows.back(), '\\');
    EXPECT_EQ(windows.find('\0'), std::string::npos);
    EXPECT_TRUE(files.DirectoryExists(windows));
    wchar_t expected[MAX_PATH + 1] = {};
    const UINT length = GetWindowsDirectoryW(expected, MAX_PATH + 1);
    ASSERT_GT(length, 0u);
    std::wstring expectedText(expected, length);
    if (expectedText.back() == L'\\') expectedText.pop_back();
    EXPECT_EQ(windows, Narrow(expectedText));
}

// ---- Context menus: a timer ends any menu that shows, so a test can never hang on one.

std::atomic<bool> menuSeen{false};
std::atomic<bool> callbackWindowSeen{false};
std::atomic<int> menuTicks{0};

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    const int length = GetClassNameW(window, name, 64);
    return std::wstring(name, length > 0 ? length : 0);
}

// Only this thread's windows: other test programs may show their menus meanwhile.
bool ThisThreadHasWindow(const wchar_t* className, bool visibleOnly) {
    struct Search {
        const wchar_t* className;
        bool visibleOnly;
        bool found;
    } search{className, visibleOnly, false};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM context) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(context);
            if (ClassOf(window) == s.className && (!s.visibleOnly || IsWindowVisible(window)))
                s.found = true;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void CALLBACK EndAnyMenu(HWND, UINT, UINT_PTR, DWORD) {
    if (ThisThreadHasWindow(L"#32768", true)) menuSeen = true;
    if (ThisThreadHasWindow(L"ICMCALLBACKWND", false)) callbackWindowSeen = true;
    if (menuSeen || ++menuTicks > 50) EndMenu();
}

struct WindowTraits {
    using Type = HWND;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type window) noexcept { DestroyWindow(window); }
};

class ContextMenuWinTest : public ShellWinTest {
protected:
    void SetUp() override {
        ShellWinTest::SetUp();
        if (HasFatalFailure()) return;
        owner.reset(CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 100, 100, 200, 200, nullptr,
                                    nullptr, GetModuleHandleW(nullptr), nullptr));
        if (!owner) GTEST_SKIP() << "no display to create windows on";
        menuSeen = false;
        menuTicks = 0;
        timer = SetTimer(owner.get(), 1, 100, EndAnyMenu);
    }
    void TearDown() override {
        if (owner && timer) KillTimer(owner.get(), timer);
        owner.reset();
        ShellWinTest::TearDown();
    }

    UniqueHandle<WindowTraits> owner;
    UINT_PTR timer = 0;
};

TEST_F(ContextMenuWinTest, WhatCannotBeParsedShowsNoMenu) {
    for (const std::string& path :
         {folder.Path("missing.txt"), folder.Path("missing\\missing.txt"),
          std::string("Q:\\no\\such\\file.txt"), std::string(), std::string("\\"),
          std::string("::<>|*?"), target + std::string(1, '\0')}) {
        menuSeen = false;
        EXPECT_FALSE(shell.DisplayShellContextMenu(owner.get(), path, 5, 5)) << path;
        EXPECT_FALSE(menuSeen) << path;
    }
}

TEST_F(ContextMenuWinTest, AMenuShowsForAFileAFolderAndADriveAndNothingHappensWhenClosed) {
    const std::string drive = files.WindowsFolder().substr(0, 2);
    for (const std::string& path : {target, folder.Path(), drive, drive + "\\"}) {
        menuSeen = false;
        callbackWindowSeen = false;
        menuTicks = 0;
        EXPECT_FALSE(shell.DisplayShellContextMenu(owner.get(), path, 10, 10)) << path;
        EXPECT_TRUE(menuSeen) << path;
        // The shell's handler draws its own entries through the hidden callback window,
        // which goes with the menu.
        EXPECT_TRUE(callbackWindowSeen) << path;
        EXPECT_FALSE(ThisThreadHasWindow(L"ICMCALLBACKWND", false)) << path;
    }
    EXPECT_TRUE(files.FileExists(target));
    EXPECT_TRUE(files.DirectoryExists(folder.Path()));
}

}  // namespace
}  // namespace glmx::platform::win32
