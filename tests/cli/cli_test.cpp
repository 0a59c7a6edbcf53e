#include "cli/cli.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>

#include "cli/cli_args.h"
#include "cli/json_writer.h"
#include "test_paths.h"

namespace zemtral::cli {
namespace {

struct CliRun {
    int code;
    std::string out, err;
};

CliRun run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int code = runCli(args, out, err);
    return {code, out.str(), err.str()};
}

int countLines(const std::string& text) {
    int n = 0;
    for (char ch : text) {
        n += ch == '\n' ? 1 : 0;
    }
    return n;
}

TEST(CliArgs, OptionsFlagsAndErrors) {
    const OptionSpec grammar{{"model", "k1"}, {"rates"}};
    std::string error;
    auto parsed = parseArgs({"file.ZD3", "--model", "4", "--k1=0,5", "--rates"}, grammar, error);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->positional, std::vector<std::string>{"file.ZD3"});
    EXPECT_EQ(parsed->value("model"), "4");
    EXPECT_TRUE(parsed->has("rates"));
    EXPECT_EQ(numberOption(*parsed, "k1", error), 0.5);
    EXPECT_FALSE(parseArgs({"--model"}, grammar, error));
    EXPECT_EQ(error, "option --model needs a value");
    EXPECT_FALSE(parseArgs({"--colour", "red"}, grammar, error));
    EXPECT_FALSE(parseArgs({"--rates=1"}, grammar, error));
    parsed = parseArgs({"--k1", "abc"}, grammar, error);
    error.clear();
    EXPECT_FALSE(numberOption(*parsed, "k1", error));
    EXPECT_FALSE(error.empty());
}

TEST(JsonWriter, NumbersRoundTripAndTextsAreEscaped) {
    JsonWriter json;
    const std::vector<double> values{0.1, 1.0 / 3.0, 1e-300, -2.5};
    const std::vector<float> singles{0.15f, 1.0f / 3.0f};
    json.beginObject().string("text", "a\"b\\c\n").numbers("v", values).numbers("f", singles);
    json.number("nan", std::nan("")).beginObject("o").boolean("b", true).endObject().endObject();
    EXPECT_EQ(json.text(),
              "{\"text\":\"a\\\"b\\\\c\\n\",\"v\":[0.1,0.3333333333333333,1e-300,-2.5],"
              "\"f\":[0.15,0.33333334],\"nan\":null,\"o\":{\"b\":true}}");
    for (double v : values) {
        EXPECT_EQ(std::strtod(JsonWriter::numberText(v).c_str(), nullptr), v);
    }
}

TEST(Cli, UsageErrorsAndHelp) {
    EXPECT_EQ(run({}).code, kExitUsage);
    EXPECT_EQ(run({"frobnicate"}).code, kExitUsage);
    const CliRun help = run({"--help"});
    EXPECT_EQ(help.code, kExitOk);
    EXPECT_NE(help.out.find("simulate"), std::string::npos);
    EXPECT_EQ(run({"simulate", "--help"}).code, kExitOk);
    EXPECT_EQ(run({"simulate"}).code, kExitUsage);
    EXPECT_EQ(run({"simulate", "--model", "19"}).code, kExitUsage);
    EXPECT_EQ(run({"simulate", "--model", "2", "--unit", "week"}).code, kExitUsage);
    EXPECT_EQ(run({"simulate", "--model", "2", "--format", "xml"}).code, kExitUsage);
    EXPECT_EQ(run({"simulate", "--model", "2", "--mm"}).code, kExitUsage);

    // plot is handed in by the program; without it the command says why instead of pretending.
    EXPECT_NE(help.out.find("plot"), std::string::npos);
    const CliRun noPlot = run({"plot", "simulate", "--model", "2", "--output", "x.png"});
    EXPECT_EQ(noPlot.code, kExitRefused);
    EXPECT_NE(noPlot.err.find("no plot command"), std::string::npos);
    std::ostringstream out, err;
    const Command recordPlot = [](const std::vector<std::string>& args, std::ostream& o, std::ostream&) {
        for (const auto& a : args) {
            o << a << '|';
        }
        return 7;
    };
    EXPECT_EQ(runCli({"plot", "fit", "F"}, out, err, recordPlot), 7);
    EXPECT_EQ(out.str(), "fit|F|");
}

TEST(CliSimulate, RefusalTextsOnStderr) {
    const CliRun r = run({"simulate", "--model", "4", "--c0", "A=1,B=0", "--k1", "0"});
    EXPECT_EQ(r.code, kExitRefused);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              " Ausführung nicht möglich \n"
              "- noch keine Eingabe einer Anfangskonzentration c(B)(0)\n"
              "- Geschwindigkeitskonstante k1 muss größer Null sein\n");
}

