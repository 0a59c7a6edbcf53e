// generate: exercise data sets that evaluate and fit read back, reproducible with a seed, whose
// fit recovers the constants they were made with.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli.h"
#include "data/data_file.h"
#include "support/temp_home.h"

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

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(CliGenerate, FitRecoversTheTrueConstantsWithinTheirIntervals) {
    zemtral::test::TempHome home;
    // A => C => P with k1 = 0.2, k2 = 0.05, 2 % relative noise on A, C and P. (Relative noise never
    // takes a value to 0 or below, which the fit would leave out: absolute noise on values near 0
    // would bias the fit.)
    for (const char* name : {"exercise.ZD3", "exercise.csv"}) {
        const std::string file = home.file(name);
        const Output made = run({"generate", "--model", "6", "--k1", "0.2", "--k2", "0.05", "--tend", "60",
                                 "--points", "25", "--noise-rel", "0.02", "--seed", "1", "--output", file});
        ASSERT_EQ(made.code, kExitOk) << made.err;
        const Output fit = run({"fit", file, "--model", "6", "--k1", "0.1", "--k2", "0.1"});
        ASSERT_EQ(fit.code, kExitOk) << fit.err;
        const auto result = nlohmann::json::parse(fit.out);
        for (const auto& [name, truth] : {std::pair{"k1", 0.2}, std::pair{"k2", 0.05}}) {
            const auto interval = result["ci95"][name];
            EXPECT_LT(interval[0].get<double>(), truth) << name << " " << fit.out;
            EXPECT_GT(interval[1].get<double>(), truth) << name << " " << fit.out;
            EXPECT_LT(interval[1].get<double>() - interval[0].get<double>(), 0.2 * truth);  // noise is small
        }
    }
    // The ZD3 comment and the CSV comment line name the model and the true constants.
    const std::string zd3 = contents(home.file("exercise.ZD3"));
    EXPECT_EQ(zd3.rfind("zemtral-cli generate: Modell 6: k1 = 0.2, k2 = 0.05; c0: A = 1;", 0), 0u)
        << zd3.substr(0, 90);
    const std::string csv = contents(home.file("exercise.csv"));
    EXPECT_EQ(csv.rfind("# zemtral-cli generate: Modell 6: k1 = 0.2, k2 = 0.05;", 0), 0u);
    EXPECT_NE(csv.find("\nt,cA,cC,cP\n0,"), std::string::npos);
}

TEST(CliGenerate, NoiselessValuesAreTheClosedFormAndTheSeedReproduces) {
    zemtral::test::TempHome home;
    const std::string exact = home.file("exact.ZD3");
    ASSERT_EQ(run({"generate", "--model", "2", "--k1", "0.3", "--times", "0,1,2.5,7", "--species", "A",
                   "--unit", "min", "--output", exact})
                  .code,
              kExitOk);
    const DataFileRead read = readDataFile(exact);
    ASSERT_FALSE(read.error.failed());
    EXPECT_EQ(read.content.timeUnit, "min");
    ASSERT_EQ(read.content.points.size(), 4u);
    for (const ExpPoint& p : read.content.points) {
        EXPECT_NEAR(p.c[1], std::exp(-0.3 * p.t), 1e-6) << p.t;
        EXPECT_EQ(p.c[4], 0.0);  // P was not asked for: not measured
    }
    EXPECT_DOUBLE_EQ(read.content.points[3].t, 7.0);  // the run ends at the last time

    const auto noisy = [&](const std::string& name, const std::string& seed) {
        const std::string path = home.file(name);
        EXPECT_EQ(run({"generate", "--model", "2", "--points", "11", "--noise-abs", "0.01", "--seed", seed,
                       "--output", path})
                      .code,
                  kExitOk);
        return contents(path);
    };
    const std::string first = noisy("a.csv", "5");
    EXPECT_EQ(noisy("b.csv", "5").substr(first.find('\n')), first.substr(first.find('\n')));
    const std::string other = noisy("c.csv", "6");
    EXPECT_NE(other.substr(other.find('\n')), first.substr(first.find('\n')));

    // Usage errors and refusals.
    EXPECT_EQ(run({"generate", "--model", "2", "--points", "5"}).code, kExitUsage);  // no output
    EXPECT_EQ(run({"generate", "--model", "2", "--output", exact}).code, kExitUsage);
    EXPECT_EQ(run({"generate", "--model", "2", "--points", "1", "--output", exact}).code, kExitUsage);
    EXPECT_EQ(run({"generate", "--model", "2", "--times", "1,x", "--output", exact}).code, kExitUsage);
    EXPECT_EQ(run({"generate", "--model", "2", "--times", "5,50", "--tend", "10", "--output", exact}).code,
              kExitUsage);
    EXPECT_EQ(run({"generate", "--model", "2", "--points", "5", "--noise-rel", "-1", "--output", exact}).code,
              kExitUsage);
    EXPECT_EQ(run({"generate", "--model", "2", "--points", "5", "--species", "B", "--output", exact}).code,
              kExitUsage);
    const Output refused = run({"generate", "--model", "2", "--k1", "0", "--points", "5", "--output", exact});
    EXPECT_EQ(refused.code, kExitRefused);
    EXPECT_NE(refused.err.find("k1 muss größer Null sein"), std::string::npos);
    const Output unwritable =
        run({"generate", "--model", "2", "--points", "5", "--output", home.file("no/dir/x.csv")});
    EXPECT_EQ(unwritable.code, kExitRefused);
}

}  // namespace
}  // namespace zemtral::cli
