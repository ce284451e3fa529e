#include "ui/win32/shell_tree.h"

#include <windowsx.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <numeric>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/text.h"
#include "platform/win32/folder_watch.h"
#include "platform/win32/shell_icons.h"
#include "platform/win32/wide.h"
#include "shell/places/folder_rules.h"
#include "ui/win32/image_lists.h"

namespace glmx::ui {

namespace {

using platform::win32::CloneIdList;
using platform::win32::DisplayNameOf;
using platform::win32::EnumeratedContents;
using platform::win32::FolderEnumeration;
using platform::win32::FolderWatch;
using platform::win32::IsAtOrBelow;
using platform::win32::ItemIdList;
using platform::win32::NamespaceItem;
using platform::win32::ParsingNameOf;
using platform::win32::SameIdList;
using platform::win32::Wide;

constexpr UINT_PTR kSubclassId = 1;
// How long a folder may take before its node shows a placeholder and fills later.
constexpr std::chrono::milliseconds kPatience{300};
constexpr wchar_t kPlaceholderText[] = L"...";

// Messages the tree posts to itself; registered, so no control's own range is hit.
UINT ListedMessage() {
    static const UINT message = RegisterWindowMessageW(L"GlmxShellTreeListed");
    return message;
}
UINT ChangedMessage() {
    static const UINT message = RegisterWindowMessageW(L"GlmxShellTreeChanged");
    return message;
}
UINT IconsMessage() {
    static const UINT message = RegisterWindowMessageW(L"GlmxShellTreeIcons");
    return message;
}
UINT ClickedMessage() {
    static const UINT message = RegisterWindowMessageW(L"GlmxShellTreeClicked");
    return message;
}

struct Node {
    ItemIdList id;  // absolute
    std::string displayName;
    std::string parsingName;
    bool listed = false;  // the children are in the tree
    bool stale = false;   // listed, but the folder changed since
    bool iconsRead = false;
    int icon = 0, openIcon = 0;
    std::unique_ptr<FolderEnumeration> listing;  // a slow folder still on its way

    // Children are matched across listings by the name that is unique in a folder.
    const std::string& Key() const { return parsingName.empty() ? displayName : parsingName; }
};

// A file-system path without its trailing backslash ("C:\" -> "C:"); "" for others.
std::string_view FileSystemStem(std::string_view parsingName) {
    if (parsingName.size() < 2 || parsingName.starts_with("::")) return {};
    if (parsingName.ends_with('\\')) parsingName.remove_suffix(1);
    return parsingName;
}

// Whether the path `folder` is `stem` itself or lies below it.
bool PathCovers(std::string_view stem, std::string_view folder) {
    if (stem.empty() || folder.size() < stem.size()) return false;
    if (!platform::EqualsIgnoringAsciiCase(stem, folder.substr(0, stem.size()))) return false;
    return folder.size() == stem.size() || folder[stem.size()] == '\\';
}

// Folders only, by display name without regard to case, as the user reads them.
std::vector<NamespaceItem> SortedFolders(std::vector<NamespaceItem> items) {
    std::erase_if(items, [](const NamespaceItem& item) {
        // Archives the shell shows as folders are files to this tree.
        return !(item.attributes & SFGAO_FOLDER) || (item.attributes & SFGAO_STREAM);
    });
    std::vector<std::wstring> names;
    names.reserve(items.size());
    for (const NamespaceItem& item : items) names.push_back(Wide(item.displayName));
    std::vector<size_t> order(items.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, names[a].c_str(), -1,
                              names[b].c_str(), -1) == CSTR_LESS_THAN;
    });
    std::vector<NamespaceItem> sorted;
    sorted.reserve(items.size());
    for (size_t index : order) sorted.push_back(std::move(items[index]));
    return sorted;
}

}  // namespace

struct ShellTree::Impl {
    explicit Impl(ShellTreeEvents events) : events(std::move(events)) {}
    ~Impl() {
        quiet = true;
        if (window) DestroyWindow(window);  // the subclass forgets the nodes
    }

    ShellTreeEvents events;
    HWND window = nullptr;
    std::unordered_map<HTREEITEM, std::unique_ptr<Node>> nodes;  // placeholders have none
    HTREEITEM root = nullptr;
    std::unique_ptr<FolderWatch> watch;  // everything below the root
    std::unique_ptr<platform::win32::ShellIconLoader> icons;
    bool quiet = false;  // no events while the tree is emptied

