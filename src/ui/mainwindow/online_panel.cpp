#include "ui/mainwindow/online_panel.h"

#include "platform/win32/shell_ui_helper.h"
#include "platform/win32/wide.h"
#include "settings/history.h"
#include "ui/mainwindow/commands.h"
#include "ui/mainwindow/internet_address_dialog.h"
#include "ui/mainwindow/search_sites_dialog.h"
#include "ui/win32/focus.h"
#include "ui/win32/image_lists.h"

namespace glmx::ui {

using platform::win32::Wide;

namespace {

constexpr UINT_PTR kCompletionTimer = 1;
constexpr wchar_t kPanelProperty[] = L"GlmxOnlinePanel";
constexpr int kBrowserId = idOfflineInformation + 1;
constexpr size_t kMaxShortcutBytes = 64 * 1024;
constexpr char kFavouritesUnavailable[] =
    "The system's favourites dialog is not available on this computer.";

std::wstring MenuCaption(const std::string& text) {
    std::wstring caption;
    for (const wchar_t c : Wide(text)) {
        if (c == L'&') caption += L'&';
        caption += c;
    }
    return caption;
}

void EmptyMenu(HMENU menu) {
    for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i)
        DeleteMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
}

bool FocusIsIn(HWND window) {
    const HWND focus = GetFocus();
    return focus && window && (focus == window || IsChild(window, focus));
}

}  // namespace

OnlinePanel::OnlinePanel(InformationPanel& panel, HWND statusBar, HWND progressBar,
                         OnlinePanelMenus menus, OnlinePanelServices services,
                         info::TLinkedInformationBuffer& links)
    : panel_(panel),
      progressBar_(progressBar),
      status_(statusBar),
      menus_(menus),
      services_(std::move(services)) {
    // The control reads the document mode it emulates when it is created.
    info::EnsureBrowserEmulation(services_.registry, services_.programFileName);
    browser_.Create(panel_.ClientArea(), kBrowserId);
    browser_.SetBroughtToFront([this] { BrowserShown(); });
    panel_.SetClientAreaListener([this](const RECT& area) { browser_.SetBounds(area); });
    panel_.OfflineView().SetBringToFront([this] { ShowOfflineView(); });
    SetPropW(panel_.ClientArea(), kPanelProperty, this);

    online_ = std::make_unique<info::TOnlineInfoClass>(
        services_.programFolder + std::string(info::kSearchConfigName),
        info::OnlineInfoServices{browser_, panel_.OfflineView(), links, services_.files,
                                 services_.messages},
        info::OnlineInfoHooks{[this](bool on) {
                                  if (on)
                                      SetTimer(panel_.ClientArea(), kCompletionTimer, 100,
                                               &TimerProcedure);
                                  else
                                      KillTimer(panel_.ClientArea(), kCompletionTimer);
                              },
                              [this] { BuildHistoryMenus(); }});
    browser_.SetEvents(platform::WebBrowserEvents{
        [this](std::string_view text) { status_.SetStatusText(text); },
        [this](long progress, long maximum) { ProgressChanged(progress, maximum); },
        [this](long command, bool enable) { CommandStateChanged(command, enable); },
        [this](std::string_view url, long code) { online_->NavigateFailed(url, code); }});
}

OnlinePanel::~OnlinePanel() {
    KillTimer(panel_.ClientArea(), kCompletionTimer);
    RemovePropW(panel_.ClientArea(), kPanelProperty);
    panel_.OfflineView().SetBringToFront(nullptr);
    panel_.SetClientAreaListener(nullptr);
    browser_.Destroy();
}

void OnlinePanel::Start() {
    online_->LoadSites();
    browser_.Navigate("about:blank");
    online_->SetCurrentSite(0);
    BuildSearchSitesMenu();
    BuildFavouritesMenu();
}

void CALLBACK OnlinePanel::TimerProcedure(HWND window, UINT, UINT_PTR, DWORD) {
    if (auto* panel = static_cast<OnlinePanel*>(GetPropW(window, kPanelProperty)))
        panel->online_->TimerTick();
}

