#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli.h"
#include "cli/data_input.h"
#include "cli/protocol_append.h"
#include "data/text_file.h"
#include "reactors/reactor_common.h"
#include "test_paths.h"

namespace zemtral::cli {
namespace {

std::string sample(const std::string& name) {
    return std::string(ZEMTRAL_SOURCE_DIR) + "/resources/samples/" + name;
}

struct Output {
    int code;
    std::string out, err;
};

Output run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int code = runCli(args, out, err);
    return {code, out.str(), err.str()};
}

class TempDir : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("zemtral-cli-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
        setenv("ZEMTRAL_HOME", dir.c_str(), 1);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string write(const std::string& name, const std::string& text) {
        const auto path = dir / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
    std::filesystem::path dir;
};

using CliEvaluate = TempDir;

// Exact first-order data: ln c falls with slope −k, whatever the file format.
TEST_F(CliEvaluate, CsvAndZd3GiveTheSameResult) {
    const std::string csv =
        write("first.csv", "t;cA\n0;1\n10;0,60653066\n20;0,36787944\n30;0,22313016\n40;0,13533528\n");
    const Output fromCsv = run({"evaluate", "first-order", csv, "--unit", "min"});
    ASSERT_EQ(fromCsv.code, kExitOk) << fromCsv.err;
    EXPECT_NE(fromCsv.out.find("\"k\":0.05,"), std::string::npos) << fromCsv.out;

    // The same points as a ZD3 file (13 fields per point).
    std::string zd3 =
        "erste Ordnung\r\nmin\r\nt, cA, cB, cC, cP, cQ, k, T, lambda, lamda(inf), res3, res4, "
        "exclude(0|-1)\r\n5\r\n";
    for (const char* line : {"0,1", "10,.60653066", "20,.36787944", "30,.22313016", "40,.13533528"}) {
        zd3 += std::string(line) + ",0,0,0,0,0,0,0,0,0,0,0\r\n";
    }
    const Output fromZd3 = run({"evaluate", "first-order", write("first.ZD3", zd3)});
    ASSERT_EQ(fromZd3.code, kExitOk) << fromZd3.err;
    EXPECT_EQ(fromZd3.out, fromCsv.out);

    const Output table = run({"evaluate", "first-order", csv, "--format", "table"});
    EXPECT_EQ(table.out, "Berechnungsergebnis: {k} = 0.05   (R^2 = 1.00000)\n");
}

TEST_F(CliEvaluate, SamplesAndRefusals) {
    const Output wilkinson = run({"evaluate", "wilkinson", sample("verseifung.ZD3")});
    ASSERT_EQ(wilkinson.code, kExitOk) << wilkinson.err;
    EXPECT_NE(wilkinson.out.find("\"n\":2.0"), std::string::npos) << wilkinson.out;

    const Output arrhenius = run({"evaluate", "arrhenius", sample("arrhenius_n2o5.ZD3")});
    ASSERT_EQ(arrhenius.code, kExitOk) << arrhenius.err;
    EXPECT_NE(arrhenius.out.find("\"EA\":10"), std::string::npos) << arrhenius.out;  // about 103 kJ/mol

    const Output noKT = run({"evaluate", "eyring", sample("verseifung.ZD3")});
    EXPECT_EQ(noKT.code, kExitRefused);
    EXPECT_EQ(noKT.err, " Ausführung nicht möglich \nErst experimentelle Punkte k-T laden oder eingeben!\n");

    const Output missing = run({"evaluate", "first-order", (dir / "nothing.ZD3").string()});
    EXPECT_EQ(missing.code, kExitRefused);
    EXPECT_NE(missing.err.find("Meldung von LoadDataFile"), std::string::npos);

    const Output badCell = run({"evaluate", "first-order", write("bad.csv", "t,cA\n0,1\n1,x\n")});
    EXPECT_EQ(badCell.code, kExitRefused);
    EXPECT_NE(badCell.err.find("Keine gültige Zahl in Zeile 3: 'x'"), std::string::npos);

    EXPECT_EQ(run({"evaluate", "zeroth-order", sample("verseifung.ZD3")}).code, kExitUsage);
    EXPECT_EQ(run({"evaluate", "first-order"}).code, kExitUsage);
}

TEST(CsvData, SeparatorsDecimalCommaAndColumns) {
    std::string error;
    auto set =
        parseCsvData("t\tcA\tT\tk\tlambda\tlambdaInf\n0\t1,5\t298,15\t\t2.5\t0.9\n60\t1\t298.15\t0.1\t2\t\n",
                     "min", error);
    ASSERT_TRUE(set) << error;
    EXPECT_EQ(set->pointCount, 2);
    EXPECT_DOUBLE_EQ(set->points[1].c[1], 1.5);
    EXPECT_DOUBLE_EQ(set->points[1].T, 298.15);
    EXPECT_DOUBLE_EQ(set->points[1].k, 0.0);
    EXPECT_FLOAT_EQ(set->points[2].lambda, 2.0f);
    EXPECT_DOUBLE_EQ(set->lambdaInf, 0.9);
    EXPECT_EQ(set->timeUnit, "min");
    EXPECT_FALSE(parseCsvData("t,cZ\n0,1\n", "s", error));
    EXPECT_EQ(error, "Unbekannte Spalte in Zeile 1: 'cZ'");
    EXPECT_FALSE(parseCsvData("", "s", error));
}

TEST(CsvData, QuotedCellsAndRowsThatWouldLoseValues) {
    std::string error;
    // A spreadsheet with comma separator quotes the decimal comma.
    auto set = parseCsvData("t,cA\n0,1\n\"10\",\"0,5\"\n", "s", error);
    ASSERT_TRUE(set) << error;
    EXPECT_EQ(set->pointCount, 2);
    EXPECT_DOUBLE_EQ(set->points[2].t, 10.0);
    EXPECT_DOUBLE_EQ(set->points[2].c[1], 0.5);
    // Unquoted, the same row has a cell too many: refused, not read as c(A) = 0.
    EXPECT_FALSE(parseCsvData("t,cA\n0,1\n10,0,5\n", "s", error));
    EXPECT_EQ(error, "Zeile 3 hat mehr Felder als die Kopfzeile");
    EXPECT_FALSE(parseCsvData("t;cA;cA\n0;1;2\n", "s", error));
    EXPECT_EQ(error, "Doppelte Spalte in Zeile 1: 'cA'");
    // Fewer cells than columns leave the rest unmeasured.
    set = parseCsvData("t;cA;cB\n0;1\n5;0,5;0,25\n", "s", error);
    ASSERT_TRUE(set) << error;
    EXPECT_DOUBLE_EQ(set->points[1].c[2], 0.0);
    EXPECT_DOUBLE_EQ(set->points[2].c[2], 0.25);
}

}  // namespace
}  // namespace zemtral::cli

