#include "ui/win32/shell_list.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cwchar>
#include <map>
#include <optional>
#include <set>
#include <utility>

#include "platform/text.h"
#include "platform/win32/folder_watch.h"
#include "platform/win32/shell_context_menu.h"
#include "platform/win32/shell_icons.h"
#include "platform/win32/system_error.h"
#include "platform/win32/wide.h"
#include "shell/places/item_order.h"
#include "ui/win32/dpi.h"
#include "ui/win32/image_lists.h"
#include "ui/win32/list_view_rows.h"

namespace glmx::ui {

namespace {

using platform::win32::AppendIdList;
using platform::win32::BindToFolder;
using platform::win32::CloneIdList;
using platform::win32::ComPtr;
using platform::win32::CoTaskMemPtr;
using platform::win32::ItemIdList;
using platform::win32::LastIdOf;
using platform::win32::NamespaceItem;
using platform::win32::Narrow;
using platform::win32::Wide;
using shell::places::ColumnOrder;
using shell::places::ItemSort;

constexpr UINT_PTR kSubclassId = 0x6C73;  // "ls"
constexpr UINT kEnumerated = WM_APP + 0x150;
constexpr UINT kFolderChanged = WM_APP + 0x151;
constexpr UINT kIconsArrived = WM_APP + 0x152;
// A fast folder lists before the window shows anything else.
constexpr std::chrono::milliseconds kPatience{300};
// Shell folders rarely have more; a folder that answers for ever stops here.
constexpr int kMostShellColumns = 32;

enum FileSystemColumn { kName, kSize, kType, kModified, kFileSystemColumns };

struct Column {
    std::wstring caption;
    int width = 100;  // at 96 dpi
    int format = LVCFMT_LEFT;
    ColumnOrder order = ColumnOrder::Text;
};

struct Row {
    ItemIdList id;
    std::string parsingName;
    ULONG attributes = 0;
    bool hasFileData = false;
    shell::places::OrderedItem order;  // its texts are the columns' texts
    bool textsReady = false;
    int icon = -1;  // read when first drawn
};

std::string FileNameOf(const std::string& parsingName) {
    const size_t slash = parsingName.find_last_of("\\/");
    return slash == std::string::npos ? parsingName : parsingName.substr(slash + 1);
}

// What the shell shows for a size: "0 KB", "12 KB", "1,234 KB".
std::string SizeText(std::uint64_t size) {
    wchar_t text[64] = {};
    if (!StrFormatKBSizeW(static_cast<LONGLONG>(size), text, 64)) return {};
    return Narrow(std::wstring(text, wcsnlen(text, 64)));
}

// The local short date and time without seconds; "" for no time.
std::string TimeText(std::uint64_t fileTime) {
    if (fileTime == 0) return {};
    FILETIME utc{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)}, local{};
    SYSTEMTIME time{};
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &time)) return {};
    wchar_t date[128] = {}, clock[128] = {};
    if (!GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, 128)) return {};
    if (!GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, clock, 128))
        return Narrow(std::wstring(date, wcsnlen(date, 128)));
    return Narrow(std::wstring(date, wcsnlen(date, 128)) + L" " +
                  std::wstring(clock, wcsnlen(clock, 128)));
}

std::string DetailText(IShellFolder2& folder, const ITEMIDLIST* child, int column) {
    SHELLDETAILS details{};
    if (FAILED(folder.GetDetailsOf(child, static_cast<UINT>(column), &details))) return {};
    CoTaskMemPtr<wchar_t> text;
    if (FAILED(StrRetToStrW(&details.str, child, text.put())) || !text) return {};
    return Narrow(text.get());
}

