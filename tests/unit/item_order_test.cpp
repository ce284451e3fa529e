#include "shell/places/item_order.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace glmx::shell::places {
namespace {

// Items that differ in every column, so that each sort gives its own order.
std::vector<OrderedItem> SampleItems() {
    return {
        {false, "beta.txt", 2048, 30, {"beta.txt", "2 KB", "Text Document", "c"}},
        {true, "Zeta", 0, 10, {"Zeta", "", "File folder", "a"}},
        {false, "Alpha.doc", 900000, 20, {"Alpha.doc", "879 KB", "document", "b"}},
        {true, "alpha", 0, 40, {"alpha", "", "File folder", "d"}},
        {false, "gamma", 5, 50, {"gamma", "1 KB", "File"}},  // no text in the last column
    };
}

std::vector<std::string> NamesInOrder(const ItemSort& sort) {
    const std::vector<OrderedItem> items = SampleItems();
    std::vector<std::string> names;
    for (std::size_t position : SortedPositions(items, sort)) names.push_back(items[position].name);
    return names;
}

TEST(ItemOrder, FoldersComeFirstAndEachColumnSortsByItsValue) {
    struct Case {
        ItemSort sort;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {{0, ColumnOrder::Name, false}, {"alpha", "Zeta", "Alpha.doc", "beta.txt", "gamma"}},
        {{0, ColumnOrder::Name, true}, {"Zeta", "alpha", "gamma", "beta.txt", "Alpha.doc"}},
        // By number, not by the text "879 KB" < "2 KB".
        {{1, ColumnOrder::Size, false}, {"alpha", "Zeta", "gamma", "beta.txt", "Alpha.doc"}},
        {{1, ColumnOrder::Size, true}, {"alpha", "Zeta", "Alpha.doc", "beta.txt", "gamma"}},
        {{2, ColumnOrder::Text, false}, {"alpha", "Zeta", "Alpha.doc", "gamma", "beta.txt"}},
        {{3, ColumnOrder::Time, true}, {"alpha", "Zeta", "gamma", "beta.txt", "Alpha.doc"}},
        // A missing text sorts as the empty one.
        {{3, ColumnOrder::Text, false}, {"Zeta", "alpha", "gamma", "Alpha.doc", "beta.txt"}},
    };
    for (const Case& test : cases)
        EXPECT_EQ(NamesInOrder(test.sort), test.names)
            << "column " << test.sort.column << (test.sort.descending ? " descending" : "");
}

TEST(ItemOrder, EqualValuesFollowTheNameAndCaseDecidesLast) {
    const ItemSort bySize{1, ColumnOrder::Size, true};
    const OrderedItem small{false, "b", 1, 0, {}}, same{false, "a", 1, 0, {}};
    EXPECT_TRUE(ComesBefore(same, small, bySize));  // the name ascends even when descending
    EXPECT_FALSE(ComesBefore(small, same, bySize));
    const OrderedItem upper{false, "Readme", 0, 0, {}}, lower{false, "readme", 0, 0, {}};
    EXPECT_NE(ComesBefore(upper, lower, {}), ComesBefore(lower, upper, {}));
    EXPECT_FALSE(ComesBefore(upper, upper, {}));
}

TEST(ItemOrder, AClickSortsByTheColumnAndASecondOneReverses) {
    const ItemSort first = SortAfterClick({}, 2, ColumnOrder::Text);
    EXPECT_EQ(first.column, 2);
    EXPECT_FALSE(first.descending);
    const ItemSort second = SortAfterClick(first, 2, ColumnOrder::Text);
    EXPECT_TRUE(second.descending);
    EXPECT_FALSE(SortAfterClick(second, 2, ColumnOrder::Text).descending);
    EXPECT_FALSE(SortAfterClick(second, 0, ColumnOrder::Name).descending);
}

}  // namespace
}  // namespace glmx::shell::places