namespace zemtral::cli {
namespace {

using CliFit = TempDir;

TEST_F(CliFit, RecoversConstantsAndKeepsFixedOnes) {
    // Exact A => C => P data with k1 = 0.2, k2 = 0.05 (closed form), c(A) and c(C) measured.
    std::string csv = "t,cA,cC\n";
    for (int i = 0; i <= 12; ++i) {
        const double t = 5.0 * i;
        const double a = std::exp(-0.2 * t);
        const double c = 0.2 / (0.05 - 0.2) * (std::exp(-0.2 * t) - std::exp(-0.05 * t));
        char line[100];
        std::snprintf(line, sizeof line, "%g,%.10f,%.10f\n", t, a, c);
        csv += line;
    }
    const std::string file = write("consecutive.csv", csv);
    const Output fit = run({"fit", file, "--model", "6", "--k1", "0.1", "--k2", "0.1"});
    ASSERT_EQ(fit.code, kExitOk) << fit.err;
    auto param = [](const std::string& text, const std::string& key) {
        const auto at = text.find("\"" + key + "\":");
        return at == std::string::npos ? -1.0 : std::strtod(text.c_str() + at + key.size() + 3, nullptr);
    };
    EXPECT_NEAR(param(fit.out, "k1"), 0.2, 1e-4) << fit.out;
    EXPECT_NEAR(param(fit.out, "k2"), 0.05, 1e-4) << fit.out;
    EXPECT_NE(fit.out.find("\"limitReached\":false"), std::string::npos);

    const Output fixed = run({"fit", file, "--model", "6", "--k1", "0.1", "--k2", "0.07", "--fix", "k2"});
    ASSERT_EQ(fixed.code, kExitOk) << fixed.err;
    EXPECT_DOUBLE_EQ(param(fixed.out.substr(fixed.out.find("params")), "k2"), 0.07);

    const Output onlyA = run({"fit", file, "--model", "2", "--k1", "0.1", "--species", "A"});
    ASSERT_EQ(onlyA.code, kExitOk) << onlyA.err;
    EXPECT_NEAR(param(onlyA.out, "k1"), 0.2, 1e-5);
}

// The statistics: the interval is k ± t95·sd, a fixed parameter has none and no correlation,
// residual sd and R² per measured species.
TEST_F(CliFit, StatisticsInJson) {
    // A => C => P with k1 = 0.2, k2 = 0.05 and a small deterministic scatter, c(A) and c(C).
    std::string csv = "t,cA,cC\n";
    for (int i = 1; i <= 12; ++i) {
        const double t = 5.0 * i;
        const double a = std::exp(-0.2 * t) * (1 + 0.01 * std::sin(i));
        const double c =
            0.2 / (0.05 - 0.2) * (std::exp(-0.2 * t) - std::exp(-0.05 * t)) * (1 + 0.01 * std::cos(i));
        char line[100];
        std::snprintf(line, sizeof line, "%g,%.10f,%.10f\n", t, a, c);
        csv += line;
    }
    const Output fit = run({"fit", write("scatter.csv", csv), "--model", "6", "--k1", "0.1", "--k2", "0.1"});
    ASSERT_EQ(fit.code, kExitOk) << fit.err;
    auto number = [&fit](const std::string& key, std::size_t from = 0) {
        const auto at = fit.out.find("\"" + key + "\":", from);
        EXPECT_NE(at, std::string::npos) << key << " in " << fit.out;
        return std::strtod(fit.out.c_str() + at + key.size() + 3, nullptr);
    };
    EXPECT_EQ(number("dof"), 22.0);  // 24 measured values, two parameters
    const double t95 = number("t95");
    const std::size_t sd = fit.out.find("\"sd\"");
    const std::size_t ci = fit.out.find("\"ci95\"");
    for (const std::string k : {"k1", "k2"}) {
        const double value = number(k);
        const double low = std::strtod(fit.out.c_str() + fit.out.find("\"" + k + "\":[", ci) + 6, nullptr);
        EXPECT_NEAR(value - low, t95 * number(k, sd), 1e-9 * value) << k;
    }
    const std::size_t correlation = fit.out.find("{", fit.out.find("\"correlation\":{") + 15);  // row k1
    EXPECT_EQ(number("k1", correlation), 1.0);
    EXPECT_LT(std::fabs(number("k2", correlation)), 1.0);
    EXPECT_GT(number("A", fit.out.find("\"r2\"")), 0.99);
    EXPECT_GT(number("C", fit.out.find("\"residualSd\"")), 0.0);

    const Output fixed = run({"fit", sample("verseifung.ZD3"), "--model", "4", "--k1", "5", "--fix", "k1"});
    ASSERT_EQ(fixed.code, kExitOk) << fixed.err;
    EXPECT_NE(fixed.out.find("\"ci95\":{\"k1\":[null,null]},\"correlation\":{}"), std::string::npos)
        << fixed.out;
}

TEST_F(CliFit, SamplesModesAndRefusals) {
    const Output order = run({"fit", sample("zerfall_n2o5.ZD3"), "--mode", "order"});
    ASSERT_EQ(order.code, kExitOk) << order.err;
    const double n = std::strtod(order.out.c_str() + order.out.find("\"n\":") + 4, nullptr);
    EXPECT_NEAR(n, 1.0, 0.1);  // a first-order decomposition

    const Output tooFew = run({"fit", write("two.csv", "t,cA\n0,1\n10,0.5\n"), "--model", "6"});
    EXPECT_EQ(tooFew.code, kExitRefused);
    EXPECT_NE(tooFew.err.find(" Ausführung nicht möglich "), std::string::npos);

    EXPECT_EQ(run({"fit", sample("verseifung.ZD3")}).code, kExitUsage);  // --model missing
    EXPECT_EQ(run({"fit", sample("verseifung.ZD3"), "--model", "4", "--fix", "k9"}).code, kExitUsage);
    EXPECT_EQ(run({"fit", sample("verseifung.ZD3"), "--mode", "quadratic"}).code, kExitUsage);
}

}  // namespace
}  // namespace zemtral::cli