    Node* NodeOf(HTREEITEM item) const {
        const auto found = item ? nodes.find(item) : nodes.end();
        return found == nodes.end() ? nullptr : found->second.get();
    }
    HTREEITEM Next(HTREEITEM item, UINT relation) const {
        return TreeView_GetNextItem(window, item, relation);
    }
    std::vector<HTREEITEM> Children(HTREEITEM parent) const {
        std::vector<HTREEITEM> children;
        for (HTREEITEM child = Next(parent, TVGN_CHILD); child; child = Next(child, TVGN_NEXT))
            children.push_back(child);
        return children;
    }
    bool IsExpanded(HTREEITEM item) const {
        return (TreeView_GetItemState(window, item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    }
    // Open, and every node above it open too.
    bool IsShownOpen(HTREEITEM item) const {
        for (; item; item = Next(item, TVGN_PARENT))
            if (!IsExpanded(item)) return false;
        return true;
    }

    void SetText(HTREEITEM item, const std::string& text) {
        std::wstring wide = Wide(text);
        TVITEMW change{};
        change.mask = TVIF_TEXT;
        change.hItem = item;
        change.pszText = wide.data();
        TreeView_SetItem(window, &change);
    }
    void SetHasChildren(HTREEITEM item, bool hasChildren) {
        TVITEMW change{};
        change.mask = TVIF_CHILDREN;
        change.hItem = item;
        change.cChildren = hasChildren ? 1 : 0;
        TreeView_SetItem(window, &change);
    }

    HTREEITEM Insert(HTREEITEM parent, HTREEITEM after, std::unique_ptr<Node> node,
                     bool hasChildren) {
        std::wstring text = Wide(node->displayName);
        TVINSERTSTRUCTW insert{};
        insert.hParent = parent;
        insert.hInsertAfter = after;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
        insert.item.pszText = text.data();
        // Icons are read when the node is first drawn: a big folder opens at once.
        insert.item.iImage = I_IMAGECALLBACK;
        insert.item.iSelectedImage = I_IMAGECALLBACK;
        insert.item.cChildren = hasChildren ? 1 : 0;
        const HTREEITEM item = TreeView_InsertItem(window, &insert);
        if (item) nodes[item] = std::move(node);
        return item;
    }
    HTREEITEM InsertPlaceholder(HTREEITEM parent) {
        TVINSERTSTRUCTW insert{};
        insert.hParent = parent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_CHILDREN;
        insert.item.pszText = const_cast<wchar_t*>(kPlaceholderText);
        return TreeView_InsertItem(window, &insert);
    }

    // Deletes a node with everything below it; a selection inside moves to its parent.
    void Remove(HTREEITEM item) {
        const HTREEITEM selected = Next(nullptr, TVGN_CARET);
        for (HTREEITEM above = selected; above; above = Next(above, TVGN_PARENT)) {
            if (above != item) continue;
            if (const HTREEITEM parent = Next(item, TVGN_PARENT))
                TreeView_SelectItem(window, parent);
            break;
        }
        std::vector<HTREEITEM> gone{item};
        for (size_t index = 0; index < gone.size(); ++index)
            for (HTREEITEM child : Children(gone[index])) gone.push_back(child);
        TreeView_DeleteItem(window, item);
        for (HTREEITEM each : gone) nodes.erase(each);
    }

    void Clear() {
        quiet = true;
        TreeView_DeleteAllItems(window);
        quiet = false;
        nodes.clear();
        root = nullptr;
        watch.reset();
    }

    // Lists a node's folder, waiting a moment; a slower folder shows a placeholder
    // (the first time) and fills when the worker's message arrives.
    void List(HTREEITEM item, Node& node, std::chrono::milliseconds patience = kPatience) {
        auto listing = std::make_unique<FolderEnumeration>(
            node.id.get(), EnumeratedContents::FoldersOnly, window, ListedMessage());
        if (listing->Wait(patience)) {
            node.listing.reset();
            Fill(item, node, listing->TakeItems());
            return;
        }
        if (!node.listed && !node.listing) {
            SetHasChildren(item, true);
            InsertPlaceholder(item);
        }
        node.listing = std::move(listing);
    }

    // Children on hand: listed and fresh, or listed now within the patience.
    bool EnsureListed(HTREEITEM item, Node& node) {
        if (node.listed && !node.stale) return true;
        if (!node.listing) {
            List(item, node);
        } else if (node.listing->Wait(kPatience)) {
            FinishListing(item, node);
        }
        return node.listed;
    }

    void FinishListing(HTREEITEM item, Node& node) {
        const std::unique_ptr<FolderEnumeration> listing = std::move(node.listing);
        if (!listing->Taken()) Fill(item, node, listing->TakeItems());
    }

    // The worker posts without saying which folder: finish every listing that is done.
    void OnListed() {
        std::vector<HTREEITEM> done;
        for (const auto& [item, node] : nodes)
            if (node->listing && node->listing->Done()) done.push_back(item);
        for (HTREEITEM item : done)
            if (Node* node = NodeOf(item); node && node->listing) FinishListing(item, *node);
    }

    // Puts a fresh listing under a node, keeping the children that remain as they
    // are (open, selected, with their own children).
    void Fill(HTREEITEM item, Node& node, std::vector<NamespaceItem> items) {
        items = SortedFolders(std::move(items));
        SendMessageW(window, WM_SETREDRAW, FALSE, 0);
        std::multimap<std::string, HTREEITEM> existing;
        for (HTREEITEM child : Children(item)) {
            const Node* childNode = NodeOf(child);
            if (childNode)
                existing.emplace(childNode->Key(), child);
            else
                TreeView_DeleteItem(window, child);  // the placeholder
        }
        std::vector<std::pair<HTREEITEM, NamespaceItem*>> kept;
        std::vector<NamespaceItem*> added;
        for (NamespaceItem& fresh : items) {
            const std::string& key =
                fresh.parsingName.empty() ? fresh.displayName : fresh.parsingName;
            const auto found = existing.find(key);
            if (found == existing.end()) continue;
            kept.emplace_back(found->second, &fresh);
            existing.erase(found);
        }
        for (const auto& [key, child] : existing) Remove(child);

        HTREEITEM previous = TVI_FIRST;
        auto keptAt = kept.begin();
        for (NamespaceItem& fresh : items) {
            if (keptAt != kept.end() && keptAt->second == &fresh) {
                previous = keptAt->first;
                Node& same = *NodeOf(previous);
                if (same.displayName != fresh.displayName) {
                    same.displayName = fresh.displayName;
                    SetText(previous, same.displayName);
                }
                if (!same.listed) SetHasChildren(previous, fresh.attributes & SFGAO_HASSUBFOLDER);
                ++keptAt;
                continue;
            }
            auto child = std::make_unique<Node>();
            child->id = std::move(fresh.id);
            child->displayName = std::move(fresh.displayName);
            child->parsingName = std::move(fresh.parsingName);
            const HTREEITEM inserted =
                Insert(item, previous, std::move(child), fresh.attributes & SFGAO_HASSUBFOLDER);
            if (inserted) previous = inserted;
        }
        node.listed = true;
        node.stale = false;
        SetHasChildren(item, !items.empty());
        SendMessageW(window, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window, nullptr, TRUE);
    }

    // Lists a node again when it is shown open; otherwise it lists again when opened.
    void Refresh(HTREEITEM item, Node& node, std::chrono::milliseconds patience) {
        if (!node.listed) return;
        node.stale = true;
        if (IsShownOpen(item)) List(item, node, patience);
    }

    // Something changed below the root: every listed node lists again, without
    // waiting (the listings fill as they arrive; SelectFolder waits for its way).
    void OnChanged() {
        std::vector<HTREEITEM> listed;
        for (const auto& [item, node] : nodes)
            if (node->listed) listed.push_back(item);
        for (HTREEITEM item : listed)
            if (Node* node = NodeOf(item)) Refresh(item, *node, std::chrono::milliseconds(0));
    }

    void OnSelectionChanged(const NMTREEVIEWW& change) {
        if (quiet) return;
        if (root && change.itemOld.hItem == root)
            if (const Node* rootNode = NodeOf(root)) SetText(root, rootNode->displayName);
        const Node* selected = NodeOf(change.itemNew.hItem);
        if (!selected) return;
        if (change.itemNew.hItem == root)
            SetText(root, shell::places::RootCaption(selected->parsingName, selected->displayName));
        if (events.folderSelected) events.folderSelected(selected->id.get());
    }

    void OnDisplayInfo(NMTVDISPINFOW& info) {
        Node* node = NodeOf(info.item.hItem);
        if (!node || !(info.item.mask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE))) return;
        if (!node->iconsRead && icons) {
            // Asked away from the window; the folder icon stands in until they come.
            const std::optional<int> icon = icons->IconOf(node->id.get(), false);
            const std::optional<int> openIcon = icons->IconOf(node->id.get(), true);
            node->icon = icon.value_or(platform::win32::GenericFolderIcon());
            node->openIcon = openIcon.value_or(node->icon);
            node->iconsRead = icon && openIcon;
        }
        info.item.iImage = node->icon;
        info.item.iSelectedImage = node->openIcon;
        if (node->iconsRead) info.item.mask |= TVIF_DI_SETITEM;
    }

    // Right-click selects the node under the mouse and offers no menu.
    void OnRightClick() {
        const DWORD position = GetMessagePos();
        TVHITTESTINFO hit{};
        hit.pt = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
        ScreenToClient(window, &hit.pt);
        const HTREEITEM item = TreeView_HitTest(window, &hit);
        if (item && (hit.flags & TVHT_ONITEM)) TreeView_SelectItem(window, item);
    }

    // The child of a node on the way to a folder: by identifier list, or for a folder
    // the shell names by another route, by its file-system path.
    HTREEITEM ChildToward(HTREEITEM parent, const ITEMIDLIST* folder,
                          std::string_view folderPath) const {
        const std::vector<HTREEITEM> children = Children(parent);
        for (HTREEITEM child : children)
            if (const Node* node = NodeOf(child); node && IsAtOrBelow(node->id.get(), folder))
                return child;
        for (HTREEITEM child : children)
            if (const Node* node = NodeOf(child);
                node && PathCovers(FileSystemStem(node->parsingName), folderPath))
                return child;
        return nullptr;
    }
    bool IsFolder(const Node& node, const ITEMIDLIST* folder, std::string_view folderPath) const {
        if (SameIdList(node.id.get(), folder)) return true;
        const std::string_view stem = FileSystemStem(node.parsingName);
        return !stem.empty() && PathCovers(stem, folderPath) && stem.size() == folderPath.size();
    }

    static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam, UINT_PTR, DWORD_PTR data) {
        Impl& self = *reinterpret_cast<Impl*>(data);
        if (message == ListedMessage()) {
            self.OnListed();
            return 0;
        }
        if (message == ChangedMessage()) {
            self.OnChanged();
            return 0;
        }
        if (message == IconsMessage()) {
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        }
        if (message == ClickedMessage()) {
            if (self.events.userActed) self.events.userActed();
            return 0;
        }
        if (message == WM_NCDESTROY) {
            RemoveWindowSubclass(window, SubclassProcedure, kSubclassId);
            self.quiet = true;
            self.nodes.clear();
            self.root = nullptr;
            self.watch.reset();
            self.icons.reset();
            self.window = nullptr;
            return DefSubclassProc(window, message, wParam, lParam);
        }
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        if (message == WM_KEYUP && self.events.userActed) self.events.userActed();
        return result;
    }
};

