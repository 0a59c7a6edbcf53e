#include "data/text_encoding.h"

#include <gtest/gtest.h>

namespace zemtral {
namespace {

TEST(TextEncoding, EveryWindows1252ByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    const std::string utf8 = cp1252ToUtf8(all);
    EXPECT_TRUE(isValidUtf8(utf8));
    EXPECT_EQ(utf8ToCp1252(utf8), all);
}

TEST(TextEncoding, UmlautsAndTheSpecialCharactersOfTheCodePage) {
    EXPECT_EQ(cp1252ToUtf8("\xE4\xF6\xFC\xC4\xD6\xDC\xDF"), "äöüÄÖÜß");
    EXPECT_EQ(cp1252ToUtf8("\x80"), "€");
    EXPECT_EQ(cp1252ToUtf8("\x84\x93\x96\xB0"), "„“–°");
    EXPECT_EQ(utf8ToCp1252("Größe lambda, 25 °C, 5 €"),
              "Gr\xF6\xDF"
              "e lambda, 25 \xB0"
              "C, 5 \x80");
    // Characters outside the code page and broken sequences become '?'.
    EXPECT_EQ(utf8ToCp1252("α→β"), "???");
    EXPECT_EQ(utf8ToCp1252("a\xC3"), "a?");
    EXPECT_EQ(utf8ToCp1252("\xED\xA0\x80"), "???");  // an encoded surrogate is not UTF-8
}

TEST(TextEncoding, FileTextIsDecodedByItsValidity) {
    EXPECT_EQ(decodeFileText("Ma\xDF"), "Maß");                  // Windows-1252
    EXPECT_EQ(decodeFileText("Ma\xC3\x9F"), "Maß");              // UTF-8
    EXPECT_EQ(decodeFileText("\xEF\xBB\xBFMa\xC3\x9F"), "Maß");  // UTF-8 with byte-order mark
    EXPECT_EQ(decodeFileText("plain"), "plain");
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));  // overlong form
}

TEST(TextEncoding, LinesEndAtCrLfLfOrCr) {
    using L = std::vector<std::string>;
    EXPECT_EQ(splitLines("a\r\nb\r\n"), (L{"a", "b"}));
    EXPECT_EQ(splitLines("a\nb"), (L{"a", "b"}));
    EXPECT_EQ(splitLines("a\rb\r\n\r\nc"), (L{"a", "b", "", "c"}));
    EXPECT_EQ(splitLines(""), L{});
    EXPECT_EQ(splitLines("\r\n"), L{""});
    EXPECT_EQ(encodeFileLines({"ä", ""}), "\xE4\r\n\r\n");
}

}  // namespace
}  // namespace zemtral
