#include "ui/mainwindow/file_search_view.h"

#include <commctrl.h>

#include "platform/win32/shell_namespace.h"
#include "platform/win32/wide.h"
#include "settings/history.h"
#include "ui/mainwindow/browse_folder_dialog.h"
#include "ui/win32/held_painting.h"
#include "ui/win32/list_view_rows.h"

namespace glmx::ui {

using platform::win32::Narrow;
using platform::win32::Wide;

namespace {

// How often the walk lets the window answer: often enough for Stop and painting,
// seldom enough that the walk itself stays fast.
constexpr DWORD kAnswerEveryMs = 30;
constexpr unsigned kEntriesBetweenClockChecks = 64;

}  // namespace

FileSearchView::FileSearchView(FileSearchForm& form, HWND list, HWND statusBar,
                               FileSearchPlatform platform, settings::SettingsStores& stores,
                               info::OfflineInformationBuilder& builder, const ViewKind& viewKind,
                               MessagePump pump, std::function<void()> showSelectionInfo)
    : form_(form),
      list_(list),
      status_(statusBar),
      platform_(platform),
      stores_(stores),
      builder_(builder),
      viewKind_(viewKind),
      pump_(std::move(pump)),
      showSelectionInfo_(std::move(showSelectionInfo)) {}

void FileSearchView::ShowFoundFileInfo(const std::string& path) {
    builder_.ShowFoundFileInfo(path);
}

void FileSearchView::AbandonSearch() {
    if (!searching_) return;
    abandoned_ = true;
    found_.clear();
}

void FileSearchView::SearchClicked() {
    if (searching_) return;
    searching_ = true;
    stopRequested_ = abandoned_ = false;
    // The first check answers at once: a click already waiting is not kept waiting.
    lastAnswered_ = GetTickCount() - kAnswerEveryMs;
    entriesSinceCheck_ = 0;
    form_.SetSearching(true);
    filesearch::SearchFiles(form_.LookInBox().Text(), form_.NameBox().Text(), platform_.files,
                            {stores_.FileSearchHistory, stores_.FolderSearchHistory},
                            platform_.listing, *this, *this);
    if (!abandoned_) {
        AddFoundRows();
        settings::FillComboFromHistory(stores_.FileSearchHistory, form_.NameBox(), false);
        settings::FillComboFromHistory(stores_.FolderSearchHistory, form_.LookInBox(), false);
        if (ListView_GetItemCount(list_) > 0)
            ListView_SetItemState(list_, 0, LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
        if (showSelectionInfo_) showSelectionInfo_();
        SetFocus(list_);
    }
    found_.clear();
    form_.SetSearching(false);
    searching_ = false;
}

void FileSearchView::LookingIn(const std::string& folder) {
    lookingIn_ = folder;
    lookingInShown_ = false;
}

void FileSearchView::Found(const std::string& path) {
    if (!abandoned_) found_.push_back(path);
}

bool FileSearchView::StopRequested() {
    if (++entriesSinceCheck_ >= kEntriesBetweenClockChecks) {
        entriesSinceCheck_ = 0;
        if (GetTickCount() - lastAnswered_ >= kAnswerEveryMs) KeepAnswering();
    }
    return stopRequested_ || abandoned_;
}

void FileSearchView::KeepAnswering() {
    AddFoundRows();
    if (!lookingInShown_ && !abandoned_) {
        status_.SetStatusText("Looking in: " + lookingIn_);
        lookingInShown_ = true;
    }
    const bool running = pump_ && pump_([this](const MSG& message) {
                             if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE)
                                 stopRequested_ = true;
                         });
    if (pump_ && !running) AbandonSearch();  // the program is ending
    lastAnswered_ = GetTickCount();
}

void FileSearchView::AddFoundRows() {
    if (found_.empty() || abandoned_) return;
    HeldPainting painting(list_);
    int row = ListView_GetItemCount(list_);
    for (const std::string& path : found_) {
        std::wstring caption = Wide(path);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = row;
        item.pszText = caption.data();
        item.iImage = platform_.shell.SystemIconIndex(path);
        if (SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)) >= 0) ++row;
    }
    found_.clear();
    ListView_EnsureVisible(list_, row - 1, FALSE);
}

void FileSearchView::ClearResults() {
    found_.clear();
    ListView_DeleteAllItems(list_);
}

void FileSearchView::SetStatusText(std::string_view text) {
    if (!abandoned_) status_.SetStatusText(text);
}

void FileSearchView::ShowInvalidFolder(std::string_view message) {
    platform_.messages.Error(message);
}

void FileSearchView::BrowseClicked(HWND owner) {
    const std::optional<std::string> folder = BrowseForFolder(owner);
    form_.LookInBox().SetText(folder ? *folder : std::string());
}

void FileSearchView::TreeActed() {
    const ITEMIDLIST* folder = form_.Tree().SelectedFolder();
    const std::string path = folder ? platform::win32::ParsingNameOf(folder) : std::string();
    form_.LookInBox().SetText(!path.empty() && platform_.files.DirectoryExists(path) ? path : "");
}

int FileSearchView::SelectedRow() const { return ActedOnRow(list_); }

std::string FileSearchView::RowPath(int row) const {
    std::vector<wchar_t> text(32768);
    LVITEMW item{};
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    SendMessageW(list_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return Narrow(text.data());
}

void FileSearchView::DeleteSelectedResult() {
    const int row = SelectedRow();
    if (row < 0) return;
    const std::string path = RowPath(row);
    platform_.operations.DeleteToRecycleBin({path});
    // Declined in the shell's confirmation, or refused: the file and its row stay.
    if (platform_.files.FileExists(path)) return;
    ListView_DeleteItem(list_, row);
    if (showSelectionInfo_) showSelectionInfo_();
}

bool FileSearchView::ShowResultContextMenu(HWND owner, POINT screenPoint) {
    if (viewKind_ != vkSearchFiles) return false;
    const int row = SelectedRow();
    if (row < 0) return false;
    if (screenPoint.x == -1 && screenPoint.y == -1) {  // from the keyboard: at the row
        RECT bounds{};
        ListView_GetItemRect(list_, row, &bounds, LVIR_LABEL);
        screenPoint = {bounds.left, bounds.bottom};
        ClientToScreen(list_, &screenPoint);
    }
    POINT client = screenPoint;
    ScreenToClient(owner, &client);
    const std::string path = RowPath(row);
    if (platform_.shell.DisplayShellContextMenu(owner, path, client.x, client.y) &&
        !platform_.files.FileExists(path))
        ListView_DeleteItem(list_, row);  // deleted or moved through the menu
    return true;
}

void FileSearchView::ResultDoubleClicked() {
    if (viewKind_ == vkSearchFiles) platform_.messages.Warning(kDoubleClickRefused);
}

}  // namespace glmx::ui
