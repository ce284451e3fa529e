// Shared by the shell tests: a throw-away folder below the temp folder, a plain top-level
// window that hands a control's notifications back to it as a page does, and a message pump.
#pragma once

#include <windows.h>

#include <shlobj.h>
#include <shobjidl.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/win32/com_ptr.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

namespace glmx::testing {

// Removes a folder (a full drive path) with everything in it, at any depth and length.
inline void RemoveTree(const std::wstring& folder) {
    const std::wstring prefixed = L"\\\\?\\" + folder;
    WIN32_FIND_DATAW entry{};
    platform::win32::UniqueFindHandle find(FindFirstFileW((prefixed + L"\\*").c_str(), &entry));
    while (find) {
        const std::wstring name = entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name != L"." && name != L"..") RemoveTree(folder + L"\\" + name);
        } else {
            SetFileAttributesW((prefixed + L"\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW((prefixed + L"\\" + name).c_str());
        }
        if (!FindNextFileW(find.get(), &entry)) find.reset();
    }
    RemoveDirectoryW(prefixed.c_str());
}

// Saves a shortcut to a target; needs COM on the thread.
inline bool SaveShortcut(const std::string& linkPath, const std::string& targetPath) {
    using platform::win32::Wide;
    platform::win32::ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                __uuidof(IShellLinkW), link.put_void())) ||
        FAILED(link->SetPath(Wide(targetPath).c_str())))
        return false;
    const auto file = link.As<IPersistFile>();
    return file && SUCCEEDED(file->Save(Wide(linkPath).c_str(), TRUE));
}

// A new empty folder of its own below the temp folder, removed with its contents at the end.
struct TempFolder {
    explicit TempFolder(const std::wstring& prefix) {
        static std::atomic<int> counter{0};
        wchar_t temp[MAX_PATH + 1] = {};  // ends with a backslash
        path = std::wstring(temp, GetTempPathW(MAX_PATH + 1, temp)) + prefix +
               std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
        RemoveTree(path.wstring());  // a stale run's
        std::filesystem::create_directories(path);
    }
    ~TempFolder() { RemoveTree(path.wstring()); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Utf8() const { return platform::win32::Narrow(path.wstring()); }
    std::string Of(const std::filesystem::path& name) const {
        return platform::win32::Narrow((path / name).wstring());
    }
    std::filesystem::path path;
};

// Handles waiting messages until the condition holds; the bound only keeps a broken build
// from hanging.
template <typename Condition>
bool PumpUntil(Condition condition) {
    for (int round = 0; round < 600; ++round) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (condition()) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return condition();
}
inline void PumpMessages() {
    PumpUntil([] { return true; });
}

// Answers the message boxes and shell confirmations of this thread with Yes (or OK),
// or No where told and offered, while it lives, keeping their texts and default
// buttons: a thread timer's procedure runs in the dialog's own message loop.
struct DialogAnswerer {
    static void CALLBACK Answer(HWND, UINT, UINT_PTR, DWORD) {
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND dialog, LPARAM) -> BOOL {
                wchar_t name[16] = {};
                GetClassNameW(dialog, name, 16);
                HWND yes = GetDlgItem(dialog, IDYES) ? GetDlgItem(dialog, IDYES)
                                                     : GetDlgItem(dialog, IDOK);
                if (std::wstring(name) != L"#32770" || !IsWindowVisible(dialog) || !yes)
                    return TRUE;
                wchar_t text[1024] = {};
                GetDlgItemTextW(dialog, 0xFFFF, text, 1024);  // a message box's text
                Texts().push_back(platform::win32::Narrow(text));
                for (int button : {IDOK, IDYES, IDNO})
                    if (HWND item = GetDlgItem(dialog, button);
                        item && (GetWindowLongW(item, GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON)
                        DefaultButtons().push_back(button);
                HWND no = GetDlgItem(dialog, IDNO);
                PostMessageW(!AnswerYes() && no ? no : yes, BM_CLICK, 0, 0);
                return FALSE;
            },
            0);
    }
    static std::vector<std::string>& Texts() {
        static std::vector<std::string> texts;
        return texts;
    }
    static std::vector<int>& DefaultButtons() {
        static std::vector<int> buttons;
        return buttons;
    }
    static bool& AnswerYes() {
        static bool yes = true;
        return yes;
    }
    explicit DialogAnswerer(bool answerYes = true) {
        Texts().clear();
        DefaultButtons().clear();
        AnswerYes() = answerYes;
    }
    ~DialogAnswerer() { KillTimer(nullptr, timer); }
    UINT_PTR timer = SetTimer(nullptr, 0, 50, Answer);
};

// A shown top-level window of its own class with the control (a ShellTree or ShellList)
// created in it as child 7; the window hands its WM_NOTIFY messages to the control.
template <typename Control>
platform::win32::UniqueWindow HostWindow(Control& control, const wchar_t* className, int width,
                                         int height) {
    static const WNDCLASSW windowClass{
        0,
        [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
            auto* hosted = reinterpret_cast<Control*>(GetWindowLongPtrW(window, GWLP_USERDATA));
            LRESULT result = 0;
            if (message == WM_NOTIFY && hosted &&
                hosted->OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result))
                return result;
            return DefWindowProcW(window, message, wParam, lParam);
        },
        0,
        0,
        GetModuleHandleW(nullptr),
        {},
        {},
        {},
        {},
        className};
    static const ATOM registered = RegisterClassW(&windowClass);
    platform::win32::UniqueWindow window(
        CreateWindowExW(0, MAKEINTATOM(registered), className, WS_OVERLAPPEDWINDOW, 0, 0, width,
                        height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    if (!window || !control.Create(window.get(), 7)) return {};
    SetWindowLongPtrW(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control));
    MoveWindow(control.Handle(), 0, 0, width - 20, height - 40, FALSE);
    ShowWindow(window.get(), SW_SHOW);
    return window;
}

}  // namespace glmx::testing
