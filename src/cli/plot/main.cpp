// zemtral-plot: the plot subcommand of zemtral-cli as a program of its own. It is the only part of
// the command-line tool that needs the user-interface libraries; zemtral-cli plot runs it.
#include <iostream>
#include <string>
#include <vector>

#include "cli/plot/plot_command.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--version" || args[0] == "-V")) {
        std::cout << "zemtral-plot " << ZEMTRAL_VERSION << "\n";
        return 0;
    }
    return zemtral::cli::runPlot(args, std::cout, std::cerr);
}
