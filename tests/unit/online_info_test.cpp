// The search sites, the search and its wait, the page history, the favourites walk.
#include "info/online_info.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "info/favourites.h"
#include "platform/fake/fake_directory_listing.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_text_files.h"
#include "platform/fake/fake_user_messages.h"
#include "platform/fake/fake_web_browser.h"
#include "support/recording_styled_view.h"

namespace glmx::info {
namespace {

using platform::BrowserReadyState;
using ::testing::ElementsAre;

constexpr char kConfig[] = "C:\\Tools\\search.cfg";

TEST(SearchSites, LinesSplitAtTheFirstEqualsSign) {
    EXPECT_THAT(ParseSearchSites("a=b=c\r\nno equals\r\n\r\nlast=x"),
                ElementsAre(TSearchSitesType{"a", "b=c"}, TSearchSitesType{"", "no equals"},
                            TSearchSitesType{"", ""}, TSearchSitesType{"last", "x"}));
    EXPECT_THAT(ParseSearchSites("lf=1\ncr=2\r"),
                ElementsAre(TSearchSitesType{"lf", "1"}, TSearchSitesType{"cr", "2"}));
    EXPECT_EQ(SerializeSearchSites({{"a", "b=c"}, {"", ""}}), "a=b=c\r\n=\r\n");
}

TEST(SearchSites, TermsAreTakenAfterTheFirstColonAndEncoded) {
    EXPECT_EQ(EncodeSearchText(ExtractSearchTerm("by Name: my file.txt")), "+my+file.txt");
    EXPECT_EQ(EncodeSearchText(ExtractSearchTerm("hello world")), "hello+world");
    EXPECT_EQ(ExtractSearchTerm("by Path: C:\\a:b"), " C:\\a:b");
    EXPECT_EQ(EncodeSearchText("a&b#c%d+e é"), "a%26b%23c%25d%2Be+%C3%A9");
    EXPECT_EQ(DecodeSearchText("a%26b%23c%25d%2Be+%C3%A9"), "a&b#c%d+e é");
    EXPECT_EQ(DecodeSearchText("100%+%4"), "100% %4");
    EXPECT_EQ(
        FillSearchTemplate("x?q=THISISREPLACEDWITHACTUALTEXT&r=THISISREPLACEDWITHACTUALTEXT", "t"),
        "x?q=t&r=THISISREPLACEDWITHACTUALTEXT");
    EXPECT_EQ(FillSearchTemplate("x?q=thisisreplacedwithactualtext", "t"), std::nullopt);
}

class OnlineInfoTest : public ::testing::Test {
protected:
    OnlineInfoTest() {
        files.Put(kConfig,
                  "Web=https://w.example/?q=THISISREPLACEDWITHACTUALTEXT\r\n"
                  "Files=https://f.example/THISISREPLACEDWITHACTUALTEXT\r\n"
                  "Broken=https://b.example/\r\n");
        online.LoadSites();
    }
    void CompleteLoading(std::string title, std::string url) {
        browser.readyState = BrowserReadyState::Complete;
        browser.locationName = std::move(title);
        browser.locationUrl = std::move(url);
        online.TimerTick();
    }

