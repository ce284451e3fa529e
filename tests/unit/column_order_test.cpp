#include "ui/lists/column_order.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace glmx::ui::lists {
namespace {

std::vector<std::vector<std::string>> Column(const std::vector<std::string>& texts) {
    std::vector<std::vector<std::string>> rows;
    for (const std::string& text : texts) rows.push_back({text});
    return rows;
}

std::vector<std::string> Sorted(const std::vector<std::string>& texts, bool descending = false) {
    const auto rows = Column(texts);
    std::vector<std::string> sorted;
    for (size_t row : SortedRowOrder(rows, {0, descending})) sorted.push_back(texts[row]);
    return sorted;
}

TEST(ColumnOrder, EachColumnKindSortsByItsValueNotItsText) {
    struct Case {
        ColumnKind kind;
        std::vector<std::string> texts, ascending;
    };
    const Case cases[] = {
        {ColumnKind::Number,
         {"10", "-3", "1,234", "", "9.5", "+2"},
         {"", "-3", "+2", "9.5", "10", "1,234"}},
        {ColumnKind::Number,
         {"0x00000010 (16)", "0x0000000a (10)", "0x2"},
         {"0x2", "0x0000000a (10)", "0x00000010 (16)"}},
        {ColumnKind::Size,
         {"12.50 MB", "900 KB", "1 GB", "3 bytes", "1,024 KB"},
         {"3 bytes", "900 KB", "1,024 KB", "12.50 MB", "1 GB"}},
        {ColumnKind::Date,
         {"2024-05-01 13:45", "2023-12-31", "2024-05-01 09:05:30", "2024-05-01 13:45:01"},
         {"2023-12-31", "2024-05-01 09:05:30", "2024-05-01 13:45", "2024-05-01 13:45:01"}},
        // Dots put the day first, slashes the month; 12 PM is noon, 12 AM midnight.
        {ColumnKind::Date,
         {"04.01.2024", "1/3/2024", "1/2/2024 12:00 AM", "1/2/2024 12:00 PM", "1/2/2024 1:00 AM"},
         {"1/2/2024 12:00 AM", "1/2/2024 1:00 AM", "1/2/2024 12:00 PM", "1/3/2024", "04.01.2024"}},
        {ColumnKind::Version,
         {"10.0.19041.1", "6.1.7601", "6.1", "10.0.2"},
         {"6.1", "6.1.7601", "10.0.2", "10.0.19041.1"}},
        {ColumnKind::Text,
         {"beta", "Alpha", "alpha", "10 apples", "Beta", "2 pears"},
         {"10 apples", "2 pears", "Alpha", "alpha", "beta", "Beta"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.texts.front());
        EXPECT_EQ(KindOfColumn(Column(c.texts), 0), c.kind);
        EXPECT_EQ(Sorted(c.texts), c.ascending);
    }
}

TEST(ColumnOrder, OneTextOfAnotherKindMakesTheColumnText) {
    EXPECT_EQ(KindOfColumn(Column({"12", "12 KB"}), 0), ColumnKind::Text);
    EXPECT_EQ(KindOfColumn(Column({"1.2.3", "1.2.x"}), 0), ColumnKind::Text);
    EXPECT_EQ(KindOfColumn(Column({"2024-13-01"}), 0), ColumnKind::Text);  // no such month
    EXPECT_EQ(KindOfColumn(Column({"1,23"}), 0), ColumnKind::Text);
    EXPECT_EQ(KindOfColumn(Column({"6.1.7601", "5.2.3790"}), 0), ColumnKind::Version);
    EXPECT_EQ(KindOfColumn(Column({"", ""}), 0), ColumnKind::Text);
    EXPECT_EQ(KindOfColumn({{"only a caption"}}, 3), ColumnKind::Text);  // short rows
    // Texts a kind cannot read still compare: after the ones it reads, by text.
    EXPECT_LT(CompareCells("7", "seven", ColumnKind::Number), 0);
    EXPECT_GT(CompareCells("b", "A", ColumnKind::Number), 0);
}

TEST(ColumnOrder, DescendingReversesTheValuesButKeepsEqualRowsInTheirOrder) {
    const std::vector<std::vector<std::string>> rows = {
        {"b", "1"}, {"A", "2"}, {"a", "3"}, {"B", "4"}, {"c", "5"}};
    EXPECT_EQ(SortedRowOrder(rows, {0, false}), (std::vector<size_t>{1, 2, 0, 3, 4}));
    EXPECT_EQ(SortedRowOrder(rows, {0, true}), (std::vector<size_t>{4, 0, 3, 1, 2}));
    EXPECT_EQ(SortedRowOrder(rows, {1, true}), (std::vector<size_t>{4, 3, 2, 1, 0}));
    EXPECT_EQ(SortedRowOrder(rows, {}), (std::vector<size_t>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(SortedRowOrder({}, {0, false}).empty());
}

TEST(ColumnOrder, AClickSortsAscendingThenDescendingAndAnotherColumnStartsAscending) {
    const ListSort first = SortAfterClick({}, 2), again = SortAfterClick(first, 2),
                   other = SortAfterClick(again, 0);
    EXPECT_EQ(std::pair(first.column, first.descending), std::pair(2, false));
    EXPECT_EQ(std::pair(again.column, again.descending), std::pair(2, true));
    EXPECT_EQ(std::pair(other.column, other.descending), std::pair(0, false));
}

}  // namespace
}  // namespace glmx::ui::lists
