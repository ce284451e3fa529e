#include "ui/mainwindow/registry_view.h"

#include <commctrl.h>

#include "platform/win32/wide.h"
#include "ui/win32/held_painting.h"

namespace glmx::ui {

using platform::win32::Wide;
using registry::KeyNode;

namespace {

constexpr int kRootImage = 0;
constexpr int kKeyImage = 1;             // selected: 2
constexpr int kKeyWithSubKeysImage = 3;  // selected: 4

class HourglassCursor {
public:
    HourglassCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~HourglassCursor() { SetCursor(previous_); }
    HourglassCursor(const HourglassCursor&) = delete;
    HourglassCursor& operator=(const HourglassCursor&) = delete;

private:
    HCURSOR previous_;
};

// A node's images and whether it shows an expand button, which it does before any
// child is read.
TVITEMW NodeItem(const KeyNode& node) {
    TVITEMW item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    if (node.level == 0) {
        item.iImage = item.iSelectedImage = kRootImage;
    } else {
        item.iImage = node.hasChildren ? kKeyWithSubKeysImage : kKeyImage;
        item.iSelectedImage = item.iImage + 1;
    }
    item.cChildren = node.hasChildren ? 1 : 0;
    return item;
}

void SetCell(HWND list, int row, int column, const std::string& text) {
    std::wstring wide = Wide(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

RegistryView::RegistryView(HWND tree, HWND list, HWND statusBar, RegistryViewPlatform platform,
                           info::OfflineInformationBuilder& builder,
                           std::function<void()> treeActed)
    : tree_(tree),
      list_(list),
      status_(statusBar),
      platform_(std::move(platform)),
      builder_(builder),
      treeActed_(std::move(treeActed)),
      state_(platform_.registry) {}

RegistryView::~RegistryView() {
    // The tree's items point into the nodes that go with this object.
    if (IsWindow(tree_)) TreeView_DeleteAllItems(tree_);
}

void RegistryView::BuildRegistryTree() {
    HTREEITEM root = nullptr;
    {
        HeldPainting painting(tree_);
        TreeView_DeleteAllItems(tree_);
        rows_.clear();
        KeyNode& node = state_.Build();
        root = AddNode(TVI_ROOT, node);
        AddChildren(root, node);
        TreeView_Expand(tree_, root, TVE_EXPAND);
    }
    // Selecting HKEY_CLASSES_ROOT lists its values.
    if (HTREEITEM first = TreeView_GetChild(tree_, root)) TreeView_SelectItem(tree_, first);
}

HTREEITEM RegistryView::AddNode(HTREEITEM parent, KeyNode& node) {
    std::wstring text = Wide(node.text);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item = NodeItem(node);
    insert.item.mask |= TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = text.data();
    insert.item.lParam = reinterpret_cast<LPARAM>(&node);
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void RegistryView::AddChildren(HTREEITEM item, KeyNode& node) {
    HeldPainting painting(tree_);
    for (const auto& child : node.children) AddNode(item, *child);
}

void RegistryView::SetNodeImages(HTREEITEM item, const KeyNode& node) {
    TVITEMW change = NodeItem(node);
    change.mask |= TVIF_HANDLE;
    change.hItem = item;
    SendMessageW(tree_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change));
}

KeyNode* RegistryView::NodeOf(HTREEITEM item) const {
    if (!item) return nullptr;
    TVITEMW query{};
    query.mask = TVIF_HANDLE | TVIF_PARAM;
    query.hItem = item;
    if (!SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query))) return nullptr;
    return reinterpret_cast<KeyNode*>(query.lParam);
}

KeyNode* RegistryView::SelectedNode() const { return NodeOf(TreeView_GetSelection(tree_)); }

void RegistryView::OnExpanding(HTREEITEM item) {
    KeyNode* node = NodeOf(item);
    if (!node || node->listed || !node->hasChildren) return;
    HourglassCursor hourglass;
    if (state_.Expand(*node)) AddChildren(item, *node);
    // A key that turned out empty or unreadable loses its expand button.
    if (!node->hasChildren) SetNodeImages(item, *node);
}

void RegistryView::OnSelected(HTREEITEM item) {
    const KeyNode* node = NodeOf(item);
    if (!node) return;
    registry::KeySelection selection = state_.Select(*node);
    if (selection.status) status_.SetStatusText(*selection.status);
    rows_ = std::move(selection.rows);
    FillValueList(rows_);
}

void RegistryView::FillValueList(const std::vector<registry::ValueRow>& rows) {
    HeldPainting painting(list_);
    ListView_DeleteAllItems(list_);
    int row = 0;
    for (const registry::ValueRow& value : rows) {
        std::wstring caption = Wide(value.text.name);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = row;
        item.pszText = caption.data();
        item.iImage = value.image;
        item.lParam = row;  // the user may sort the rows: each keeps its value
        const int added = static_cast<int>(
            SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        if (added < 0) break;
        SetCell(list_, added, 1, value.text.typeText);
        SetCell(list_, added, 2, value.text.dataText);
        ++row;
    }
}

LRESULT RegistryView::OnNotify(const NMHDR& header) {
    if (header.hwndFrom != tree_) return 0;
    switch (header.code) {
        case TVN_ITEMEXPANDINGW: {
            const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
            if (change.action & TVE_EXPAND) OnExpanding(change.itemNew.hItem);
            return 0;  // the expansion itself is always allowed
        }
        case TVN_SELCHANGEDW:
            OnSelected(reinterpret_cast<const NMTREEVIEWW&>(header).itemNew.hItem);
            return 0;
        case NM_CLICK:
        case TVN_KEYDOWN:
            if (treeActed_) treeActed_();
            return 0;
        default:
            return 0;
    }
}

void RegistryView::ShowRegistryKeyInfo() {
    if (const KeyNode* node = SelectedNode())
        builder_.ShowRegistryKeyInfo(registry::KeyInfoOf(*node));
}

void RegistryView::ShowRegistryValueInfo(int row) {
    const KeyNode* node = SelectedNode();
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!node || row < 0 || !SendMessageW(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return;
    const auto value = static_cast<size_t>(item.lParam);
    if (value >= rows_.size()) return;
    builder_.ShowRegistryValueInfo(registry::KeyInfoOf(*node), rows_[value].text);
}

std::string RegistryView::SelectedPath() const {
    const KeyNode* node = SelectedNode();
    return node && node->level >= 1 ? registry::GetNodePath(*node) : std::string();
}

void RegistryView::OpenRegistryEditor() {
    // Only a fresh start of the editor reads the remembered key; failing to write it
    // still starts the editor where it was.
    registry::RememberEditorKey(platform_.registry, SelectedPath(), platform_.editorRootName);
    const std::string editor = platform_.files.WindowsFolder() + "\\regedit.exe";
    if (!platform_.shell.OpenWithShell(editor))
        platform_.messages.Warning(kRegistryEditorNotStarted);
}

}  // namespace glmx::ui
