#include "ui/lists/list_export.h"

#include <algorithm>

namespace glmx::ui::lists {

namespace {

// The cells of a row padded to the header's width, so every line has as many fields.
template <typename Visit>
void ForEachLine(const ListTable& table, Visit visit) {
    size_t width = table.header.size();
    for (const auto& row : table.rows) width = std::max(width, row.size());
    static const std::string kEmpty;
    auto cells = [&](const std::vector<std::string>& line, bool header) {
        std::vector<const std::string*> padded;
        padded.reserve(width);
        for (size_t column = 0; column < width; ++column)
            padded.push_back(column < line.size() ? &line[column] : &kEmpty);
        visit(padded, header);
    };
    cells(table.header, true);
    for (const auto& row : table.rows) cells(row, false);
}

bool NeedsQuotes(const std::string& field) {
    if (field.empty()) return false;
    if (field.front() == ' ' || field.back() == ' ') return true;
    return field.find_first_of(",\"\r\n") != std::string::npos;
}

void AppendCsvField(std::string& out, const std::string& field) {
    if (!NeedsQuotes(field)) {
        out += field;
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void AppendHtmlText(std::string& out, const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\r':
                if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
                out += "<br>";
                break;
            case '\n':
                out += "<br>";
                break;
            default:
                out += c;
                break;
        }
    }
}

}  // namespace

std::string TabText(const ListTable& table) {
    std::string out;
    ForEachLine(table, [&](const std::vector<const std::string*>& cells, bool) {
        for (size_t column = 0; column < cells.size(); ++column) {
            if (column > 0) out += '\t';
            for (char c : *cells[column]) out += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
        }
        out += "\r\n";
    });
    return out;
}

std::string CommaSeparatedValues(const ListTable& table) {
    std::string out;
    ForEachLine(table, [&](const std::vector<const std::string*>& cells, bool) {
        for (size_t column = 0; column < cells.size(); ++column) {
            if (column > 0) out += ',';
            AppendCsvField(out, *cells[column]);
        }
        out += "\r\n";
    });
    return out;
}

std::string HtmlTable(const ListTable& table, std::string_view title) {
    std::string out = "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n<title>";
    AppendHtmlText(out, std::string(title));
    out += "</title>\r\n</head>\r\n<body>\r\n<table border=\"1\">\r\n";
    ForEachLine(table, [&](const std::vector<const std::string*>& cells, bool header) {
        const char* cell = header ? "th" : "td";
        out += "<tr>";
        for (const std::string* text : cells) {
            out += '<';
            out += cell;
            out += '>';
            AppendHtmlText(out, *text);
            out += "</";
            out += cell;
            out += '>';
        }
        out += "</tr>\r\n";
    });
    out += "</table>\r\n</body>\r\n</html>\r\n";
    return out;
}

std::string ListFileContent(const ListTable& table, ListFormat format, std::string_view title) {
    switch (format) {
        case ListFormat::Csv:
            return std::string(kUtf8Bom) + CommaSeparatedValues(table);
        case ListFormat::TabText:
            return std::string(kUtf8Bom) + TabText(table);
        case ListFormat::Html:
            return HtmlTable(table, title);
    }
    return {};
}

}  // namespace glmx::ui::lists