namespace zemtral::cli {
namespace {

using CliTangent = TempDir;

TEST_F(CliTangent, RateOfAnExactFirstOrderCurve) {
    std::string csv = "t;cA\n";
    for (int i = 0; i <= 40; ++i) {
        char line[80];
        std::snprintf(line, sizeof line, "%d;%.10f\n", i, std::exp(-0.1 * i));
        csv += line;
    }
    const std::string file = write("decay.csv", csv);
    const Output r = run({"tangent", file, "--species", "A", "--time", "12.5"});
    ASSERT_EQ(r.code, kExitOk) << r.err;
    const double c = std::strtod(r.out.c_str() + r.out.find("\"c\":") + 4, nullptr);
    const double rate = std::strtod(r.out.c_str() + r.out.find("\"rate\":") + 7, nullptr);
    EXPECT_NEAR(c, std::exp(-1.25), 1e-4);
    EXPECT_NEAR(rate, -0.1 * std::exp(-1.25), 1e-4);

    EXPECT_EQ(run({"tangent", file, "--species", "A", "--time", "-1"}).code, kExitRefused);
    const Output noB = run({"tangent", file, "--species", "B", "--time", "1"});
    EXPECT_EQ(noB.code, kExitRefused);
    EXPECT_NE(noB.err.find(" Ausführung nicht möglich "), std::string::npos);
    EXPECT_EQ(run({"tangent", file, "--species", "X", "--time", "1"}).code, kExitUsage);
    EXPECT_EQ(run({"tangent", file, "--species", "A"}).code, kExitUsage);
}

}  // namespace
}  // namespace zemtral::cli

