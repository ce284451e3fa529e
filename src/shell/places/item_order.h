// The order of a folder's items in the item list: folders first, then by the
// chosen column, ties by name; a click on a column's header sorts by it, a second
// click reverses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace glmx::shell::places {

// How the values of a column compare.
enum class ColumnOrder {
    Name,  // the item's name, without regard to (ASCII) case
    Size,  // the size in bytes
    Time,  // the modification time
    Text,  // the column's text, without regard to case
};

// What the order knows of an item.
struct OrderedItem {
    bool folder = false;
    std::string name;
    std::uint64_t size = 0;
    std::uint64_t modified = 0;      // FILETIME units
    std::vector<std::string> texts;  // per column; a missing text counts as ""
};

struct ItemSort {
    int column = 0;
    ColumnOrder order = ColumnOrder::Name;
    bool descending = false;
};

// The columns of a file-system folder: Name, Size, Type, Modified.
ColumnOrder FileSystemColumnOrder(int column);

// After a click on a column's header: the sorted column reverses, another one sorts
// ascending.
ItemSort SortAfterClick(const ItemSort& current, int column, ColumnOrder order);

// A strict weak order. Folders stay first in either direction; items equal in the
// column follow their names (ascending), so the order never depends on the shell's.
bool ComesBefore(const OrderedItem& a, const OrderedItem& b, const ItemSort& sort);

// The positions of the items in sorted order.
std::vector<std::size_t> SortedPositions(const std::vector<OrderedItem>& items,
                                         const ItemSort& sort);

}  // namespace glmx::shell::places
