#pragma once
// zemtral-cli plot: the diagram the diagram window would show, rendered offscreen into a picture.
#include <iosfwd>
#include <string>
#include <vector>

namespace zemtral::cli {

/// @brief Runs `plot SOURCE ... --output FILE.png|svg|pdf [--width W --height H]`, SOURCE one of
/// simulate, evaluate, fit, tangent with that subcommand's options.
int runPlot(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zemtral::cli
