// Many data files in one call: rows per file in file order, failed files as error rows and the
// exit code 1 at the end, parallel runs giving the same output as one after the other.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli.h"
#include "cli/file_batch.h"
#include "support/temp_home.h"

namespace zemtral::cli {
namespace {

namespace fs = std::filesystem;

struct Output {
    int code;
    std::string out, err;
};

Output run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int code = runCli(args, out, err);
    return {code, out.str(), err.str()};
}

// Exact first-order decay c(A) = exp(-k t) on 0..40 s.
std::string firstOrderCsv(double k) {
    std::string csv = "t;cA\n";
    for (int i = 0; i <= 8; ++i) {
        char line[80];
        std::snprintf(line, sizeof line, "%d;%.12f\n", 5 * i, std::exp(-k * 5 * i));
        csv += line;
    }
    return csv;
}

class CliBatch : public ::testing::Test {
  protected:
    std::string write(const std::string& name, const std::string& text) {
        const fs::path path = fs::path(home.path()) / name;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
    zemtral::test::TempHome home;
};

TEST_F(CliBatch, ThreeFilesWithOneBrokenGiveTwoResultsAndAnErrorRow) {
    const std::string a = write("a.csv", firstOrderCsv(0.1));
    const std::string broken = write("b.csv", "t;cA\n0;1\n5;x\n");
    const std::string c = write("c.csv", firstOrderCsv(0.02));

    const Output json = run({"evaluate", "first-order", a, broken, c, "--format", "json"});
    EXPECT_EQ(json.code, kExitRefused);
    const auto rows = nlohmann::ordered_json::parse(json.out);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0]["file"], a);
    EXPECT_EQ(rows[0].begin().key(), "file");
    EXPECT_NEAR(rows[0]["k"].get<double>(), 0.1, 1e-9);
    EXPECT_EQ(rows[1]["file"], broken);
    EXPECT_FALSE(rows[1].contains("k"));
    EXPECT_NE(rows[1]["error"].get<std::string>().find("Keine gültige Zahl in Zeile 3: 'x'"),
              std::string::npos);
    EXPECT_NEAR(rows[2]["k"].get<double>(), 0.02, 1e-9);
    EXPECT_NE(json.err.find(broken + ":\n"), std::string::npos) << json.err;

    const Output csv = run({"evaluate", "first-order", a, broken, c, "--format", "csv"});
    EXPECT_EQ(csv.code, kExitRefused);
    std::istringstream lines(csv.out);
    std::string header, row1, row2, row3, extra;
    std::getline(lines, header);
    std::getline(lines, row1);
    std::getline(lines, row2);
    std::getline(lines, row3);
    EXPECT_FALSE(std::getline(lines, extra));
    EXPECT_EQ(header.rfind("file,method,diagramKind,k,", 0), 0u) << header;
    EXPECT_EQ(header.substr(header.size() - 6), ",error");
    ASSERT_EQ(row1.rfind(a + ",first-order,-5,", 0), 0u) << row1;
    EXPECT_NEAR(std::stod(row1.substr(a.size() + 16)), 0.1, 1e-12) << row1;  // the column k
    EXPECT_EQ(row1.back(), ',');                                             // no error text
    EXPECT_EQ(row2.rfind(broken + ",,,,", 0), 0u) << row2;
    EXPECT_NE(row2.find("Meldung von LoadDataFile Keine gültige Zahl"), std::string::npos) << row2;

    // One file keeps the output of one file: the object, not an array.
    const Output single = run({"evaluate", "first-order", a});
    EXPECT_EQ(single.code, kExitOk);
    EXPECT_TRUE(nlohmann::json::parse(single.out).is_object());
}

TEST_F(CliBatch, DirectoriesParallelRunsAndUsageErrors) {
    for (int i = 0; i < 6; ++i) {
        write("series/run" + std::to_string(i) + ".csv", firstOrderCsv(0.01 * (i + 1)));
    }
    write("series/notes.txt", "not data");
    const std::string dir = (fs::path(home.path()) / "series").string();

    const Output serial = run({"fit", dir, "--model", "2", "--k1", "0.05"});
    ASSERT_EQ(serial.code, kExitOk) << serial.err;
    const auto rows = nlohmann::json::parse(serial.out);
    ASSERT_EQ(rows.size(), 6u);  // the text file is not data
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(fs::path(rows[i]["file"].get<std::string>()).filename(),
                  "run" + std::to_string(i) + ".csv");
        EXPECT_NEAR(rows[i]["params"]["k1"].get<double>(), 0.01 * (i + 1), 1e-6);
    }
    const Output parallel = run({"fit", dir, "--model", "2", "--k1", "0.05", "--jobs", "3"});
    EXPECT_EQ(parallel.out, serial.out);

    const Output tangent =
        run({"tangent", dir, "--species", "A", "--time", "10", "--format", "csv", "--jobs", "2"});
    ASSERT_EQ(tangent.code, kExitOk) << tangent.err;
    EXPECT_EQ(tangent.out.substr(0, tangent.out.find('\n')), "file,c,rate,error");

    // An empty directory fails as an entry of its own; usage errors stop before any output.
    fs::create_directories(fs::path(home.path()) / "empty");
    const Output empty = run({"evaluate", "first-order", (fs::path(home.path()) / "empty").string(), dir});
    EXPECT_EQ(empty.code, kExitRefused);
    EXPECT_NE(empty.out.find("Keine Messdatei"), std::string::npos);
    EXPECT_EQ(run({"fit", dir, "--model", "2", "--jobs", "0"}).code, kExitUsage);
    const Output badSpecies = run({"fit", dir, "--model", "2", "--species", "Z"});
    EXPECT_EQ(badSpecies.code, kExitUsage);
    EXPECT_EQ(badSpecies.out, "");
}

TEST(CsvOutput, NestedMembersBecomeColumnsAndCellsAreQuoted) {
    const auto value = nlohmann::ordered_json::parse(
        R"({"k":0.5,"ok":true,"ci95":{"k1":[0.4,0.6]},"none":null,"line":"a, \"b\""})");
    const auto columns = csvColumns(value);
    const std::vector<std::pair<std::string, std::string>> expected{
        {"k", "0.5"},         {"ok", "true"}, {"ci95.k1.0", "0.4"},
        {"ci95.k1.1", "0.6"}, {"none", ""},   {"line", "a, \"b\""}};
    EXPECT_EQ(columns, expected);
    EXPECT_EQ(csvCell("a, \"b\""), "\"a, \"\"b\"\"\"");
    EXPECT_EQ(csvCell("plain"), "plain");
    EXPECT_EQ(csvCell("two\nlines"), "\"two\nlines\"");
}

}  // namespace
}  // namespace zemtral::cli
