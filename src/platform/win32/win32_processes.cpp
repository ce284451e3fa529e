#include "platform/win32/win32_processes.h"

#include <windows.h>
// Needs the types of windows.h first.
#include <tlhelp32.h>

#include "platform/win32/system_error.h"
#include "platform/win32/system_library.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

namespace glmx::platform::win32 {

namespace {

// Looked up once and kept: the tool-help functions are missing on NT 4 and the
// process-status library on Windows 9x.
struct ProcessFunctions {
    using CreateSnapshot = HANDLE(WINAPI*)(DWORD, DWORD);
    using ProcessWalk = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32W*);
    using EnumModules = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
    using ModuleFileName = DWORD(WINAPI*)(HANDLE, HMODULE, wchar_t*, DWORD);

    SystemLibrary kernel{L"kernel32.dll"};
    SystemLibrary psapi{L"psapi.dll"};
    CreateSnapshot createSnapshot = kernel.Function<CreateSnapshot>("CreateToolhelp32Snapshot");
    ProcessWalk first = kernel.Function<ProcessWalk>("Process32FirstW");
    ProcessWalk next = kernel.Function<ProcessWalk>("Process32NextW");
    EnumModules enumModules = psapi.Function<EnumModules>("EnumProcessModules");
    ModuleFileName moduleFileName = psapi.Function<ModuleFileName>("GetModuleFileNameExW");

    static const ProcessFunctions& Get() {
        static const ProcessFunctions functions;
        return functions;
    }
};

// SYNCHRONIZE: to tell a refused termination from a process that has just ended.
constexpr DWORD kTerminateRights = PROCESS_TERMINATE | PROCESS_CREATE_THREAD |
                                   PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                   SYNCHRONIZE;
// A module file name is read into 513 characters at most.
constexpr DWORD kModuleNameChars = 513;
// Windows that do not answer within this time count as not answering.
constexpr UINT kReplyTimeoutMs = 5000;

}  // namespace

std::optional<std::vector<SnapshotEntry>> Win32ProcessSystem::Snapshot() const {
    const ProcessFunctions& functions = ProcessFunctions::Get();
    if (!functions.createSnapshot || !functions.first || !functions.next) return std::nullopt;
    UniqueFileHandle snapshot(functions.createSnapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return std::nullopt;
    std::vector<SnapshotEntry> entries;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = functions.first(snapshot.get(), &entry); more;
         more = functions.next(snapshot.get(), &entry)) {
        entry.szExeFile[MAX_PATH - 1] = L'\0';
        entries.push_back({entry.th32ProcessID, Narrow(entry.szExeFile)});
    }
    return entries;
}

bool Win32ProcessSystem::VisitModuleFileNames(
    std::uint32_t processId, size_t maxModules,
    const std::function<bool(const std::string&)>& visit) const {
    const ProcessFunctions& functions = ProcessFunctions::Get();
    if (!functions.enumModules || !functions.moduleFileName) return false;
    SetLastError(0);
    UniqueKernelHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) return false;
    std::vector<HMODULE> modules(maxModules);
    DWORD needed = 0;
    if (!functions.enumModules(process.get(), modules.data(),
                               static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed))
        return true;
    modules.resize(std::min<size_t>(modules.size(), needed / sizeof(HMODULE)));
    wchar_t name[kModuleNameChars];
    for (HMODULE module : modules) {
        const DWORD length =
            functions.moduleFileName(process.get(), module, name, kModuleNameChars);
        if (!visit(Narrow(std::wstring_view(name, std::min<DWORD>(length, kModuleNameChars - 1)))))
            break;
    }
    return true;
}

EndProcessResult Win32ProcessSystem::EndProcess(std::uint32_t processId) {
    UniqueKernelHandle process(OpenProcess(kTerminateRights, FALSE, processId));
    if (!process) return {EndProcessStatus::OpenFailed, {}};
    // The ended process's exit code tells waiting programs that it was ended; its
    // current code would be STILL_ACTIVE, which tells them it still runs.
    if (TerminateProcess(process.get(), 1)) return {EndProcessStatus::Ended, {}};
    const DWORD error = GetLastError();
    // A process that is ending or has ended refuses termination (access denied).
    if (WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0)
        return {EndProcessStatus::AlreadyExited, {}};
    return {EndProcessStatus::TerminateFailed, SystemErrorText(error)};
}

std::uint32_t Win32ProcessSystem::CurrentProcessId() const { return GetCurrentProcessId(); }

OsVersionNumbers Win32ProcessSystem::OsVersion() const {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExW(&info);
#pragma GCC diagnostic pop
    return {info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
}

namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    auto& windows = *reinterpret_cast<std::vector<TopLevelWindow>*>(context);
    TopLevelWindow record;
    record.handle = reinterpret_cast<WindowId>(window);
    record.visible = IsWindowVisible(window) != FALSE;
    if (!record.visible) return TRUE;  // nothing else is read of hidden windows
    record.owner = static_cast<WindowId>(GetWindowLongPtrW(window, GWLP_HWNDPARENT));
    record.toolWindow = (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
    // 129 characters: a title of up to 128. A hung window must not hang the list.
    wchar_t title[129] = {};
    DWORD_PTR copied = 0;
    if (SendMessageTimeoutW(window, WM_GETTEXT, 129, reinterpret_cast<LPARAM>(title),
                            SMTO_ABORTIFHUNG | SMTO_BLOCK, 1000, &copied)) {
        title[128] = L'\0';
        record.title = Narrow(title);
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    record.processId = processId;
    windows.push_back(std::move(record));
    return TRUE;
}

}  // namespace

std::vector<TopLevelWindow> Win32TopLevelWindows::Enumerate() const {
    std::vector<TopLevelWindow> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

WindowId Win32TopLevelWindows::DesktopWindow() const {
    return reinterpret_cast<WindowId>(GetDesktopWindow());
}

WindowReply Win32TopLevelWindows::SendClose(WindowId window) {
    DWORD_PTR reply = 0;
    if (!SendMessageTimeoutW(reinterpret_cast<HWND>(window), WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG,
                             kReplyTimeoutMs, &reply))
        return WindowReply::NoAnswer;
    return (reply & 0xFF) == 1 ? WindowReply::AnsweredOne : WindowReply::Answered;
}

bool Win32TopLevelWindows::SwitchTo(WindowId window) {
    HWND target = reinterpret_cast<HWND>(window);
    if (!IsWindow(target)) return false;
    if (IsIconic(target)) ShowWindow(target, SW_RESTORE);
    return SetForegroundWindow(target) != FALSE;
}

}  // namespace glmx::platform::win32
