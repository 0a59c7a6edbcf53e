#pragma once
// zemtral-cli: the core's computations from the command line.
#include <iosfwd>
#include <string>
#include <vector>

namespace zemtral::cli {

/// @brief Exit codes: 0 success, 1 the program refused or a computation failed, 2 usage error.
enum ExitCode : int { kExitOk = 0, kExitRefused = 1, kExitUsage = 2 };

using Command = int (*)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

/// @brief Runs one subcommand; args are the words after the program name. `plot` is the plot
/// command when the tool is built with the user interface; without it plot is refused.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           Command plot = nullptr);

}  // namespace zemtral::cli
