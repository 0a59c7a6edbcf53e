// The enzyme model with realistic constants: E + S <=> ES => P + E with k> = 1e6, 1e8 and 1e9
// l/(mol s), k< = k3 = 1e3 1/s, c(E)(0) = 1e-7 and c(S)(0) = 1e-3 mol/l over 100 s. These runs
// are stiff and take the implicit path. Goals: under 1 ms per run at k> = 1e9, and under 0.5 s
// for a fit of k> and k3 to 40 points of the k> = 1e8 run.
#include <benchmark/benchmark.h>

#include <cmath>

#include "evaluation/fitting.h"

namespace zemtral {
namespace {

WorkingState stiffEnzyme(double kForward) {
    WorkingState state;
    applyModelDefaults(state, 10);
    state.rateConst = {0.0, kForward, 1e3, 1e3};
    state.conc0 = {0.0, 1e-7, 1e-3, 0.0, 0.0, 0.0};
    state.tEnd = 100.0f;
    return state;
}

void StiffEnzymeRun(benchmark::State& bench) {
    const WorkingState start = stiffEnzyme(static_cast<double>(bench.range(0)));
    SimulationResult result;
    for (auto _ : bench) {
        WorkingState state = start;
        const EngineStatus status = calc_diagramfunctioncT(10, state, result);
        benchmark::DoNotOptimize(result.simConc[kSlotP].data());
        if (status.errorFlag != 0) {
            bench.SkipWithError(status.message.c_str());
            break;
        }
    }
    bench.counters["implicit_from"] = result.implicitFrom;
}

// 40 points of S and P at t = 2.5, 5 ... 100 s from the k> = 1e8 run; the fit starts from
// k> = 5e7 and k3 = 1200 with k< held fixed. The window's bounds (k at most 100000) would stop
// such constants, so the bench sets its own.
void StiffEnzymeFit(benchmark::State& bench) {
    WorkingState truth = stiffEnzyme(1e8);
    truth.fittingMode = kFittingRateConstants;
    SimulationResult sim;
    calc_diagramfunctioncT(10, truth, sim);
    ExpDataSet data;
    for (int i = 1; i <= 40; ++i) {
        ExpPoint pt;
        pt.t = 2.5 * i;
        std::int16_t flag = 0;
        const SpeciesArray c = ConcAtTime(10, pt.t, truth, sim, flag);
        pt.c[kSlotB] = c[kSlotB] > 1e-12 ? c[kSlotB] : 0.0;
        pt.c[kSlotP] = c[kSlotP];
        data.points.push_back(pt);
    }
    data.pointCount = 40;

    WorkingState startState = truth;
    startState.rateConst = {0.0, 5e7, 1e3, 1.2e3};
    MarquardtOptions options;
    options.lower = {1e-7, 1e-7, 1e-7};
    options.upper = {1e12, 1e12, 1e12};
    options.fixed = {false, true, false};
    MarquardtResult fit;
    for (auto _ : bench) {
        WorkingState state = startState;
        SimulationResult work;
        ActivationParameters activation;
        FitContext ctx{state, work, data, activation, kKTArrhenius, {false, false, true, false, true, false}};
        const std::vector<ResidualEntry> entries = residualEntries(ctx);
        fit = MarquardtNashFitting(fitProblem(ctx, entries, 3), currentFitParameters(ctx, 3), options);
        benchmark::DoNotOptimize(fit.params.data());
    }
    bench.counters["converged"] = fit.converged ? 1 : 0;
    bench.counters["k1_rel_error"] = fit.params.empty() ? -1.0 : std::fabs(fit.params[0] / 1e8 - 1.0);
    bench.counters["k3_rel_error"] = fit.params.empty() ? -1.0 : std::fabs(fit.params[2] / 1e3 - 1.0);
    bench.counters["model_runs"] = fit.objectiveCount + 2 * fit.jacobianCount;
}

BENCHMARK(StiffEnzymeRun)
    ->Arg(1'000'000)
    ->Arg(100'000'000)
    ->Arg(1'000'000'000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(StiffEnzymeFit)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zemtral
