// Auto-Fitting from the default start values: model 18 (three constants, numerically integrated)
// to 30 points and model 4 (closed form) to 20 points.
#include <benchmark/benchmark.h>

#include "evaluation/fitting.h"

namespace zemtral {
namespace {

struct Problem {
    WorkingState defaults;
    ExpDataSet data;
};

/// Points at `count` times up to 100 of `model` with the constants `k`, every species measured.
Problem makeProblem(std::int16_t model, const std::array<double, 4>& k, int count) {
    Problem p;
    p.defaults.conc0 = {};
    applyModelDefaults(p.defaults, model);
    p.defaults.tEnd = 100.0f;
    p.defaults.fittingMode = kFittingRateConstants;
    WorkingState truth = p.defaults;
    truth.rateConst = k;
    SimulationResult sim;
    calc_diagramfunctioncT(model, truth, sim);
    for (int i = 1; i <= count; ++i) {
        ExpPoint pt;
        pt.t = 100.0 * i / count;
        std::int16_t flag = 0;
        const SpeciesArray c = ConcAtTime(model, pt.t, truth, sim, flag);
        for (int s = 1; s <= 5; ++s) {
            pt.c[s] = c[s] > 1e-12 ? c[s] : 0.0;
        }
        p.data.points.push_back(pt);
    }
    p.data.pointCount = static_cast<std::int16_t>(count);
    return p;
}

void runFit(benchmark::State& bench, std::int16_t model, const std::array<double, 4>& k, int count) {
    const Problem problem = makeProblem(model, k, count);
    int objectives = 0;
    bool converged = true;
    for (auto _ : bench) {
        WorkingState state = problem.defaults;
        SimulationResult sim;
        ActivationParameters activation;
        FitContext ctx{state,      sim,          problem.data,
                       activation, kKTArrhenius, {false, true, true, true, true, true}};
        const AutoFitOutcome out = runAutoFitting(ctx, {});
        objectives = out.fit.objectiveCount + out.fit.jacobianCount * fitParameterCount(model, 1);
        converged = converged && out.fit.converged;
        benchmark::DoNotOptimize(state.rateConst);
    }
    bench.counters["model_runs"] = objectives;
    bench.counters["converged"] = converged ? 1 : 0;
}

void Model18ThirtyPoints(benchmark::State& bench) {
    runFit(bench, 18, {0.0, 0.2, 0.07, 0.008}, 30);
}
void Model4TwentyPoints(benchmark::State& bench) {
    runFit(bench, 4, {0.0, 0.21, 0.0, 0.0}, 20);
}

BENCHMARK(Model18ThirtyPoints)->Unit(benchmark::kMillisecond);
BENCHMARK(Model4TwentyPoints)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zemtral
