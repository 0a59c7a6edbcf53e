#include "session/monte_carlo_commands.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/recording_chart.h"

namespace zemtral {
namespace {

using test::RecordingChart;

// Frames of 1/30 s: the smallest board keeps its 0.06 s per step, the largest finishes a whole
// first-order game in well under two seconds, and the options' speed slows every board.
TEST(MonteCarloPacer, StepsPerFrameFollowTheWaits) {
    MonteCarloPacer smallest(0, 0.0f, false);
    EXPECT_DOUBLE_EQ(smallest.stepSeconds(), 0.06);
    std::int64_t steps = 0;
    for (int frame = 0; frame < 300; ++frame) {
        steps += smallest.stepsForFrame(1.0 / 30.0);
    }
    EXPECT_EQ(steps, 166) << "10 s at 0.06 s per step, fractions carried over";

    MonteCarloGame game(MonteCarloKind::FirstOrder, 5, 0, 1);
    MonteCarloPacer largest(5, 0.0f, false);
    game.start();
    int frames = 0;
    while (game.phase() == MonteCarloGame::Phase::Running && frames < 1000) {
        game.advance(largest.stepsForFrame(1.0 / 30.0));
        ++frames;
    }
    EXPECT_EQ(game.phase(), MonteCarloGame::Phase::Finished);
    EXPECT_LT(frames, 45) << "the 90 000 board finishes within 1.5 s of frames";
    EXPECT_GT(frames, 10) << "and still shows its progress over several frames";

    // The small boards show about 20 recorded points per second, the flash adds 1 ms per step.
    MonteCarloPacer board1024(2, 0.0f, false);
    EXPECT_NEAR(1.0 / (board1024.stepSeconds() * 102), 20.0, 1e-9);
    MonteCarloPacer flashing(0, 0.0f, true);
    EXPECT_DOUBLE_EQ(flashing.stepSeconds(), 0.061);
    MonteCarloPacer slow(5, 0.5f, false);
    EXPECT_DOUBLE_EQ(slow.stepSeconds(), 0.5);
    // A machine that was busy for 5 s does not make the run jump ahead: at most 1/4 s is caught up.
    EXPECT_EQ(slow.stepsForFrame(5.0), 0);
    EXPECT_EQ(MonteCarloPacer(0, 0.0f, false).stepsForFrame(5.0), 4);
    EXPECT_EQ(MonteCarloPacer(0, 0.0f, false).stepsForFrame(-1.0), 0);
}

TEST(MonteCarloChart, SetUpStylesAndTexts) {
    RecordingChart chart;
    MonteCarloOptions options;
    options.pointSize = 0;
    options.colourA = 0x00AA00;
    setUpMonteCarloChart(chart, MonteCarloKind::Equilibrium, options);
    EXPECT_EQ(chart.header(), "berechnet N(A) = N0 - N(A),eq {1 - exp[-N0 t k1/N(A),eq]}");
    EXPECT_EQ(chart.axis(ChartAxis::X).title, "Zeit t / t(max) * 100%");
    EXPECT_EQ(chart.axis(ChartAxis::Y).title, "Teilchenzahl  N(i) / N0 * 100%");
    EXPECT_EQ(chart.seriesLabel(1, 1), "N(A)");
    EXPECT_EQ(chart.seriesLabel(1, 2), "N(P) = N0 - N(A)");
    EXPECT_EQ(chart.seriesLabel(2, 1), " o :   simuliert");
    EXPECT_FALSE(chart.seriesLegendShown(2, 2));
    const SeriesStyle a = chart.seriesStyle(2, mc_series::kSimulatedA);
    EXPECT_EQ(a.symbolSize, 7) << "point size 0 shows as 7";
    EXPECT_EQ(a.symbolShape, SymbolShape::Circle);
    EXPECT_EQ(a.symbolColour, ChartColour{0x00AA00});
    EXPECT_EQ(a.linePattern, LinePattern::None);
    EXPECT_EQ(chart.seriesStyle(2, mc_series::kSimulatedP).symbolColour, ChartColour{0x0000FF});
    EXPECT_FALSE(chart.seriesVisible(1, mc_series::kEnsembleMean)) << "no ensemble before a run";

    options.pointSize = 4;
    options.solidPoints = true;
    applyMonteCarloPointStyle(chart, options);
    EXPECT_EQ(chart.seriesStyle(2, 2).symbolSize, 4);
    EXPECT_EQ(chart.seriesStyle(2, 2).symbolShape, SymbolShape::FilledCircle);
    RecordingChart first;
    setUpMonteCarloChart(first, MonteCarloKind::FirstOrder, options);
    EXPECT_EQ(first.header(), "berechnet N(A) = N0 exp(-k t)");
}

// The simulated series grow by the newly recorded points only, start again after a reset, and
// the time axis widens when the run goes beyond t(max).
TEST(MonteCarloChart, SimulatedPointsFollowTheGame) {
    RecordingChart chart;
    setUpMonteCarloChart(chart, MonteCarloKind::FirstOrder, MonteCarloOptions{});
    MonteCarloGame game(MonteCarloKind::FirstOrder, 0, 0, 5);
    showAnalyticCurves(chart, game);
    ASSERT_EQ(chart.pointCount(1, 1), 101);
    EXPECT_DOUBLE_EQ(chart.point(1, 2, 1).y, 0.0);
    game.start();
    showSimulatedPoints(chart, game);
    ASSERT_EQ(chart.pointCount(2, 1), 1);
    EXPECT_EQ(chart.point(2, 1, 1), (ChartPoint{0.0, 100.0}));
    EXPECT_EQ(chart.point(2, 2, 1), (ChartPoint{0.0, 0.0}));
    game.advance(70);
    chart.calls.clear();
    showSimulatedPoints(chart, game);
    ASSERT_EQ(chart.pointCount(2, 1), 11);
    int pointWrites = 0;
    for (const std::string& call : chart.calls) {
        pointWrites += call.rfind("setPoint ", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(pointWrites, 20) << "only the 10 new points of each series are written";
    for (int i = 1; i <= 11; ++i) {
        const RecordedPoint& r = game.recorded()[static_cast<std::size_t>(i - 1)];
        EXPECT_DOUBLE_EQ(chart.point(2, 1, i).x, r.t / 5.5);  // tmax = 550 steps
        EXPECT_DOUBLE_EQ(chart.point(2, 1, i).y + chart.point(2, 2, i).y, 100.0);
    }
    while (game.phase() == MonteCarloGame::Phase::Running) {
        game.advance(1000);
    }
    showSimulatedPoints(chart, game);
    const double lastX = chart.point(2, 1, chart.pointCount(2, 1)).x;
    EXPECT_GE(chart.axis(ChartAxis::X).maximum, lastX);
    EXPECT_EQ(std::fmod(chart.axis(ChartAxis::X).maximum, 50.0), 0.0);

    game.refresh();
    game.start();
    showSimulatedPoints(chart, game);
    EXPECT_EQ(chart.pointCount(2, 1), 1) << "a new run replaces the old points";
    clearMonteCarloRun(chart);
    EXPECT_EQ(chart.pointCount(2, 1), 0);
    EXPECT_EQ(chart.axis(ChartAxis::X).maximum, 100.0);
}

TEST(MonteCarloChart, EnsembleBandAndTexts) {
    RecordingChart chart;
    setUpMonteCarloChart(chart, MonteCarloKind::FirstOrder, MonteCarloOptions{});
    MonteCarloEnsemble ensemble(0, 5, 2);
    ensemble.advance(1'000'000);
    const EnsembleBand band = ensemble.band();
    showEnsembleBand(chart, band);
    EXPECT_TRUE(chart.seriesVisible(1, mc_series::kEnsembleMean));
    EXPECT_EQ(chart.pointCount(1, mc_series::kEnsembleLow), static_cast<int>(band.lower.size()));
    EXPECT_TRUE(chart.seriesLegendShown(1, mc_series::kEnsembleMean));
    EXPECT_FALSE(chart.seriesLegendShown(1, mc_series::kEnsembleHigh)) << "one legend line for the band";
    clearMonteCarloRun(chart);
    EXPECT_FALSE(chart.seriesVisible(1, mc_series::kEnsembleMean));
    EXPECT_EQ(chart.pointCount(1, mc_series::kEnsembleMean), 0);

    EnsembleBand b;
    b.sigmaAtHalfPercent = 0.814;
    b.expectedSigmaAtHalfPercent = 0.866;
    EXPECT_EQ(
        ensembleSummaryText(50, b, ','),
        "Ensemble aus 50 Läufen: Streuung ±1σ bei N(A) ≈ N0/2: 0,81 % von N0 (erwartet 0,87 %); sie nimmt "
        "mit der Wurzel aus N0 ab.");
    MonteCarloGame game(MonteCarloKind::FirstOrder, 0, 0, 1);
    EXPECT_EQ(monteCarloStateText(game), "t = 0   N(A) = 100   N(P) = 0");
    EXPECT_EQ(monteCarloHelpTopic(MonteCarloKind::Equilibrium), 10410);
}

}  // namespace
}  // namespace zemtral
