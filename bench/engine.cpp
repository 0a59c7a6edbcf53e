// One simulation run of 201 points for every model with its default constants: the inner loop
// of every fit. Goals: under 20 µs for a closed-form model, under 200 µs for a numerical one.
#include <benchmark/benchmark.h>

#include "core/engine.h"
#include "core/model_catalogue.h"
#include "core/working_state.h"

namespace {

void BM_calc_diagramfunctioncT(benchmark::State& bench) {
    const auto model = static_cast<std::int16_t>(bench.range(0));
    zemtral::WorkingState state;
    zemtral::applyModelDefaults(state, model);
    zemtral::SimulationResult result;
    for (auto _ : bench) {
        const zemtral::EngineStatus status = zemtral::calc_diagramfunctioncT(model, state, result);
        benchmark::DoNotOptimize(status.errorFlag);
        benchmark::DoNotOptimize(result.simConc[1].data());
        if (status.errorFlag != 0) {
            bench.SkipWithError(status.message.c_str());
            break;
        }
    }
    bench.SetLabel(zemtral::isNumericModel(model) ? "numerical" : "closed form");
}

BENCHMARK(BM_calc_diagramfunctioncT)->DenseRange(1, 18)->Arg(20)->Unit(benchmark::kMicrosecond);

}  // namespace