TEST(CliSimulate, FormatsCarryTheEngineResult) {
    const CliRun json = run({"simulate", "--model", "2", "--k1", "0.1", "--tend", "50", "--format", "json"});
    ASSERT_EQ(json.code, kExitOk) << json.err;
    EXPECT_EQ(json.out.rfind("{\"model\":2,\"t\":[0,0.25,", 0), 0u) << json.out.substr(0, 60);
    EXPECT_NE(json.out.find("\"c\":{\"A\":[1,"), std::string::npos);
    EXPECT_NE(json.out.find("\"P\":[0,"), std::string::npos);
    EXPECT_EQ(json.out.find("\"B\""), std::string::npos);  // only the model's species
    EXPECT_NE(json.out.find("\"halfLifeA\":0"), std::string::npos);

    const CliRun csv = run({"simulate", "--model", "9", "--format", "csv", "--rates"});
    ASSERT_EQ(csv.code, kExitOk) << csv.err;
    EXPECT_EQ(csv.out.substr(0, csv.out.find('\n')), "t,rA,rB,rC,rP");
    EXPECT_EQ(countLines(csv.out), 202);

    const CliRun table = run({"simulate", "--model", "11", "--unit", "min"});
    ASSERT_EQ(table.code, kExitOk) << table.err;
    EXPECT_EQ(table.out.rfind("\r\n       t/min", 0), 0u);
    EXPECT_NE(table.out.find("cQ/(mol/l)"), std::string::npos);
    EXPECT_NE(table.out.find("\r\n      100.00        \t"), std::string::npos);

    const CliRun mm = run({"simulate", "--model", "10", "--mm", "--normalised", "--format", "csv"});
    ASSERT_EQ(mm.code, kExitOk) << mm.err;
    EXPECT_EQ(mm.out.substr(0, mm.out.find('\n')), "S0,rP");
    EXPECT_NE(mm.out.find("\n20,0.95238096"), std::string::npos);  // x/(x + 1) at x = 20
}

// The built program itself: exit codes and streams as a script sees them.
TEST(CliProgram, EndToEnd) {
    const std::string program = std::string(ZEMTRAL_BINARY_DIR) + "/zemtral-cli";
    auto exitCode = [&](const std::string& args, std::string* out) {
        FILE* pipe = popen((program + " " + args + " 2>/dev/null").c_str(), "r");
        std::string text;
        char buffer[4096];
        std::size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            text.append(buffer, n);
        }
        const int status = pclose(pipe);
        if (out) {
            *out = text;
        }
        return WEXITSTATUS(status);
    };
    std::string out;
    EXPECT_EQ(exitCode("simulate --model 20 --order 0.5 --format csv", &out), 0);
    EXPECT_EQ(countLines(out), 202);
    EXPECT_EQ(exitCode("simulate --model 20 --order -1", nullptr), 1);
    EXPECT_EQ(exitCode("nothing", nullptr), 2);
}

}  // namespace
}  // namespace zemtral::cli

namespace zemtral::cli {
namespace {

TEST(CliHalfLife, ClosedFormNumericalAndRefusal) {
    std::ostringstream out, err;
    ASSERT_EQ(runCli({"halflife", "--model", "2", "--k1", "0.2"}, out, err), kExitOk) << err.str();
    EXPECT_EQ(out.str(), "{\"halfLifeA\":3.465736,\"halfLifeB\":0}\n");  // ln 2 / 0.2 as a single

    // Model 20 with n = 1 is first order: the simulated half-life is close to ln 2 / k.
    std::ostringstream numeric, err2;
    ASSERT_EQ(
        runCli({"halflife", "--model", "20", "--order", "1", "--k1", "0.2", "--tend", "20"}, numeric, err2),
        kExitOk);
    const std::string text = numeric.str();
    const double value = std::strtod(text.c_str() + text.find(':') + 1, nullptr);
    EXPECT_NEAR(value, std::log(2.0) / 0.2, 1e-3);

    // Model 8 whose equilibrium lies above c(A)(0)/2: the program's message, exit code 1.
    std::ostringstream out3, err3;
    EXPECT_EQ(runCli({"halflife", "--model", "8", "--k1", "0.1", "--k2", "0.5"}, out3, err3), kExitRefused);
    EXPECT_NE(err3.str().find("c(A)(0)/2 kann bei dieser Gleichgewichtslage nicht erreicht werden"),
              std::string::npos);
}

}  // namespace
}  // namespace zemtral::cli
