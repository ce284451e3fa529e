// glmxshell.dll: the Explorer context-menu handler that offers Glimmerbox on files,
// folders and drives. It adds one entry and starts glmx.exe from its own folder with
// the selection's switch and path; it waits for nothing, so Explorer never hangs on
// it, and no exception leaves a COM method.
#include <olectl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <new>
#include <string>

#include "platform/text.h"
#include "shellintegration/shell_menu.h"

namespace {

using glmx::shellintegration::ContextMenu;

// {E63C3709-6797-4C7F-8A05-C783BBEF78FA}
constexpr CLSID kHandlerClassId = {
    0xE63C3709, 0x6797, 0x4C7F, {0x8A, 0x05, 0xC7, 0x83, 0xBB, 0xEF, 0x78, 0xFA}};
constexpr wchar_t kVerb[] = L"glmx";

HMODULE module = nullptr;
LONG liveObjects = 0;  // handlers and class factories not yet released
LONG serverLocks = 0;

std::wstring Wide(std::string_view utf8) {
    const std::u16string wide = glmx::platform::Utf8ToUtf16(utf8);
    return std::wstring(wide.begin(), wide.end());
}

std::string Narrow(std::wstring_view wide) {
    return glmx::platform::Utf16ToUtf8(
        std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring ModuleFolder() {
    std::wstring path = ModulePath();
    path.resize(path.find_last_of(L"\\/") + 1);  // npos + 1 empties it
    return path;
}

// The first selected item's path: a dropped-file list from the data object, or the
// folder whose background was clicked.
std::wstring SelectedPath(LPCITEMIDLIST folder, IDataObject* data) {
    if (data) {
        FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        STGMEDIUM medium{};
        if (FAILED(data->GetData(&format, &medium))) return {};
        std::wstring path;
        if (auto* drop = static_cast<HDROP>(GlobalLock(medium.hGlobal))) {
            const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
            if (length > 0) {
                path.resize(length + 1);
                path.resize(DragQueryFileW(drop, 0, path.data(), length + 1));
            }
            GlobalUnlock(medium.hGlobal);
        }
        ReleaseStgMedium(&medium);
        return path;
    }
    wchar_t path[MAX_PATH] = {};
    if (folder && SHGetPathFromIDListW(folder, path)) return path;
    return {};
}

void CopyText(std::wstring_view text, LPSTR buffer, UINT size, bool wide) {
    if (!buffer || size == 0) return;
    if (wide) {
        auto* out = reinterpret_cast<wchar_t*>(buffer);
        const size_t count = std::min<size_t>(text.size(), size - 1);
        text.copy(out, count);
        out[count] = L'\0';
    } else {
        const std::string narrow = Narrow(text);
        const size_t count = std::min<size_t>(narrow.size(), size - 1);
        narrow.copy(buffer, count);
        buffer[count] = '\0';
    }
}

class ContextMenuHandler final : public IShellExtInit, public IContextMenu {
public:
    ContextMenuHandler() { InterlockedIncrement(&liveObjects); }
    ~ContextMenuHandler() { InterlockedDecrement(&liveObjects); }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IShellExtInit)
            *object = static_cast<IShellExtInit*>(this);
        else if (iid == IID_IContextMenu)
            *object = static_cast<IContextMenu*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&references_); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }

    STDMETHODIMP Initialize(LPCITEMIDLIST folder, IDataObject* data, HKEY) override try {
        path_ = SelectedPath(folder, data);
        if (path_.empty()) return E_FAIL;
        const DWORD attributes = GetFileAttributesW(path_.c_str());
        const bool directory =
            attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
        menu_ = glmx::shellintegration::ClassifySelection(Narrow(path_), directory);
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }

