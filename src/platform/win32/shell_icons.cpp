#include "platform/win32/shell_icons.h"

#include <shellapi.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/shell_namespace.h"
#include "platform/win32/unique_handle.h"

namespace glmx::platform::win32 {

namespace {

// An item's identity for the cache: its identifier list's bytes and which icon.
std::string KeyOf(const ITEMIDLIST* absolute, bool open) {
    const UINT size = ILGetSize(absolute);
    std::string key(reinterpret_cast<const char*>(absolute), size);
    key.push_back(open ? 'o' : 'c');
    return key;
}

int IconByAttributes(DWORD attributes, const wchar_t* name) {
    SHFILEINFOW info{};
    SHGetFileInfoW(name, attributes, &info, sizeof(info),
                   SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    return info.iIcon;
}

struct Request {
    std::string key;
    ItemIdList id;
    bool open = false;
};

}  // namespace

struct ShellIconLoader::State {
    CRITICAL_SECTION lock;
    UniqueKernelHandle wake{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    HWND notifyWindow = nullptr;
    UINT message = 0;
    bool abandoned = false;
    bool working = false;  // a worker thread runs
    std::map<std::string, int> icons;
    std::map<std::string, bool> asked;  // asked and not answered yet
    std::vector<Request> queue;
    std::shared_ptr<State> self;  // the worker's reference

    State() { InitializeCriticalSection(&lock); }
    ~State() { DeleteCriticalSection(&lock); }
};

namespace {

class Held {
public:
    explicit Held(CRITICAL_SECTION& lock) : lock_(lock) { EnterCriticalSection(&lock_); }
    ~Held() { LeaveCriticalSection(&lock_); }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;

private:
    CRITICAL_SECTION& lock_;
};

DWORD WINAPI IconWorker(void* parameter) {
    using State = ShellIconLoader::State;
    State& state = *static_cast<State*>(parameter);
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    std::shared_ptr<State> keep;
    for (;;) {
        std::vector<Request> batch;
        {
            Held held(state.lock);
            if (state.abandoned) break;
            batch.swap(state.queue);
        }
        if (batch.empty()) {
            // Idle a while, then let the thread go; the next request starts another.
            if (WaitForSingleObject(state.wake.get(), 5000) == WAIT_OBJECT_0) continue;
            Held held(state.lock);
            if (!state.queue.empty() && !state.abandoned) continue;
            state.working = false;
            keep = std::move(state.self);
            break;
        }
        std::vector<std::pair<std::string, int>> found;
        for (Request& request : batch) {
            found.emplace_back(std::move(request.key),
                               SystemIconOf(request.id.get(), request.open));
            if (state.abandoned) break;  // read without the lock: only a hint to stop early
        }
        Held held(state.lock);
        for (auto& [key, icon] : found) {
            state.asked.erase(key);
            state.icons[std::move(key)] = icon;
        }
        if (!state.abandoned && state.notifyWindow)
            PostMessageW(state.notifyWindow, state.message, 0, 0);
    }
    if (!keep) {
        Held held(state.lock);
        state.working = false;
        keep = std::move(state.self);
    }
    if (com) CoUninitialize();
    return 0;  // keep lets the state go here, after the lock
}

}  // namespace

ShellIconLoader::ShellIconLoader(HWND notifyWindow, UINT message)
    : state_(std::make_shared<State>()) {
    state_->notifyWindow = notifyWindow;
    state_->message = message;
}

ShellIconLoader::~ShellIconLoader() {
    Held held(state_->lock);
    state_->abandoned = true;
    state_->queue.clear();
    if (state_->wake) SetEvent(state_->wake.get());
}

std::optional<int> ShellIconLoader::IconOf(const ITEMIDLIST* absolute, bool open) {
    if (!absolute) return 0;
    std::string key = KeyOf(absolute, open);
    Held held(state_->lock);
    if (auto known = state_->icons.find(key); known != state_->icons.end()) return known->second;
    if (state_->asked.count(key)) return std::nullopt;
    ItemIdList id = CloneIdList(absolute);
    if (!id || !state_->wake) return SystemIconOf(absolute, open);  // no worker to ask
    if (!state_->working) {
        state_->self = state_;
        const HANDLE worker = CreateThread(nullptr, 0, IconWorker, state_.get(), 0, nullptr);
        if (!worker) {
            state_->self.reset();
            return SystemIconOf(absolute, open);
        }
        CloseHandle(worker);
        state_->working = true;
    }
    state_->asked[key] = true;
    state_->queue.push_back({std::move(key), std::move(id), open});
    SetEvent(state_->wake.get());
    return std::nullopt;
}

int GenericFolderIcon() {
    static const int icon = IconByAttributes(FILE_ATTRIBUTE_DIRECTORY, L"folder");
    return icon;
}

int GenericFileIcon() {
    static const int icon = IconByAttributes(FILE_ATTRIBUTE_NORMAL, L"file");
    return icon;
}

}  // namespace glmx::platform::win32
