#include "shell/places/item_order.h"

#include <algorithm>
#include <numeric>

namespace glmx::shell::places {

namespace {

char FoldedAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// -1, 0 or 1, by ASCII letters folded to upper case (as platform::AsciiUpper does);
// without copies, since a large folder sorts with many comparisons.
int CompareWithoutCase(const std::string& a, const std::string& b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t index = 0; index < common; ++index) {
        const auto x = static_cast<unsigned char>(FoldedAscii(a[index]));
        const auto y = static_cast<unsigned char>(FoldedAscii(b[index]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int CompareNumbers(std::uint64_t a, std::uint64_t b) { return a < b ? -1 : (a > b ? 1 : 0); }

const std::string& TextOf(const OrderedItem& item, int column) {
    static const std::string kNone;
    return column >= 0 && static_cast<std::size_t>(column) < item.texts.size()
               ? item.texts[static_cast<std::size_t>(column)]
               : kNone;
}

int CompareInColumn(const OrderedItem& a, const OrderedItem& b, const ItemSort& sort) {
    switch (sort.order) {
        case ColumnOrder::Name:
            return CompareWithoutCase(a.name, b.name);
        case ColumnOrder::Size:
            return CompareNumbers(a.size, b.size);
        case ColumnOrder::Time:
            return CompareNumbers(a.modified, b.modified);
        case ColumnOrder::Text:
            return CompareWithoutCase(TextOf(a, sort.column), TextOf(b, sort.column));
    }
    return 0;
}

}  // namespace

ColumnOrder FileSystemColumnOrder(int column) {
    switch (column) {
        case 1:
            return ColumnOrder::Size;
        case 2:
            return ColumnOrder::Text;
        case 3:
            return ColumnOrder::Time;
        default:
            return ColumnOrder::Name;
    }
}

ItemSort SortAfterClick(const ItemSort& current, int column, ColumnOrder order) {
    if (column == current.column) return {column, order, !current.descending};
    return {column, order, false};
}

bool ComesBefore(const OrderedItem& a, const OrderedItem& b, const ItemSort& sort) {
    if (a.folder != b.folder) return a.folder;
    int difference = CompareInColumn(a, b, sort);
    if (sort.descending) difference = -difference;
    if (difference == 0) difference = CompareWithoutCase(a.name, b.name);
    if (difference == 0) difference = a.name.compare(b.name);
    return difference < 0;
}

std::vector<std::size_t> SortedPositions(const std::vector<OrderedItem>& items,
                                         const ItemSort& sort) {
    std::vector<std::size_t> positions(items.size());
    std::iota(positions.begin(), positions.end(), std::size_t{0});
    std::stable_sort(positions.begin(), positions.end(), [&](std::size_t a, std::size_t b) {
        return ComesBefore(items[a], items[b], sort);
    });
    return positions;
}

}  // namespace glmx::shell::places
