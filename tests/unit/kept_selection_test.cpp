#include "ui/lists/kept_selection.h"

#include <gtest/gtest.h>

namespace glmx::ui::lists {
namespace {

TEST(KeptSelection, TheSameItemStaysSelectedElseTheRowAtItsPlace) {
    using Keys = std::vector<std::vector<std::string>>;
    const Keys after = {{"a.exe", "1"}, {"svc.exe", "2"}, {"b.exe", "3"}, {"svc.exe", "2"}};
    struct Case {
        std::vector<std::string> key;
        int oldRow;
        Keys rows;
        int expected;
    };
    const Case cases[] = {
        {{"b.exe", "3"}, 0, after, 2},    // moved down
        {{"svc.exe", "2"}, 0, after, 1},  // twice: the one nearer its old place
        {{"svc.exe", "2"}, 3, after, 3},
        {{"svc.exe", "2"}, 2, after, 1},  // as near as the other: the earlier
        {{"b.exe", "4"}, 1, after, 1},    // gone: the row now at its place
        {{"gone"}, 9, after, 3},          // past the end: the last
        {{"a.exe", "1"}, -1, after, -1},  // nothing was selected
        {{"a.exe", "1"}, 0, {}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key.front() + " at " + std::to_string(c.oldRow));
        EXPECT_EQ(RowToKeepSelected(c.key, c.oldRow, c.rows), c.expected);
    }
}

}  // namespace
}  // namespace glmx::ui::lists
