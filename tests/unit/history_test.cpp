#include "settings/history.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/fake/fake_registry.h"
#include "settings/settings_stores.h"
#include "support/recording_combo_box.h"

namespace glmx::settings {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class HistoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        box.items = {"stale"};
        box.text = "typed by the user";
    }

    platform::FakeRegistry registry;
    SettingsStores stores{registry};
    glmx::testing::RecordingComboBox box;
};

TEST_F(HistoryTest, DefaultMasksListNewestFirstWithoutTouchingTheTextAndComeBackWhenDeleted) {
    stores.FileSearchHistory.WriteImplicitValues();
    FillComboFromHistory(stores.FileSearchHistory, box, false);
    EXPECT_THAT(box.items, ElementsAre("*.exe", "*.bat", "*.tmp"));
    EXPECT_EQ(box.selected, -1);
    EXPECT_EQ(box.text, "typed by the user");

    // A deleted default comes back and then stands first.
    registry
        .OpenKey(platform::RegRoot::CurrentUser, stores.FileSearchHistory.KeyPath(),
                 platform::RegAccess::ReadWrite)
        ->DeleteValue("*.bat");
    stores.FileSearchHistory.WriteImplicitValues();
    FillComboFromHistory(stores.FileSearchHistory, box, false);
    EXPECT_THAT(box.items, ElementsAre("*.bat", "*.exe", "*.tmp"));
}

TEST_F(HistoryTest, AnEntryAlreadyThereKeepsItsPlaceWhateverItsCaseAndTheFirstIsSelected) {
    TRegInfoClass& history = stores.QuickSearchHistory;
    AddToHistory(history, "first");
    AddToHistory(history, "second");
    AddToHistory(history, "FIRST");
    FillComboFromHistory(history, box, true);
    EXPECT_THAT(box.items, ElementsAre("second", "first"));
    EXPECT_EQ(box.selected, 0);
    EXPECT_EQ(box.text, "second");

    // Selecting the first of an empty history clears the text.
    FillComboFromHistory(stores.InternetAddressHistory, box, true);
    EXPECT_THAT(box.items, IsEmpty());
    EXPECT_EQ(box.text, "");
}

TEST_F(HistoryTest, AnEmptyEntryIsNeverListed) {
    AddToHistory(stores.FolderSearchHistory, "");
    AddToHistory(stores.FolderSearchHistory, "C:\\");
    FillComboFromHistory(stores.FolderSearchHistory, box, false);
    EXPECT_THAT(box.items, ElementsAre("C:\\"));
}

}  // namespace
}  // namespace glmx::settings
