// The Search button's rules: the look-in text checked before anything is searched,
// the histories written only for a search that starts, folders searched in order.
#include "filesearch/search_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/fake/fake_directory_listing.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_shell.h"
#include "settings/settings_stores.h"

namespace glmx::filesearch {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class SearchFilesTest : public ::testing::Test, public SearchObserver, public SearchPage {
protected:
    void SetUp() override {
        for (const char* file :
             {"C:\\A\\one.txt", "C:\\A\\Deep\\two.txt", "C:\\B\\three.txt", "C:\\B\\other.doc"}) {
            listing.AddFile(file);
            files.AddFile(file);
        }
    }
    bool Search(std::string_view lookIn, std::string_view mask) {
        return SearchFiles(lookIn, mask, files,
                           {stores.FileSearchHistory, stores.FolderSearchHistory}, listing, *this,
                           *this);
    }
    std::vector<std::string> History(settings::TRegInfoClass& history) {
        history.LoadValues();
        std::vector<std::string> names;
        for (const auto& value : history.Values()) names.push_back(value.Name);
        return names;
    }

    void LookingIn(const std::string&) override {}
    void Found(const std::string& path) override { log.push_back(path); }
    bool StopRequested() override { return false; }
    void ClearResults() override { log.push_back("cleared"); }
    void SetStatusText(std::string_view text) override {
        log.push_back("status " + std::string(text));
    }
    void ShowInvalidFolder(std::string_view message) override {
        log.push_back("error " + std::string(message));
    }

    platform::FakeDirectoryListing listing;
    platform::FakeFileSystem files;
    platform::FakeRegistry registry;
    settings::SettingsStores stores{registry};
    std::vector<std::string> log;
};

TEST_F(SearchFilesTest, FoldersAreSearchedInOrderAndRememberedOnce) {
    for (int round = 0; round < 2; ++round) {
        log.clear();
        EXPECT_TRUE(Search("C:\\B,C:\\A", "*.TXT"));
        EXPECT_THAT(log, ElementsAre("cleared", "C:\\B\\three.txt", "C:\\A\\one.txt",
                                     "C:\\A\\Deep\\two.txt", "status Done"));
    }
    EXPECT_THAT(History(stores.FolderSearchHistory), ElementsAre("C:\\B,C:\\A"));
    EXPECT_THAT(History(stores.FileSearchHistory), ElementsAre("*.TXT"));
}

TEST_F(SearchFilesTest, ABadFolderIsNamedAndNothingIsSearchedOrRemembered) {
    const struct {
        const char* lookIn;
        const char* error;
    } cases[] = {
        {"C:\\A;", "error '' is not a valid folder"},
        {"C:\\A, C:\\B", "error ' C:\\B' is not a valid folder"},
        {"C:\\A;C:\\A\\one.txt", "error 'C:\\A\\one.txt' is not a valid folder"},
    };
    for (const auto& c : cases) {
        log.clear();
        EXPECT_FALSE(Search(c.lookIn, "*"));
        EXPECT_THAT(log, ElementsAre("cleared", c.error)) << c.lookIn;
    }
    EXPECT_THAT(listing.Opened(), IsEmpty());
    EXPECT_EQ(registry.WriteCount(), 0);
}

TEST_F(SearchFilesTest, AnEmptyLookInIsDoneAndAnEmptyMaskFindsNothingAndIsNotRemembered) {
    EXPECT_FALSE(Search("", "*"));
    EXPECT_THAT(log, ElementsAre("cleared", "status Done"));
    log.clear();
    EXPECT_TRUE(Search("C:\\A", ""));
    EXPECT_THAT(log, ElementsAre("cleared", "status Done"));
    EXPECT_THAT(History(stores.FileSearchHistory), IsEmpty());
    EXPECT_THAT(History(stores.FolderSearchHistory), ElementsAre("C:\\A"));
}

}  // namespace
}  // namespace glmx::filesearch
