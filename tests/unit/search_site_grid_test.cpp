#include "info/search_site_grid.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace glmx::info {
namespace {

using ::testing::ElementsAre;

const TSearchSites kThree = {{"A", "a?q=x"}, {"B", "b?q=x"}, {"C", "c?q=x"}};

std::vector<std::string> Names(const SearchSiteGrid& grid) {
    std::vector<std::string> names;
    for (const auto& row : grid.Rows()) names.push_back(row.name);
    return names;
}

TEST(SearchSiteGridTest, WithoutSitesItShowsOneEmptyRowThatDeleteKeepsAndAddTakes) {
    SearchSiteGrid grid({});
    EXPECT_THAT(grid.Rows(), ElementsAre(TSearchSitesType{}));
    EXPECT_FALSE(grid.Delete());
    EXPECT_EQ(grid.Add(), 0);
    EXPECT_EQ(grid.RowCount(), 1);
    // Confirmed as it is, the empty row is one site with neither name nor template.
    EXPECT_THAT(grid.ResultSites(), ElementsAre(TSearchSitesType{}));

    // Deleting every site leaves the empty row again.
    SearchSiteGrid emptied(TSearchSites{{"A", "a"}});
    EXPECT_TRUE(emptied.Delete());
    EXPECT_TRUE(emptied.HoldsNoSite());
}

TEST(SearchSiteGridTest, AddAppendsAnEmptyCurrentRowAndDeleteKeepsTheCursorPosition) {
    SearchSiteGrid grid(kThree);
    EXPECT_EQ(grid.Add(), 3);
    EXPECT_EQ(grid.Current(), 3);
    EXPECT_EQ(grid.Rows()[3], TSearchSitesType{});

    grid.SetCurrent(1);
    EXPECT_TRUE(grid.Delete());
    EXPECT_THAT(Names(grid), ElementsAre("A", "C", ""));
    EXPECT_EQ(grid.Current(), 1);
    grid.SetCurrent(2);
    EXPECT_TRUE(grid.Delete());  // the last row: the cursor moves up with the end
    EXPECT_EQ(grid.Current(), 1);
    grid.SetCurrent(7);  // out of range: unchanged
    EXPECT_EQ(grid.Current(), 1);
}

TEST(SearchSiteGridTest, MovesExchangeWithTheNeighbourOrDragAndStopAtTheEnds) {
    enum Action { Up, Down, Drag };
    const struct {
        Action action;
        int current, dragTo;
        bool moved;
        std::vector<std::string> names;
        int currentAfter;
    } cases[] = {
        {Up, 2, 0, true, {"A", "C", "B"}, 2},  // the cursor keeps its position
        {Up, 0, 0, false, {"A", "B", "C"}, 0},
        {Down, 0, 0, true, {"B", "A", "C"}, 0},
        {Down, 2, 0, false, {"A", "B", "C"}, 2},
        {Drag, 0, 2, true, {"B", "C", "A"}, 2},  // the dragged row becomes current
        {Drag, 2, 0, true, {"C", "A", "B"}, 0},
        {Drag, 1, 3, false, {"A", "B", "C"}, 1},
        {Drag, 1, -1, false, {"A", "B", "C"}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.action << " from " << c.current);
        SearchSiteGrid grid(kThree);
        grid.SetCurrent(c.current);
        const bool moved = c.action == Up     ? grid.MoveUp()
                           : c.action == Down ? grid.MoveDown()
                                              : grid.Move(c.current, c.dragTo);
        EXPECT_EQ(moved, c.moved);
        EXPECT_EQ(Names(grid), c.names);
        EXPECT_EQ(grid.Current(), c.currentAfter);
    }
    // Rows move whole: the template goes with its name.
    SearchSiteGrid grid(kThree);
    grid.Move(0, 1);
    EXPECT_EQ(grid.Rows()[1], kThree[0]);
}

TEST(SearchSiteGridTest, ANameAnotherRowHasIsRefusedWithTheMessageAndChangesNothing) {
    SearchSiteGrid grid(kThree);
    std::string refusal;
    EXPECT_FALSE(grid.SetName(2, "b", &refusal));
    EXPECT_EQ(refusal, "A key with the name of \"b\" already exists");
    EXPECT_EQ(grid.Rows()[2].name, "C");

    EXPECT_TRUE(grid.SetName(1, "b", &refusal));  // its own name in another case
    EXPECT_TRUE(grid.SetName(2, "D"));
    grid.SetUrl(2, "d?q=x");
    EXPECT_EQ(grid.Rows()[2], (TSearchSitesType{"D", "d?q=x"}));
    // New rows all start without a name.
    grid.Add();
    grid.Add();
    EXPECT_TRUE(grid.SetName(3, ""));
}

TEST(SearchSiteGridTest, RowsOfOneNameAllTakeTheFirstSuchRowsTemplate) {
    SearchSiteGrid grid(TSearchSites{{"Web", "first"}, {"Other", "other"}, {"WEB", "second"}});
    EXPECT_THAT(grid.ResultSites(),
                ElementsAre(TSearchSitesType{"Web", "first"}, TSearchSitesType{"Other", "other"},
                            TSearchSitesType{"WEB", "first"}));
}

}  // namespace
}  // namespace glmx::info