namespace zemtral::cli {
namespace {

using CliReactor = TempDir;

double jsonNumber(const std::string& text, const std::string& key) {
    const auto at = text.find("\"" + key + "\":");
    return at == std::string::npos ? std::nan("") : std::strtod(text.c_str() + at + key.size() + 3, nullptr);
}

TEST_F(CliReactor, BatchCstrAndTubeAgreeWithClosedForms) {
    // First order, k = 0.15: batch c(A) = e^(−k t); stirred tank U = k·τ/(1 + k·τ); tube = batch.
    const Output batch = run({"reactor", "batch", "--model", "2", "--time", "10"});
    ASSERT_EQ(batch.code, kExitOk) << batch.err;
    EXPECT_NEAR(jsonNumber(batch.out, "A"), std::exp(-1.5), 1e-12);
    EXPECT_NEAR(jsonNumber(batch.out, "ksi1"), 1.0 - std::exp(-1.5), 1e-12);

    const Output cstr = run({"reactor", "cstr", "--model", "2", "--volume", "3", "--flow", "0.5"});
    ASSERT_EQ(cstr.code, kExitOk) << cstr.err;
    EXPECT_NEAR(jsonNumber(cstr.out, "conversion"), 0.9 / 1.9, 1e-9);
    EXPECT_NEAR(jsonNumber(cstr.out, "residenceTime"), 6.0, 1e-12);

    const Output tube = run({"reactor", "tube", "--model", "2", "--velocity", "2", "--conversion", "0.5"});
    ASSERT_EQ(tube.code, kExitOk) << tube.err;
    EXPECT_NEAR(jsonNumber(tube.out, "reactionTime"), std::log(2.0) / 0.15, 1e-4);
    EXPECT_NEAR(jsonNumber(tube.out, "length"), 2 * std::log(2.0) / 0.15, 2e-4);
}

TEST_F(CliReactor, RefusalsAndUsage) {
    const Output refused = run({"reactor", "batch", "--model", "2", "--k1", "0", "--time", "0"});
    EXPECT_EQ(refused.code, kExitRefused);
    EXPECT_NE(refused.err.find("- Geschwindigkeitskonstante k1 muss größer Null sein"), std::string::npos);
    const Output limit = run({"reactor", "batch", "--model", "12", "--conversion", "0.99"});
    EXPECT_EQ(limit.code, kExitRefused);
    EXPECT_NE(limit.err.find("U(A)(max) = "), std::string::npos);
    EXPECT_EQ(run({"reactor", "batch", "--model", "2"}).code, kExitUsage);
    EXPECT_EQ(run({"reactor", "cstr", "--model", "2", "--conversion", "0.5"}).code, kExitUsage);
    EXPECT_EQ(run({"reactor", "tube", "--model", "2", "--time", "1"}).code, kExitUsage);
    EXPECT_EQ(run({"reactor", "oven", "--model", "2"}).code, kExitUsage);
}

TEST_F(CliReactor, ProtocolRowsAccumulateInTheProgramsFormat) {
    const std::string path = (dir / "run.CSV").string();
    ASSERT_EQ(run({"reactor", "batch", "--model", "2", "--time", "10", "--protocol", path}).code, kExitOk);
    ASSERT_EQ(run({"reactor", "batch", "--model", "4", "--time", "5", "--protocol", path}).code, kExitOk);
    const TextFileLines read = readTextFileLines(path);
    ASSERT_FALSE(read.error.failed());
    EXPECT_EQ(read.lines[0], "ZEMTRAL: Kinetics of chemical reactions");
    EXPECT_EQ(read.lines[2], "Calculation of a Batch Reactor");
    const auto table = parseProtocolLines(read.lines, ";");
    ASSERT_TRUE(table);
    ASSERT_EQ(table->rows.size(), 2u);
    EXPECT_FLOAT_EQ(table->rows[0][kProtocolTime], 10.0f);
    EXPECT_FLOAT_EQ(table->rows[1][kProtocolInitialA + 1], 1.0f);  // c0(B) of model 4, absent in row 1
    EXPECT_FLOAT_EQ(table->rows[0][kProtocolInitialA + 1], 0.0f);

    // A file that is no protocol is left alone.
    const std::string other = write("notes.CSV", "just some text\n");
    const Output refused = run({"reactor", "batch", "--model", "2", "--time", "1", "--protocol", other});
    EXPECT_EQ(refused.code, kExitRefused);
    EXPECT_EQ(readTextFileLines(other).lines, std::vector<std::string>{"just some text"});
}

}  // namespace
}  // namespace zemtral::cli

