#pragma once
// `zemtral-cli plot` runs the separate plot program, so that the other subcommands start without
// loading the user-interface libraries the pictures need.
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace zemtral::cli {

/// @brief The name of the plot program, installed beside zemtral-cli.
inline constexpr const char* kPlotProgramName = "zemtral-plot";

/// @brief The plot program: `kPlotProgramName` in the directory of `selfPath` (the running
/// zemtral-cli), else the first executable of that name in the colon-separated `searchPath`.
/// Nothing when neither has one.
std::optional<std::string> findPlotProgram(const std::string& selfPath, const std::string& searchPath);

/// @brief Runs the plot program with `args` in place of this process (its output and exit code
/// are the command's). Returns only when it cannot be found or started: kExitRefused after a
/// message on `err`.
int runPlotProgram(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zemtral::cli
