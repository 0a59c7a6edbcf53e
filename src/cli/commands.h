#pragma once
// The subcommands of zemtral-cli and the options they share.
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_args.h"
#include "core/working_state.h"

namespace zemtral::cli {

int runSimulate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runEvaluate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runFit(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runTangent(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runReactor(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runMonteCarlo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runGenerate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runHalfLife(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

enum class OutputFormat { Table, Csv, Json };

/// @brief The options of the model and its constants shared by simulate, halflife and reactor.
OptionSpec modelOptionSpec();

/// @brief The working state for --model N with the model's defaults applied as the model window
/// does (for a rate diagram when `rateDiagram`), then overridden by --k1 --k2 --k3 --c0 --order
/// --tend --unit. Nothing and a message on a usage error.
std::optional<WorkingState> modelStateFromArgs(const ParsedArgs& args, std::string& error,
                                               bool rateDiagram = false);

/// @brief --c0 A=X,B=X,... (model 10 also E=, S=, ES=) into c0; false with a message on a bad entry.
bool applyConcentrationOption(const ParsedArgs& args, SpeciesArray& c0, std::string& error);

/// @brief --format table|csv|json (default `fallback`); nothing on an unknown name.
std::optional<OutputFormat> outputFormat(const ParsedArgs& args, OutputFormat fallback, std::string& error);

/// @brief The arguments of a subcommand, or the exit code when nothing is left to do.
struct CommandArgs {
    std::optional<ParsedArgs> args;  ///< empty: --help was printed or a usage error reported
    int exitCode = kExitOk;
};

/// @brief Parses the words after the subcommand with its grammar; prints the help generated from
/// the grammar with `help` as its closing text on -h/--help (exit 0), or the usage error (exit 2),
/// and then gives no arguments.
CommandArgs parseCommandArgs(const std::vector<std::string>& words, const OptionSpec& grammar,
                             const std::string& command, const char* help, std::ostream& out,
                             std::ostream& err);

/// @brief The one-line summary of a subcommand in the tool's command list.
std::string commandSummary(const std::string& command);

/// @brief Prints "zemtral-cli: <message>" and a hint to --help on err; returns kExitUsage.
int usageError(std::ostream& err, const std::string& command, const std::string& message);

}  // namespace zemtral::cli
