// Items of the shell namespace: identifier lists held by their owners, binding to
// folders, names and attributes, and the enumeration of a folder's children on a
// worker thread, so that a slow or disconnected network folder never holds the
// window for more than a moment.
#pragma once

#include <windows.h>
// These need the types of windows.h first.
#include <shlobj.h>
#include <shobjidl.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/com_ptr.h"

namespace glmx::platform::win32 {

// An item identifier list from the shell's allocator. Absolute lists start at the
// Desktop; the Desktop itself is the empty list (a lone terminator), never null.
using ItemIdList = CoTaskMemPtr<ITEMIDLIST>;

ItemIdList CloneIdList(const ITEMIDLIST* list);
// parent + child; null when either is null.
ItemIdList AppendIdList(const ITEMIDLIST* parent, const ITEMIDLIST* child);
// The list without its last item; null for the Desktop and for null.
ItemIdList ParentIdList(const ITEMIDLIST* list);
// The last item of a list (the list itself when it has one item); the terminator for
// the Desktop.
const ITEMIDLIST* LastIdOf(const ITEMIDLIST* list);
bool IsDesktopIdList(const ITEMIDLIST* list);
bool SameIdList(const ITEMIDLIST* first, const ITEMIDLIST* second);
// True when item is ancestor itself or lies anywhere below it.
bool IsAtOrBelow(const ITEMIDLIST* ancestor, const ITEMIDLIST* item);

// The special folder of a CSIDL number; null when the system has none.
ItemIdList SpecialFolderIdList(int csidl);
// The item a full path names ("C:\Windows", "::{GUID}"); null when it does not parse.
ItemIdList IdListFromPath(const std::string& path);

// The folder object of an absolute list (the Desktop folder for the empty list).
ComPtr<IShellFolder> BindToFolder(const ITEMIDLIST* absolute);
// The folder that holds an item, with the item's own (last) identifier inside it;
// child points into the absolute list, which must outlive its use.
struct ParentFolder {
    ComPtr<IShellFolder> folder;
    const ITEMIDLIST* child = nullptr;
};
ParentFolder BindToParent(const ITEMIDLIST* absolute);

// "" when the shell gives no name.
std::string DisplayNameOf(const ITEMIDLIST* absolute, SHGDNF flags = SHGDN_NORMAL);
// The parsing name: a full path for file-system items, "::{GUID}..." for others.
std::string ParsingNameOf(const ITEMIDLIST* absolute);
// The wanted SFGAO_ attribute bits the item has; 0 when they cannot be read.
ULONG AttributesOf(const ITEMIDLIST* absolute, ULONG wanted);
// The small system image-list index of an item's icon (the open-folder icon when open).
int SystemIconOf(const ITEMIDLIST* absolute, bool open = false);

// One child of an enumerated folder.
struct NamespaceItem {
    ItemIdList id;            // absolute
    std::string displayName;  // its name within the folder
    std::string parsingName;  // see ParsingNameOf
    ULONG attributes = 0;     // SFGAO_FOLDER, SFGAO_HASSUBFOLDER, SFGAO_FILESYSTEM, ...
    // For file-system items: from the file system's own record of the item.
    bool hasFileData = false;
    DWORD fileAttributes = 0;
    std::uint64_t size = 0;
    FILETIME modified{};
};

// The SFGAO_ bits an enumeration reads; one with files leaves out SFGAO_HASSUBFOLDER.
inline constexpr ULONG kEnumeratedAttributes =
    SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_HIDDEN |
    SFGAO_LINK | SFGAO_CANRENAME | SFGAO_CANDELETE | SFGAO_STREAM;

enum class EnumeratedContents { FoldersOnly, FoldersAndFiles };

// Lists a folder's children (hidden ones included) on a worker thread with its own
// COM apartment. The owner waits a moment for the result; when the folder is slower,
// the worker posts `message` to `notifyWindow` once it is done. Destroying the object
// abandons a worker that is still running: it then posts nothing.
class FolderEnumeration {
public:
    FolderEnumeration(const ITEMIDLIST* folder, EnumeratedContents contents, HWND notifyWindow,
                      UINT message);
    ~FolderEnumeration();
    FolderEnumeration(const FolderEnumeration&) = delete;
    FolderEnumeration& operator=(const FolderEnumeration&) = delete;

    // True once the worker is done (at once when it already is).
    bool Wait(std::chrono::milliseconds patience);
    bool Done() const;
    // The children found, in the shell's order; empty before Done() and after the
    // first call. A folder that cannot be listed gives none.
    std::vector<NamespaceItem> TakeItems();
    // A message posted just before the owner's Wait() succeeded can arrive after the
    // items were taken: the owner then has nothing more to do.
    bool Taken() const;

    struct State;

private:
    std::shared_ptr<State> state_;
};

}  // namespace glmx::platform::win32
