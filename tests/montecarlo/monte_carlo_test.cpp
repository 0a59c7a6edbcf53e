#include "montecarlo/monte_carlo.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zemtral {
namespace {

TEST(MonteCarlo, BoardTableAndDerivedValues) {
    const std::array<std::int64_t, 6> tmax{550, 2910, 5632, 26950, 49638, 495000};
    for (std::size_t i = 0; i < kBoardSizes.size(); ++i) {
        const BoardSize& b = kBoardSizes[i];
        EXPECT_EQ(b.side * b.side, b.n0);
        EXPECT_EQ(monteCarloTMax(b.n0), tmax[i]) << b.n0;
    }
    EXPECT_NEAR(stepConstant(100), -std::log(0.99), 1e-15);
    EXPECT_EQ(baseStepDelay(100), 0.06);
    EXPECT_EQ(baseStepDelay(90000), 0.0);

    // Molecule j sits in row ceil(j/s) and column ((j − 1) mod s) + 1.
    EXPECT_EQ(moleculeCell(1, 10).row, 1);
    EXPECT_EQ(moleculeCell(1, 10).column, 1);
    EXPECT_EQ(moleculeCell(10, 10).row, 1);
    EXPECT_EQ(moleculeCell(10, 10).column, 10);
    EXPECT_EQ(moleculeCell(11, 10).row, 2);
    EXPECT_EQ(moleculeCell(11, 10).column, 1);
    EXPECT_EQ(moleculeCell(90000, 300).row, 300);
    EXPECT_EQ(moleculeCell(90000, 300).column, 300);
}

TEST(MonteCarlo, AnalyticCurves) {
    for (const BoardSize& b : kBoardSizes) {
        const auto a = analyticCurve(MonteCarloKind::FirstOrder, b.n0, 1.0f, 1);
        const auto p = analyticCurve(MonteCarloKind::FirstOrder, b.n0, 1.0f, 2);
        ASSERT_EQ(a.size(), 101u);
        EXPECT_DOUBLE_EQ(a[0].y, 100.0);
        EXPECT_NEAR(a[100].x, 100.0, 1e-9);
        EXPECT_NEAR(a[50].y + p[50].y, 100.0, 1e-9);
        // 5.5·N0 steps of m ≈ 1/N0: e^(−5.5) of A is left.
        EXPECT_NEAR(a[100].y, 100.0 * std::exp(-stepConstant(b.n0) * monteCarloTMax(b.n0)), 1e-9);
    }
    // The equilibrium limits: N(A) = N0/(K + 1).
    for (float k : kEquilibriumConstants) {
        const auto a = analyticCurve(MonteCarloKind::Equilibrium, 1024, k, 1);
        EXPECT_NEAR(a[100].y, 100.0 / (k + 1.0), 0.1) << k;
        EXPECT_DOUBLE_EQ(a[0].y, 100.0);
    }
}

TEST(MonteCarlo, FirstOrderGameOnTheSmallestBoard) {
    MonteCarloGame game(MonteCarloKind::FirstOrder, 0, 0, 42);
    EXPECT_EQ(game.phase(), MonteCarloGame::Phase::Idle);
    EXPECT_EQ(game.advance(1000), 0);  // idle: nothing runs
    game.start();
    std::vector<MoleculeChange> changes;
    while (game.phase() == MonteCarloGame::Phase::Running) {
        game.advance(5, &changes);
    }
    EXPECT_EQ(game.phase(), MonteCarloGame::Phase::Finished);
    const auto& points = game.recorded();
    ASSERT_GE(points.size(), 2u);
    EXPECT_EQ(points[0].t, 0);
    EXPECT_EQ(points[0].nA, 100);
    for (std::size_t i = 1; i < points.size(); ++i) {
        EXPECT_EQ(points[i].t - points[i - 1].t, 7);
        EXPECT_LE(points[i].nA, points[i - 1].nA);
    }
    EXPECT_TRUE(game.countA() == 0 || game.steps() > 10 * game.tMax());
    // Every change turned an A into P, each molecule at most once, and the board agrees.
    EXPECT_EQ(static_cast<int>(changes.size()), 100 - game.countA());
    std::vector<int> seen(101, 0);
    for (const auto& c : changes) {
        EXPECT_FALSE(c.isA);
        EXPECT_EQ(++seen[static_cast<std::size_t>(c.index)], 1);
        EXPECT_FALSE(game.isA(c.index));
    }
    EXPECT_FALSE(game.go() && game.countA() <= 1);
}

TEST(MonteCarlo, StartStopGoRefresh) {
    MonteCarloGame game(MonteCarloKind::FirstOrder, 2, 0, 7);
    game.start();
    game.advance(500);
    game.stop();
    EXPECT_EQ(game.phase(), MonteCarloGame::Phase::Stopped);
    const auto steps = game.steps();
    const auto count = game.countA();
    EXPECT_EQ(game.advance(100), 0);
    EXPECT_TRUE(game.go());
    game.advance(100);
    EXPECT_EQ(game.steps(), steps + 100);  // resumed, not reset
    EXPECT_LE(game.countA(), count);
    game.refresh();
    EXPECT_EQ(game.phase(), MonteCarloGame::Phase::Idle);
    EXPECT_EQ(game.countA(), 1024);
    EXPECT_TRUE(game.recorded().empty());
    EXPECT_FALSE(game.go());

    // The same seed gives the same game; clock-seeded starts differ.
    MonteCarloGame a(MonteCarloKind::Equilibrium, 1, 1, 99), b(MonteCarloKind::Equilibrium, 1, 1, 99);
    a.start();
    b.start();
    a.advance(3000);
    b.advance(3000);
    EXPECT_EQ(a.countA(), b.countA());
    MonteCarloGame c(MonteCarloKind::FirstOrder, 5, 0), d(MonteCarloKind::FirstOrder, 5, 0);
    c.start();
    d.start();
    c.advance(50000);
    d.advance(50000);
    std::vector<int> differ;
    int different = 0;
    for (int j = 1; j <= 90000; ++j) {
        different += c.isA(j) != d.isA(j) ? 1 : 0;
    }
    EXPECT_GT(different, 1000);
}

// The mean over many seeded runs follows N0·e^(−m t) within its statistical band: each molecule
// survives t steps independently with probability (1 − 1/N0)^t = e^(−m t).
TEST(MonteCarlo, MeanFollowsTheAnalyticCurve) {
    constexpr int kRuns = 200;
    const int n0 = 529;
    std::vector<double> sum;
    for (int run = 0; run < kRuns; ++run) {
        MonteCarloGame game(MonteCarloKind::FirstOrder, 1, 0, 1000 + run);
        game.start();
        game.advance(44 * 60);
        const auto& points = game.recorded();
        sum.resize(points.size());
        for (std::size_t i = 0; i < points.size(); ++i) {
            sum[i] += points[i].nA;
        }
    }
    const double m = stepConstant(n0);
    for (std::size_t i = 1; i < sum.size(); i += 6) {
        const double t = 44.0 * static_cast<double>(i);
        const double p = std::exp(-m * t);
        const double band = 5.0 * std::sqrt(n0 * p * (1 - p) / kRuns);
        EXPECT_NEAR(sum[i] / kRuns, n0 * p, band + 1e-9) << "t = " << t;
    }
}

TEST(MonteCarlo, EquilibriumSettlesAtK) {
    for (int kIndex = 0; kIndex < 3; ++kIndex) {
        MonteCarloGame game(MonteCarloKind::Equilibrium, 3, kIndex, 5 + kIndex);
        game.start();
        game.advance(20 * game.tMax());
        EXPECT_EQ(game.phase(), MonteCarloGame::Phase::Running);  // the equilibrium runs until stopped
        const auto& points = game.recorded();
        double mean = 0;
        const std::size_t half = points.size() / 2;
        for (std::size_t i = half; i < points.size(); ++i) {
            mean += points[i].nA;
        }
        mean /= static_cast<double>(points.size() - half);
        const double k = kEquilibriumConstants[static_cast<std::size_t>(kIndex)];
        EXPECT_NEAR((4900 - mean) / mean, k, 0.05 * k) << "K = " << k;
    }
}

}  // namespace
}  // namespace zemtral
