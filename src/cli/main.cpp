#include <iostream>

#include "cli/cli.h"
#include "cli/plot_launcher.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return zemtral::cli::runCli(args, std::cout, std::cerr, zemtral::cli::runPlotProgram);
}
