#include "montecarlo/ensemble.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zemtral {
namespace {

// One molecule is drawn per step, so N(A) after t steps counts the molecules never drawn:
// E = N0·q and Var = N0·q + N0·(N0 − 1)·r − N0²·q² with q = (1 − 1/N0)^t, r = (1 − 2/N0)^t.
TEST(MonteCarloEnsemble, SpreadOfTheGameInClosedForm) {
    EXPECT_NEAR(firstOrderSigma(2, 1), 0.0, 1e-12);  // one draw of two: always one A left
    // Three molecules, two draws: the same one twice (1/3, two A left) or two different (one A).
    EXPECT_NEAR(firstOrderSigma(3, 2), std::sqrt(2.0 / 9.0), 1e-12);
    EXPECT_EQ(firstOrderSigma(1024, 0), 0.0);
    // Near N(A) = N0/2 (t = N0·ln 2) the variance tends to N0·(1 − ln 2)/4.
    const std::int64_t half = std::llround(90000 * std::log(2.0));
    EXPECT_NEAR(firstOrderSigma(90000, half), 0.5 * std::sqrt(90000 * (1.0 - std::log(2.0))), 0.05);
}

// The ensemble's mean and σ follow N0·q and the closed-form σ of the game.
TEST(MonteCarloEnsemble, MeanAndSpreadFollowTheClosedForms) {
    MonteCarloEnsemble ensemble(2, 50, 7);  // N0 = 1024
    EXPECT_TRUE(ensemble.band().mean.empty());
    while (!ensemble.advance(20'000)) {
    }
    ASSERT_EQ(ensemble.runsDone(), 50);
    const EnsembleBand band = ensemble.band();
    const double n0 = 1024.0;
    const double m = stepConstant(1024);
    int checked = 0;
    for (std::size_t i = 0; i < band.mean.size(); ++i) {
        const double t = 102.0 * static_cast<double>(i);
        EXPECT_NEAR(band.mean[i].x, t / (monteCarloTMax(1024) / 100.0), 1e-9);
        const double p = std::exp(-m * t);
        const double sigma = firstOrderSigma(1024, static_cast<std::int64_t>(t));
        const double mean = band.mean[i].y * n0 / 100.0;
        const double measured = (band.upper[i].y - band.mean[i].y) * n0 / 100.0;
        EXPECT_NEAR(band.mean[i].y - band.lower[i].y, band.upper[i].y - band.mean[i].y, 1e-9);
        if (p > 0.1 && p < 0.9) {
            EXPECT_NEAR(mean, n0 * p, 4.5 * sigma / std::sqrt(50.0)) << "t = " << t;
            // The sample σ of 50 runs lies within ±45 % of the true σ with overwhelming probability.
            EXPECT_GT(measured, 0.55 * sigma) << "t = " << t;
            EXPECT_LT(measured, 1.45 * sigma) << "t = " << t;
            ++checked;
        }
    }
    EXPECT_GE(checked, 10);
    EXPECT_NEAR(band.mean.front().y, 100.0, 1e-12);
    EXPECT_NEAR(band.mean.back().y, 0.0, 1e-12) << "every run ends once no A is left";
    EXPECT_NEAR(band.expectedSigmaAtHalfPercent, 100.0 * 0.5 * std::sqrt(1.0 - std::log(2.0)) / 32.0, 0.05);
    EXPECT_NEAR(band.sigmaAtHalfPercent, band.expectedSigmaAtHalfPercent,
                0.45 * band.expectedSigmaAtHalfPercent);
}

// The runs are independent (no two share a seed), the result does not depend on how the work is
// cut into chunks, and the relative scatter shrinks with √N0.
TEST(MonteCarloEnsemble, IndependentRunsChunkingAndScaling) {
    MonteCarloEnsemble whole(1, 12, 3), chunked(1, 12, 3);
    whole.advance(1'000'000'000);
    while (!chunked.advance(997)) {
    }
    ASSERT_TRUE(whole.finished());
    for (int r = 0; r < 12; ++r) {
        EXPECT_EQ(whole.counts(r), chunked.counts(r)) << r;
        for (int s = 0; s < r; ++s) {
            EXPECT_NE(whole.counts(r), whole.counts(s)) << r << " and " << s;
        }
    }
    MonteCarloEnsemble other(1, 12, 4);
    other.advance(1'000'000'000);
    EXPECT_NE(other.counts(0), whole.counts(0)) << "another base seed gives other runs";

    MonteCarloEnsemble small(1, 30, 11), large(4, 30, 12);  // N0 = 529 and 9025
    small.advance(1'000'000'000);
    large.advance(1'000'000'000);
    const double ratio = small.band().sigmaAtHalfPercent / large.band().sigmaAtHalfPercent;
    EXPECT_GT(ratio, 2.5);  // √(9025/529) = 4.13
    EXPECT_LT(ratio, 6.5);
}

}  // namespace
}  // namespace zemtral
