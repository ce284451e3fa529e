#include "ui/mainwindow/hardware_view.h"

#include <string>

#include "platform/win32/wide.h"
#include "ui/mainwindow/resource_ids.h"
#include "ui/win32/image_lists.h"

namespace glmx::ui {

using platform::win32::Narrow;
using platform::win32::UniqueGdiObject;
using platform::win32::Wide;

namespace {

// "Other devices", the class of devices without a driver.
constexpr std::string_view kUnknownClassGuid = "{4D36E97E-E325-11CE-BFC1-08002BE10318}";

// A tree shows state image i as image i of its list: image 0 stays blank.
HIMAGELIST ProblemStateImages() {
    UniqueGdiObject mark(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_OTHERS_STATE),
                                    IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = 16;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueGdiObject blank(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!mark || !blank) return nullptr;
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32, 2, 0);
    if (!list) return nullptr;
    ImageList_Add(list, static_cast<HBITMAP>(blank.get()), nullptr);
    ImageList_Add(list, static_cast<HBITMAP>(mark.get()), nullptr);
    return list;
}

std::string ItemText(HWND tree, HTREEITEM item) {
    wchar_t text[260] = {};
    TVITEMW query{};
    query.mask = TVIF_TEXT | TVIF_HANDLE;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = 260;
    if (!item || !TreeView_GetItem(tree, &query)) return {};
    return Narrow(text);
}

}  // namespace

HardwareView::HardwareView(HWND tree, HardwareViewPlatform platform,
                           info::OfflineInformationBuilder& builder,
                           std::function<void(HIMAGELIST)> showDeviceImages)
    : tree_(tree),
      platform_(platform),
      builder_(builder),
      showDeviceImages_(std::move(showDeviceImages)) {
    if (!classImages_.get()) ownImages_.reset(LoadImageStrip(IDB_DEVICES, 16));
    stateImages_.reset(ProblemStateImages());
    TreeView_SetImageList(tree_, Images(), TVSIL_NORMAL);
    TreeView_SetImageList(tree_, stateImages_.get(), TVSIL_STATE);
    if (showDeviceImages_) showDeviceImages_(Images());
}

HardwareView::~HardwareView() {
    // The tree and the offline text let go of the images before they are destroyed.
    if (showDeviceImages_) showDeviceImages_(nullptr);
    TreeView_SetImageList(tree_, nullptr, TVSIL_NORMAL);
    TreeView_SetImageList(tree_, nullptr, TVSIL_STATE);
}

HIMAGELIST HardwareView::Images() const {
    return classImages_.get() ? classImages_.get() : ownImages_.get();
}

std::optional<int> HardwareView::ClassImageIndex(std::string_view classGuid) const {
    if (classImages_.get()) return classImages_.IndexOf(classGuid);
    if (classGuid == hardware::kComputerClassGuid && ownImages_) return 0;
    return std::nullopt;
}

int HardwareView::GenericImage() const {
    if (classImages_.get()) return classImages_.IndexOf(kUnknownClassGuid).value_or(0);
    return 1;
}

void HardwareView::BuildHardwareTree() {
    SendMessageW(tree_, WM_SETREDRAW, FALSE, 0);
    list_ = hardware::BuildHardwareTree(*this, *this, platform_.devices, platform_.registry);
    SendMessageW(tree_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tree_, nullptr, TRUE);
}

void HardwareView::DeleteAllNodes() { TreeView_DeleteAllItems(tree_); }

HardwareView::Node HardwareView::AddNode(Node parent, std::string_view text, int image,
                                         bool problem, int entry) {
    std::wstring caption = Wide(text);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent ? reinterpret_cast<HTREEITEM>(parent) : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
    insert.item.pszText = caption.data();
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    insert.item.lParam = entry;
    insert.item.stateMask = TVIS_STATEIMAGEMASK;
    insert.item.state = problem ? INDEXTOSTATEIMAGEMASK(1) : 0;
    return reinterpret_cast<Node>(TreeView_InsertItem(tree_, &insert));
}

void HardwareView::Expand(Node node) {
    TreeView_Expand(tree_, reinterpret_cast<HTREEITEM>(node), TVE_EXPAND);
}

void HardwareView::Select(Node node) {
    TreeView_SelectItem(tree_, reinterpret_cast<HTREEITEM>(node));
}

int HardwareView::SelectedNodeAbsoluteIndex() const {
    const HTREEITEM selected = TreeView_GetSelection(tree_);
    if (!selected) return -1;
    // Depth first through every level, whether expanded or not.
    int position = 0;
    for (HTREEITEM item = TreeView_GetRoot(tree_); item; ++position) {
        if (item == selected) return position;
        HTREEITEM next = TreeView_GetChild(tree_, item);
        while (!next && item) {
            next = TreeView_GetNextSibling(tree_, item);
            if (!next) item = TreeView_GetParent(tree_, item);
        }
        item = next;
    }
    return -1;
}

void HardwareView::ShowDeviceInfo() {
    TVITEMW item{};
    item.mask = TVIF_PARAM | TVIF_IMAGE | TVIF_HANDLE;
    item.hItem = TreeView_GetSelection(tree_);
    if (!item.hItem || !TreeView_GetItem(tree_, &item)) return;
    const HTREEITEM parent = TreeView_GetParent(tree_, item.hItem);
    if (!parent) return;  // the root tells nothing
    info::HardwareNodeInfo node;
    node.text = ItemText(tree_, item.hItem);
    node.parentText = ItemText(tree_, parent);
    for (HTREEITEM above = parent; above; above = TreeView_GetParent(tree_, above)) ++node.level;
    node.imageIndex = item.iImage;
    const LPARAM entry = item.lParam;
    if (entry >= 0 && static_cast<size_t>(entry) < list_.Count())
        node.device = list_.Infos[static_cast<size_t>(entry)];
    builder_.ShowDeviceInfo(node);
}

void HardwareView::OpenDeviceManager() {
    const auto command = hardware::DeviceManagerCommand(platform_.osVersion);
    if (!command) return;
    if (const auto reason =
            platform_.devices.StartSystemProgram(command->fileName, command->arguments))
        platform_.messages.Warning(std::string(kDeviceManagerNotStarted) + "\r\n\r\n" + *reason);
}

}  // namespace glmx::ui