void OnlinePanel::ShowOfflineView() {
    const HWND text = panel_.OfflineView().Handle();
    if (FocusIsIn(browser_.Window())) SetFocus(panel_.SearchField().Handle());
    SetWindowPos(text, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    browser_.Hide();
    online_->OfflineViewTaken();
}

void OnlinePanel::BrowserShown() {
    const HWND text = panel_.OfflineView().Handle();
    if (FocusIsIn(text)) SetFocus(panel_.SearchField().Handle());
    ShowWindow(text, SW_HIDE);
}

void OnlinePanel::SearchFromField(bool withQuickSearchHistory) {
    ComboBox& field = panel_.SearchField();
    const std::string text = field.Text();
    const bool customSearch = withQuickSearchHistory && services_.viewKind == vkCustomSearch;
    if (customSearch) settings::AddToHistory(services_.stores.QuickSearchHistory, text);
    online_->SearchFromField(text);
    if (customSearch)
        settings::FillComboFromHistory(services_.stores.QuickSearchHistory, field, false);
}

bool OnlinePanel::OnCommand(HWND owner, int command) {
    if (command >= cmdSearchSiteFirst && command <= cmdSearchSiteLast) {
        online_->SetCurrentSite(command - cmdSearchSiteFirst);
        CheckMenuRadioItem(menus_.searchSites, 0, GetMenuItemCount(menus_.searchSites) - 1,
                           static_cast<UINT>(online_->CurrentSite()), MF_BYPOSITION);
        SearchFromField(true);
        return true;
    }
    if (command >= cmdHistoryFirst && command <= cmdHistoryLast) {
        online_->HistoryMenuClick(command - cmdHistoryFirst);
        return true;
    }
    if (const std::string* path = favouritesMenu_.PathOf(command)) {
        OpenFavourite(*path);
        return true;
    }
    switch (command) {
        case IDOK:
            // Enter in the Search field searches.
            if (!FocusIsIn(panel_.SearchField().Handle())) return false;
            SearchFromField(true);
            return true;
        case cmdGo:
            SearchFromField(true);
            return true;
        case cmdFileSearch:
            SearchFromField(false);
            return true;
        case cmdSearchEngines:
        case cmdSearchSite: {
            POINT mouse{};
            GetCursorPos(&mouse);
            TrackPopupMenu(menus_.searchSites, TPM_LEFTALIGN | TPM_TOPALIGN, mouse.x, mouse.y, 0,
                           owner, nullptr);
            return true;
        }
        case cmdCustomizeSearchSites:
            Customize(owner);
            return true;
        case cmdBack:
            online_->Back();
            return true;
        case cmdForward:
            online_->Forward();
            return true;
        case cmdStop:
            online_->StopLoading();
            return true;
        case cmdRefresh:
            online_->RefreshPage();
            return true;
        case cmdWebSaveAs:
            online_->WebPageCommand(platform::WebPageCommand::SaveAs);
            return true;
        case cmdWebPageSetup:
            online_->WebPageCommand(platform::WebPageCommand::PageSetup);
            return true;
        case cmdWebPrint:
            online_->WebPageCommand(platform::WebPageCommand::Print);
            return true;
        case cmdWebPrintPreview:
            online_->WebPageCommand(platform::WebPageCommand::PrintPreview);
            return true;
        case cmdWebProperties:
            online_->WebPageCommand(platform::WebPageCommand::Properties);
            return true;
        case cmdOpenInternetAddress:
            if (const auto address =
                    ShowInternetAddressDialog(owner, services_.stores.InternetAddressHistory))
                online_->OpenAddress(*address);
            return true;
        case cmdAddToFavorites:
            if (!platform::win32::AddFavorite(browser_.LocationURL(), browser_.LocationName()))
                services_.messages.Error(kFavouritesUnavailable);
            BuildFavouritesMenu();
            return true;
        case cmdOrganizeFavorites:
            if (!platform::win32::OrganizeFavorites())
                services_.messages.Error(kFavouritesUnavailable);
            BuildFavouritesMenu();
            return true;
        default:
            return false;
    }
}

void OnlinePanel::Customize(HWND owner) {
    // What the file holds now; a file that cannot be read was reported and starts empty.
    const info::TSearchSites fromFile =
        online_->ReadSitesForDialog().value_or(info::TSearchSites{});
    const auto rows = ShowSearchSitesDialog(owner, fromFile, services_.messages);
    if (online_->ApplyDialogResult(rows)) BuildSearchSitesMenu();
}

void OnlinePanel::BuildSearchSitesMenu() {
    EmptyMenu(menus_.searchSites);
    const info::TSearchSites& sites = online_->Sites();
    for (size_t i = 0;
         i < sites.size() && cmdSearchSiteFirst + static_cast<int>(i) <= cmdSearchSiteLast; ++i) {
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE;
        item.fType = MFT_STRING | MFT_RADIOCHECK;
        item.wID = static_cast<UINT>(cmdSearchSiteFirst + static_cast<int>(i));
        std::wstring caption = MenuCaption(sites[i].name);
        item.dwTypeData = caption.data();
        InsertMenuItemW(menus_.searchSites, static_cast<UINT>(i), TRUE, &item);
    }
    // After every build the first site is the current one and its item the checked one.
    online_->SetCurrentSite(0);
    if (!sites.empty())
        CheckMenuRadioItem(menus_.searchSites, 0,
                           static_cast<UINT>(GetMenuItemCount(menus_.searchSites) - 1), 0,
                           MF_BYPOSITION);
    AppendMenuW(menus_.searchSites, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menus_.searchSites, MF_STRING, cmdCustomizeSearchSites, L"Customize...");
}

void OnlinePanel::BuildHistoryMenus() {
    const info::TURLHistoryListClass& history = online_->History();
    const auto fill = [](HMENU menu, const auto& entries) {
        EmptyMenu(menu);
        for (const auto& [index, page] : entries) {
            if (cmdHistoryFirst + index > cmdHistoryLast) continue;
            const std::wstring caption = MenuCaption(page->title.empty() ? page->url : page->title);
            AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(cmdHistoryFirst + index),
                        caption.c_str());
        }
    };
    fill(menus_.back, history.BackEntries());
    fill(menus_.forward, history.ForwardEntries());
}

