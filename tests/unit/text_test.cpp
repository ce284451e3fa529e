#include "platform/text.h"

#include <gtest/gtest.h>

namespace glmx::platform {
namespace {

TEST(Utf, RoundTripsEveryKindOfCharacterAndLoneSurrogates) {
    const std::u16string samples[] = {
        u"", u"plain ASCII", u"Gr\u00FC\u00DFe", u"\u65E5\u672C\u8A9E", u"emoji \U0001F600 end",
    };
    for (const auto& sample : samples) EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(sample)), sample);
    EXPECT_EQ(Utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
    // Registry and file names may hold them; losing them would make a key unreachable.
    const std::u16string lone{u'a', char16_t(0xD800), u'b', char16_t(0xDC01)};
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(lone)), lone);
}

TEST(Utf, InvalidBytesBecomeReplacementCharacters) {
    EXPECT_EQ(Utf8ToUtf16("a\xFF"
                          "b"),
              u"a\uFFFDb");
    EXPECT_EQ(Utf8ToUtf16("\xC3"), u"\uFFFD");          // cut short
    EXPECT_EQ(Utf8ToUtf16("\xE0\x80\x80"), u"\uFFFD");  // overlong
}

TEST(AsciiCase, OnlyAsciiLettersChange) {
    EXPECT_EQ(AsciiUpper("c:\\docs/f \u00e4"), "C:\\DOCS/F \u00e4");
    EXPECT_TRUE(EqualsIgnoringAsciiCase("Top", "tOP"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase("Top", "Tops"));
}

TEST(ParseDecimalInt, AcceptsOnlyWholeDecimalIntegers) {
    EXPECT_EQ(ParseDecimalInt("50"), 50);
    EXPECT_EQ(ParseDecimalInt("-1200"), -1200);
    EXPECT_EQ(ParseDecimalInt(" +7 "), 7);
    EXPECT_EQ(ParseDecimalInt("2147483647"), 2147483647);
    for (const char* bad : {"", " ", "12px", "0x10", "1.5", "+-3", "99999999999", "- 4"})
        EXPECT_EQ(ParseDecimalInt(bad), std::nullopt) << bad;
}

}  // namespace
}  // namespace glmx::platform