bool IsFolderRow(const NamespaceItem& item) {
    if (item.hasFileData && (item.fileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
    // A zip file is a folder to the shell and a file to the user; a folder the shell links
    // in (a drive, a mapped place) may come with a file record that has no attributes.
    return (item.attributes & SFGAO_FOLDER) && !(item.attributes & SFGAO_STREAM);
}

}  // namespace

struct ShellList::Impl {
    explicit Impl(ShellListEvents handlers) : events(std::move(handlers)) {}

    ShellListEvents events;
    HWND list = nullptr;
    ItemIdList folder;
    bool fileSystem = false;
    ComPtr<IShellFolder2> details;  // the shell's columns of a folder outside the file system
    std::vector<Column> columns;
    std::vector<Row> rows;
    ItemSort sort;
    std::unique_ptr<platform::win32::FolderEnumeration> enumeration;
    std::unique_ptr<platform::win32::FolderWatch> watch;
    std::unique_ptr<platform::win32::ShellIconLoader> icons;
    // What a refill selects again: parsing names, and the focused one.
    std::set<std::string> keepSelected;
    std::string keepFocused;
    // A change that arrived while a name was being edited: a refill would end the edit.
    bool refreshAfterEdit = false;
    // Icon and type of a file by its extension, as the shell gives them without the file.
    std::map<std::string, std::pair<int, std::string>> fileTypes;

    // ---- Rows

    const std::pair<int, std::string>& FileType(const std::string& fileName, bool directory) {
        const size_t dot = fileName.find_last_of('.');
        std::string key =
            directory ? std::string("\\")
                      : platform::AsciiUpper(dot == std::string::npos ? "" : fileName.substr(dot));
        auto found = fileTypes.find(key);
        if (found != fileTypes.end()) return found->second;
        SHFILEINFOW info{};
        const std::wstring name = directory ? L"folder" : L"file" + Wide(key);
        SHGetFileInfoW(
            name.c_str(), directory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL, &info,
            sizeof(info),
            SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_TYPENAME);
        std::pair<int, std::string> type{
            info.iIcon, Narrow(std::wstring(info.szTypeName, wcsnlen(info.szTypeName, 80)))};
        return fileTypes.emplace(std::move(key), std::move(type)).first->second;
    }

    std::string TypeByIdList(const ITEMIDLIST* id) {
        SHFILEINFOW info{};
        if (!SHGetFileInfoW(reinterpret_cast<LPCWSTR>(id), 0, &info, sizeof(info),
                            SHGFI_PIDL | SHGFI_TYPENAME))
            return {};
        return Narrow(std::wstring(info.szTypeName, wcsnlen(info.szTypeName, 80)));
    }

    void EnsureTexts(Row& row) {
        if (row.textsReady) return;
        row.textsReady = true;
        std::vector<std::string>& texts = row.order.texts;
        texts.assign(columns.size(), {});
        if (texts.empty()) return;
        texts[kName] = row.order.name;
        if (!fileSystem) {
            if (!details) return;
            for (size_t column = 1; column < columns.size(); ++column)
                texts[column] =
                    DetailText(*details.get(), LastIdOf(row.id.get()), static_cast<int>(column));
            return;
        }
        if (row.hasFileData) {
            if (!row.order.folder) texts[kSize] = SizeText(row.order.size);
            texts[kType] = FileType(FileNameOf(row.parsingName), row.order.folder).second;
            texts[kModified] = TimeText(row.order.modified);
        } else {
            texts[kType] = TypeByIdList(row.id.get());
        }
    }

    int IconOf(Row& row) {
        if (row.icon >= 0) return row.icon;
        if (row.hasFileData && !row.order.folder) {
            row.icon = FileType(FileNameOf(row.parsingName), false).first;
            return row.icon;
        }
        // Asked away from the window; a stand-in shows until it comes.
        const std::optional<int> icon = icons ? icons->IconOf(row.id.get()) : std::nullopt;
        if (icon) row.icon = *icon;
        return icon.value_or(row.order.folder ? platform::win32::GenericFolderIcon()
                                              : platform::win32::GenericFileIcon());
    }

    Row* RowAt(int index) {
        return index >= 0 && static_cast<size_t>(index) < rows.size() ? &rows[index] : nullptr;
    }

    // ---- Columns

    void SetUpColumns() {
        columns.clear();
        details.reset();
        if (fileSystem) {
            columns = {{L"Name", 220, LVCFMT_LEFT, ColumnOrder::Name},
                       {L"Size", 80, LVCFMT_RIGHT, ColumnOrder::Size},
                       {L"Type", 140, LVCFMT_LEFT, ColumnOrder::Text},
                       {L"Modified", 130, LVCFMT_LEFT, ColumnOrder::Time}};
        } else {
            const ComPtr<IShellFolder> shellFolder = BindToFolder(folder.get());
            if (shellFolder) details = shellFolder.As<IShellFolder2>();
            for (int index = 0; details && index < kMostShellColumns; ++index) {
                SHELLDETAILS column{};
                if (FAILED(details->GetDetailsOf(nullptr, static_cast<UINT>(index), &column)))
                    break;
                CoTaskMemPtr<wchar_t> caption;
                if (FAILED(StrRetToStrW(&column.str, nullptr, caption.put())) || !caption) break;
                const int width = std::clamp(column.cxChar * 8, 60, 300);
                const int format = column.fmt & LVCFMT_JUSTIFYMASK;
                columns.push_back({caption.get(), width, format,
                                   index == 0 ? ColumnOrder::Name : ColumnOrder::Text});
            }
            if (columns.empty()) columns.push_back({L"Name", 220, LVCFMT_LEFT, ColumnOrder::Name});
        }
        while (ListView_DeleteColumn(list, 0)) {
        }
        const UINT dpi = DpiOf(list);
        for (size_t index = 0; index < columns.size(); ++index) {
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
            column.fmt = index == 0 ? LVCFMT_LEFT : columns[index].format;
            column.cx = Scale(columns[index].width, dpi);
            column.pszText = columns[index].caption.data();
            column.iSubItem = static_cast<int>(index);
            ListView_InsertColumn(list, static_cast<int>(index), &column);
        }
        sort = {};
        ShowSortArrow();
    }

    void ShowSortArrow() {
        const HWND header = ListView_GetHeader(list);
        for (int index = 0; index < static_cast<int>(columns.size()); ++index) {
            HDITEMW item{};
            item.mask = HDI_FORMAT;
            if (!Header_GetItem(header, index, &item)) continue;
            item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
            if (index == sort.column) item.fmt |= sort.descending ? HDF_SORTDOWN : HDF_SORTUP;
            Header_SetItem(header, index, &item);
        }
    }

    // ---- Listing

    void StartListing() {
        enumeration = std::make_unique<platform::win32::FolderEnumeration>(
            folder.get(), platform::win32::EnumeratedContents::FoldersAndFiles, list, kEnumerated);
        // Slower: a new folder shows nothing and a refresh the old rows until it arrives.
        if (enumeration->Wait(kPatience)) Fill();
    }

    void ShowNothing() {
        rows.clear();
        ListView_SetItemCountEx(list, 0, 0);
    }

    void Fill() {
        if (!enumeration || !enumeration->Done() || enumeration->Taken()) return;
        std::vector<NamespaceItem> items = enumeration->TakeItems();
        enumeration.reset();
        std::vector<Row> filled;
        filled.reserve(items.size());
        for (NamespaceItem& item : items) {
            Row row;
            row.order.folder = IsFolderRow(item);
            row.order.name = std::move(item.displayName);
            row.order.size = item.size;
            row.order.modified = (static_cast<std::uint64_t>(item.modified.dwHighDateTime) << 32) |
                                 item.modified.dwLowDateTime;
            row.parsingName = std::move(item.parsingName);
            row.attributes = item.attributes;
            row.hasFileData = item.hasFileData;
            row.id = std::move(item.id);
            filled.push_back(std::move(row));
        }
        rows = std::move(filled);
        SortRows();
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_SetItemCountEx(list, static_cast<int>(rows.size()), 0);
        Reselect();
        InvalidateRect(list, nullptr, FALSE);
        if (events.filled) events.filled();
    }

    void SortRows() {
        if (sort.order == ColumnOrder::Text)
            for (Row& row : rows) EnsureTexts(row);
        std::stable_sort(rows.begin(), rows.end(), [this](const Row& a, const Row& b) {
            return shell::places::ComesBefore(a.order, b.order, sort);
        });
    }

    void RememberSelection() {
        keepSelected.clear();
        for (int index = ListView_GetNextItem(list, -1, LVNI_SELECTED); index >= 0;
             index = ListView_GetNextItem(list, index, LVNI_SELECTED))
            if (const Row* row = RowAt(index)) keepSelected.insert(row->parsingName);
        const Row* focused = RowAt(ListView_GetNextItem(list, -1, LVNI_FOCUSED));
        keepFocused = focused ? focused->parsingName : std::string();
    }

    void Reselect() {
        int first = -1;
        for (int index = 0; index < static_cast<int>(rows.size()); ++index) {
            const std::string& name = rows[index].parsingName;
            UINT state = 0;
            if (keepSelected.count(name)) state |= LVIS_SELECTED;
            if (!keepFocused.empty() && name == keepFocused) state |= LVIS_FOCUSED;
            if (state) ListView_SetItemState(list, index, state, state);
            if ((state & LVIS_SELECTED) && first < 0) first = index;
        }
        if (first >= 0) ListView_EnsureVisible(list, first, FALSE);
        keepSelected.clear();
        keepFocused.clear();
    }

    void Refresh() {
        if (!list || !folder) return;
        if (!enumeration) RememberSelection();  // a listing under way keeps what it remembered
        StartListing();
    }

    // ---- Actions

    void Open(int index) {
        const Row* row = RowAt(index);
        if (!row) return;
        if (row->order.folder) {
            if (events.openFolder) events.openFolder(row->id.get());
            return;
        }
        SHELLEXECUTEINFOW execute{};
        execute.cbSize = sizeof(execute);
        execute.fMask = SEE_MASK_INVOKEIDLIST;
        execute.hwnd = list;
        execute.lpIDList = const_cast<ITEMIDLIST*>(row->id.get());
        execute.nShow = SW_SHOWNORMAL;
        ShellExecuteExW(&execute);  // the shell says itself why an item does not open
    }

    void GoUp() {
        if (!folder || platform::win32::IsDesktopIdList(folder.get())) return;
        const ItemIdList parent = platform::win32::ParentIdList(folder.get());
        if (parent && events.openFolder) events.openFolder(parent.get());
    }

    bool BeginRename(NMLVDISPINFOW& info) {
        const Row* row = RowAt(info.item.iItem);
        if (!row || !(row->attributes & SFGAO_CANRENAME)) return true;  // refuses the edit
        // The edit shows the name as it is typed, with any hidden extension.
        const std::string editable =
            platform::win32::DisplayNameOf(row->id.get(), SHGDN_INFOLDER | SHGDN_FOREDITING);
        if (const HWND edit = ListView_GetEditControl(list); edit && !editable.empty())
            SetWindowTextW(edit, Wide(editable).c_str());
        return false;
    }

    void EndRename(const NMLVDISPINFOW& info) {
        Row* row = RowAt(info.item.iItem);
        if (!row || !info.item.pszText) return;  // cancelled
        const ComPtr<IShellFolder> shellFolder = BindToFolder(folder.get());
        if (!shellFolder) return;
        const std::wstring name = info.item.pszText;
        ItemIdList renamed;
        const HRESULT result =
            shellFolder->SetNameOf(list, LastIdOf(row->id.get()), name.c_str(),
                                   SHGDN_INFOLDER | SHGDN_FOREDITING, renamed.put());
        if (FAILED(result)) {
            if (result != HRESULT_FROM_WIN32(ERROR_CANCELLED)) {
                const DWORD error = HRESULT_FACILITY(result) == FACILITY_WIN32
                                        ? static_cast<DWORD>(HRESULT_CODE(result))
                                        : static_cast<DWORD>(result);
                const std::wstring message = L"Cannot rename \"" + Wide(row->order.name) + L"\": " +
                                             Wide(platform::win32::SystemErrorText(error));
                MessageBoxW(list, message.c_str(), L"Rename", MB_OK | MB_ICONERROR);
            }
            return;
        }
        // The watch lists the folder again soon; until then the row shows the new name.
        keepSelected = {row->parsingName};
        keepFocused = row->parsingName;
        if (renamed) {
            ItemIdList id = AppendIdList(folder.get(), renamed.get());
            if (id) {
                row->id = std::move(id);
                row->order.name =
                    platform::win32::DisplayNameOf(row->id.get(), SHGDN_INFOLDER | SHGDN_NORMAL);
                row->parsingName = platform::win32::ParsingNameOf(row->id.get());
                row->textsReady = false;
                row->icon = -1;
                keepSelected = {row->parsingName};
                keepFocused = row->parsingName;
            }
        }
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        SortRows();
        Reselect();
        InvalidateRect(list, nullptr, FALSE);
    }

    void SortBy(int column) {
        if (column < 0 || static_cast<size_t>(column) >= columns.size()) return;
        RememberSelection();
        sort = shell::places::SortAfterClick(sort, column, columns[column].order);
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        SortRows();
        Reselect();
        ShowSortArrow();
        InvalidateRect(list, nullptr, FALSE);
    }

    void GiveDisplayInfo(LVITEMW& item) {
        Row* row = RowAt(item.iItem);
        if (!row) return;
        if (item.mask & LVIF_TEXT && item.pszText && item.cchTextMax > 0) {
            EnsureTexts(*row);
            const size_t column = static_cast<size_t>(item.iSubItem);
            const std::wstring text =
                column < row->order.texts.size() ? Wide(row->order.texts[column]) : L"";
            const size_t count = std::min(text.size(), static_cast<size_t>(item.cchTextMax) - 1);
            std::wmemcpy(item.pszText, text.data(), count);
            item.pszText[count] = L'\0';
        }
        if (item.mask & LVIF_IMAGE) item.iImage = IconOf(*row);
    }

    // Type-to-find: the next row whose name starts with what was typed.
    int FindRow(const NMLVFINDITEMW& find) const {
        if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz) return -1;
        const std::string wanted = platform::AsciiUpper(Narrow(find.lvfi.psz));
        const int count = static_cast<int>(rows.size());
        if (count == 0) return -1;
        const int start = std::clamp(find.iStart, 0, count);
        for (int step = 0; step < count; ++step) {
            const int index = (start + step) % count;
            if (platform::AsciiUpper(rows[index].order.name).rfind(wanted, 0) == 0) return index;
        }
        return -1;
    }

    static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam, UINT_PTR, DWORD_PTR data) {
        Impl& self = *reinterpret_cast<Impl*>(data);
        switch (message) {
            case kEnumerated:
                if (self.enumeration) self.Fill();
                return 0;
            case kIconsArrived:
                InvalidateRect(window, nullptr, FALSE);
                return 0;
            case kFolderChanged:
                if (ListView_GetEditControl(window))
                    self.refreshAfterEdit = true;
                else
                    self.Refresh();
                return 0;
            case WM_GETDLGCODE:
                // Enter opens the row, also where the dialog manager would take it.
                if (lParam && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
                    reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN)
                    return DLGC_WANTMESSAGE;
                break;
            case WM_NCDESTROY:
                RemoveWindowSubclass(window, SubclassProcedure, kSubclassId);
                self.watch.reset();
                self.icons.reset();
                self.enumeration.reset();
                self.list = nullptr;
                return DefSubclassProc(window, message, wParam, lParam);
            default:
                break;
        }
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        if (message == WM_KEYUP && self.events.userActed) self.events.userActed();
        return result;
    }
};

