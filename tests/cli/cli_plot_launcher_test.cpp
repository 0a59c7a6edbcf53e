// zemtral-cli hands `plot` to the separate plot program and itself loads no Qt.
#include "cli/plot_launcher.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "support/temp_home.h"
#include "test_paths.h"

namespace zemtral::cli {
namespace {

namespace fs = std::filesystem;

std::string makeFile(const fs::path& path, bool executable) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "#!/bin/sh\n";
    ::chmod(path.c_str(), executable ? 0755 : 0644);
    return path.string();
}

struct Shell {
    int code;
    std::string text;
};

Shell shell(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    Shell result{-1, {}};
    char buffer[4096];
    std::size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.text.append(buffer, n);
    }
    const int status = pclose(pipe);
    result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

TEST(PlotLauncher, BesideTheProgramFirstThenAbsolutePathEntries) {
    zemtral::test::TempHome home;
    const fs::path root = home.path();
    const std::string self = makeFile(root / "bin" / "zemtral-cli", true);
    const std::string onPath = makeFile(root / "path" / kPlotProgramName, true);
    makeFile(root / "plain" / kPlotProgramName, false);  // not executable: skipped

    const std::string search = (root / "plain").string() + ":" + (root / "path").string();
    EXPECT_EQ(findPlotProgram(self, search), onPath);
    const std::string beside = makeFile(root / "bin" / kPlotProgramName, true);
    EXPECT_EQ(findPlotProgram(self, search), beside);

    // Relative and empty entries (the current directory) are never searched.
    const fs::path previous = fs::current_path();
    fs::current_path(root / "path");
    EXPECT_EQ(findPlotProgram("", ":.:path"), std::nullopt);
    EXPECT_EQ(findPlotProgram((root / "none" / "zemtral-cli").string(), ""), std::nullopt);
    fs::current_path(previous);
}

TEST(PlotLauncher, TheCommandLineToolLinksNoQtAndSaysWhenPlotIsMissing) {
    const std::string program = std::string(ZEMTRAL_BINARY_DIR) + "/zemtral-cli";
    const Shell libraries = shell("ldd " + program);
    ASSERT_EQ(libraries.code, 0);
    EXPECT_EQ(libraries.text.find("libQt"), std::string::npos) << libraries.text;

    // A copy of the tool alone, with nothing on PATH: plot is refused with its reason.
    zemtral::test::TempHome home;
    const fs::path copy = fs::path(home.path()) / "zemtral-cli";
    fs::copy_file(program, copy);
    const Shell alone =
        shell("PATH=/nonexistent " + copy.string() + " plot simulate --model 2 --output x.png 2>&1");
    EXPECT_EQ(alone.code, 1);
    EXPECT_NE(alone.text.find("no plot command"), std::string::npos) << alone.text;

    // With the plot program built beside it, plot reaches that program (its own help).
    if (fs::exists(fs::path(ZEMTRAL_BINARY_DIR) / kPlotProgramName)) {
        const Shell help = shell("PATH=/nonexistent " + program + " plot --help");
        EXPECT_EQ(help.code, 0);
        EXPECT_NE(help.text.find("--output"), std::string::npos) << help.text;
    }
}

}  // namespace
}  // namespace zemtral::cli
