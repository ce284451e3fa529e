#include "platform/win32/shell_namespace.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

namespace glmx::platform::win32 {

namespace {

// A STRRET the shell filled in, as text; "" when it cannot be read.
std::string TextOfStrRet(STRRET& name, const ITEMIDLIST* child) {
    CoTaskMemPtr<wchar_t> text;
    if (FAILED(StrRetToStrW(&name, child, text.put())) || !text) return {};
    return Narrow(text.get());
}

std::string NameIn(IShellFolder& folder, const ITEMIDLIST* child, SHGDNF flags) {
    STRRET name{};
    if (FAILED(folder.GetDisplayNameOf(child, flags, &name))) return {};
    return TextOfStrRet(name, child);
}

ComPtr<IShellFolder> DesktopFolder() {
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.put()))) desktop.reset();
    return desktop;
}

}  // namespace

ItemIdList CloneIdList(const ITEMIDLIST* list) {
    return ItemIdList(list ? ILClone(list) : nullptr);
}

ItemIdList AppendIdList(const ITEMIDLIST* parent, const ITEMIDLIST* child) {
    if (!parent || !child) return {};
    return ItemIdList(ILCombine(parent, child));
}

ItemIdList ParentIdList(const ITEMIDLIST* list) {
    if (!list || IsDesktopIdList(list)) return {};
    ItemIdList parent = CloneIdList(list);
    if (parent) ILRemoveLastID(parent.get());
    return parent;
}

const ITEMIDLIST* LastIdOf(const ITEMIDLIST* list) { return list ? ILFindLastID(list) : nullptr; }

bool IsDesktopIdList(const ITEMIDLIST* list) { return list && list->mkid.cb == 0; }

bool SameIdList(const ITEMIDLIST* first, const ITEMIDLIST* second) {
    return first && second && ILIsEqual(first, second);
}

bool IsAtOrBelow(const ITEMIDLIST* ancestor, const ITEMIDLIST* item) {
    return ancestor && item && ILIsParent(ancestor, item, FALSE);
}

ItemIdList SpecialFolderIdList(int csidl) {
    ItemIdList list;
    if (FAILED(SHGetFolderLocation(nullptr, csidl, nullptr, 0, list.put()))) list.reset();
    return list;
}

ItemIdList IdListFromPath(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) return {};
    const ComPtr<IShellFolder> desktop = DesktopFolder();
    if (!desktop) return {};
    std::wstring name = Wide(path);
    ItemIdList list;
    ULONG eaten = 0;
    if (FAILED(
            desktop->ParseDisplayName(nullptr, nullptr, name.data(), &eaten, list.put(), nullptr)))
        list.reset();
    return list;
}

ComPtr<IShellFolder> BindToFolder(const ITEMIDLIST* absolute) {
    if (!absolute) return {};
    ComPtr<IShellFolder> desktop = DesktopFolder();
    if (!desktop || IsDesktopIdList(absolute)) return desktop;
    ComPtr<IShellFolder> folder;
    if (FAILED(desktop->BindToObject(absolute, nullptr, __uuidof(IShellFolder), folder.put_void())))
        folder.reset();
    return folder;
}

ParentFolder BindToParent(const ITEMIDLIST* absolute) {
    ParentFolder parent;
    if (!absolute) return parent;
    if (IsDesktopIdList(absolute)) {
        // The Desktop names itself: its folder answers for the empty list.
        parent.folder = DesktopFolder();
        parent.child = absolute;
        return parent;
    }
    PCUITEMID_CHILD child = nullptr;
    if (FAILED(SHBindToParent(absolute, __uuidof(IShellFolder), parent.folder.put_void(), &child)))
        return {};
    parent.child = child;
    return parent;
}

std::string DisplayNameOf(const ITEMIDLIST* absolute, SHGDNF flags) {
    const ParentFolder parent = BindToParent(absolute);
    if (!parent.folder) return {};
    return NameIn(*parent.folder.get(), parent.child, flags);
}

std::string ParsingNameOf(const ITEMIDLIST* absolute) {
    return DisplayNameOf(absolute, SHGDN_FORPARSING);
}

ULONG AttributesOf(const ITEMIDLIST* absolute, ULONG wanted) {
    const ParentFolder parent = BindToParent(absolute);
    if (!parent.folder) return 0;
    ULONG attributes = wanted;
    PCUITEMID_CHILD children[] = {parent.child};
    if (FAILED(parent.folder->GetAttributesOf(1, children, &attributes))) return 0;
    return attributes & wanted;
}

int SystemIconOf(const ITEMIDLIST* absolute, bool open) {
    if (!absolute) return 0;
    SHFILEINFOW info{};
    const UINT flags =
        SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0);
    if (SHGetFileInfoW(reinterpret_cast<LPCWSTR>(absolute), 0, &info, sizeof(info), flags) == 0)
        return 0;
    return info.iIcon;
}

// ---- Enumeration

