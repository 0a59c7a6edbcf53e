// Start-up time of the desktop program: from spawning `zemtral --quit-when-shown` (offscreen, in a
// fresh application home) until the process reports the main window shown and exits. The program
// itself prints the time from its process start to the shown window; that figure is the counter
// "shown_s". Skipped when the program was not built (a build without the user interface).
#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string programPath() {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        return {};
    }
    // build/bench/bench_startup -> build/zemtral
    return (self.parent_path().parent_path() / "zemtral").string();
}

void BM_StartUpToMainWindowShown(benchmark::State& state) {
    const std::string program = programPath();
    if (program.empty() || access(program.c_str(), X_OK) != 0) {
        state.SkipWithError("zemtral was not built (no user interface in this build)");
        return;
    }
    char home[] = "/tmp/zemtral-bench-XXXXXX";
    if (mkdtemp(home) == nullptr) {
        state.SkipWithError("no temporary directory");
        return;
    }
    const std::string command = "QT_QPA_PLATFORM=offscreen ZEMTRAL_HOME=" + std::string(home) +
                                " XDG_CONFIG_HOME=" + std::string(home) + "/config " + program +
                                " --quit-when-shown 2>/dev/null";
    double shownSum = 0.0;
    int runs = 0;
    for (auto _ : state) {
        FILE* pipe = popen(command.c_str(), "r");
        if (pipe == nullptr) {
            state.SkipWithError("cannot start zemtral");
            break;
        }
        std::array<char, 256> line{};
        double shown = -1.0;
        while (std::fgets(line.data(), static_cast<int>(line.size()), pipe) != nullptr) {
            std::sscanf(line.data(), "main window shown after %lf", &shown);
        }
        const int status = pclose(pipe);
        if (status != 0 || shown < 0.0) {
            state.SkipWithError("zemtral did not report its main window");
            break;
        }
        shownSum += shown;
        ++runs;
    }
    if (runs > 0) {
        state.counters["shown_s"] = shownSum / runs;
    }
    std::filesystem::remove_all(home);
}

}  // namespace

BENCHMARK(BM_StartUpToMainWindowShown)->Unit(benchmark::kMillisecond)->Iterations(10);
