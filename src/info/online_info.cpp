#include "info/online_info.h"

namespace glmx::info {

namespace {

constexpr size_t kMaxSiteFileBytes = 1 << 20;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
// A page not loaded after this many ticks of 100 ms is offered to the default browser.
constexpr int kGiveUpTicks = 300;

// URL moniker and download failures (INET_E_...); an HTTP status such as 404 still
// brings a page of its own.
bool IsLoadFailure(long status) {
    const auto code = static_cast<unsigned long>(status);
    return (code & 0xFFFF0000UL) == 0x800C0000UL;
}

}  // namespace

TOnlineInfoClass::TOnlineInfoClass(std::string configFileName, OnlineInfoServices services,
                                   OnlineInfoHooks hooks)
    : configFileName_(std::move(configFileName)), services_(services), hooks_(std::move(hooks)) {}

void TOnlineInfoClass::LoadSites() {
    const std::optional<std::string> bytes =
        services_.files.ReadBytes(configFileName_, kMaxSiteFileBytes);
    if (!bytes) return;
    if (bytes->starts_with(kUtf8Bom)) {
        encoding_ = SiteFileEncoding::Utf8WithBom;
        for (TSearchSitesType& site :
             ParseSearchSites(std::string_view(*bytes).substr(kUtf8Bom.size())))
            sites_.push_back(std::move(site));
    } else {
        encoding_ = SiteFileEncoding::Ansi;
        for (TSearchSitesType& site : ParseSearchSites(services_.files.AnsiToUtf8(*bytes)))
            sites_.push_back(std::move(site));
    }
    savedFileName_ = configFileName_;
}

bool TOnlineInfoClass::SaveSites() {
    if (savedFileName_.empty()) savedFileName_ = configFileName_;
    const std::string text = SerializeSearchSites(sites_);
    std::optional<std::string> bytes;
    // A file kept in UTF-8 stays so; a site the code page cannot hold turns the file to UTF-8.
    if (encoding_ == SiteFileEncoding::Ansi) bytes = services_.files.Utf8ToAnsi(text);
    if (!bytes) {
        encoding_ = SiteFileEncoding::Utf8WithBom;
        bytes = std::string(kUtf8Bom) + text;
    }
    std::string reason;
    if (services_.files.WriteBytes(savedFileName_, *bytes, &reason)) return true;
    services_.messages.Error("Cannot create file \"" + savedFileName_ + "\". " + reason);
    return false;
}

TSearchSitesType TOnlineInfoClass::GetCurrentSite() const {
    if (currentSite_ < 0 || static_cast<size_t>(currentSite_) >= sites_.size()) return {};
    return sites_[static_cast<size_t>(currentSite_)];
}

void TOnlineInfoClass::SetCurrentSite(int index) {
    if (index >= 0 && static_cast<size_t>(index) < sites_.size()) currentSite_ = index;
}

std::optional<TSearchSites> TOnlineInfoClass::ReadSitesForDialog() {
    std::string reason;
    const std::optional<std::string> bytes =
        services_.files.ReadBytes(configFileName_, kMaxSiteFileBytes, &reason);
    if (!bytes) {
        services_.messages.Error("Cannot open file \"" + configFileName_ + "\". " + reason);
        return std::nullopt;
    }
    if (bytes->starts_with(kUtf8Bom))
        return ParseSearchSites(std::string_view(*bytes).substr(kUtf8Bom.size()));
    return ParseSearchSites(services_.files.AnsiToUtf8(*bytes));
}

bool TOnlineInfoClass::ApplyDialogResult(const std::optional<TSearchSites>& rows) {
    if (rows) sites_ = *rows;
    return SaveSites();
}

std::optional<std::string> TOnlineInfoClass::BuildSearchUrl(std::string_view encodedText) {
    std::optional<std::string> url = FillSearchTemplate(GetCurrentSite().url, encodedText);
    if (!url) services_.messages.Error(kSearchEngineNotSet);
    return url;
}

void TOnlineInfoClass::SearchFromField(std::string_view fieldText) {
    SearchFor(EncodeSearchText(ExtractSearchTerm(fieldText)));
}

void TOnlineInfoClass::SearchFor(std::string_view encodedText) {
    if (encodedText.empty() || sites_.empty()) return;
    const std::optional<std::string> url = BuildSearchUrl(encodedText);
    if (!url) return;
    ShowSearchingNotice(encodedText);
    if (!services_.browser.Available() || !services_.browser.Navigate(*url))
        return ShowFallback(Fallback::NoBrowser, *url);
    pendingUrl_ = *url;
    StartWaiting();
}

void TOnlineInfoClass::ShowSearchingNotice(std::string_view encodedText) {
    StyledTextView& view = services_.infoView;
    writingNotice_ = true;
    view.BringToFront();
    view.Clear();
    services_.links.LinkTargets.clear();
    view.AddLine(" ", stLabel);
    view.AddLine(" ", stLabel);
    view.AddPicture(0, PictureList::Searching);
    view.AppendText("Shearching for ", stNormal);
    view.AppendText(DecodeSearchText(encodedText), stLabel);
    view.AppendText(" on ", stNormal);
    view.AppendText(GetCurrentSite().name, stLabel);
    view.AppendText(", please wait...", stNormal);
    view.Format();
    view.Repaint();
    writingNotice_ = false;
}

void TOnlineInfoClass::ShowFallback(Fallback reason, std::string_view url) {
    StopWaitingTimer();
    StyledTextView& view = services_.infoView;
    writingNotice_ = true;
    view.BringToFront();
    view.Clear();
    services_.links.LinkTargets.clear();
    view.AddLine(" ", stLabel);
    switch (reason) {
        case Fallback::NoBrowser:
            view.AddLine(
                "The page cannot be shown here: this system's web browser control is not "
                "available.",
                stTitle);
            break;
        case Fallback::NotLoaded:
            view.AddLine("The page could not be loaded here.", stTitle);
            break;
        case Fallback::TooSlow:
            view.AddLine("The page has not finished loading here.", stTitle);
            break;
    }
    view.AddLine(" ", stSpacer);
    view.AddLine("Open it in your web browser", stLink);
    services_.links.LinkTargets.emplace_back(url);
    view.AddLine(url, stNormal);
    view.Format();
    view.Repaint();
    writingNotice_ = false;
}

void TOnlineInfoClass::OpenAddress(std::string_view address) {
    if (address.empty()) return;
    if (!services_.browser.Available() || !services_.browser.Navigate(address))
        return ShowFallback(Fallback::NoBrowser, address);
    ShowBrowser();
}

void TOnlineInfoClass::ShowBrowser() { services_.browser.BringToFront(); }

void TOnlineInfoClass::StartWaiting() {
    waiting_ = true;
    waitedTicks_ = 0;
    if (hooks_.enableTimer) hooks_.enableTimer(true);
}

void TOnlineInfoClass::StopWaitingTimer() {
    if (!waiting_) return;
    waiting_ = false;
    if (hooks_.enableTimer) hooks_.enableTimer(false);
}

void TOnlineInfoClass::TimerTick() {
    if (!waiting_) return;
    const platform::BrowserReadyState state = services_.browser.ReadyState();
    if (state != platform::BrowserReadyState::Complete &&
        state != platform::BrowserReadyState::Uninitialized) {
        if (++waitedTicks_ >= kGiveUpTicks) ShowFallback(Fallback::TooSlow, pendingUrl_);
        return;
    }
    ShowBrowser();
    StopWaitingTimer();
    history_.Add(services_.browser.LocationName(), services_.browser.LocationURL());
    if (hooks_.historyChanged) hooks_.historyChanged();
}

void TOnlineInfoClass::OfflineViewTaken() {
    if (!writingNotice_) StopWaitingTimer();
}

void TOnlineInfoClass::NavigateFailed(std::string_view, long status) {
    if (waiting_ && IsLoadFailure(status)) ShowFallback(Fallback::NotLoaded, pendingUrl_);
}

void TOnlineInfoClass::Back() {
    if (services_.browser.GoBack()) ShowBrowser();
}

void TOnlineInfoClass::Forward() {
    if (services_.browser.GoForward()) ShowBrowser();
}

void TOnlineInfoClass::StopLoading() { services_.browser.Stop(); }

void TOnlineInfoClass::RefreshPage() {
    if (services_.browser.Refresh()) ShowBrowser();
}

void TOnlineInfoClass::HistoryMenuClick(int index) {
    if (!history_.MoveTo(index)) return;
    services_.browser.Navigate(history_.Items()[static_cast<size_t>(index)].url);
    if (hooks_.historyChanged) hooks_.historyChanged();
}

void TOnlineInfoClass::WebPageCommand(platform::WebPageCommand command) {
    if (!services_.browser.ExecWB(command))
        services_.messages.Error("The web page command could not be carried out.");
}

void EnsureBrowserEmulation(platform::Registry& registry, std::string_view exeName) {
    constexpr std::string_view kFeatureKey =
        "Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\"
        "FEATURE_BROWSER_EMULATION";
    if (exeName.empty()) return;
    const auto key = registry.CreateKey(platform::RegRoot::CurrentUser, kFeatureKey);
    if (!key || key->QueryValue(exeName)) return;
    // 11001: the newest engine's standards mode, whatever a page declares.
    constexpr std::uint32_t kStandardsMode = 11001;
    platform::RegData data{platform::RegType::Dword, {}};
    for (int shift = 0; shift < 32; shift += 8)
        data.bytes.push_back(static_cast<std::uint8_t>(kStandardsMode >> shift));
    key->SetValue(exeName, data);
}

}  // namespace glmx::info