ShellTree::ShellTree(ShellTreeEvents events) : impl_(std::make_unique<Impl>(std::move(events))) {}

ShellTree::~ShellTree() = default;

HWND ShellTree::Create(HWND parent, int id) {
    if (impl_->window) return impl_->window;
    HWND window = CreateWindowExW(
        WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS, 0,
        0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        GetModuleHandleW(nullptr), nullptr);
    if (!window) return nullptr;
    if (!SetWindowSubclass(window, Impl::SubclassProcedure, kSubclassId,
                           reinterpret_cast<DWORD_PTR>(impl_.get()))) {
        DestroyWindow(window);
        return nullptr;
    }
    impl_->window = window;
    impl_->quiet = false;
    impl_->icons = std::make_unique<platform::win32::ShellIconLoader>(window, IconsMessage());
    TreeView_SetImageList(window, SystemImageList(true), TVSIL_NORMAL);
    return window;
}

HWND ShellTree::Handle() const { return impl_->window; }

void ShellTree::SetRoot(const ITEMIDLIST* root) {
    Impl& self = *impl_;
    if (!self.window) return;
    self.Clear();
    if (!root) return;
    auto node = std::make_unique<Node>();
    node->id = CloneIdList(root);
    if (!node->id) return;
    node->displayName = DisplayNameOf(root);
    node->parsingName = ParsingNameOf(root);
    Node& rootNode = *node;
    self.root = self.Insert(TVI_ROOT, TVI_LAST, std::move(node), true);
    if (!self.root) return;
    self.List(self.root, rootNode);
    self.watch = std::make_unique<FolderWatch>(self.window, ChangedMessage(), root, true);
    TreeView_Expand(self.window, self.root, TVE_EXPAND);
    TreeView_SelectItem(self.window, self.root);
}

