// The Search Files view: runs a search from the form into the inventory list,
// keeping the window answering while it walks, and acts on the results (Delete,
// the shell's context menu, the double-click refusal).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "filesearch/file_search.h"
#include "filesearch/search_files.h"
#include "info/offline_information.h"
#include "inventory/view_kind.h"
#include "platform/directory_listing.h"
#include "platform/file_operations.h"
#include "platform/shell.h"
#include "platform/user_messages.h"
#include "settings/settings_stores.h"
#include "ui/mainwindow/file_search_form.h"
#include "ui/mainwindow/view_services.h"
#include "ui/win32/status_bar_line.h"

namespace glmx::ui {

inline constexpr std::string_view kDoubleClickRefused =
    "Double-clicking is disbaled to prevent running unsafe programs or files by mistake. To "
    "open or run the selected program/file, right-click and select Open.";

struct FileSearchPlatform {
    const platform::FileSystem& files;
    platform::DirectoryListing& listing;
    platform::Shell& shell;
    platform::FileOperations& operations;
    platform::UserMessages& messages;
};

// Handles the window's pending messages, passing each to `seen` first; false when the
// program is quitting.
using MessagePump = std::function<bool(const std::function<void(const MSG&)>& seen)>;

class FileSearchView final : public FileSearchResults,
                             private filesearch::SearchObserver,
                             private filesearch::SearchPage {
public:
    FileSearchView(FileSearchForm& form, HWND list, HWND statusBar, FileSearchPlatform platform,
                   settings::SettingsStores& stores, info::OfflineInformationBuilder& builder,
                   const ViewKind& viewKind, MessagePump pump,
                   std::function<void()> showSelectionInfo);

    // FileSearchResults
    void ShowFoundFileInfo(const std::string& path) override;
    void AbandonSearch() override;

    // The form's events.
    void SearchClicked();
    void StopClicked() { stopRequested_ = true; }
    void BrowseClicked(HWND owner);
    void TreeActed();

    // The results' actions: the control button "Delete", the list's context menu and
    // double-click.
    void DeleteSelectedResult();
    bool ShowResultContextMenu(HWND owner, POINT screenPoint);
    void ResultDoubleClicked();

    bool Searching() const { return searching_; }

private:
    // filesearch::SearchObserver
    void LookingIn(const std::string& folder) override;
    void Found(const std::string& path) override;
    bool StopRequested() override;
    // filesearch::SearchPage
    void ClearResults() override;
    void SetStatusText(std::string_view text) override;
    void ShowInvalidFolder(std::string_view message) override;

    void AddFoundRows();
    void KeepAnswering();
    int SelectedRow() const;
    std::string RowPath(int row) const;

    FileSearchForm& form_;
    HWND list_;
    StatusBarLine status_;
    FileSearchPlatform platform_;
    settings::SettingsStores& stores_;
    info::OfflineInformationBuilder& builder_;
    const ViewKind& viewKind_;
    MessagePump pump_;
    std::function<void()> showSelectionInfo_;

    bool searching_ = false;
    bool stopRequested_ = false;  // Stop or Esc: the rows found stay
    bool abandoned_ = false;      // another view or the end of the program: nothing more is shown
    std::vector<std::string> found_;  // rows not added yet
    std::string lookingIn_;
    bool lookingInShown_ = true;
    unsigned entriesSinceCheck_ = 0;
    DWORD lastAnswered_ = 0;
};

}  // namespace glmx::ui
