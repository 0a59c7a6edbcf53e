#include <ostream>

#include "cli/commands.h"
#include "cli/json_writer.h"
#include "montecarlo/monte_carlo.h"

namespace zemtral::cli {
namespace {

constexpr const char* kMonteCarloHelp =
    "The Monte-Carlo game of the program: kind 1 = first-order reaction A => P (runs until no A is\n"
    "left), kind 2 = dynamic equilibrium A <=> P (runs for M recorded points, default 100). The board\n"
    "sizes are nominal: 500 means 529 molecules, 5000 4900, 10000 9025, 100000 90000. Without --seed\n"
    "every run is seeded from the clock.\n"
    "  json  {\"kind\", \"n0\", \"tmax\", \"K\", \"simulated\": {\"t\", \"nA\"}, \"analytic\": "
    "{\"tPercent\",\n"
    "        \"nAPercent\", \"nPPercent\"}}\n"
    "  csv   the recorded points: t,nA,nP\n";

}  // namespace

int runMonteCarlo(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    OptionSpec grammar;
    grammar.synopsis = "--kind 1|2";
    grammar.value("kind", "1|2", "1 = A => P, 2 = A <=> P (required)")
        .value("n0", "100|500|1000|5000|10000|100000", "board size (nominal number of molecules)")
        .value("K", "0.5|1|2", "equilibrium constant of A <=> P")
        .value("seed", "S", "seed of the random numbers (default: the clock)")
        .value("points", "M", "recorded points of A <=> P (default 100)")
        .value("format", "json|csv", "output format (default json)");
    const CommandArgs parsed = parseCommandArgs(words, grammar, "montecarlo", kMonteCarloHelp, out, err);
    if (!parsed.args) {
        return parsed.exitCode;
    }
    const auto& args = parsed.args;
    std::string error;
    const std::string kindText = args->value("kind").value_or("");
    if (kindText != "1" && kindText != "2") {
        return usageError(err, "montecarlo", "--kind 1 (A => P) or 2 (A <=> P) is required");
    }
    const auto kind = kindText == "1" ? MonteCarloKind::FirstOrder : MonteCarloKind::Equilibrium;
    int board = kDefaultBoardIndex;
    if (const auto n0 = args->value("n0")) {
        board = -1;
        for (std::size_t i = 0; i < kBoardSizes.size(); ++i) {
            if (*n0 == kBoardSizes[i].caption || *n0 == std::to_string(kBoardSizes[i].n0)) {
                board = static_cast<int>(i);
            }
        }
        if (board < 0) {
            return usageError(err, "montecarlo", "--n0: one of 100, 500, 1000, 5000, 10000, 100000");
        }
    }
    int kIndex = kDefaultKIndex;
    if (const auto k = args->value("K")) {
        kIndex = *k == "0.5" || *k == "0,5" ? 0 : *k == "1" ? 1 : *k == "2" ? 2 : -1;
        if (kIndex < 0) {
            return usageError(err, "montecarlo", "--K: one of 0.5, 1, 2");
        }
    }
    std::optional<std::uint64_t> seed;
    if (const auto s = args->value("seed")) {
        try {
            std::size_t used = 0;
            seed = std::stoull(*s, &used);
            if (used != s->size()) {
                throw std::invalid_argument(*s);
            }
        } catch (const std::exception&) {
            return usageError(err, "montecarlo", "--seed: a non-negative integer");
        }
    }
    long long points = 100;
    if (const auto m = numberOption(*args, "points", error)) {
        if (*m < 1 || *m > 1e6 || *m != static_cast<long long>(*m)) {
            return usageError(err, "montecarlo", "--points: an integer from 1 to 1000000");
        }
        points = static_cast<long long>(*m);
    } else if (!error.empty()) {
        return usageError(err, "montecarlo", error);
    }
    const auto format = outputFormat(*args, OutputFormat::Json, error);
    if (!format || *format == OutputFormat::Table) {
        return usageError(err, "montecarlo", format ? "--format: one of json, csv" : error);
    }

    MonteCarloGame game(kind, board, kIndex, seed);
    game.start();
    while (game.phase() == MonteCarloGame::Phase::Running &&
           (kind == MonteCarloKind::FirstOrder || static_cast<long long>(game.recorded().size()) <= points)) {
        game.advance(game.board().stepsPerPoint);
    }
    const auto& recorded = game.recorded();
    if (*format == OutputFormat::Csv) {
        out << "t,nA,nP\n";
        for (const RecordedPoint& p : recorded) {
            out << p.t << ',' << p.nA << ',' << game.n0() - p.nA << '\n';
        }
        return kExitOk;
    }
    std::vector<double> t, nA, ax, ay, py;
    for (const RecordedPoint& p : recorded) {
        t.push_back(static_cast<double>(p.t));
        nA.push_back(p.nA);
    }
    const auto a = analyticCurve(kind, game.n0(), game.equilibriumConstant(), 1);
    const auto pCurve = analyticCurve(kind, game.n0(), game.equilibriumConstant(), 2);
    for (std::size_t i = 0; i < a.size(); ++i) {
        ax.push_back(a[i].x);
        ay.push_back(a[i].y);
        py.push_back(pCurve[i].y);
    }
    JsonWriter json;
    json.beginObject().integer("kind", kindText == "1" ? 1 : 2).integer("n0", game.n0());
    json.integer("tmax", game.tMax()).number("K", game.equilibriumConstant());
    json.beginObject("simulated").numbers("t", t).numbers("nA", nA).endObject();
    json.beginObject("analytic").numbers("tPercent", ax).numbers("nAPercent", ay).numbers("nPPercent", py);
    out << json.endObject().endObject().text() << "\n";
    return kExitOk;
}

}  // namespace zemtral::cli
