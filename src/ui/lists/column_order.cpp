#include "ui/lists/column_order.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>
#include <optional>

namespace glmx::ui::lists {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char Folded(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool StartsWithFolded(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (Folded(text[i]) != Folded(prefix[i])) return false;
    return true;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// Digits with optional groups of three after commas, then an optional fraction; reads
// from the front of `text` and leaves the rest in it.
std::optional<long double> ReadUnsigned(std::string_view& text) {
    size_t at = 0;
    long double value = 0;
    int leading = 0;
    while (at < text.size() && IsDigit(text[at]))
        value = value * 10 + (text[at++] - '0'), ++leading;
    if (leading == 0) return std::nullopt;
    while (at + 3 < text.size() && text[at] == ',' && IsDigit(text[at + 1]) &&
           IsDigit(text[at + 2]) && IsDigit(text[at + 3]) &&
           (at + 4 == text.size() || !IsDigit(text[at + 4]))) {
        for (size_t i = at + 1; i <= at + 3; ++i) value = value * 10 + (text[i] - '0');
        at += 4;
    }
    if (at < text.size() && text[at] == '.' && at + 1 < text.size() && IsDigit(text[at + 1])) {
        long double scale = 1;
        for (++at; at < text.size() && IsDigit(text[at]); ++at)
            value += (text[at] - '0') * (scale /= 10);
    }
    text.remove_prefix(at);
    return value;
}

std::optional<long double> ReadHex(std::string_view& text) {
    if (!StartsWithFolded(text, "0x")) return std::nullopt;
    size_t at = 2;
    long double value = 0;
    for (; at < text.size(); ++at) {
        const char c = Folded(text[at]);
        int digit = IsDigit(c) ? c - '0' : (c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1);
        if (digit < 0) break;
        value = value * 16 + digit;
    }
    if (at == 2) return std::nullopt;
    text.remove_prefix(at);
    return value;
}

std::optional<long double> ParseNumber(std::string_view text) {
    text = Trimmed(text);
    if (auto hex = ReadHex(text)) {
        // The registry shows a DWORD as "0x0000001f (31)": the decimal repeats it.
        text = Trimmed(text);
        if (text.empty() || (text.front() == '(' && text.back() == ')')) return hex;
        return std::nullopt;
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const auto value = ReadUnsigned(text);
    if (!value || !text.empty()) return std::nullopt;
    return negative ? -*value : *value;
}

std::optional<long double> ParseSize(std::string_view text) {
    text = Trimmed(text);
    auto value = ReadUnsigned(text);
    if (!value || text.empty() || text.front() != ' ') return std::nullopt;
    const std::string_view unit = Trimmed(text);
    static constexpr std::array<std::string_view, 6> kUnits = {"B", "KB", "MB", "GB", "TB", "PB"};
    if (unit.size() == 4 || unit.size() == 5) {
        if (StartsWithFolded(unit, "bytes") || (unit.size() == 4 && StartsWithFolded(unit, "byte")))
            return value;
        return std::nullopt;
    }
    long double scale = 1;
    for (std::string_view known : kUnits) {
        if (unit.size() == known.size() && StartsWithFolded(unit, known)) return *value * scale;
        scale *= 1024;
    }
    return std::nullopt;
}

// Reads up to `most` digits (at least one) from the front.
std::optional<int> ReadField(std::string_view& text, size_t most) {
    size_t at = 0;
    int value = 0;
    while (at < text.size() && at < most && IsDigit(text[at]))
        value = value * 10 + (text[at++] - '0');
    if (at == 0 || (at < text.size() && IsDigit(text[at]))) return std::nullopt;
    text.remove_prefix(at);
    return value;
}

bool Skip(std::string_view& text, char c) {
    if (text.empty() || text.front() != c) return false;
    text.remove_prefix(1);
    return true;
}

std::optional<long double> ParseDate(std::string_view text) {
    text = Trimmed(text);
    const std::string_view original = text;
    std::optional<int> first = ReadField(text, 4);
    if (!first || text.empty()) return std::nullopt;
    const char separator = text.front();
    std::optional<int> year, month, day;
    if (separator == '-' && Skip(text, '-')) {
        year = first;
        month = ReadField(text, 2);
        if (!Skip(text, '-')) return std::nullopt;
        day = ReadField(text, 2);
    } else if (separator == '.' || separator == '/') {
        // "6.1.7601" is a version: the dotted form writes day and month with two digits.
        const size_t firstDigits = original.size() - text.size();
        Skip(text, separator);
        const size_t before = text.size();
        std::optional<int> second = ReadField(text, 2);
        if (separator == '.' && (firstDigits != 2 || before - text.size() != 2))
            return std::nullopt;
        if (!Skip(text, separator)) return std::nullopt;
        year = ReadField(text, 4);
        // Dots are the day-first form; slashes the month-first one.
        day = separator == '.' ? first : second;
        month = separator == '.' ? second : first;
    } else {
        return std::nullopt;
    }
    if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1 || *day > 31)
        return std::nullopt;
    int hour = 0, minute = 0, second = 0;
    if (!text.empty()) {
        if (text.front() != ' ' && text.front() != 'T') return std::nullopt;
        text = Trimmed(text.substr(1));
        const auto h = ReadField(text, 2);
        if (!h || !Skip(text, ':')) return std::nullopt;
        const auto m = ReadField(text, 2);
        if (!m) return std::nullopt;
        std::optional<int> s = 0;
        if (Skip(text, ':')) s = ReadField(text, 2);
        if (!s) return std::nullopt;
        hour = *h, minute = *m, second = *s;
        text = Trimmed(text);
        if (!text.empty()) {
            const bool pm = StartsWithFolded(text, "PM");
            if (text.size() != 2 || (!pm && !StartsWithFolded(text, "AM")) || hour < 1 || hour > 12)
                return std::nullopt;
            hour = hour % 12 + (pm ? 12 : 0);
        }
        if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
    }
    return ((((static_cast<long double>(*year) * 13 + *month) * 32 + *day) * 24 + hour) * 60 +
            minute) *
               60 +
           second;
}

// Two or more dotted numbers.
std::optional<std::vector<std::uint64_t>> ParseVersion(std::string_view text) {
    text = Trimmed(text);
    std::vector<std::uint64_t> parts;
    while (true) {
        size_t at = 0;
        std::uint64_t value = 0;
        while (at < text.size() && IsDigit(text[at]) && at < 19)
            value = value * 10 + (text[at++] - '0');
        if (at == 0 || (at < text.size() && IsDigit(text[at]))) return std::nullopt;
        parts.push_back(value);
        text.remove_prefix(at);
        if (text.empty()) break;
        if (!Skip(text, '.')) return std::nullopt;
    }
    if (parts.size() < 2) return std::nullopt;
    return parts;
}

bool HasKind(std::string_view text, ColumnKind kind) {
    switch (kind) {
        case ColumnKind::Number:
            return ParseNumber(text).has_value();
        case ColumnKind::Size:
            return ParseSize(text).has_value();
        case ColumnKind::Date:
            return ParseDate(text).has_value();
        case ColumnKind::Version:
            return ParseVersion(text).has_value();
        case ColumnKind::Text:
            return true;
    }
    return false;
}

template <typename T>
int Compare(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

// Values the kind reads come first, in their order; the rest after them, by text.
template <typename T>
int CompareParsed(const std::optional<T>& a, const std::optional<T>& b, std::string_view textA,
                  std::string_view textB) {
    if (a && b) return Compare(*a, *b);
    if (a || b) return a ? -1 : 1;
    return CompareCells(textA, textB, ColumnKind::Text);
}

}  // namespace

ColumnKind KindOfColumn(const std::vector<std::vector<std::string>>& rows, size_t column) {
    for (ColumnKind kind :
         {ColumnKind::Number, ColumnKind::Size, ColumnKind::Date, ColumnKind::Version}) {
        bool any = false, all = true;
        for (const auto& row : rows) {
            if (column >= row.size() || Trimmed(row[column]).empty()) continue;
            any = true;
            if (!HasKind(row[column], kind)) {
                all = false;
                break;
            }
        }
        if (any && all) return kind;
    }
    return ColumnKind::Text;
}

int CompareCells(std::string_view a, std::string_view b, ColumnKind kind) {
    const bool emptyA = Trimmed(a).empty(), emptyB = Trimmed(b).empty();
    if (emptyA || emptyB) return emptyA == emptyB ? 0 : (emptyA ? -1 : 1);
    switch (kind) {
        case ColumnKind::Number:
            return CompareParsed(ParseNumber(a), ParseNumber(b), a, b);
        case ColumnKind::Size:
            return CompareParsed(ParseSize(a), ParseSize(b), a, b);
        case ColumnKind::Date:
            return CompareParsed(ParseDate(a), ParseDate(b), a, b);
        case ColumnKind::Version:
            return CompareParsed(ParseVersion(a), ParseVersion(b), a, b);
        case ColumnKind::Text:
            break;
    }
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(Folded(a[i]));
        const auto y = static_cast<unsigned char>(Folded(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return Compare(a.size(), b.size());
}

ListSort SortAfterClick(const ListSort& current, int column) {
    if (column == current.column) return {column, !current.descending};
    return {column, false};
}

std::vector<size_t> SortedRowOrder(const std::vector<std::vector<std::string>>& rows,
                                   const ListSort& sort) {
    std::vector<size_t> order(rows.size());
    std::iota(order.begin(), order.end(), size_t{0});
    if (sort.column < 0) return order;
    const auto column = static_cast<size_t>(sort.column);
    const ColumnKind kind = KindOfColumn(rows, column);
    static const std::string kNone;
    auto cell = [&](size_t row) -> const std::string& {
        return column < rows[row].size() ? rows[row][column] : kNone;
    };
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const int difference = CompareCells(cell(a), cell(b), kind);
        return sort.descending ? difference > 0 : difference < 0;
    });
    return order;
}

}  // namespace glmx::ui::lists
