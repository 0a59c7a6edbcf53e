// Fixed-seed mutations of valid files through the three readers: no crash, no hang, no partial
// change (the same invariants as the libFuzzer target).
#include <chrono>
#include <filesystem>
#include <random>
#include <utility>

#include <gtest/gtest.h>

#include "../../fuzz/reader_harness.h"
#include "support/temp_home.h"
#include "test_paths.h"

namespace zemtral {
namespace {

std::string mutate(std::string s, std::mt19937_64& rng) {
    static const std::string pieces[] = {",",      "\r\n", "\n", "\"", "0",    "-",    ".",     "E",  "E+999",
                                         "1e-400", " ",    "\t", ";",  "\xE4", "\xC3", "99999", "13", "x"};
    const int edits = 1 + static_cast<int>(rng() % 4);
    for (int e = 0; e < edits; ++e) {
        const std::size_t at = s.empty() ? 0 : rng() % (s.size() + 1);
        switch (rng() % 5) {
            case 0:
                if (at < s.size())
                    s[at] = static_cast<char>(rng() % 256);
                break;
            case 1:
                s.insert(at, pieces[rng() % std::size(pieces)]);
                break;
            case 2:
                if (at < s.size())
                    s.erase(at, 1 + rng() % 8);
                break;
            case 3:
                s.resize(at);
                break;
            default:
                if (at < s.size())
                    s.insert(at, s.substr(at, 1 + rng() % 40));
                break;
        }
    }
    return s;
}

TEST(ReaderMutation, MutatedFilesKeepTheReadersInvariants) {
    std::vector<std::string> seeds;
    for (const char* name : {"verseifung.ZD3", "nichtisotherm_n2o5.ZD3", "verseifung_leitfaehigkeit.ZD3"}) {
        seeds.push_back(test::TempHome::read(std::string(ZEMTRAL_SOURCE_DIR) + "/resources/samples/" + name));
        ASSERT_FALSE(seeds.back().empty()) << name;
    }
    seeds.push_back(
        "#2026-12-08 10:00:00#\r\n\"Projekt\"\r\n\"verseifung.ZD3\"\r\n4\r\n6.6,0,0\r\n0\r\n0\r\n0\r\n0\r\n"
        "0,0,0,0\r\n0\r\n0\r\n0,0\r\n\"x\"\r\n\"x\"\r\n");
    seeds.push_back("Kurve\r\n.1000000E+01;.2000000E+01\r\n.3000000E+01;.4000000E+01\r\n");
    for (const std::string& seed : seeds) {
        ASSERT_TRUE(fuzz::exerciseReaders(seed));
    }
    std::mt19937_64 rng(20261208);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 6000; ++i) {
        const std::string input = mutate(seeds[static_cast<std::size_t>(i) % seeds.size()], rng);
        ASSERT_TRUE(fuzz::exerciseReaders(input)) << "mutation " << i;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
}

// The project file that stopped every fuzz run: a constant with more digits than the writer
// keeps (16 significant digits, 15 written) is no broken round trip, a changed model or a second
// round that still changes the file would be.
TEST(ReaderMutation, ProjectRoundTripComparesWhatTheFormatHolds) {
    const std::string project = test::TempHome::read(std::string(ZEMTRAL_SOURCE_DIR) +
                                                     "/fuzz/seeds/project_file/sechzehn_stellen.ZC3");
    ASSERT_NE(project.find("0.1234567890123456,"), std::string::npos);
    EXPECT_TRUE(fuzz::exerciseProjectFile(project));
    EXPECT_TRUE(fuzz::exerciseReaders(project));
    for (const char* name : {"verseifung.ZC3", "sechzehn_stellen.ZC3"}) {
        const std::string seed =
            test::TempHome::read(std::string(ZEMTRAL_SOURCE_DIR) + "/fuzz/seeds/project_file/" + name);
        const ProjectRead read = parseProjectFile(fuzz::inputLines(seed), name);
        EXPECT_FALSE(read.error.failed()) << name;
    }
    for (const char* name : {"kurve.XY", "tab.XY"}) {
        const std::string seed =
            test::TempHome::read(std::string(ZEMTRAL_SOURCE_DIR) + "/fuzz/seeds/xy_file/" + name);
        const XyFileRead read = parseXyFile(fuzz::inputLines(seed), name);
        EXPECT_FALSE(read.error.failed()) << name;
        EXPECT_EQ(read.points.size(), name == std::string("kurve.XY") ? 2u : 3u) << name;
        EXPECT_TRUE(fuzz::exerciseXyFile(seed)) << name;
    }
}

// Every input kept in fuzz/seeds (among them the inputs of past findings) keeps the invariants of
// its own reader and of the other two.
TEST(ReaderMutation, EverySeedKeepsTheReadersInvariants) {
    const std::pair<const char*, bool (*)(std::string_view)> readers[] = {
        {"data_file", fuzz::exerciseDataFile},
        {"project_file", fuzz::exerciseProjectFile},
        {"xy_file", fuzz::exerciseXyFile}};
    int seeds = 0;
    for (const auto& [reader, exercise] : readers) {
        const std::filesystem::path folder =
            std::filesystem::path(ZEMTRAL_SOURCE_DIR) / "fuzz/seeds" / reader;
        if (!std::filesystem::is_directory(folder)) {
            continue;
        }
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string seed = test::TempHome::read(entry.path().string());
            EXPECT_TRUE(exercise(seed)) << entry.path();
            EXPECT_TRUE(fuzz::exerciseReaders(seed)) << entry.path();
            ++seeds;
        }
    }
    EXPECT_GE(seeds, 5);
}

}  // namespace
}  // namespace zemtral
