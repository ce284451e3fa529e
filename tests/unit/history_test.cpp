#include "settings/history.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/fake/fake_registry.h"
#include "settings/settings_stores.h"

namespace glmx::settings {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class RecordingCombo final : public ComboBoxItems {
public:
    void ClearItems() override { items.clear(); }
    void AddItem(std::string_view text) override { items.emplace_back(text); }
    int ItemCount() const override { return static_cast<int>(items.size()); }
    void SelectItem(int index) override {
        selected = index;
        text = items.at(static_cast<size_t>(index));
    }
    void SetText(std::string_view value) override { text = value; }

    std::vector<std::string> items{"stale"};
    int selected = -1;
    std::string text = "typed by the user";
};

class HistoryTest : public ::testing::Test {
protected:
    platform::FakeRegistry registry;
    SettingsStores stores{registry};
    RecordingCombo box;
};

TEST_F(HistoryTest, DefaultMasksListNewestFirstWithoutTouchingTheText) {
    stores.FileSearchHistory.WriteImplicitValues();
    FillComboFromHistory(stores.FileSearchHistory, box, false);
    EXPECT_THAT(box.items, ElementsAre("*.exe", "*.bat", "*.tmp"));
    EXPECT_EQ(box.selected, -1);
    EXPECT_EQ(box.text, "typed by the user");
}

TEST_F(HistoryTest, ADeletedDefaultComesBackAndThenStandsFirst) {
    stores.FileSearchHistory.WriteImplicitValues();
    registry.OpenKey(platform::RegRoot::CurrentUser, stores.FileSearchHistory.KeyPath(),
                     platform::RegAccess::ReadWrite)
        ->DeleteValue("*.bat");
    stores.FileSearchHistory.WriteImplicitValues();
    FillComboFromHistory(stores.FileSearchHistory, box, false);
    EXPECT_THAT(box.items, ElementsAre("*.bat", "*.exe", "*.tmp"));
}

TEST_F(HistoryTest, AnEntryAlreadyThereKeepsItsPlaceWhateverItsCase) {
    TRegInfoClass& history = stores.QuickSearchHistory;
    AddToHistory(history, "first");
    AddToHistory(history, "second");
    AddToHistory(history, "FIRST");
    FillComboFromHistory(history, box, true);
    EXPECT_THAT(box.items, ElementsAre("second", "first"));
    EXPECT_EQ(box.selected, 0);
    EXPECT_EQ(box.text, "second");
}

TEST_F(HistoryTest, SelectFirstOnAnEmptyHistoryClearsTheText) {
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

TEST_F(HistoryTest, ClearingAHistoryRemovesItsKey) {
    AddToHistory(stores.InternetAddressHistory, "example.org");
    stores.InternetAddressHistory.DeleteAll();
    FillComboFromHistory(stores.InternetAddressHistory, box, true);
    EXPECT_THAT(box.items, IsEmpty());
    EXPECT_FALSE(registry.KeyExists(platform::RegRoot::CurrentUser,
                                    stores.InternetAddressHistory.KeyPath()));
}

}  // namespace
}  // namespace glmx::settings
