// How promptly a stop request ends an Auto-Fitting of a stiff enzyme model: the fit runs on a
// worker thread as in the fitting window, the stop comes 30 ms after the start, and the time
// from the request until the worker is done is what the user waits after Stop or Esc.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "session/auto_fit_job.h"
#include "session/evaluation_commands.h"

namespace zemtral {
namespace {

using Clock = std::chrono::steady_clock;

/// Dialogs that nobody sees: a bench has no user to answer.
class SilentDialogs : public UserDialogs {
  public:
    void showMessage(const std::string&, const std::string&, MessageIcon) override {}
    Answer askYesNo(const std::string&, const std::string&, MessageIcon) override { return Answer::No; }
    Answer askYesNoCancel(const std::string&, const std::string&, MessageIcon) override {
        return Answer::Cancel;
    }
    Answer askOkCancel(const std::string&, const std::string&, MessageIcon) override {
        return Answer::Cancel;
    }
    std::optional<std::string> inputText(const std::string&, const std::string&,
                                         const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseOpenFile(const std::string&, const std::string&,
                                              const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseSaveFile(const std::string&, const std::string&, const std::string&,
                                              const std::string&) override {
        return std::nullopt;
    }
    void beep() override {}
    void setClipboardText(const std::string&) override {}
};

/// E + S <=> ES => P + E with k> = 1e5, k< = 1e3, k3 = 2 (E0 = 1e-3, S0 = 0.1): the complex
/// settles within about 1e-5 s while S is used up over a minute, a stiffness ratio near 1e6.
/// 30 points of S and P with a little scatter; the fit starts from constants off by a factor 2.
Session stiffEnzymeSession() {
    Session s;
    applyModelDefaults(s.state, 10);
    s.state.conc0 = {0, 1e-3, 0.1, 0, 0, 0};
    s.state.rateConst = {0, 1e5, 1e3, 2.0};
    s.state.tEnd = 60.0f;
    SimulationResult truth;
    calc_diagramfunctioncT(10, s.state, truth);
    for (int i = 1; i <= 30; ++i) {
        std::int16_t flag = 0;
        ExpPoint p;
        p.t = 2.0 * i;
        const SpeciesArray c = ConcAtTime(10, p.t, s.state, truth, flag);
        p.c[kSlotB] = c[kSlotB] * (1 + 0.005 * std::sin(i));
        p.c[kSlotP] = c[kSlotP] * (1 + 0.005 * std::cos(i));
        s.data.points.push_back(p);
    }
    s.data.pointCount = 30;
    s.survey.shownSpecies = {false, false, true, false, true, false};
    s.state.fittingMode = kFittingRateConstants;
    s.evaluation.fitSpecies = {false, false, true, false, true, false};
    s.state.rateConst = {0, 5e4, 2e3, 1.0};
    reloadFitParameters(s);
    return s;
}

/// One model run of the case, the unit of work between two looks at the stop flag.
void StiffEnzymeModelRun(benchmark::State& bench) {
    Session s = stiffEnzymeSession();
    for (auto _ : bench) {
        WorkingState state = s.state;
        SimulationResult result;
        benchmark::DoNotOptimize(calc_diagramfunctioncT(10, state, result).errorFlag);
    }
}

/// Stop 30 ms into the fit; the measured time is from the request until the worker has ended.
void StiffEnzymeStopLatency(benchmark::State& bench) {
    SilentDialogs dialogs;
    bool stopped = true;
    for (auto _ : bench) {
        Session s = stiffEnzymeSession();
        std::unique_ptr<AutoFitJob> job = AutoFitJob::begin(s, dialogs);
        std::thread worker([&job] { job->run(); });
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        const Clock::time_point requested = Clock::now();
        job->requestStop();
        worker.join();
        bench.SetIterationTime(std::chrono::duration<double>(Clock::now() - requested).count());
        stopped = stopped && job->finish(dialogs).fit.stopped;
    }
    bench.counters["stopped"] = stopped ? 1 : 0;
}

/// The whole fit without a stop, for scale.
void StiffEnzymeWholeFit(benchmark::State& bench) {
    SilentDialogs dialogs;
    bool converged = true;
    for (auto _ : bench) {
        Session s = stiffEnzymeSession();
        const AutoFitOutcome out = autoFitting(s, dialogs);
        converged = converged && out.fit.converged;
    }
    bench.counters["converged"] = converged ? 1 : 0;
}

BENCHMARK(StiffEnzymeModelRun)->Unit(benchmark::kMillisecond);
BENCHMARK(StiffEnzymeStopLatency)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(StiffEnzymeWholeFit)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace zemtral
