#include <iostream>

#include "cli/cli.h"
#ifdef ZEMTRAL_CLI_PLOT
#include "cli/plot/plot_command.h"
#endif

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
#ifdef ZEMTRAL_CLI_PLOT
    return zemtral::cli::runCli(args, std::cout, std::cerr, zemtral::cli::runPlot);
#else
    return zemtral::cli::runCli(args, std::cout, std::cerr);
#endif
}
