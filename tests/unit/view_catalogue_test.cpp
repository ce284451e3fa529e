#include "ui/mainwindow/view_catalogue.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "shell/places/places_menu.h"
#include "ui/mainwindow/toolbar_overflow.h"

namespace glmx::ui {
namespace {

TEST(ViewCatalogue, TwelveViewsEachWithOneButtonAndOneViewEntry) {
    std::set<int> kinds;
    for (const ViewInfo& view : AllViews()) kinds.insert(view.kind);
    EXPECT_EQ(kinds, (std::set<int>{0, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12}));

    std::set<int> buttons;
    int separators = 0;
    for (const ToolbarSlot& slot : ToolbarSlots()) {
        // The overflow menu mirrors the bar: a separator for each separator, else a caption.
        EXPECT_EQ(slot.separator, slot.overflowCaption == "-") << slot.name;
        EXPECT_FALSE(slot.overflowCaption.empty()) << slot.name;
        if (slot.separator)
            ++separators;
        else
            EXPECT_TRUE(buttons.insert(slot.view).second) << slot.name;
    }
    EXPECT_EQ(separators, 3);
    EXPECT_EQ(buttons, kinds);
    EXPECT_EQ(ToolbarSlots()[0].caption, "   All  \t");
    EXPECT_EQ(InfoOf(vkRunningApplications).viewMenuCaption, "Runnig Applications");
}

TEST(StripAmpersands, RemovesMarksAndKeepsDoubledOnes) {
    EXPECT_EQ(StripAmpersands("&Fonts"), "Fonts");
    EXPECT_EQ(StripAmpersands("Tom && Jerry"), "Tom & Jerry");
    EXPECT_EQ(StripAmpersands("&&&x&"), "&x");
    EXPECT_EQ(StripAmpersands(""), "");
}

TEST(ToolbarOverflow, IdealWidthCountsViewButtonsOnly) {
    EXPECT_EQ(IdealBandWidth({{2, 50, false}, {52, 8, true}, {60, 70, false}}), 122);
    EXPECT_EQ(IdealBandWidth({}), 0);
}

TEST(ToolbarOverflow, HidesUpToTheFirstButtonThatDoesNotFitAndAllSeparators) {
    const std::vector<ToolbarButtonGeometry> buttons = {{0, 50, false}, {50, 50, false},
                                                        {100, 8, true}, {108, 50, false},
                                                        {158, 8, true}, {166, 50, false}};
    EXPECT_THAT(OverflowItemsShown(buttons, 120),
                ::testing::ElementsAre(false, false, false, false, false, true));
    EXPECT_THAT(OverflowItemsShown(buttons, 99),
                ::testing::ElementsAre(false, false, false, true, false, true));
    // Everything fits: every view button would show (the chevron is not there then).
    EXPECT_THAT(OverflowItemsShown(buttons, 500),
                ::testing::ElementsAre(true, true, false, true, false, true));
}

TEST(PlacesMenu, EntriesHaveIdentifierOrPathRootsEachOnce) {
    const auto entries = shell::places::PlacesMenuEntries();
    ASSERT_EQ(entries.size(), 19u);

    struct Paths final : shell::places::SpecialFolderPaths {
        std::string PathOf(std::string_view property) const override {
            return property == "System" ? "C:\\WINDOWS\\system32\\" : "";
        }
    } paths;
    EXPECT_EQ(ResolveRoot(entries[6].root, paths), "rfFonts");
    EXPECT_EQ(ResolveRoot(entries[17].root, paths), "C:\\WINDOWS\\system32\\");
    EXPECT_EQ(ResolveRoot(entries[0].root, paths), "");  // not defined: the view does nothing

    // Two entries showing the same root would be one place offered twice.
    std::set<std::pair<shell::places::PlaceRoot::Kind, std::string_view>> roots;
    for (const auto& entry : entries)
        EXPECT_TRUE(roots.insert({entry.root.kind, entry.root.name}).second) << entry.caption;
}

}  // namespace
}  // namespace glmx::ui
