// The options of every subcommand: parsed by the library, help generated from them, numbers in
// the JSON output at full precision.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>

#include "cli/cli.h"
#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/diagram_sources.h"
#include "cli/json_writer.h"

namespace zemtral::cli {
namespace {

struct Output {
    int code;
    std::string out, err;
};

Output run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int code = runCli(args, out, err);
    return {code, out.str(), err.str()};
}

TEST(CliOptions, EverySubcommandHelpsWithEveryOptionOfItsGrammar) {
    const std::pair<const char*, OptionSpec> commands[] = {
        {"simulate", simulateGrammar()}, {"halflife", halfLifeGrammar()}, {"evaluate", evaluateGrammar()},
        {"fit", fitGrammar()},           {"tangent", tangentGrammar()},
    };
    for (const auto& [name, grammar] : commands) {
        for (const char* help : {"-h", "--help"}) {
            const Output r = run({name, help});
            EXPECT_EQ(r.code, kExitOk) << name << " " << help;
            EXPECT_NE(r.out.find(std::string("Usage: zemtral-cli ") + name), std::string::npos) << r.out;
            for (const std::string& option : grammar.valueOptions) {
                EXPECT_NE(r.out.find("--" + option + " "), std::string::npos) << name << ": --" << option;
            }
            for (const std::string& flag : grammar.flagOptions) {
                EXPECT_NE(r.out.find("--" + flag), std::string::npos) << name << ": --" << flag;
            }
        }
    }
    for (const char* name : {"reactor", "montecarlo", "generate"}) {
        const Output r = run({name, "-h"});
        EXPECT_EQ(r.code, kExitOk) << name;
        EXPECT_NE(r.out.find("Options:"), std::string::npos) << r.out;
    }
    // The text of the manual page: every subcommand's generated help after the tool's usage.
    const Output all = run({"--help-all"});
    EXPECT_EQ(all.code, kExitOk);
    EXPECT_EQ(all.out.find("\n\n\n"), std::string::npos) << "no double blank lines";
    for (const char* name :
         {"simulate", "halflife", "tangent", "reactor", "montecarlo", "fit", "evaluate", "generate"}) {
        EXPECT_NE(all.out.find(std::string("Usage: zemtral-cli ") + name + " "), std::string::npos) << name;
    }
    const Output version = run({"--version"});
    EXPECT_EQ(version.code, kExitOk);
    EXPECT_EQ(version.out, std::string("zemtral-cli ") + ZEMTRAL_VERSION + "\n");
}

TEST(CliOptions, ParsingRules) {
    OptionSpec grammar;
    grammar.value("order", "n", "").value("c0", "A=X", "").flag("rates", "");
    std::string error;
    // Negative numbers are values, the last of a repeated option counts, "--" ends the options.
    auto parsed = parseArgs({"--order", "-1e39", "x", "--order=-2", "--c0", "A=1,B=2", "--", "--rates"},
                            grammar, error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(parsed->value("order"), "-2");
    EXPECT_EQ(parsed->value("c0"), "A=1,B=2");
    EXPECT_EQ(parsed->positional, (std::vector<std::string>{"x", "--rates"}));
    EXPECT_FALSE(parsed->has("rates"));
    EXPECT_FALSE(parseArgs({"-x"}, grammar, error));
    EXPECT_EQ(error, "unknown option -x");
    EXPECT_FALSE(parseArgs({"--rate"}, grammar, error));
    EXPECT_EQ(error, "unknown option --rate");
    EXPECT_TRUE(parseArgs({"-h"}, grammar, error)->has("help"));
}

TEST(CliJson, NumbersReadBackExactlyAndWholeNumbersStayWhole) {
    std::mt19937_64 random(3);
    std::uniform_int_distribution<std::uint64_t> bits;
    int checked = 0;
    while (checked < 2000) {
        const std::uint64_t word = bits(random);
        double value;
        std::memcpy(&value, &word, sizeof value);
        if (!std::isfinite(value)) {
            continue;
        }
        const auto back = nlohmann::json::parse(jsonText(jsonNumber(value))).get<double>();
        EXPECT_EQ(back, value) << jsonText(jsonNumber(value));
        ++checked;
    }
    EXPECT_EQ(jsonText(jsonNumber(100.0)), "100");
    EXPECT_EQ(jsonText(jsonNumber(-0.25)), "-0.25");
    EXPECT_EQ(jsonText(jsonNumber(0.1f)), "0.1");
    EXPECT_EQ(jsonText(jsonNumber(16777217.0f)), "16777216");
    EXPECT_EQ(jsonText(jsonNumber(std::numeric_limits<double>::infinity())), "null");
    EXPECT_EQ(jsonText(jsonNumber(std::numeric_limits<double>::denorm_min())), "5e-324");
    // A text that is not UTF-8 (a Latin-1 file name) is written, not refused.
    const Json name = std::string(
        "Gr\xfc"
        "n.ZD3");
    EXPECT_EQ(jsonText(name), "\"Gr\xef\xbf\xbdn.ZD3\"");
}

}  // namespace
}  // namespace zemtral::cli
