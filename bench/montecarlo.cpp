// The Monte-Carlo engine without drawing: molecule steps per second and a whole first-order game
// on the largest board.
#include <benchmark/benchmark.h>

#include "montecarlo/monte_carlo.h"

namespace {

using zemtral::MonteCarloGame;
using zemtral::MonteCarloKind;

void BM_EquilibriumSteps(benchmark::State& state) {
    MonteCarloGame game(MonteCarloKind::Equilibrium, 5, static_cast<int>(state.range(0)), 1);
    game.start();
    constexpr std::int64_t kBlock = 1'000'000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(game.advance(kBlock));
    }
    state.SetItemsProcessed(state.iterations() * kBlock);
}
BENCHMARK(BM_EquilibriumSteps)->Arg(0)->Arg(1)->Arg(2);

void BM_FirstOrderGameLargestBoard(benchmark::State& state) {
    std::int64_t steps = 0;
    for (auto _ : state) {
        MonteCarloGame game(MonteCarloKind::FirstOrder, 5, 0, 3);
        game.start();
        while (game.phase() == MonteCarloGame::Phase::Running) {
            steps += game.advance(1'000'000);
        }
        benchmark::DoNotOptimize(game.countA());
    }
    state.SetItemsProcessed(steps);
}
BENCHMARK(BM_FirstOrderGameLargestBoard)->Unit(benchmark::kMillisecond);

}  // namespace
