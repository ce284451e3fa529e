// The order of a list's rows after a click on a column's header: by the column's
// natural order, ascending first, a second click descending; equal rows keep their
// order.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace glmx::ui::lists {

// How a column's texts compare. A column takes the first kind, in this order, that
// every one of its non-empty texts has; else it is Text.
enum class ColumnKind {
    Number,   // "42", "-3", "1,234,567", "12.5", "0x0000001f (31)"
    Size,     // "512 bytes", "12 KB", "12.50 MB", "1,234 KB", "2 GB"
    Date,     // "2024-05-01 13:45", "01.05.2024 13:45:10", "5/1/2024 1:45 PM"
    Version,  // "10.0.19041.1", "3.1.4"
    Text,     // without regard to (ASCII) case
};

ColumnKind KindOfColumn(const std::vector<std::vector<std::string>>& rows, size_t column);

// -1, 0 or 1. An empty text comes before every other; a text the kind does not read
// comes after the ones it does.
int CompareCells(std::string_view a, std::string_view b, ColumnKind kind);

struct ListSort {
    int column = -1;  // -1: the view's own order
    bool descending = false;
};

// The sorted column reverses; another column sorts ascending.
ListSort SortAfterClick(const ListSort& current, int column);

// The positions of the rows in the sorted order; rows equal in the column keep their
// order in either direction.
std::vector<size_t> SortedRowOrder(const std::vector<std::vector<std::string>>& rows,
                                   const ListSort& sort);

}  // namespace glmx::ui::lists