ShellList::ShellList(ShellListEvents events) : impl_(std::make_unique<Impl>(std::move(events))) {}

ShellList::~ShellList() {
    if (impl_->list) RemoveWindowSubclass(impl_->list, Impl::SubclassProcedure, kSubclassId);
}

HWND ShellList::Create(HWND parent, int id) {
    if (impl_->list) return impl_->list;
    const HWND list =
        CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS |
                            LVS_EDITLABELS | LVS_SHAREIMAGELISTS | LVS_OWNERDATA,
                        0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        GetModuleHandleW(nullptr), nullptr);
    if (!list) return nullptr;
    if (!SetWindowSubclass(list, Impl::SubclassProcedure, kSubclassId,
                           reinterpret_cast<DWORD_PTR>(impl_.get()))) {
        DestroyWindow(list);
        return nullptr;
    }
    impl_->list = list;
    impl_->icons = std::make_unique<platform::win32::ShellIconLoader>(list, kIconsArrived);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    ListView_SetImageList(list, SystemImageList(true), LVSIL_SMALL);
    return list;
}

HWND ShellList::Handle() const { return impl_->list; }

void ShellList::ShowFolder(const ITEMIDLIST* folder) {
    Impl& self = *impl_;
    if (!self.list) return;
    ItemIdList shown = CloneIdList(folder);
    if (!shown) {
        // No folder (a place the system does not have): an empty list, not the last one's.
        self.enumeration.reset();
        self.watch.reset();
        self.folder.reset();
        self.ShowNothing();
        return;
    }
    self.enumeration.reset();
    self.watch.reset();
    self.keepSelected.clear();
    self.keepFocused.clear();
    self.folder = std::move(shown);
    wchar_t path[MAX_PATH] = {};
    self.fileSystem = SHGetPathFromIDListW(self.folder.get(), path) && path[0];
    self.ShowNothing();
    self.SetUpColumns();
    self.watch = std::make_unique<platform::win32::FolderWatch>(self.list, kFolderChanged,
                                                                self.folder.get(), false);
    self.StartListing();
}

