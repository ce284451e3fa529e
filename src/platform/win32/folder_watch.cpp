#include "platform/win32/folder_watch.h"

#include "platform/win32/unique_handle.h"

namespace glmx::platform::win32 {

namespace {

constexpr wchar_t kWatchClass[] = L"GlmxFolderWatch";
constexpr UINT kShellChanged = WM_APP + 1;
constexpr UINT kDirectoryChanged = WM_APP + 2;
constexpr UINT_PTR kCalmTimer = 1;
// Long enough that a copy of many files lists the folder once, short enough to feel immediate.
constexpr UINT kCalmMilliseconds = 200;

constexpr LONG kShellEvents = SHCNE_ALLEVENTS & ~(SHCNE_FREESPACE | SHCNE_UPDATEIMAGE);
constexpr DWORD kDirectoryFilter = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                   FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SIZE |
                                   FILE_NOTIFY_CHANGE_LAST_WRITE;

struct ChangeNotificationTraits {
    using Type = HANDLE;
    static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type handle) noexcept { FindCloseChangeNotification(handle); }
};
using UniqueChangeNotification = UniqueHandle<ChangeNotificationTraits>;

}  // namespace

struct FolderWatch::State {
    HWND target = nullptr;
    UINT message = 0;
    UniqueWindow window;  // receives both watches' news, on the owner's thread
    ULONG shellRegistration = 0;
    UniqueChangeNotification directory;
    UniqueKernelHandle stop{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    UniqueKernelHandle thread;
};

namespace {

LRESULT CALLBACK WatchProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<FolderWatch::State*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case kShellChanged: {
            // New delivery: the event lies in shared memory until it is locked and let go.
            PIDLIST_ABSOLUTE* items = nullptr;
            LONG event = 0;
            if (HANDLE lock = SHChangeNotification_Lock(reinterpret_cast<HANDLE>(wParam),
                                                        static_cast<DWORD>(lParam), &items, &event))
                SHChangeNotification_Unlock(lock);
            SetTimer(window, kCalmTimer, kCalmMilliseconds, nullptr);
            return 0;
        }
        case kDirectoryChanged:
            // Each change restarts the timer: a burst ends in one message.
            SetTimer(window, kCalmTimer, kCalmMilliseconds, nullptr);
            return 0;
        case WM_TIMER:
            if (wParam != kCalmTimer) break;
            KillTimer(window, kCalmTimer);
            if (state) PostMessageW(state->target, state->message, 0, 0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterWatchClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = WatchProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kWatchClass;
        return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

DWORD WINAPI DirectoryWatcher(void* parameter) {
    const auto& state = *static_cast<const FolderWatch::State*>(parameter);
    const HANDLE waits[] = {state.stop.get(), state.directory.get()};
    while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        PostMessageW(state.window.get(), kDirectoryChanged, 0, 0);
        if (!FindNextChangeNotification(state.directory.get())) break;
    }
    return 0;
}

}  // namespace

FolderWatch::FolderWatch(HWND window, UINT message, const ITEMIDLIST* folder, bool recursive)
    : state_(std::make_unique<State>()) {
    state_->target = window;
    state_->message = message;
    if (!folder || !window || !RegisterWatchClass()) return;
    state_->window.reset(CreateWindowExW(0, kWatchClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                         GetModuleHandleW(nullptr), nullptr));
    if (!state_->window) return;
    SetWindowLongPtrW(state_->window.get(), GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(state_.get()));

    SHChangeNotifyEntry entry{folder, recursive ? TRUE : FALSE};
    state_->shellRegistration = SHChangeNotifyRegister(
        state_->window.get(), SHCNRF_InterruptLevel | SHCNRF_ShellLevel | SHCNRF_NewDelivery,
        kShellEvents, kShellChanged, 1, &entry);

    wchar_t path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(folder, path) || !path[0] || !state_->stop) return;
    state_->directory.reset(FindFirstChangeNotificationW(path, recursive, kDirectoryFilter));
    if (!state_->directory) return;
    state_->thread.reset(CreateThread(nullptr, 0, DirectoryWatcher, state_.get(), 0, nullptr));
    if (!state_->thread) state_->directory.reset();
}

FolderWatch::~FolderWatch() {
    if (state_->thread) {
        SetEvent(state_->stop.get());
        WaitForSingleObject(state_->thread.get(), INFINITE);
    }
    if (state_->shellRegistration) SHChangeNotifyDeregister(state_->shellRegistration);
    // A change already announced still arrives at the owner; it lists the folder once more.
    state_->window.reset();
}

bool FolderWatch::Watching() const {
    return state_->shellRegistration != 0 || static_cast<bool>(state_->thread);
}

}  // namespace glmx::platform::win32
