// The online side of the information panel: the search sites, the search that shows
// a notice in the offline view and sends the browser to the current site, and the wait
// for the page that brings the browser to the front and records it in the history.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "info/offline_information.h"
#include "info/search_sites.h"
#include "info/styled_text_view.h"
#include "info/url_history.h"
#include "platform/registry.h"
#include "platform/text_files.h"
#include "platform/user_messages.h"
#include "platform/web_browser.h"

namespace glmx::info {

inline constexpr std::string_view kSearchEngineNotSet =
    "Your current search engine is not set correctly";

struct OnlineInfoServices {
    platform::WebBrowser& browser;
    StyledTextView& infoView;         // the offline view
    TLinkedInformationBuffer& links;  // its links' targets
    platform::TextFiles& files;
    platform::UserMessages& messages;
};

struct OnlineInfoHooks {
    std::function<void(bool on)> enableTimer;  // ticks every 100 ms while on
    std::function<void()> historyChanged;      // the Back and Forward menus follow
};

class TOnlineInfoClass {
public:
    TOnlineInfoClass(std::string configFileName, OnlineInfoServices services,
                     OnlineInfoHooks hooks);

    // Appends the sites of the file, when it can be read.
    void LoadSites();
    // Writes the list to the file it was read from (else the configured one); false with
    // a message when that fails.
    bool SaveSites();
    size_t SiteCount() const { return sites_.size(); }
    void AddSite(TSearchSitesType site) { sites_.push_back(std::move(site)); }
    void ClearSites() { sites_.clear(); }
    const TSearchSites& Sites() const { return sites_; }
    // An empty site when the current index lies outside the list.
    TSearchSitesType GetCurrentSite() const;
    int CurrentSite() const { return currentSite_; }
    // Ignored outside the list.
    void SetCurrentSite(int index);

    // The sites as search.cfg holds them now, for the dialog; nullopt (and the message)
    // when it cannot be read.
    std::optional<TSearchSites> ReadSitesForDialog();
    // After the dialog: its rows replace the list on OK (nullopt: Cancel); the list is
    // saved either way. True when the site menu is to be rebuilt.
    bool ApplyDialogResult(const std::optional<TSearchSites>& rows);

    // The current site's address for an encoded search text; nullopt (and the message)
    // when its template has no placeholder.
    std::optional<std::string> BuildSearchUrl(std::string_view encodedText);
    // A search for the Search field's text: the part after its first colon, encoded.
    void SearchFromField(std::string_view fieldText);
    void SearchFor(std::string_view encodedText);
    void ShowSearchingNotice(std::string_view encodedText);
    // An address of a favourite or typed by the user; an empty one does nothing.
    void OpenAddress(std::string_view address);
    void ShowBrowser();

    // The completion timer's tick.
    void TimerTick();
    bool Waiting() const { return waiting_; }
    // Something else took the offline view (another item selected): the page loading
    // now no longer comes to the front by itself.
    void OfflineViewTaken();
    void NavigateFailed(std::string_view url, long status);

    // The navigation buttons; errors are swallowed.
    void Back();
    void Forward();
    void StopLoading();
    void RefreshPage();
    // An entry of the Back or Forward menu: loads behind whatever is in front.
    void HistoryMenuClick(int index);
    const TURLHistoryListClass& History() const { return history_; }
    // The Web Page menu; says so when the browser cannot do it.
    void WebPageCommand(platform::WebPageCommand command);

private:
    enum class Fallback { NoBrowser, NotLoaded, TooSlow };
    void StartWaiting();
    void StopWaitingTimer();
    void ShowFallback(Fallback reason, std::string_view url);

    std::string configFileName_;
    std::string savedFileName_;
    SiteFileEncoding encoding_ = SiteFileEncoding::Ansi;
    OnlineInfoServices services_;
    OnlineInfoHooks hooks_;
    TSearchSites sites_;
    int currentSite_ = 0;
    TURLHistoryListClass history_;
    bool waiting_ = false;
    int waitedTicks_ = 0;
    bool writingNotice_ = false;
    std::string pendingUrl_;
};

// Lets the browser control show current sites in their own document mode (it emulates an
// old engine for programs that do not ask): the feature value for this program under
// HKEY_CURRENT_USER, written once; a value the user set stays.
void EnsureBrowserEmulation(platform::Registry& registry, std::string_view exeName);

}  // namespace glmx::info