void OnlinePanel::BuildFavouritesMenu() {
    if (!menus_.favourites) return;
    std::vector<info::FavouriteEntry> entries;
    if (!services_.favoritesFolder.empty())
        entries = info::CollectFavourites(services_.listing, services_.favoritesFolder);
    favouritesMenu_.Build(menus_.favourites, entries, services_.shell, SystemImageList(true));
}

void OnlinePanel::OpenFavourite(const std::string& path) {
    // A shortcut that has vanished or holds no address opens nothing.
    const std::optional<std::string> bytes = services_.files.ReadBytes(path, kMaxShortcutBytes);
    if (!bytes) return;
    online_->OpenAddress(info::InternetShortcutUrl(*bytes, services_.files));
}

void OnlinePanel::CommandStateChanged(long command, bool enable) {
    switch (command) {
        case -1:
            EnableWindow(panel_.ImageButton(cmdStop), browser_.Busy());
            break;
        case 1:
            EnableWindow(panel_.ImageButton(cmdForward), enable);
            break;
        case 2:
            EnableWindow(panel_.ImageButton(cmdBack), enable);
            break;
        default:
            break;
    }
}

void OnlinePanel::ProgressChanged(long progress, long maximum) {
    if (!progressBar_) return;
    ShowWindow(progressBar_, progress != maximum ? SW_SHOW : SW_HIDE);
    SendMessageW(progressBar_, PBM_SETRANGE32, 0, maximum);
    SendMessageW(progressBar_, PBM_SETPOS, static_cast<WPARAM>(progress), 0);
}

}  // namespace glmx::ui
