#include "platform/win32/win32_shell.h"

#include <windows.h>
// These need the types of windows.h first.
#include <msi.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cwchar>
#include <optional>

#include "platform/win32/com_ptr.h"
#include "platform/win32/shell_context_menu.h"
#include "platform/win32/system_library.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_file_system.h"

namespace glmx::platform::win32 {

namespace {

// A NUL inside the UTF-8 text would reach Windows as a shorter, different path.
std::optional<std::wstring> WidePath(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) return std::nullopt;
    return Wide(path);
}

// The text of a fixed buffer up to its first NUL, never reading past its end.
std::wstring TextOf(const wchar_t* buffer, size_t capacity) {
    return std::wstring(buffer, wcsnlen(buffer, capacity));
}

// ---- Shell links

// The GUI thread initialises COM at start-up; another thread that asks for a shortcut
// gets an apartment here, once. It keeps it for its life: uninitialising from a
// thread-exit callback would run under the loader lock.
bool InitialiseComForThisThread() {
    thread_local const bool initialised =
        SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    return initialised;
}

ComPtr<IShellLinkW> CreateShellLink() {
    ComPtr<IShellLinkW> link;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      __uuidof(IShellLinkW), link.put_void());
    if (result == CO_E_NOTINITIALIZED && InitialiseComForThisThread())
        result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                  __uuidof(IShellLinkW), link.put_void());
    if (FAILED(result)) link.reset();
    return link;
}

// The two Windows Installer functions that find an installer shortcut's component;
// looked up once per process, and msi.dll then stays loaded for the process's life.
struct WindowsInstaller {
    SystemLibrary msi{L"msi.dll"};
    decltype(&MsiGetShortcutTargetW) getShortcutTarget =
        msi.Function<decltype(&MsiGetShortcutTargetW)>("MsiGetShortcutTargetW");
    decltype(&MsiGetComponentPathW) getComponentPath =
        msi.Function<decltype(&MsiGetComponentPathW)>("MsiGetComponentPathW");

    static const WindowsInstaller& Get() {
        static const WindowsInstaller installer;
        return installer;
    }
};

// The installed file of a Windows Installer shortcut; "" for any other file.
std::wstring WindowsInstallerTarget(const std::wstring& shortcutPath) {
    const WindowsInstaller& msi = WindowsInstaller::Get();
    if (!msi.getShortcutTarget || !msi.getComponentPath) return {};
    constexpr size_t kGuidChars = 39;  // "{...}" and the NUL
    wchar_t product[kGuidChars] = {};
    wchar_t feature[kGuidChars] = {};
    wchar_t component[kGuidChars] = {};
    if (msi.getShortcutTarget(shortcutPath.c_str(), product, feature, component) != ERROR_SUCCESS)
        return {};
    product[kGuidChars - 1] = L'\0';
    component[kGuidChars - 1] = L'\0';
    constexpr DWORD kPathChars = MAX_PATH + 1;
    wchar_t path[kPathChars] = {};
    DWORD size = kPathChars;
    // Whatever the install state, a path it filled in is where the component is.
    msi.getComponentPath(product, component, path, &size);
    return TextOf(path, kPathChars);
}

// Environment references expanded, then made absolute; nullopt when either fails.
std::optional<std::wstring> ExpandedFullPath(const std::wstring& path) {
    DWORD size = ExpandEnvironmentStringsW(path.c_str(), nullptr, 0);
    for (int attempt = 0; attempt < 4 && size != 0; ++attempt) {  // the environment may change
        std::wstring expanded(size, L'\0');
        const DWORD got = ExpandEnvironmentStringsW(path.c_str(), expanded.data(), size);
        if (got == 0) return std::nullopt;
        if (got <= size) {  // it counts the NUL
            expanded.resize(wcsnlen(expanded.c_str(), expanded.size()));
            return FullPathName(expanded);
        }
        size = got;
    }
    return std::nullopt;
}

// ---- Context menus

using UniqueItemIdList = CoTaskMemPtr<ITEMIDLIST>;

UniqueItemIdList Parse(IShellFolder& folder, HWND owner, std::wstring name) {
    ITEMIDLIST* list = nullptr;
    ULONG eaten = 0;
    if (FAILED(folder.ParseDisplayName(owner, nullptr, name.data(), &eaten, &list, nullptr)))
        return {};
    return UniqueItemIdList(list);
}

// A context menu handler takes identifiers of direct children of its folder only.
bool IsOneLevel(const ITEMIDLIST* list) {
    if (!list || list->mkid.cb == 0) return false;
    const auto* next =
        reinterpret_cast<const ITEMIDLIST*>(reinterpret_cast<const BYTE*>(list) + list->mkid.cb);
    return next->mkid.cb == 0;
}