namespace {

// A critical section: the shipped program's thread model has no std::mutex.
class Lock {
public:
    Lock() { InitializeCriticalSection(&section_); }
    ~Lock() { DeleteCriticalSection(&section_); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    void Enter() { EnterCriticalSection(&section_); }
    void Leave() { LeaveCriticalSection(&section_); }

private:
    CRITICAL_SECTION section_;
};

class Held {
public:
    explicit Held(Lock& lock) : lock_(lock) { lock_.Enter(); }
    ~Held() { lock_.Leave(); }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;

private:
    Lock& lock_;
};

}  // namespace

struct FolderEnumeration::State {
    Lock lock;
    UniqueKernelHandle finished{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    bool done = false;
    bool taken = false;
    bool abandoned = false;
    volatile LONG stop = 0;
    std::vector<NamespaceItem> items;
    HWND notifyWindow = nullptr;
    UINT message = 0;
    ItemIdList folder;
    EnumeratedContents contents = EnumeratedContents::FoldersAndFiles;
    // The worker's own reference; it lets go when it is done.
    std::shared_ptr<State> self;
};

namespace {

void ReadFileData(IShellFolder& folder, const ITEMIDLIST* child, NamespaceItem& item) {
    WIN32_FIND_DATAW data{};
    if (FAILED(SHGetDataFromIDListW(&folder, child, SHGDFIL_FINDDATA, &data, sizeof(data)))) return;
    item.hasFileData = true;
    item.fileAttributes = data.dwFileAttributes;
    item.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    item.modified = data.ftLastWriteTime;
}

std::vector<NamespaceItem> Enumerate(const ITEMIDLIST* absolute, EnumeratedContents contents,
                                     const volatile LONG& stop) {
    std::vector<NamespaceItem> items;
    const ComPtr<IShellFolder> folder = BindToFolder(absolute);
    if (!folder) return items;
    SHCONTF flags = SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN;
    if (contents == EnumeratedContents::FoldersAndFiles) flags |= SHCONTF_NONFOLDERS;
    // Whether a folder has sub-folders can cost the shell a look inside each one: only
    // the tree needs it.
    const ULONG wanted = contents == EnumeratedContents::FoldersOnly
                             ? kEnumeratedAttributes
                             : kEnumeratedAttributes & ~SFGAO_HASSUBFOLDER;
    ComPtr<IEnumIDList> children;
    // S_FALSE and a null enumerator both mean "nothing to list".
    if (folder->EnumObjects(nullptr, flags, children.put()) != S_OK || !children) return items;

    while (!stop) {
        ItemIdList child;
        ULONG fetched = 0;
        if (children->Next(1, child.put(), &fetched) != S_OK || fetched != 1 || !child) break;
        NamespaceItem item;
        item.attributes = wanted;
        PCUITEMID_CHILD one[] = {child.get()};
        if (FAILED(folder->GetAttributesOf(1, one, &item.attributes))) item.attributes = 0;
        item.attributes &= wanted;
        if (contents == EnumeratedContents::FoldersOnly && !(item.attributes & SFGAO_FOLDER))
            continue;
        item.displayName = NameIn(*folder.get(), child.get(), SHGDN_INFOLDER | SHGDN_NORMAL);
        item.parsingName = NameIn(*folder.get(), child.get(), SHGDN_FORPARSING);
        if (item.attributes & SFGAO_FILESYSTEM) ReadFileData(*folder.get(), child.get(), item);
        item.id = AppendIdList(absolute, child.get());
        if (item.id) items.push_back(std::move(item));
    }
    return items;
}

DWORD WINAPI EnumerationWorker(void* parameter) {
    using State = FolderEnumeration::State;
    State& state = *static_cast<State*>(parameter);
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    std::vector<NamespaceItem> items = Enumerate(state.folder.get(), state.contents, state.stop);
    std::shared_ptr<State> keep;  // released last, outside the lock
    {
        Held held(state.lock);
        state.items = std::move(items);
        state.done = true;
        if (!state.abandoned && !state.taken && state.notifyWindow)
            PostMessageW(state.notifyWindow, state.message, 0, 0);
        SetEvent(state.finished.get());
        keep = std::move(state.self);
    }
    if (com) CoUninitialize();
    return 0;
}

}  // namespace

FolderEnumeration::FolderEnumeration(const ITEMIDLIST* folder, EnumeratedContents contents,
                                     HWND notifyWindow, UINT message)
    : state_(std::make_shared<State>()) {
    state_->notifyWindow = notifyWindow;
    state_->message = message;
    state_->folder = CloneIdList(folder);
    state_->contents = contents;
    state_->self = state_;
    const UniqueKernelHandle worker(
        state_->folder && state_->finished
            ? CreateThread(nullptr, 0, EnumerationWorker, state_.get(), 0, nullptr)
            : nullptr);
    if (!worker) {
        // Nothing to list, or no thread to spare: list nothing rather than hold the window.
        Held held(state_->lock);
        state_->done = true;
        state_->self.reset();
        if (state_->finished) SetEvent(state_->finished.get());
    }
}

FolderEnumeration::~FolderEnumeration() {
    InterlockedExchange(&state_->stop, 1);
    Held held(state_->lock);
    state_->abandoned = true;
}

bool FolderEnumeration::Wait(std::chrono::milliseconds patience) {
    if (Done()) return true;
    if (!state_->finished) return false;
    WaitForSingleObject(state_->finished.get(), static_cast<DWORD>(patience.count()));
    return Done();
}

bool FolderEnumeration::Done() const {
    Held held(state_->lock);
    return state_->done;
}

bool FolderEnumeration::Taken() const {
    Held held(state_->lock);
    return state_->taken;
}

std::vector<NamespaceItem> FolderEnumeration::TakeItems() {
    Held held(state_->lock);
    if (!state_->done || state_->taken) return {};
    state_->taken = true;
    return std::move(state_->items);
}

}  // namespace glmx::platform::win32
