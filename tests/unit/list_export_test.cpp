#include "ui/lists/list_export.h"

#include <gtest/gtest.h>

#include <string>

namespace glmx::ui::lists {
namespace {

// Every character a writer must take care of, and a row shorter than the header.
const ListTable kAwkward{{"Name", "Data"},
                         {{"plain", "a,b"},
                          {"say \"hi\"", "two\r\nlines"},
                          {"tab\there", " padded "},
                          {"Gr\xC3\xBC\xC3\x9F"
                           "e <&>",
                           "\xE6\x97\xA5"},
                          {"short"}}};

TEST(ListExport, CsvQuotesWhatWouldBreakAFieldAndEndsEachLineInCrLf) {
    EXPECT_EQ(CommaSeparatedValues(kAwkward),
              "Name,Data\r\n"
              "plain,\"a,b\"\r\n"
              "\"say \"\"hi\"\"\",\"two\r\nlines\"\r\n"
              "tab\there,\" padded \"\r\n"
              "Gr\xC3\xBC\xC3\x9F"
              "e <&>,\xE6\x97\xA5\r\n"
              "short,\r\n");
}

TEST(ListExport, TabTextTurnsTabsAndLineBreaksInFieldsIntoBlanks) {
    EXPECT_EQ(TabText(kAwkward),
              "Name\tData\r\n"
              "plain\ta,b\r\n"
              "say \"hi\"\ttwo  lines\r\n"
              "tab here\t padded \r\n"
              "Gr\xC3\xBC\xC3\x9F"
              "e <&>\t\xE6\x97\xA5\r\n"
              "short\t\r\n");
}

TEST(ListExport, HtmlEscapesTextAndKeepsLineBreaks) {
    const std::string html = HtmlTable(kAwkward, "Processes & more");
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(html.find("<title>Processes &amp; more</title>"), std::string::npos);
    EXPECT_NE(html.find("<tr><th>Name</th><th>Data</th></tr>"), std::string::npos);
    EXPECT_NE(html.find("<tr><td>say &quot;hi&quot;</td><td>two<br>lines</td></tr>"),
              std::string::npos);
    EXPECT_NE(html.find("<td>Gr\xC3\xBC\xC3\x9F"
                        "e &lt;&amp;&gt;</td>"),
              std::string::npos);
    EXPECT_NE(html.find("<tr><td>short</td><td></td></tr>"), std::string::npos);
}

TEST(ListExport, AnEmptyListKeepsItsHeaderAndFilesOfTextBeginWithTheByteOrderMark) {
    const ListTable empty{{"Name", "Type"}, {}};
    EXPECT_EQ(ListFileContent(empty, ListFormat::Csv, "x"), "\xEF\xBB\xBFName,Type\r\n");
    EXPECT_EQ(ListFileContent(empty, ListFormat::TabText, "x"), "\xEF\xBB\xBFName\tType\r\n");
    const std::string html = ListFileContent(empty, ListFormat::Html, "x");
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_EQ(html.find("<td>"), std::string::npos);
    EXPECT_EQ(TabText({}), "\r\n");
}

}  // namespace
}  // namespace glmx::ui::lists
