// The tips file: encodings and line ends, blank lines, a missing file, the shipped file itself.
#include "session/tips.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "test_paths.h"

namespace zemtral {
namespace {

std::string writeTemp(const std::string& name, const std::string& bytes) {
    const auto path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
}

TEST(Tips, ReadsWindows1252AndUtf8WithBlankLinesSkipped) {
    const std::string cp1252 =
        writeTemp("zem_tips_cp1252.txt", "Erster Tipp f\xFCr Sie\r\n\r\n  \r\nZweiter Tipp\r\n");
    const auto a = readTips(cp1252);
    ASSERT_TRUE(a.has_value());
    ASSERT_EQ(a->size(), 2u);
    EXPECT_EQ((*a)[0], "Erster Tipp für Sie");
    EXPECT_EQ((*a)[1], "Zweiter Tipp");
    const std::string utf8 = writeTemp("zem_tips_utf8.txt", "Größe\nÄnderung");
    const auto b = readTips(utf8);
    ASSERT_TRUE(b.has_value());
    EXPECT_EQ(*b, (std::vector<std::string>{"Größe", "Änderung"}));
    std::remove(cp1252.c_str());
    std::remove(utf8.c_str());
}

TEST(Tips, MissingFileAndNextTip) {
    EXPECT_FALSE(readTips("/nonexistent/dir/ZEMTIPS.TXT").has_value());
    EXPECT_EQ(tipsNotFoundText("/home/u/ZEMTIPS.TXT"),
              "Die Datei ZEMTIPS.TXT wurde nicht gefunden \n\n/home/u/ZEMTIPS.TXT");
    EXPECT_EQ(nextTipIndex(0, 22), 1);
    EXPECT_EQ(nextTipIndex(21, 22), 0);
    EXPECT_EQ(nextTipIndex(3, 0), 0);
}

TEST(Tips, ShippedFileHoldsTheTwentyTwoTips) {
    const auto tips = readTips(std::string(ZEMTRAL_SOURCE_DIR) + "/resources/ZEMTIPS.TXT");
    ASSERT_TRUE(tips.has_value());
    EXPECT_EQ(tips->size(), 22u);
    for (const std::string& tip : *tips) {
        EXPECT_EQ(tip.find('\r'), std::string::npos);
        EXPECT_GT(tip.size(), 30u);
    }
}

}  // namespace
}  // namespace zemtral
