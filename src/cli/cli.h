#pragma once
// zemtral-cli: the core's computations from the command line.
#include <iosfwd>
#include <string>
#include <vector>

namespace zemtral::cli {

/// @brief Exit codes: 0 success, 1 the program refused or a computation failed, 2 usage error.
enum ExitCode : int { kExitOk = 0, kExitRefused = 1, kExitUsage = 2 };

/// @brief Runs one subcommand; args are the words after the program name.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zemtral::cli
