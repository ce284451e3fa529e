// glmxshell.dll loaded through COM as Explorer loads it: registered from a folder with
// blanks beside a recording glmx.exe (the test child, which titles its window with its
// first argument), initialised with the shell's own data objects for a file, a folder
// and a drive, its entry added, and glmx.exe started with the selection's switch.
#include <windows.h>
// Needs the types of windows.h first.
#include <gtest/gtest.h>
#include <shellapi.h>
#include <shlobj.h>

#include <memory>
#include <string>

#include "app/command_line.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_process_environment.h"
#include "shellintegration/shell_menu.h"
#include "support/main_window_finder.h"
#include "support/scoped_test_key.h"

namespace glmx::shellintegration {
namespace {

using namespace std::chrono_literals;
using platform::win32::ComPtr;
using platform::win32::Narrow;
using platform::win32::Wide;

constexpr CLSID kHandler = {
    0xE63C3709, 0x6797, 0x4C7F, {0x8A, 0x05, 0xC7, 0x83, 0xBB, 0xEF, 0x78, 0xFA}};
constexpr wchar_t kServerKey[] = L"CLSID\\{E63C3709-6797-4C7F-8A05-C783BBEF78FA}\\InprocServer32";
const std::wstring kClassKey = L"Software\\Classes\\" + std::wstring(kServerKey);

std::wstring RegistryText(HKEY root, const wchar_t* path, const wchar_t* name) {
    wchar_t text[MAX_PATH] = {};
    DWORD size = sizeof(text);
    if (RegGetValueW(root, path, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return L"(none)";
    return text;
}

// The shell's data object for one item, as Explorer hands it to a handler.
ComPtr<IDataObject> DataObjectFor(const std::wstring& path) {
    ComPtr<IDataObject> data;
    platform::win32::CoTaskMemPtr<ITEMIDLIST> item;
    ITEMIDLIST* parsed = nullptr;
    if (FAILED(SHParseDisplayName(path.c_str(), nullptr, &parsed, 0, nullptr))) return data;
    item.reset(parsed);
    ComPtr<IShellFolder> parent;
    const ITEMIDLIST* child = nullptr;
    if (SUCCEEDED(SHBindToParent(item.get(), IID_IShellFolder, parent.put_void(), &child)))
        parent->GetUIObjectOf(nullptr, 1, &child, IID_IDataObject, nullptr, data.put_void());
    return data;
}

// The first argument of a command line as the test child's runtime reads it.
std::wstring FirstArgument(const std::wstring& arguments) {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW((L"glmx.exe " + arguments).c_str(), &count);
    std::wstring first = count > 1 ? argv[1] : L"";
    LocalFree(argv);
    return first;
}

class ShellExtensionWin : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const std::wstring bin =
            Wide(app::ProgramFolderOf(platform::win32::Win32ProcessEnvironment().ProgramPath()));
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder =
            std::wstring(temp) + L"glmx shell " + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(folder.c_str(), nullptr);
        CreateDirectoryW((folder + L"sub dir").c_str(), nullptr);
        platform::win32::UniqueFileHandle file(CreateFileW(
            (folder + L"a b.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(CopyFileW((bin + L"glmxshell.dll").c_str(), (folder + L"glmxshell.dll").c_str(),
                              FALSE));
        ASSERT_TRUE(CopyFileW((bin + L"glmx_test_child.exe").c_str(),
                              (folder + L"glmx.exe").c_str(), FALSE));
        dll.reset(LoadLibraryW((folder + L"glmxshell.dll").c_str()));
        ASSERT_TRUE(dll);
    }
    void TearDown() override {
        dll.reset();
        CoUninitialize();
        for (const wchar_t* name : {L"glmxshell.dll", L"glmx.exe", L"a b.txt"})
            DeleteFileW((folder + name).c_str());
        RemoveDirectoryW((folder + L"sub dir").c_str());
        RemoveDirectoryW(folder.c_str());
    }
    HRESULT Call(const char* export_name) {
        const auto function = reinterpret_cast<HRESULT(WINAPI*)()>(
            reinterpret_cast<void*>(GetProcAddress(dll.get(), export_name)));
        return function ? function() : E_NOTIMPL;
    }

    std::wstring folder;
    platform::win32::UniqueModule dll;
};

TEST_F(ShellExtensionWin, RegisteredForTheUserItAddsTheFittingEntryAndStartsGlmxWithTheSwitch) {
    testing::ScopedTestKey userClass(platform::RegRoot::CurrentUser,
                                     "Software\\Classes\\CLSID\\" + std::string(kHandlerClassId));
    ASSERT_EQ(Call("DllRegisterServer"), S_OK);
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kClassKey.c_str(), nullptr),
              folder + L"glmxshell.dll");
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kClassKey.c_str(), L"ThreadingModel"), L"Apartment");

    // Windows merges the user's classes into HKEY_CLASSES_ROOT; Wine does not, so there
    // the test puts the same registration in the machine's classes.
    std::unique_ptr<testing::ScopedTestKey> machineClass;
    if (RegistryText(HKEY_CLASSES_ROOT, kServerKey, nullptr) == L"(none)") {
        machineClass = std::make_unique<testing::ScopedTestKey>(
            platform::RegRoot::LocalMachine,
            "Software\\Classes\\CLSID\\" + std::string(kHandlerClassId));
        platform::win32::UniqueHKey key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kClassKey.c_str(), 0, nullptr, 0,
                                  KEY_SET_VALUE, nullptr, key.put(), nullptr),
                  ERROR_SUCCESS);
        const std::wstring path = folder + L"glmxshell.dll";
        RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                       static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
    }

    const struct {
        std::wstring path;
        ContextMenu menu;
    } selections[] = {
        {folder + L"a b.txt", ContextMenu::Files},
        {folder + L"sub dir", ContextMenu::Folders},
        {L"C:\\", ContextMenu::Drives},
    };
    for (const auto& selection : selections) {
        SCOPED_TRACE(Narrow(selection.path));
        ComPtr<IDataObject> data = DataObjectFor(selection.path);
        ASSERT_TRUE(data);
        ComPtr<IShellExtInit> init;
        ASSERT_EQ(CoCreateInstance(kHandler, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                                   init.put_void()),
                  S_OK);
        ASSERT_EQ(init->Initialize(nullptr, data.get(), nullptr), S_OK);
        ComPtr<IContextMenu> menu = init.As<IContextMenu>();
        ASSERT_TRUE(menu);
        platform::win32::UniqueMenu popup(CreatePopupMenu());
        EXPECT_EQ(menu->QueryContextMenu(popup.get(), 0, 100, 200, CMF_NORMAL),
                  MAKE_HRESULT(SEVERITY_SUCCESS, 0, 1));
        wchar_t caption[128] = {};
        GetMenuStringW(popup.get(), 100, caption, 128, MF_BYCOMMAND);
        EXPECT_EQ(Narrow(caption), ContextMenuCaption(selection.menu));
        EXPECT_EQ(Call("DllCanUnloadNow"), S_FALSE);  // the handler is alive

        CMINVOKECOMMANDINFO invoke{};
        invoke.cbSize = sizeof(invoke);
        invoke.lpVerb = MAKEINTRESOURCEA(0);
        invoke.nShow = SW_SHOWNOACTIVATE;
        ASSERT_EQ(menu->InvokeCommand(&invoke), S_OK);
        const std::wstring title =
            FirstArgument(Wide(HandlerArgument(selection.menu, Narrow(selection.path))));
        HWND started = nullptr;
        EXPECT_TRUE(glmx::testing::WaitUntil(
            [&] { return (started = FindWindowW(L"GlmxTestChild", title.c_str())) != nullptr; },
            10s))
            << Narrow(title);
        PostMessageW(started, WM_CLOSE, 0, 0);
        EXPECT_TRUE(glmx::testing::WaitUntil([&] { return !IsWindow(started); }, 10s));
    }
    EXPECT_EQ(Call("DllCanUnloadNow"), S_OK);

    EXPECT_EQ(Call("DllUnregisterServer"), S_OK);
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kClassKey.c_str(), nullptr), L"(none)");
}

}  // namespace
}  // namespace glmx::shellintegration
