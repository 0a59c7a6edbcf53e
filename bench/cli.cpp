// zemtral-cli as a script runs it: the start-up of a subcommand that needs no user interface, and
// one call evaluating a thousand small data files on two threads. Skipped when the tool was not
// built.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

std::string toolPath() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    // build/bench/bench_cli -> build/zemtral-cli
    return ec ? std::string() : (self.parent_path().parent_path() / "zemtral-cli").string();
}

// Runs the tool with its output thrown away; its exit code, or -1 when it could not start.
int runTool(const std::string& tool, std::vector<std::string> args) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv{const_cast<char*>(tool.c_str())};
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int started = posix_spawn(&pid, tool.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (started != 0 || waitpid(pid, &status, 0) != pid) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BM_CliSimulateModel2Process(benchmark::State& state) {
    const std::string tool = toolPath();
    if (access(tool.c_str(), X_OK) != 0) {
        state.SkipWithError("zemtral-cli was not built");
        return;
    }
    for (auto _ : state) {
        if (runTool(tool, {"simulate", "--model", "2"}) != 0) {
            state.SkipWithError("zemtral-cli simulate failed");
            break;
        }
    }
}
BENCHMARK(BM_CliSimulateModel2Process)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CliEvaluate1000FilesTwoJobs(benchmark::State& state) {
    const std::string tool = toolPath();
    if (access(tool.c_str(), X_OK) != 0) {
        state.SkipWithError("zemtral-cli was not built");
        return;
    }
    char pattern[] = "/tmp/zemtral-bench-cli-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        state.SkipWithError("no temporary directory");
        return;
    }
    const fs::path dir = pattern;
    for (int f = 0; f < 1000; ++f) {
        std::ofstream out(dir / ("run" + std::to_string(f) + ".csv"));
        out << "t;cA\n";
        const double k = 0.01 + 0.0001 * f;
        for (int i = 0; i <= 10; ++i) {
            out << 10 * i << ';' << std::exp(-k * 10 * i) << '\n';
        }
    }
    for (auto _ : state) {
        if (runTool(tool, {"evaluate", "first-order", dir.string(), "--jobs", "2", "--format", "csv"}) != 0) {
            state.SkipWithError("zemtral-cli evaluate failed");
            break;
        }
    }
    fs::remove_all(dir);
}
BENCHMARK(BM_CliEvaluate1000FilesTwoJobs)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
