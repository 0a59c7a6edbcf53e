#include "cli/cli.h"

#include <ostream>
#include <string_view>

#include "cli/commands.h"
#include "data/quoted_field.h"

namespace zemtral::cli {
namespace {

struct Entry {
    std::string_view name;
    Command run;
    std::string_view summary;
};

constexpr Entry kCommands[] = {
    {"simulate", runSimulate, "simulate a kinetic model: c(t) and r(t) on 201 points"},
    {"halflife", runHalfLife, "half-lives of A and B of a kinetic model"},
    {"tangent", runTangent, "rate dc/dt at a time from the spline through measured points"},
    {"reactor", runReactor, "batch reactor, stirred tank or tube for a kinetic model"},
    {"montecarlo", runMonteCarlo, "the Monte-Carlo game of first-order kinetics and equilibrium"},
    {"fit", runFit, "fit rate constants, order or activation parameters to measured data"},
    {"evaluate", runEvaluate, "linearised evaluation or Arrhenius/Eyring plot of measured data"},
    {"generate", runGenerate, "simulated measurements with noise as a ZD3 or CSV data file"},
    {"plot", nullptr, "the diagram of simulate, evaluate, fit or tangent as a PNG, SVG or PDF file"},
};

void printUsage(std::ostream& out) {
    out << "Usage: zemtral-cli COMMAND [OPTIONS]   (zemtral-cli COMMAND --help for its options)\n"
           "       zemtral-cli --version | --help-all\n\n"
           "Commands:\n";
    for (const Entry& e : kCommands) {
        out << "  " << e.name << std::string(12 - e.name.size(), ' ') << e.summary << "\n";
    }
}

}  // namespace

std::string commandSummary(const std::string& command) {
    for (const Entry& e : kCommands) {
        if (command == e.name) {
            return std::string(e.summary);
        }
    }
    return {};
}

int usageError(std::ostream& err, const std::string& command, const std::string& message) {
    err << "zemtral-cli " << command << ": " << message << "\n"
        << "Try 'zemtral-cli " << command << " --help'.\n";
    return kExitUsage;
}

CommandArgs parseCommandArgs(const std::vector<std::string>& words, const OptionSpec& grammar,
                             const std::string& command, const char* help, std::ostream& out,
                             std::ostream& err) {
    CommandArgs result;
    std::string error;
    auto args = parseArgs(words, grammar, error);
    if (!args) {
        result.exitCode = usageError(err, command, error);
    } else if (args->has("help")) {
        out << commandHelp(grammar, "zemtral-cli " + command, commandSummary(command), help);
    } else {
        result.args = std::move(args);
    }
    return result;
}

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, Command plot) {
    if (args.empty()) {
        printUsage(err);
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printUsage(out);
        return kExitOk;
    }
    if (args[0] == "--help-all") {
        // The usage and then every subcommand's help: the text of the manual page.
        printUsage(out);
        for (const Entry& e : kCommands) {
            if (e.run != nullptr) {
                out << "\n";
                e.run({"--help"}, out, err);
            }
        }
        return kExitOk;
    }
    if (args[0] == "--version" || args[0] == "-V") {
        out << "zemtral-cli " << ZEMTRAL_VERSION << "\n";
        return kExitOk;
    }
    for (const Entry& e : kCommands) {
        if (args[0] == e.name) {
            const Command run = e.run != nullptr ? e.run : plot;
            if (run == nullptr) {
                err << "zemtral-cli: this build has no plot command (it was built without the user "
                       "interface)\n";
                return kExitRefused;
            }
            return run(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
        }
    }
    err << "zemtral-cli: unknown command " << quotedField(args[0]) << "\n";
    printUsage(err);
    return kExitUsage;
}

}  // namespace zemtral::cli
