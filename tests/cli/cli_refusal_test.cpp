#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/temp_home.h"
#include "test_paths.h"

namespace {

namespace fs = std::filesystem;

struct ProgramRun {
    int code = -1;
    std::string err;
};

// The built program as a script runs it: exit code and what it says on stderr.
ProgramRun runProgram(const std::string& arguments) {
    const std::string command =
        std::string(ZEMTRAL_BINARY_DIR) + "/zemtral-cli " + arguments + " 2>&1 >/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ProgramRun run;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        run.err.append(buffer, n);
    }
    const int status = pclose(pipe);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

std::string zd3Point(const std::string& t, const std::string& cA, const std::string& k, const std::string& T,
                     bool excluded) {
    return t + "," + cA + ",0,0,0,0," + k + "," + T + ",0,0,0,0," + (excluded ? "-1" : "0") + "\r\n";
}

// Evaluations that cannot determine their result say so and exit 1; no result is printed as if
// it were one. Inputs the program cannot hold are refused before they are converted.
TEST(CliRefusals, NoResultWithoutMeaning) {
    zemtral::test::TempHome home;
    const auto write = [&](const std::string& name, const std::string& text) {
        std::ofstream(home.file(name), std::ios::binary) << text;
        return home.file(name);
    };
    const std::string header =
        "Versuch\r\ns\r\nt, cA, cB, cC, cP, cQ, k, T, lambda, lamda(inf), res3, res4, "
        "exclude(0|-1)\r\n";
    const std::string oneActive =
        write("eins.ZD3", header + "3\r\n" + zd3Point("0", "1", "0", "0", false) +
                              zd3Point("10", ".5", "0", "0", true) + zd3Point("20", ".25", "0", "0", true));
    const std::string sameTime = write("gleich.csv", "t;cA;cB\n5;1;2\n5;0,5;1,5\n5;0,25;1,25\n");
    const std::string sameT = write("gleichT.csv", "T;k\n300;0,1\n300;0,2\n300;0,4\n");
    const std::string kTOneActive =
        write("kT.ZD3", header + "3\r\n" + zd3Point("0", "0", ".1", "300", false) +
                            zd3Point("0", "0", ".2", "310", true) + zd3Point("0", "0", ".4", "320", true));
    std::string longCell = "t;cA\n0;1\n1;\x01";
    longCell += std::string(100000, 'x') + "\n";
    const std::string binary = write("binaer.csv", longCell);

    const std::string tooFew = "Zu wenige verwendbare Messpunkte";
    const std::string oneAbscissa = "Alle verwendbaren Messpunkte liegen bei derselben Zeit bzw. Temperatur";
    const std::string noData = "Keine (oder zuwenig) experimentelle c-t-Daten.";
    struct Case {
        std::string arguments;
        int code;
        std::string said;
    } cases[] = {
        {"evaluate first-order " + oneActive, 1, noData},
        {"evaluate second-order " + oneActive, 1, noData},
        {"evaluate a-plus-b " + oneActive + " --c0 A=1,B=2", 1, noData},
        {"evaluate first-order " + sameTime, 1, oneAbscissa},
        {"evaluate second-order " + sameTime, 1, oneAbscissa},
        {"evaluate a-plus-b " + sameTime + " --c0 A=1,B=2", 1, oneAbscissa},
        {"evaluate lambda-first " + write("lambda.csv", "t;lambda;lambdaInf\n5;1;9\n5;2;\n"), 1, oneAbscissa},
        {"evaluate a-plus-b " + write("ohneB.csv", "t;cA\n0;1\n5;0,5\n") + " --c0 A=1,B=2", 1, tooFew},
        {"evaluate arrhenius " + sameT, 1, oneAbscissa},
        {"evaluate eyring " + sameT, 1, oneAbscissa},
        {"evaluate arrhenius " + kTOneActive, 1, "mindestens zwei unterschiedliche Paare k - T nötig!"},
        {"evaluate first-order /dev/zero", 1, "Die Datei ist zu groß: /dev/zero"},
        {"evaluate first-order " + binary, 1, "Keine gültige Zahl in Zeile 3: '\\x01xxx"},
        {"simulate --model 1e10", 2, "--model: no such model '1e10'"},
        {"halflife --model -4e9", 2, "--model: no such model"},
        {"reactor batch --model 99999999999 --time 1", 2, "--model: no such model"},
        {"fit " + sameTime + " --model 1e300", 2, "--model N (1..18 or 20)"},
        {"simulate --model 2 --tend 1e39", 2, "option --tend: '1e39' is out of range"},
        {"simulate --model 20 --order -1e39", 2, "option --order: '-1e39' is out of range"},
        {"reactor cstr --model 10 --conversion 0.9 --volume 2", 1,
         "Berechnungsfehler aufgetreten.\nMit keiner Verweilzeit"},
    };
    for (const Case& c : cases) {
        const ProgramRun run = runProgram(c.arguments);
        EXPECT_EQ(run.code, c.code) << c.arguments << "\n" << run.err;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << c.arguments << "\n" << run.err;
        EXPECT_LT(run.err.size(), 400u) << c.arguments;  // a long field is not echoed whole
    }
}

// Twenty runs appending to one protocol at the same time: every row arrives.
TEST(CliRefusals, ConcurrentProtocolAppendsKeepEveryRow) {
    zemtral::test::TempHome home;
    const std::string protocol = home.file("26120701.CSV");
    std::string script = "for i in $(seq 1 20); do " + std::string(ZEMTRAL_BINARY_DIR) +
                         "/zemtral-cli reactor batch --model 2 --k1 0.1 --time $i --protocol " + protocol +
                         " >/dev/null & done; wait";
    ASSERT_EQ(std::system(script.c_str()), 0);
    std::ifstream in(protocol, std::ios::binary);
    std::string line;
    int rows = 0;
    while (std::getline(in, line)) {
        rows += !line.empty() && line[0] >= '0' && line[0] <= '9' ? 1 : 0;
    }
    EXPECT_EQ(rows, 20);

    // A write-protected protocol is refused and stays as it was.
    ::chmod(protocol.c_str(), 0444);
    const std::uintmax_t size = fs::file_size(protocol);
    const ProgramRun refused = runProgram("reactor batch --model 2 --k1 0.1 --time 1 --protocol " + protocol);
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("schreibgeschützt"), std::string::npos) << refused.err;
    EXPECT_EQ(fs::file_size(protocol), size);
}

}  // namespace
