// zemtral-plot: the plot subcommand of zemtral-cli as a program of its own. It is the only part of
// the command-line tool that needs the user-interface libraries; zemtral-cli plot runs it.
#include <iostream>
#include <string>
#include <vector>

#include "cli/plot/plot_command.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return zemtral::cli::runPlot(args, std::cout, std::cerr);
}