bool ShellTree::SelectFolder(const ITEMIDLIST* folder) {
    Impl& self = *impl_;
    if (!self.window || !self.root || !folder) return false;
    const std::string folderPath(FileSystemStem(ParsingNameOf(folder)));
    const Node* rootNode = self.NodeOf(self.root);
    if (!IsAtOrBelow(rootNode->id.get(), folder) &&
        !PathCovers(FileSystemStem(rootNode->parsingName), folderPath))
        return false;
    // Selecting opens the way; a dead end leaves the tree as it looked.
    HTREEITEM item = self.root;
    for (;;) {
        Node& node = *self.NodeOf(item);
        if (self.IsFolder(node, folder, folderPath)) break;
        if (!self.EnsureListed(item, node)) return false;
        item = self.ChildToward(item, folder, folderPath);
        if (!item) return false;
    }
    TreeView_SelectItem(self.window, item);
    TreeView_EnsureVisible(self.window, item);
    return true;
}

const ITEMIDLIST* ShellTree::SelectedFolder() const {
    if (!impl_->window) return nullptr;
    const Node* node = impl_->NodeOf(impl_->Next(nullptr, TVGN_CARET));
    return node ? node->id.get() : nullptr;
}

const ITEMIDLIST* ShellTree::Root() const {
    const Node* node = impl_->NodeOf(impl_->root);
    return node ? node->id.get() : nullptr;
}