const ITEMIDLIST* ShellList::Folder() const { return impl_->folder.get(); }

void ShellList::Refresh() { impl_->Refresh(); }

bool ShellList::Filling() const { return impl_->enumeration != nullptr; }

int ShellList::RowCount() const { return static_cast<int>(impl_->rows.size()); }

int ShellList::SelectedRow() const {
    return impl_->list ? ListView_GetNextItem(impl_->list, -1, LVNI_SELECTED) : -1;
}

void ShellList::SetRowSelected(int row, bool selected) {
    if (!impl_->RowAt(row)) return;
    const UINT state = selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    ListView_SetItemState(impl_->list, row, state, selected ? state : LVIS_SELECTED);
}

void ShellList::EnsureRowVisible(int row) {
    if (impl_->RowAt(row)) ListView_EnsureVisible(impl_->list, row, FALSE);
}

std::string ShellList::RowParsingName(int row) const {
    const Row* found = impl_->RowAt(row);
    return found ? found->parsingName : std::string();
}

const ITEMIDLIST* ShellList::RowItem(int row) const {
    const Row* found = impl_->RowAt(row);
    return found ? found->id.get() : nullptr;
}

info::ShellItemInfo ShellList::RowInfo(int row) const {
    Row* found = impl_->RowAt(row);
    if (!found) return {};
    impl_->EnsureTexts(*found);
    return {found->order.name, found->parsingName, found->order.texts};
}