namespace zemtral::cli {
namespace {

TEST(CliMonteCarlo, SeededRunsAndAnalyticCurve) {
    const Output a = run({"montecarlo", "--kind", "1", "--n0", "100", "--seed", "5", "--format", "csv"});
    const Output b = run({"montecarlo", "--kind", "1", "--n0", "100", "--seed", "5", "--format", "csv"});
    ASSERT_EQ(a.code, kExitOk) << a.err;
    EXPECT_EQ(a.out, b.out);
    EXPECT_EQ(a.out.rfind("t,nA,nP\n0,100,0\n7,", 0), 0u);

    const Output json = run({"montecarlo", "--kind", "2", "--n0", "500", "--K", "2", "--points", "10"});
    ASSERT_EQ(json.code, kExitOk) << json.err;
    EXPECT_NE(json.out.find("\"n0\":529,\"tmax\":2910,\"K\":2"), std::string::npos) << json.out.substr(0, 80);
    EXPECT_NE(json.out.find("\"t\":[0,44,88,"), std::string::npos);
    EXPECT_NE(json.out.find("\"nAPercent\":[100,"), std::string::npos);
    EXPECT_EQ(run({"montecarlo", "--kind", "3"}).code, kExitUsage);
    EXPECT_EQ(run({"montecarlo", "--kind", "1", "--n0", "200"}).code, kExitUsage);
    EXPECT_EQ(run({"montecarlo", "--kind", "2", "--K", "3"}).code, kExitUsage);
}

}  // namespace
}  // namespace zemtral::cli