    platform::FakeWebBrowser browser;
    RecordingView view;
    TLinkedInformationBuffer links;
    platform::FakeTextFiles files;
    platform::FakeUserMessages messages;
    std::vector<bool> timer;
    int historyBuilds = 0;
    TOnlineInfoClass online{
        kConfig,
        {browser, view, links, files, messages},
        {[this](bool on) { timer.push_back(on); }, [this] { ++historyBuilds; }}};
};

TEST_F(OnlineInfoTest, ASearchShowsTheNoticeNavigatesAndWaitsForThePage) {
    online.SetCurrentSite(1);
    online.SearchFromField("by Name: my file.txt");
    EXPECT_THAT(browser.navigated, ElementsAre("https://f.example/+my+file.txt"));
    EXPECT_THAT(view.log, ::testing::Contains("picture 0 searching & [Shearching for ] & label [ "
                                              "my file.txt] & [ on ] & label [Files] & [, please "
                                              "wait...]"));
    EXPECT_THAT(timer, ElementsAre(true));

    browser.readyState = BrowserReadyState::Loading;
    online.TimerTick();
    EXPECT_EQ(browser.broughtToFront, 0);
    CompleteLoading("Result", "https://f.example/+my+file.txt");
    EXPECT_EQ(browser.broughtToFront, 1);
    EXPECT_THAT(timer, ElementsAre(true, false));
    ASSERT_EQ(online.History().Items().size(), 1u);
    EXPECT_EQ(online.History().Items()[0].title, "Result");
    EXPECT_EQ(historyBuilds, 1);
}

TEST_F(OnlineInfoTest, SearchesThatCannotRunDoNothingOrSayWhy) {
    online.SearchFromField("by Name:");
    EXPECT_TRUE(browser.navigated.empty());
    online.SetCurrentSite(2);
    online.SearchFromField("x");
    EXPECT_THAT(messages.shown, ElementsAre(std::string(kSearchEngineNotSet)));
    EXPECT_TRUE(browser.navigated.empty());
    online.SetCurrentSite(7);  // ignored
    EXPECT_EQ(online.CurrentSite(), 2);
}

TEST_F(OnlineInfoTest, WithoutABrowserOrAPageTheAddressIsOfferedToTheDefaultBrowser) {
    browser.available = false;
    online.SearchFromField("x y");
    EXPECT_TRUE(timer.empty());
    EXPECT_THAT(links.LinkTargets, ElementsAre("https://w.example/?q=x+y"));
    EXPECT_THAT(view.log, ::testing::Contains("link [Open it in your web browser]"));

    browser.available = true;
    online.SearchFromField("z");
    online.NavigateFailed("https://w.example/?q=z", 404);  // a page of its own still comes
    EXPECT_TRUE(online.Waiting());
    online.NavigateFailed("https://w.example/?q=z", static_cast<long>(0x800C0010UL));
    EXPECT_FALSE(online.Waiting());
    EXPECT_THAT(links.LinkTargets, ElementsAre("https://w.example/?q=z"));
    CompleteLoading("late", "https://w.example/?q=z");
    EXPECT_EQ(browser.broughtToFront, 0);
}

TEST_F(OnlineInfoTest, SelectingAnotherItemStopsTheWait) {
    online.SearchFromField("z");
    online.OfflineViewTaken();
    CompleteLoading("late", "u");
    EXPECT_EQ(browser.broughtToFront, 0);
    EXPECT_TRUE(online.History().Items().empty());
}

TEST_F(OnlineInfoTest, HistoryDropsTheForwardPartWhenAPageIsAdded) {
    for (const char* page : {"one", "two", "three"}) {
        online.SearchFromField(page);
        CompleteLoading(page, page);
    }
    online.HistoryMenuClick(online.History().BackEntries().back().first);  // the oldest
    EXPECT_EQ(browser.navigated.back(), "one");
    online.SearchFromField("four");
    CompleteLoading("four", "four");
    const auto& items = online.History().Items();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].title, "one");
    EXPECT_EQ(items[1].title, "four");
    ASSERT_EQ(online.History().BackEntries().size(), 1u);
    EXPECT_EQ(online.History().BackEntries()[0].second->title, "one");
    EXPECT_TRUE(online.History().ForwardEntries().empty());
}