std::vector<std::string> ShellList::ColumnCaptions() const {
    std::vector<std::string> captions;
    for (const Column& column : impl_->columns) captions.push_back(Narrow(column.caption));
    return captions;
}

bool ShellList::OnNotify(const NMHDR& header, LRESULT& result) {
    Impl& self = *impl_;
    if (!self.list || header.hwndFrom != self.list) return false;
    result = 0;
    switch (header.code) {
        case LVN_GETDISPINFOW:
            self.GiveDisplayInfo(
                reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header))->item);
            return true;
        case LVN_ODFINDITEMW:
            result = self.FindRow(reinterpret_cast<const NMLVFINDITEMW&>(header));
            return true;
        case LVN_COLUMNCLICK:
            self.SortBy(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
            return true;
        case NM_DBLCLK:
            self.Open(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
            return true;
        case NM_CLICK:
        case NM_RCLICK:
            if (self.events.userActed) self.events.userActed();
            return true;
        case LVN_KEYDOWN: {
            const auto& key = reinterpret_cast<const NMLVKEYDOWN&>(header);
            if (key.wVKey == VK_RETURN) {
                self.Open(SelectedRow());
            } else if (key.wVKey == VK_BACK) {
                self.GoUp();
            } else if (key.wVKey == VK_F2) {
                const int focused = ListView_GetNextItem(self.list, -1, LVNI_FOCUSED);
                const int row = focused >= 0 ? focused : SelectedRow();
                if (row >= 0) ListView_EditLabel(self.list, row);
            } else if (key.wVKey == VK_F5) {
                self.Refresh();
            } else if (GetKeyState(VK_CONTROL) < 0 && key.wVKey == 'C') {
                CopySelectedRows(self.list);  // the rows as text; the shell's menu copies files
            } else if (GetKeyState(VK_CONTROL) < 0 && key.wVKey == 'A') {
                SelectAllRows(self.list);
            }
            return true;
        }
        case LVN_BEGINLABELEDITW:
            result =
                self.BeginRename(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)));
            return true;
        case LVN_ENDLABELEDITW:
            self.EndRename(reinterpret_cast<const NMLVDISPINFOW&>(header));
            if (std::exchange(self.refreshAfterEdit, false))
                PostMessageW(self.list, kFolderChanged, 0, 0);
            result = FALSE;  // the rows hold the names, not the list
            return true;
        default:
            return false;
    }
}

