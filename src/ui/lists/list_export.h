// A list's rows as text for the clipboard and for files: comma-separated values,
// tab-separated text and an HTML table.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace glmx::ui::lists {

// The rows as the list shows them, with the column captions above.
struct ListTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;  // a short row counts its missing cells as ""
};

enum class ListFormat { Csv, TabText, Html };

// UTF-8's byte-order mark, which spreadsheet programs need to read a file as UTF-8.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Tab-separated lines ending in CR LF, the header first. A tab or line break inside a
// field would break the table apart, so each becomes a blank.
std::string TabText(const ListTable& table);

// RFC 4180: fields joined by commas, lines ending in CR LF; a field holding a comma,
// a quote, a line break or a blank at either end is quoted, quotes doubled.
std::string CommaSeparatedValues(const ListTable& table);

// A whole UTF-8 HTML page holding one table, the header as its heading row; the
// texts escaped, line breaks inside a field kept as <br>.
std::string HtmlTable(const ListTable& table, std::string_view title);

// What a file of the format holds: CSV and tab-separated text begin with the
// byte-order mark.
std::string ListFileContent(const ListTable& table, ListFormat format, std::string_view title);

}  // namespace glmx::ui::lists