void ShellTree::EnsureSelectionVisible() {
    if (!impl_->window) return;
    if (const HTREEITEM selected = impl_->Next(nullptr, TVGN_CARET))
        TreeView_EnsureVisible(impl_->window, selected);
}

void ShellTree::RefreshChildren(const ITEMIDLIST* folder) {
    Impl& self = *impl_;
    if (!self.window || !folder) return;
    for (const auto& [item, node] : self.nodes) {
        if (!SameIdList(node->id.get(), folder)) continue;
        self.Refresh(item, *node, kPatience);
        return;
    }
}

bool ShellTree::OnNotify(const NMHDR& header, LRESULT& result) {
    Impl& self = *impl_;
    if (!self.window || header.hwndFrom != self.window) return false;
    result = 0;
    switch (header.code) {
        case TVN_ITEMEXPANDINGW: {
            const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
            if (!(change.action & TVE_EXPAND)) return true;
            if (Node* node = self.NodeOf(change.itemNew.hItem);
                node && (!node->listed || node->stale) && !node->listing)
                self.List(change.itemNew.hItem, *node);
            return true;
        }
        case TVN_SELCHANGEDW:
            self.OnSelectionChanged(reinterpret_cast<const NMTREEVIEWW&>(header));
            return true;
        case TVN_GETDISPINFOW:
            self.OnDisplayInfo(reinterpret_cast<NMTVDISPINFOW&>(const_cast<NMHDR&>(header)));
            return true;
        case NM_CLICK:
            // The click's selection change comes after this notification.
            PostMessageW(self.window, ClickedMessage(), 0, 0);
            return true;
        case NM_RCLICK:
            self.OnRightClick();
            PostMessageW(self.window, ClickedMessage(), 0, 0);
            result = 1;  // no context menu
            return true;
        default:
            return false;
    }
}

}  // namespace glmx::ui