    STDMETHODIMP QueryContextMenu(HMENU menu, UINT index, UINT first, UINT last,
                                  UINT flags) override try {
        if ((flags & CMF_DEFAULTONLY) || path_.empty() || first > last)
            return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
        const std::wstring caption = Wide(glmx::shellintegration::ContextMenuCaption(menu_));
        if (!InsertMenuW(menu, index, MF_BYPOSITION | MF_STRING, first, caption.c_str()))
            return HRESULT_FROM_WIN32(GetLastError());
        return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 1);
    } catch (...) {
        return E_OUTOFMEMORY;
    }

    STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) override try {
        if (!info || path_.empty()) return E_INVALIDARG;
        if (!IsOurVerb(*info)) return E_INVALIDARG;
        const std::wstring folder = ModuleFolder();
        const std::wstring program = folder + L"glmx.exe";
        std::wstring commandLine =
            L"\"" + program + L"\" " +
            Wide(glmx::shellintegration::HandlerArgument(menu_, Narrow(path_)));
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(info->nShow ? info->nShow : SW_SHOWNORMAL);
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                            nullptr, folder.empty() ? nullptr : folder.c_str(), &startup,
                            &process)) {
            const DWORD error = GetLastError();
            if (!(info->fMask & CMIC_MASK_FLAG_NO_UI)) {
                const std::wstring text = L"Glimmerbox could not be started:\n" + program;
                MessageBoxW(info->hwnd, text.c_str(), L"Glimmerbox", MB_OK | MB_ICONERROR);
            }
            return HRESULT_FROM_WIN32(error);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }

    STDMETHODIMP GetCommandString(UINT_PTR command, UINT type, UINT*, LPSTR name,
                                  UINT size) override try {
        if (command != 0) return E_INVALIDARG;
        switch (type) {
            case GCS_VERBW:
            case GCS_VERBA:
                CopyText(kVerb, name, size, type == GCS_VERBW);
                return S_OK;
            case GCS_HELPTEXTW:
            case GCS_HELPTEXTA: {
                std::wstring help = Wide(glmx::shellintegration::ContextMenuCaption(menu_));
                std::erase(help, L'&');
                CopyText(help, name, size, type == GCS_HELPTEXTW);
                return S_OK;
            }
            case GCS_VALIDATEW:
            case GCS_VALIDATEA:
                return S_OK;
        }
        return E_INVALIDARG;
    } catch (...) {
        return E_OUTOFMEMORY;
    }

private:
    // The entry's offset (0, the only one) or its verb name.
    static bool IsOurVerb(const CMINVOKECOMMANDINFO& info) {
        if (info.cbSize >= sizeof(CMINVOKECOMMANDINFOEX) && (info.fMask & CMIC_MASK_UNICODE)) {
            const auto& wide = reinterpret_cast<const CMINVOKECOMMANDINFOEX&>(info);
            if (IS_INTRESOURCE(wide.lpVerbW)) return LOWORD(wide.lpVerbW) == 0;
            return lstrcmpiW(wide.lpVerbW, kVerb) == 0;
        }
        if (IS_INTRESOURCE(info.lpVerb)) return LOWORD(info.lpVerb) == 0;
        return lstrcmpiA(info.lpVerb, "glmx") == 0;
    }

    LONG references_ = 1;
    std::wstring path_;
    ContextMenu menu_ = ContextMenu::Files;
};

class ClassFactory final : public IClassFactory {
public:
    ClassFactory() { InterlockedIncrement(&liveObjects); }
    ~ClassFactory() { InterlockedDecrement(&liveObjects); }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid != IID_IUnknown && iid != IID_IClassFactory) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&references_); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        auto* handler = new (std::nothrow) ContextMenuHandler;
        if (!handler) return E_OUTOFMEMORY;
        const HRESULT result = handler->QueryInterface(iid, object);
        handler->Release();
        return result;
    }
    STDMETHODIMP LockServer(BOOL lock) override {
        if (lock)
            InterlockedIncrement(&serverLocks);
        else
            InterlockedDecrement(&serverLocks);
        return S_OK;
    }

private:
    LONG references_ = 1;
};

// Sets a key's value in the current user's classes, creating the key.
bool SetClassValue(const std::wstring& path, const wchar_t* name, const std::wstring& text) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG result =
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

const std::wstring& ClassKeyPath() {
    static const std::wstring path =
        L"Software\\Classes\\CLSID\\" + std::wstring(glmx::shellintegration::kHandlerClassIdWide);
    return path;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) {
        module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID classId, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (classId != kHandlerClassId) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new (std::nothrow) ClassFactory;
    if (!factory) return E_OUTOFMEMORY;
    const HRESULT result = factory->QueryInterface(iid, object);
    factory->Release();
    return result;
}

STDAPI DllCanUnloadNow() { return liveObjects == 0 && serverLocks == 0 ? S_OK : S_FALSE; }

// Per user, so that no administrator rights are needed.
STDAPI DllRegisterServer() try {
    const std::wstring path = ModulePath();
    if (path.empty()) return SELFREG_E_CLASS;
    const std::wstring server = ClassKeyPath() + L"\\InprocServer32";
    const bool written = SetClassValue(ClassKeyPath(), nullptr, L"Glimmerbox context menu") &&
                         SetClassValue(server, nullptr, path) &&
                         SetClassValue(server, L"ThreadingModel", L"Apartment");
    return written ? S_OK : SELFREG_E_CLASS;
} catch (...) {
    return E_OUTOFMEMORY;
}

STDAPI DllUnregisterServer() try {
    const std::wstring server = ClassKeyPath() + L"\\InprocServer32";
    const LONG inner = RegDeleteKeyW(HKEY_CURRENT_USER, server.c_str());
    const LONG outer = RegDeleteKeyW(HKEY_CURRENT_USER, ClassKeyPath().c_str());
    const auto gone = [](LONG result) {
        return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
    };
    return gone(inner) && gone(outer) ? S_OK : SELFREG_E_CLASS;
} catch (...) {
    return E_OUTOFMEMORY;
}