TEST_F(OnlineInfoTest, NavigationButtonsShowTheBrowserOnlyWhenTheyWork) {
    online.Back();
    online.Forward();
    EXPECT_EQ(browser.broughtToFront, 0);
    browser.canGoBack = true;
    online.Back();
    online.RefreshPage();
    EXPECT_EQ(browser.broughtToFront, 2);
    browser.canExec = false;
    online.WebPageCommand(platform::WebPageCommand::Print);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(OnlineInfoTest, TheSiteFileKeepsItsEncodingAndLosesNoCharacter) {
    ASSERT_EQ(online.SiteCount(), 3u);
    ASSERT_TRUE(online.ApplyDialogResult(TSearchSites{{"Caf\xC3\xA9", "u"}}));
    EXPECT_EQ(*files.Get(kConfig), "Caf\xE9=u\r\n");  // ANSI
    ASSERT_TRUE(online.ApplyDialogResult(TSearchSites{{"\xE6\x97\xA5", "u"}}));
    EXPECT_EQ(*files.Get(kConfig), "\xEF\xBB\xBF\xE6\x97\xA5=u\r\n");  // beyond the code page

    TOnlineInfoClass reread(kConfig, {browser, view, links, files, messages}, {});
    reread.LoadSites();
    EXPECT_THAT(reread.Sites(), ElementsAre(TSearchSitesType{"\xE6\x97\xA5", "u"}));
    ASSERT_TRUE(reread.ApplyDialogResult(std::nullopt));
    EXPECT_EQ(*files.Get(kConfig), "\xEF\xBB\xBF\xE6\x97\xA5=u\r\n");  // stays UTF-8

    files.RefuseWrites(kConfig);
    EXPECT_FALSE(reread.ApplyDialogResult(std::nullopt));
    EXPECT_THAT(messages.shown.back(), ::testing::StartsWith("Cannot create file \""));
}

TEST_F(OnlineInfoTest, TheDialogReadsTheFileAndAMissingOneIsReported) {
    EXPECT_EQ(online.ReadSitesForDialog()->size(), 3u);
    TOnlineInfoClass missing("C:\\None\\search.cfg", {browser, view, links, files, messages}, {});
    missing.LoadSites();
    EXPECT_EQ(missing.SiteCount(), 0u);
    EXPECT_EQ(missing.ReadSitesForDialog(), std::nullopt);
    EXPECT_THAT(messages.shown, ElementsAre("Cannot open file \"C:\\None\\search.cfg\". The system "
                                            "cannot find the file specified."));
}

TEST(BrowserEmulation, IsWrittenOnceAndAUsersValueStays) {
    platform::FakeRegistry registry;
    auto key = registry.CreateKey(
        platform::RegRoot::CurrentUser,
        "Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION");
    EnsureBrowserEmulation(registry, "glmx.exe");
    ASSERT_TRUE(key->QueryValue("glmx.exe"));
    EXPECT_EQ(key->QueryValue("glmx.exe")->bytes, (std::vector<std::uint8_t>{0xF9, 0x2A, 0, 0}));
    key->SetValue("glmx.exe", platform::MakeStringData("x"));
    EnsureBrowserEmulation(registry, "glmx.exe");
    EXPECT_EQ(key->QueryValue("glmx.exe"), platform::MakeStringData("x"));
}

TEST(Favourites, WalkKeepsFullPathsAndSkipsOnlyHiddenAndSystemFolders) {
    platform::FakeDirectoryListing listing;
    listing.AddFile("C:\\Fav\\my.url.url");
    listing.AddFile("C:\\Fav\\Site.URL");
    listing.AddFile("C:\\Fav\\notes.txt");
    listing.AddFile("C:\\Fav\\Tools\\Search.url");  // Tools: read-only or archive is fine
    listing.AddFile("C:\\Fav\\Secret\\hidden.url");
    listing.MarkHiddenOrSystem("C:\\Fav\\Secret");
    const auto entries = CollectFavourites(listing, "C:\\Fav\\");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].caption + " " + entries[0].path, "my C:\\Fav\\my.url.url");
    EXPECT_EQ(entries[1].caption + " " + entries[1].path, "Site C:\\Fav\\Site.URL");
    ASSERT_TRUE(entries[2].isFolder && entries[2].children.size() == 1u);
    EXPECT_EQ(entries[2].children[0].path, "C:\\Fav\\Tools\\Search.url");
}

TEST(Favourites, ShortcutAddressIsTheUrlKeyOfItsSection) {
    platform::FakeTextFiles files;
    EXPECT_EQ(InternetShortcutUrl("[Other]\r\nURL=no\r\n[InternetShortcut]\r\nIDList=\r\n"
                                  "URL = https://a.example/?x=1 \r\n",
                                  files),
              "https://a.example/?x=1");
    EXPECT_EQ(InternetShortcutUrl("[InternetShortcut]\r\nIconIndex=0\r\n", files), "");
    std::string utf16 = "\xFF\xFE";
    for (const char16_t unit : std::u16string_view(u"[InternetShortcut]\nURL=h\u00E9")) {
        utf16 += static_cast<char>(unit & 0xFF);
        utf16 += static_cast<char>(unit >> 8);
    }
    EXPECT_EQ(InternetShortcutUrl(utf16, files), "h\xC3\xA9");
}

}  // namespace
}  // namespace glmx::info
