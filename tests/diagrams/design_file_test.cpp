// The design file: byte for byte the format of earlier versions, old files still load, damaged
// files give values the window could have set, and the file operations report in German.
#include "diagrams/design_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "diagrams/golden_design_state.h"
#include "test_paths.h"

namespace zemtral {
namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

const std::string kGoldenPath = ZEMTRAL_SOURCE_DIR "/tests/diagrams/expected/design_v1.oc2";

// The text of a design whose x-axis minimum is `value`, cut to the number.
std::string writtenNumber(double value) {
    ChartState state;
    state.axes[0].minimum = value;
    const std::string json = chartStateToJson(state);
    const std::size_t at = json.find("\"minimum\": ") + 11;
    return json.substr(at, json.find(',', at) - at);
}

TEST(DesignFile, WritesAndReadsTheFilesOfEarlierVersions) {
    const std::string golden = readAll(kGoldenPath);
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(chartStateToJson(test::goldenDesignState()), golden);

    const auto loaded = chartStateFromJson(golden);
    ASSERT_TRUE(loaded.has_value());
    const ChartState expected = test::goldenDesignState();
    for (int g = 0; g < 2; ++g) {
        ASSERT_EQ(loaded->groups[g].size(), expected.groups[g].size());
        for (std::size_t i = 0; i < expected.groups[g].size(); ++i) {
            EXPECT_EQ(loaded->groups[g][i].points, expected.groups[g][i].points);
            EXPECT_EQ(loaded->groups[g][i].style, expected.groups[g][i].style);
            EXPECT_EQ(loaded->groups[g][i].label, expected.groups[g][i].label);
            EXPECT_EQ(loaded->groups[g][i].legendShown, expected.groups[g][i].legendShown);
            EXPECT_EQ(loaded->groups[g][i].visible, expected.groups[g][i].visible);
        }
    }
    EXPECT_EQ(loaded->labels, expected.labels);
    EXPECT_EQ(loaded->nextLabelId, 4);
    EXPECT_EQ(loaded->header, expected.header);
    EXPECT_EQ(loaded->headerFont, expected.headerFont);
    EXPECT_TRUE(loaded->headerFramed);
    EXPECT_EQ(loaded->axes[0], expected.axes[0]);
    EXPECT_EQ(loaded->axes[1], expected.axes[1]);
    EXPECT_EQ(loaded->legend, expected.legend);
    EXPECT_EQ(loaded->areas, expected.areas);
}

TEST(DesignFile, NumbersAsEarlierVersionsWroteThemWhateverTheLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous != nullptr ? previous : "C";
    for (const char* locale : {"C", "de_DE.UTF-8"}) {
        if (std::setlocale(LC_ALL, locale) == nullptr) {
            continue;
        }
        // Whole numbers up to 2^53 as integers, the rest in their shortest digits, in exponent
        // form only where that is shorter.
        EXPECT_EQ(writtenNumber(-0.0), "0");
        EXPECT_EQ(writtenNumber(1e6), "1000000");
        EXPECT_EQ(writtenNumber(9007199254740992.0), "9007199254740992");
        EXPECT_EQ(writtenNumber(9007199254740994.0), "9007199254740994");
        EXPECT_EQ(writtenNumber(1e16), "1e+16");
        EXPECT_EQ(writtenNumber(1.8446744073709552e19), "18446744073709552000");
        EXPECT_EQ(writtenNumber(0.001), "0.001");
        EXPECT_EQ(writtenNumber(0.0001), "1e-04");
        EXPECT_EQ(writtenNumber(-1.5e-5), "-1.5e-05");
        EXPECT_EQ(writtenNumber(0.1f), "0.10000000149011612");
        EXPECT_EQ(writtenNumber(1e15 + 0.5), "1000000000000000.5");
        EXPECT_EQ(writtenNumber(5e-324), "5e-324");
        const auto back = chartStateFromJson(chartStateToJson(test::goldenDesignState()));
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(back->groups[0][0].points, test::goldenDesignState().groups[0][0].points);
        EXPECT_EQ(back->axes[1].minimum, 0.001);
    }
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(DesignFile, TextsKeepTheirCharactersAndInvalidBytesBecomeReplacements) {
    ChartState state;
    state.header = std::string("a\"b\\c/\x01\x1f\t\n\r\b\f\x7f äß€ \xF0\x9D\x84\x9E") + '\0' + "z";
    const std::string json = chartStateToJson(state);
    EXPECT_NE(json.find("\"a\\\"b\\\\c/\\u0001\\u001f\\t\\n\\r\\b\\f\x7f äß€ \xF0\x9D\x84\x9E\\u0000z\""),
              std::string::npos);
    const auto back = chartStateFromJson(json);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->header, state.header);

    // Each byte outside well-formed UTF-8 (a truncated, an overlong, a surrogate sequence) is one
    // U+FFFD, so that every design file is valid UTF-8.
    state.header = "x\xE2\x82y\xC0\xAF\xED\xA0\x80";
    const auto replaced = chartStateFromJson(chartStateToJson(state));
    ASSERT_TRUE(replaced.has_value());
    std::string expected = "x";
    for (int i = 0; i < 2; ++i) {
        expected += "\xEF\xBF\xBD";
    }
    expected += "y";
    for (int i = 0; i < 5; ++i) {
        expected += "\xEF\xBF\xBD";
    }
    EXPECT_EQ(replaced->header, expected);
}

TEST(DesignFile, WhatIsNoDesignIsRefused) {
    const std::string design = chartStateToJson(ChartState{});
    EXPECT_TRUE(chartStateFromJson(design).has_value());
    EXPECT_TRUE(chartStateFromJson("\xEF\xBB\xBF" + design).has_value());  // a byte-order mark
    EXPECT_FALSE(chartStateFromJson("").has_value());
    EXPECT_FALSE(chartStateFromJson("[1, 2]").has_value());
    EXPECT_FALSE(chartStateFromJson("{\"format\": \"Anderes\"}").has_value());
    EXPECT_FALSE(chartStateFromJson(design + " x").has_value());
    EXPECT_FALSE(chartStateFromJson("{\"format\": \"ZEMTRAL-Diagramm\", \"a\": 1e400}").has_value());
    EXPECT_FALSE(chartStateFromJson("{\"format\": \"ZEMTRAL-Diagramm\", \"a\": \"\xFF\"}").has_value());
    // Nesting: 1024 levels are still a file, 1025 are not.
    const auto nested = [](int depth) {
        return "{\"format\": \"ZEMTRAL-Diagramm\", \"a\": " +
               std::string(static_cast<std::size_t>(depth - 1), '[') +
               std::string(static_cast<std::size_t>(depth - 1), ']') + "}";
    };
    EXPECT_TRUE(chartStateFromJson(nested(1024)).has_value());
    EXPECT_FALSE(chartStateFromJson(nested(1025)).has_value());
}

TEST(DesignFile, NumbersOfTheWrongKindFallBack) {
    const auto state = chartStateFromJson(R"({"format": "ZEMTRAL-Diagramm",
        "groups": [[{"style": {"linePattern": 3.0, "lineWidth": 2.9, "symbolShape": 4.5,
                               "lineColour": {"rgb": 1.5}, "symbolColour": {"rgb": 18446744073709551615}}},
                    {"style": {"linePattern": 7, "lineColour": {"rgb": 4294967297}}}]],
        "legend": {"left": 2.5, "top": 40}})");
    ASSERT_TRUE(state.has_value());
    const SeriesStyle& first = state->groups[0].at(0).style;
    EXPECT_EQ(first.linePattern, LinePattern::Dashed);  // a whole number written as 3.0 is a code
    EXPECT_EQ(first.lineWidth, 2);                      // widths are cut to whole pixels
    EXPECT_EQ(first.symbolShape, SymbolShape::None);    // 4.5 is no code: the default
    EXPECT_EQ(first.lineColour, ChartColour{0});
    EXPECT_EQ(first.symbolColour, ChartColour{0});
    EXPECT_EQ(state->groups[0].at(1).style.linePattern, LinePattern::DashDot);
    EXPECT_EQ(state->groups[0].at(1).style.lineColour, ChartColour{1});  // the low 32 bits
    EXPECT_EQ(state->legend.left, std::optional<int>(0));
    EXPECT_EQ(state->legend.top, std::optional<int>(40));
}

TEST(DesignFile, FileOperationsReportInGerman) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("zemtral-design-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "a.oc2").string();
    ASSERT_TRUE(saveDesignFile(path, test::goldenDesignState()).ok);
    EXPECT_EQ(readAll(path), readAll(kGoldenPath));
    const DesignFileContent loaded = loadDesignFile(path);
    ASSERT_TRUE(loaded.state.has_value());
    EXPECT_EQ(loaded.state->header, test::goldenDesignState().header);

    const std::string missing = (dir / "fehlt.oc2").string();
    EXPECT_EQ(loadDesignFile(missing).errorText, "Datei nicht gefunden: " + missing);
    const std::string junk = (dir / "junk.oc2").string();
    std::ofstream(junk) << "{\"groups\": []}";
    EXPECT_EQ(loadDesignFile(junk).errorText, "Die Datei ist keine Diagrammvorlage: " + junk);
    const std::string unwritable = (dir / "no" / "such" / "b.oc2").string();
    const ChartOutput failed = saveDesignFile(unwritable, ChartState{});
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.errorText, "Die Datei kann nicht geschrieben werden: " + unwritable);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace zemtral
