#include "cli/plot_launcher.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <ostream>

#include "cli/cli.h"

namespace zemtral::cli {
namespace {

namespace fs = std::filesystem;

bool isExecutableFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

// The path of the running program; empty when the system does not tell.
std::string selfExecutable() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : self.string();
}

}  // namespace

std::optional<std::string> findPlotProgram(const std::string& selfPath, const std::string& searchPath) {
    if (!selfPath.empty()) {
        const fs::path beside = fs::path(selfPath).parent_path() / kPlotProgramName;
        if (isExecutableFile(beside)) {
            return beside.string();
        }
    }
    std::size_t start = 0;
    while (start <= searchPath.size()) {
        const std::size_t end = std::min(searchPath.find(':', start), searchPath.size());
        const std::string dir = searchPath.substr(start, end - start);
        // An empty entry means the current directory, which is never searched for a program
        // started on the user's behalf.
        if (!dir.empty() && fs::path(dir).is_absolute()) {
            const fs::path candidate = fs::path(dir) / kPlotProgramName;
            if (isExecutableFile(candidate)) {
                return candidate.string();
            }
        }
        start = end + 1;
    }
    return std::nullopt;
}

int runPlotProgram(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const char* path = std::getenv("PATH");
    const auto program = findPlotProgram(selfExecutable(), path != nullptr ? path : "");
    if (!program) {
        err << "zemtral-cli: no plot command: " << kPlotProgramName
            << " is neither beside zemtral-cli nor on PATH (it comes with the user interface)\n";
        return kExitRefused;
    }
    std::vector<char*> argv;
    std::string name = kPlotProgramName;
    argv.push_back(name.data());
    std::vector<std::string> words = args;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    out.flush();
    err.flush();
    ::execv(program->c_str(), argv.data());
    err << "zemtral-cli: cannot start " << *program << ": " << std::strerror(errno) << "\n";
    return kExitRefused;
}

}  // namespace zemtral::cli