bool ShellList::ShowContextMenu(POINT screenPoint) {
    Impl& self = *impl_;
    if (!self.list || !self.folder) return false;
    std::vector<const ITEMIDLIST*> children;
    for (int index = ListView_GetNextItem(self.list, -1, LVNI_SELECTED); index >= 0;
         index = ListView_GetNextItem(self.list, index, LVNI_SELECTED))
        if (const Row* row = self.RowAt(index)) children.push_back(LastIdOf(row->id.get()));
    if (children.empty()) return false;
    if (screenPoint.x == -1 && screenPoint.y == -1) {  // from the keyboard
        int row = ListView_GetNextItem(self.list, -1, LVNI_FOCUSED | LVNI_SELECTED);
        if (row < 0) row = SelectedRow();
        RECT bounds{};
        ListView_GetItemRect(self.list, row, &bounds, LVIR_LABEL);
        screenPoint = {bounds.left, bounds.bottom};
        ClientToScreen(self.list, &screenPoint);
    }
    const ComPtr<IShellFolder> shellFolder = BindToFolder(self.folder.get());
    ComPtr<IContextMenu> handler;
    if (!shellFolder ||
        FAILED(shellFolder->GetUIObjectOf(self.list, static_cast<UINT>(children.size()),
                                          children.data(), __uuidof(IContextMenu), nullptr,
                                          handler.put_void())) ||
        !handler)
        return false;
    const platform::win32::ContextMenuOutcome outcome =
        platform::win32::ShowShellContextMenu(self.list, *handler.get(), screenPoint, CMF_EXPLORE);
    if (outcome == platform::win32::ContextMenuOutcome::NotShown) return false;
    // A deleted, renamed or pasted item shows at once; the watch would catch it a moment later.
    if (outcome == platform::win32::ContextMenuOutcome::CommandRan) self.Refresh();
    return true;
}

}  // namespace glmx::ui