// An item of the shell namespace: its folder and its identifier within that folder.
struct ShellItem {
    ComPtr<IShellFolder> folder;
    UniqueItemIdList child;
};

// "C:" or "C:\".
bool IsDriveRoot(const std::wstring& path) {
    const bool letter = !path.empty() && ((path[0] >= L'A' && path[0] <= L'Z') ||
                                          (path[0] >= L'a' && path[0] <= L'z'));
    return letter && path.size() >= 2 && path[1] == L':' &&
           (path.size() == 2 || (path.size() == 3 && path[2] == L'\\'));
}

std::optional<ShellItem> FindItem(HWND owner, std::wstring path) {
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.put()))) return std::nullopt;
    ShellItem item;
    const size_t slash = path.rfind(L'\\');
    UniqueItemIdList directory;
    if (!IsDriveRoot(path) && slash != std::wstring::npos && slash > 0)
        directory = Parse(*desktop.get(), owner, path.substr(0, slash));
    if (directory) {
        if (FAILED(desktop->BindToObject(directory.get(), nullptr, __uuidof(IShellFolder),
                                         item.folder.put_void())))
            return std::nullopt;
        item.child = Parse(*item.folder.get(), owner, path.substr(slash + 1));
    } else if (IsDriveRoot(path)) {
        // A drive root has no directory above it: it is a child of the drives folder,
        // which parses it as "C:\". Only roots go there: that folder accepts odd names.
        UniqueItemIdList drives;
        if (FAILED(SHGetFolderLocation(owner, CSIDL_DRIVES, nullptr, 0, drives.put())) ||
            FAILED(desktop->BindToObject(drives.get(), nullptr, __uuidof(IShellFolder),
                                         item.folder.put_void())))
            return std::nullopt;
        if (!path.ends_with(L'\\')) path += L'\\';
        item.child = Parse(*item.folder.get(), owner, path);
    } else {
        return std::nullopt;
    }
    if (!item.folder || !IsOneLevel(item.child.get())) return std::nullopt;
    return item;
}

}  // namespace

int Win32Shell::SystemIconIndex(const std::string& path) const {
    const std::optional<std::wstring> widePath = WidePath(path);
    if (!widePath) return 0;
    SHFILEINFOW info{};
    if (SHGetFileInfoW(widePath->c_str(), 0, &info, sizeof(info),
                       SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON) == 0)
        return 0;
    return info.iIcon;
}

std::string Win32Shell::ResolveShortcut(const std::string& shortcutPath) const {
    const std::optional<std::wstring> path = WidePath(shortcutPath);
    if (!path) return {};
    const ComPtr<IShellLinkW> link = CreateShellLink();
    if (!link) return {};
    const std::string installerTarget = Narrow(WindowsInstallerTarget(*path));

    const ComPtr<IPersistFile> file = link.As<IPersistFile>();
    const std::optional<std::wstring> fullPath = ExpandedFullPath(*path);
    if (!file || !fullPath || FAILED(file->Load(fullPath->c_str(), STGM_READ)))
        return installerTarget;
    if (FAILED(link->Resolve(nullptr, SLR_ANY_MATCH | SLR_NO_UI))) return installerTarget;
    if (!installerTarget.empty()) return installerTarget;

    wchar_t target[MAX_PATH] = {};
    if (FAILED(link->GetPath(target, MAX_PATH, nullptr, SLGP_SHORTPATH))) return {};
    return Narrow(TextOf(target, MAX_PATH));
}

bool Win32Shell::DisplayShellContextMenu(void* ownerWindow, const std::string& path, int x, int y) {
    const HWND owner = static_cast<HWND>(ownerWindow);
    const std::optional<std::wstring> widePath = WidePath(path);
    if (!widePath) return false;
    const std::optional<ShellItem> item = FindItem(owner, *widePath);
    if (!item) return false;

    ComPtr<IContextMenu> handler;
    LPCITEMIDLIST children[] = {item->child.get()};
    if (FAILED(item->folder->GetUIObjectOf(owner, 1, children, __uuidof(IContextMenu), nullptr,
                                           handler.put_void())) ||
        !handler)
        return false;
    POINT point{x, y};
    if (owner) ClientToScreen(owner, &point);
    return ShowShellContextMenu(owner, *handler.get(), point, CMF_EXPLORE) ==
           ContextMenuOutcome::CommandRan;
}

bool Win32Shell::OpenWithShell(const std::string& target) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", Wide(target).c_str(), nullptr, nullptr, SW_SHOW));
    return result > 32 || GetLastError() == ERROR_CANCELLED;
}

}  // namespace glmx::platform::win32
