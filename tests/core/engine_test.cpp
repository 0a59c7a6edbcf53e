#include "core/engine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/model_catalogue.h"
#include "core/rate_laws.h"
#include "core/working_state.h"
#include "support/tolerance.h"

namespace zemtral {
namespace {

using test::near;

constexpr int kPoints = 201;

WorkingState stateFor(std::int16_t model) {
    WorkingState state;
    applyModelDefaults(state, model);
    return state;
}

struct EngineRun {
    WorkingState state;
    SimulationResult result;
    EngineStatus status;
};

EngineRun simulate(WorkingState state) {
    EngineRun r{std::move(state), {}, {}};
    r.status = calc_diagramfunctioncT(r.state.modelId, r.state, r.result);
    return r;
}

double concAt(const EngineRun& r, int slot, int i) {
    return r.result.simConc[slot][static_cast<std::size_t>(i)];
}
double timeAt(const EngineRun& r, int i) {
    return r.result.simTime[static_cast<std::size_t>(i)];
}

// Independent reference: classical RK4 with fixed small steps on the full rate laws, reported at
// the grid times 0, dt, 2dt ... (40 sub-steps per output interval).
std::vector<SpeciesArray> referenceIntegration(const WorkingState& s, double dt, int points) {
    std::vector<SpeciesArray> out;
    SpeciesArray c = s.conc0;
    out.push_back(c);
    const int sub = 40;
    const double h = dt / sub;
    auto f = [&](const SpeciesArray& y) { return RateLaws(s.modelId, y, s.rateConst, s.reactionOrder); };
    for (int i = 1; i < points; ++i) {
        for (int k = 0; k < sub; ++k) {
            SpeciesArray y2, y3, y4;
            const SpeciesArray d1 = f(c);
            for (int j = 1; j <= 5; ++j)
                y2[j] = c[j] + 0.5 * h * d1[j];
            const SpeciesArray d2 = f(y2);
            for (int j = 1; j <= 5; ++j)
                y3[j] = c[j] + 0.5 * h * d2[j];
            const SpeciesArray d3 = f(y3);
            for (int j = 1; j <= 5; ++j)
                y4[j] = c[j] + h * d3[j];
            const SpeciesArray d4 = f(y4);
            for (int j = 1; j <= 5; ++j)
                c[j] += h * (d1[j] + 2 * d2[j] + 2 * d3[j] + d4[j]) / 6.0;
        }
        out.push_back(c);
    }
    return out;
}

struct ClosedCase {
    std::string name;
    std::int16_t model;
    std::array<double, 4> k;
    SpeciesArray c0;
    float tEnd;
    double rel;
};

TEST(EngineClosedForm, AgreesWithIndependentIntegrationOfTheRateLaws) {
    const std::vector<ClosedCase> cases{
        {"zero order before c(A) runs out", 1, {0, 0.015, 0, 0}, {0, 1, 0, 0, 0.1, 0}, 50, 1e-10},
        {"first order", 2, {0, 0.15, 0, 0}, {0, 1, 0, 0, 0.2, 0}, 100, 1e-9},
        {"2A => P", 3, {0, 0.15, 0, 0}, {0, 1, 0, 0, 0.1, 0}, 100, 1e-9},
        {"A + B equal", 4, {0, 0.15, 0, 0}, {0, 1, 1, 0, 0, 0}, 100, 1e-9},
        {"A + B unequal", 4, {0, 0.15, 0, 0}, {0, 1, 0.6, 0, 0.05, 0}, 100, 1e-9},
        {"autocatalysis", 5, {0, 0.15, 0, 0}, {0, 1, 0, 0, 0.002, 0}, 100, 1e-8},
        {"autocatalysis with Q", 16, {0, 0.15, 0, 0}, {0, 1, 0, 0, 0.002, 0.3}, 100, 1e-8},
        {"A => C => P", 6, {0, 0.15, 0.1, 0}, {0, 1, 0, 0.2, 0.1, 0}, 100, 1e-9},
        {"A => C => P with k1 = k2", 6, {0, 0.15, 0.15, 0}, {0, 1, 0, 0, 0, 0}, 100, 1e-3},
        {"A <=> P", 8, {0, 0.5, 0.1, 0}, {0, 1, 0, 0, 0.1, 0}, 60, 1e-9},
        {"parallel", 11, {0, 0.15, 0.05, 0}, {0, 1, 0, 0, 0.1, 0.2}, 100, 1e-9},
        {"A + B <=> 2P", 12, {0, 0.15, 0.01, 0}, {0, 0.5, 0.5, 0, 0, 0}, 100, 1e-8},
        {"A + B <=> 2P from P", 12, {0, 0.15, 0.01, 0}, {0, 0.3, 0.7, 0, 0.4, 0}, 100, 1e-8},
        {"A + B <=> 2P, k> < 4 k<", 12, {0, 0.15, 0.1, 0}, {0, 0.5, 0.8, 0, 0, 0}, 100, 1e-8},
        {"A + B <=> 2P, k> = 4 k<", 12, {0, 0.4, 0.1, 0}, {0, 0.5, 0.5, 0, 0, 0}, 100, 1e-5},
        {"A + B <=> P", 17, {0, 0.15, 0.01, 0}, {0, 0.5, 0.5, 0, 0, 0}, 100, 1e-8},
        {"A + B <=> P above 1 mol/l", 17, {0, 0.15, 0.2, 0}, {0, 3, 2, 0, 0.5, 0}, 20, 1e-8},
    };
    for (const auto& cs : cases) {
        WorkingState s = stateFor(cs.model);
        s.rateConst = cs.k;
        s.conc0 = cs.c0;
        s.tEnd = cs.tEnd;
        const EngineRun r = simulate(s);
        ASSERT_EQ(r.status.errorFlag, 0) << cs.name << ": " << r.status.message;
        ASSERT_EQ(r.result.pointCount, kPoints) << cs.name;
        const auto ref = referenceIntegration(s, cs.tEnd / 200.0, kPoints);
        for (int i = 0; i < kPoints; ++i) {
            for (int slot = 1; slot <= 5; ++slot) {
                ASSERT_TRUE(near(concAt(r, slot, i), ref[static_cast<std::size_t>(i)][slot], cs.rel,
                                 std::max(1e-10, 0.1 * cs.rel)))
                    << cs.name << ", slot " << slot << ", point " << i;
            }
        }
    }
}

TEST(EngineClosedForm, EdgeCasesOfTheFormulas) {
    // Model 1: c(A) is clamped at 0 from the crossing on (k1·tEnd > c0(A)).
    WorkingState s = stateFor(1);
    s.rateConst[1] = 0.02;
    s.conc0[kSlotP] = 0.25;
    EngineRun r = simulate(s);
    ASSERT_EQ(r.status.errorFlag, 0);
    for (int i = 0; i < kPoints; ++i) {
        const double t = timeAt(r, i);
        if (0.02 * t < 1.0) {
            EXPECT_TRUE(near(concAt(r, kSlotA, i), 1.0 - 0.02 * t, 1e-12, 1e-14));
        } else {
            EXPECT_EQ(concAt(r, kSlotA, i), 0.0);
            EXPECT_DOUBLE_EQ(concAt(r, kSlotP, i), 1.25);
        }
    }

    // Model 4 with equal start concentrations gives identical A and B curves.
    s = stateFor(4);
    r = simulate(s);
    for (int i = 0; i < kPoints; ++i) {
        EXPECT_EQ(concAt(r, kSlotA, i), concAt(r, kSlotB, i));
        EXPECT_TRUE(near(concAt(r, kSlotA, i), 1.0 / (1.0 + 0.15 * timeAt(r, i)), 1e-13));
    }

    // Model 6 with k1 = k2 stays finite: c(C) = k·c0·t·e^(−kt).
    s = stateFor(6);
    s.rateConst[2] = s.rateConst[1];
    r = simulate(s);
    ASSERT_EQ(r.status.errorFlag, 0);
    for (int i = 0; i < kPoints; ++i) {
        const double t = timeAt(r, i);
        EXPECT_TRUE(near(concAt(r, kSlotC, i), 0.15 * t * std::exp(-0.15 * t), 1e-3, 1e-12)) << t;
    }

    // Model 12 with k> = 4·k< (q = 1e-8) yields finite curves approaching the equilibrium
    // with K = 4 and c0(A) = c0(B) = 0.5: (2x)² = 4·(0.5 − x)², x_eq = 0.25.
    s = stateFor(12);
    s.rateConst = {0, 0.4, 0.1, 0};
    s.conc0 = {0, 0.5, 0.5, 0, 0, 0};
    s.tEnd = 2000;
    r = simulate(s);
    ASSERT_EQ(r.status.errorFlag, 0);
    EXPECT_TRUE(near(concAt(r, kSlotA, 200), 0.25, 1e-4));
    EXPECT_TRUE(near(concAt(r, kSlotP, 200), 0.5, 1e-4));
}

// Linear invariants Σ w(s)·c(s) of every model (atoms of A and of B, enzyme conservation).
std::vector<SpeciesArray> invariants(int model) {
    switch (model) {
        case 1:
        case 2:
        case 5:
        case 8:
        case 20:
            return {{0, 1, 0, 0, 1, 0}};
        case 3:
            return {{0, 1, 0, 0, 2, 0}};
        case 4:
        case 17:
            return {{0, 1, 0, 0, 1, 0}, {0, 0, 1, 0, 1, 0}};
        case 6:
        case 14:
        case 15:
            return {{0, 1, 0, 1, 1, 0}};
        case 7:
            return {{0, 1, 0, 1, 2, 0}, {0, 0, 1, 1, 1, 0}};
        case 9:
        case 13:
        case 18:
            return {{0, 1, 0, 1, 1, 0}, {0, 0, 1, 1, 1, 0}};
        case 10:
            return {{0, 1, 0, 1, 0, 0}, {0, 0, 1, 1, 1, 0}};
        case 11:
            return {{0, 1, 0, 0, 1, 1}};
        case 12:
            return {{0, 1, 0, 0, 0.5, 0}, {0, 0, 1, 0, 0.5, 0}};
        case 16:
            return {{0, 1, 0, 0, 1, 0}, {0, 1, 0, 0, 0, 1}};
        default:
            return {};
    }
}

class EngineEveryModel : public ::testing::TestWithParam<int> {};

TEST_P(EngineEveryModel, KeepsMassBalanceAndNonNegativeFiniteCurves) {
    const auto model = static_cast<std::int16_t>(GetParam());
    for (const bool withProducts : {false, true}) {
        WorkingState s = stateFor(model);
        if (withProducts) {
            s.conc0[kSlotC] += 0.1;
            s.conc0[kSlotP] += 0.2;
            s.conc0[kSlotQ] += 0.05;
        }
        const EngineRun r = simulate(s);
        ASSERT_EQ(r.status.errorFlag, 0) << r.status.message;
        ASSERT_EQ(r.result.pointCount, kPoints);
        const std::string mask = modelSpeciesMask(model);
        EXPECT_EQ(r.result.speciesMask, mask);
        for (const SpeciesArray& w : invariants(model)) {
            double start = 0.0;
            for (int slot = 1; slot <= 5; ++slot)
                start += w[slot] * s.conc0[slot];
            for (int i = 0; i < kPoints; ++i) {
                double sum = 0.0;
                for (int slot = 1; slot <= 5; ++slot)
                    sum += w[slot] * concAt(r, slot, i);
                ASSERT_TRUE(near(sum, start, 1e-10, 1e-12)) << "point " << i;
            }
        }
        for (int i = 0; i < kPoints; ++i) {
            for (int slot = 1; slot <= 5; ++slot) {
                const double c = concAt(r, slot, i);
                ASSERT_TRUE(std::isfinite(c));
                ASSERT_GE(c, -1e-12) << "slot " << slot << " point " << i;
                if (mask[static_cast<std::size_t>(slot - 1)] == '0') {
                    ASSERT_EQ(c, s.conc0[slot]) << "a species the model does not touch keeps c0";
                }
            }
            // The rates are those of the rate laws at the stored concentrations.
            SpeciesArray c{};
            for (int slot = 1; slot <= 5; ++slot)
                c[slot] = concAt(r, slot, i);
            const SpeciesArray rates = RateLaws(model, c, s.rateConst, s.reactionOrder);
            for (int slot = 1; slot <= 5; ++slot) {
                ASSERT_EQ(r.result.simRate[slot][static_cast<std::size_t>(i)],
                          static_cast<float>(rates[slot]));
            }
        }
        for (int slot = 1; slot <= 5; ++slot) {
            EXPECT_EQ(r.state.curConc[slot], concAt(r, slot, 200));
        }
        EXPECT_EQ(r.state.intervalCount, 200);
        EXPECT_DOUBLE_EQ(timeAt(r, 200), 100.0);
    }
}

INSTANTIATE_TEST_SUITE_P(AllModels, EngineEveryModel,
                         ::testing::Values(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18,
                                           20));

// Runs two models and compares the given slots of both over the whole grid.
void expectSameCurves(const WorkingState& a, const WorkingState& b, std::vector<std::pair<int, int>> slots,
                      double rel, double abs, const char* what) {
    const EngineRun ra = simulate(a);
    const EngineRun rb = simulate(b);
    ASSERT_EQ(ra.status.errorFlag, 0) << what;
    ASSERT_EQ(rb.status.errorFlag, 0) << what;
    ASSERT_EQ(ra.result.pointCount, rb.result.pointCount) << what;
    for (int i = 0; i < ra.result.pointCount; ++i) {
        ASSERT_DOUBLE_EQ(timeAt(ra, i), timeAt(rb, i)) << what;
        for (auto [sa, sb] : slots) {
            ASSERT_TRUE(near(concAt(ra, sa, i), concAt(rb, sb, i), rel, abs))
                << what << ": slot " << sa << "/" << sb << " at t = " << timeAt(ra, i);
        }
    }
}

WorkingState with(std::int16_t model, std::array<double, 4> k, SpeciesArray c0, float order = 1.5f) {
    WorkingState s = stateFor(model);
    s.rateConst = k;
    s.conc0 = c0;
    s.reactionOrder = order;
    return s;
}

TEST(EngineNumerical, CoincidesWithClosedFormsAndWithEachOther) {
    const SpeciesArray a1{0, 1, 0, 0, 0, 0};
    // A => C <=> P without the back reaction is A => C => P.
    expectSameCurves(with(14, {0, 0.15, 0.1, 0}, a1), with(6, {0, 0.15, 0.1, 0}, a1),
                     {{kSlotA, kSlotA}, {kSlotC, kSlotC}, {kSlotP, kSlotP}}, 1e-6, 1e-8, "14 vs 6");
    // A <=> C => P without the back reaction is A => C => P with k2 = k3.
    expectSameCurves(with(15, {0, 0.15, 0, 0.1}, a1), with(6, {0, 0.15, 0.1, 0}, a1),
                     {{kSlotA, kSlotA}, {kSlotC, kSlotC}, {kSlotP, kSlotP}}, 1e-6, 1e-8, "15 vs 6");
    const SpeciesArray ab{0, 1, 0.7, 0, 0, 0};
    // A + B => C <=> P without the back reaction is A + B => C => P.
    expectSameCurves(with(13, {0, 0.15, 0.1, 0}, ab), with(9, {0, 0.15, 0.1, 0}, ab),
                     {{kSlotA, kSlotA}, {kSlotB, kSlotB}, {kSlotC, kSlotC}, {kSlotP, kSlotP}}, 1e-9, 1e-12,
                     "13 vs 9");
    // A + B <=> C => P without the back reaction is A + B => C => P.
    expectSameCurves(with(18, {0, 0.15, 0, 0.1}, ab), with(9, {0, 0.15, 0.1, 0}, ab),
                     {{kSlotA, kSlotA}, {kSlotB, kSlotB}, {kSlotC, kSlotC}, {kSlotP, kSlotP}}, 1e-9, 1e-12,
                     "18 vs 9");
    // The first step of A + B => C => P is A + B => P of second order (C + P there).
    expectSameCurves(with(9, {0, 0.15, 0.1, 0}, ab), with(4, {0, 0.15, 0, 0}, ab),
                     {{kSlotA, kSlotA}, {kSlotB, kSlotB}}, 1e-6, 1e-8, "9 vs 4");
    // A + B => C; A + C => P without the second reaction is A + B => C.
    {
        const EngineRun r7 = simulate(with(7, {0, 0.15, 0, 0}, ab));
        const EngineRun r4 = simulate(with(4, {0, 0.15, 0, 0}, ab));
        for (int i = 0; i < kPoints; ++i) {
            ASSERT_TRUE(near(concAt(r7, kSlotA, i), concAt(r4, kSlotA, i), 1e-6, 1e-8));
            ASSERT_TRUE(near(concAt(r7, kSlotC, i), concAt(r4, kSlotP, i), 1e-6, 1e-8));
        }
    }
    // E + S <=> ES without the product step is A + B <=> P.
    {
        const SpeciesArray es{0, 1, 5, 0, 0, 0};
        const EngineRun r10 = simulate(with(10, {0, 0.15, 0.1, 0}, es));
        const EngineRun r17 = simulate(with(17, {0, 0.15, 0.1, 0}, es));
        for (int i = 0; i < kPoints; ++i) {
            ASSERT_TRUE(near(concAt(r10, kSlotA, i), concAt(r17, kSlotA, i), 1e-4, 1e-6));
            ASSERT_TRUE(near(concAt(r10, kSlotB, i), concAt(r17, kSlotB, i), 1e-4, 1e-6));
            ASSERT_TRUE(near(concAt(r10, kSlotC, i), concAt(r17, kSlotP, i), 1e-4, 1e-6));
        }
    }
    // n-th order with n = 1 is first order.
    expectSameCurves(with(20, {0, 0.15, 0, 0}, a1, 1.0f), with(2, {0, 0.15, 0, 0}, a1),
                     {{kSlotA, kSlotA}, {kSlotP, kSlotP}}, 1e-6, 1e-8, "20 (n = 1) vs 2");
    // n = 2 with k is 2A => P with k1 = k/2 for c(A) (model 3 forms one P from two A).
    expectSameCurves(with(20, {0, 0.3, 0, 0}, a1, 2.0f), with(3, {0, 0.15, 0, 0}, a1), {{kSlotA, kSlotA}},
                     1e-6, 1e-8, "20 (n = 2) vs 3");
    // n = 0 is zero order, c(A) clamped at 0 like model 1 (the sub-step that undershoots 0 is
    // set to 0, which leaves P a fraction of a micromole above the closed form).
    expectSameCurves(with(20, {0, 0.015, 0, 0}, a1, 0.0f), with(1, {0, 0.015, 0, 0}, a1),
                     {{kSlotA, kSlotA}, {kSlotP, kSlotP}}, 1e-9, 1e-6, "20 (n = 0) vs 1");
}

TEST(EngineNumerical, NthOrderFollowsTheExactSolution) {
    // dc/dt = −k·c^n: c(t) = (c0^(1−n) + (n − 1)·k·t)^(1/(1−n)), for orders taken by products and
    // a square root (1.5, 3) and by the general power (2.3, 0.7 below 1 is the next test).
    for (const float n : {1.5f, 3.0f, 2.3f}) {
        const EngineRun r = simulate(with(20, {0, 0.15, 0, 0}, {0, 2.0, 0, 0, 0, 0}, n));
        ASSERT_EQ(r.status.errorFlag, 0);
        const double order = n;
        for (int i = 0; i < kPoints; i += 5) {
            const double t = timeAt(r, i);
            const double exact =
                std::pow(std::pow(2.0, 1.0 - order) + (order - 1.0) * 0.15 * t, 1.0 / (1.0 - order));
            ASSERT_TRUE(near(concAt(r, kSlotA, i), exact, 1e-6, 1e-9)) << "n = " << n << ", t = " << t;
        }
    }
}

TEST(EngineNumerical, OrderBelowOneReachesZeroInFiniteTime) {
    // dc/dt = −k·c^0.5: c(t) = (√c0 − k·t/2)² until t0 = 2·√c0/k, then 0 with no reaction left.
    WorkingState s = with(20, {0, 0.15, 0, 0}, {0, 1, 0, 0, 0, 0}, 0.5f);
    const EngineRun r = simulate(s);
    ASSERT_EQ(r.status.errorFlag, 0) << r.status.message;
    const double t0 = 2.0 / 0.15;
    for (int i = 0; i < kPoints; ++i) {
        const double t = timeAt(r, i);
        const double exact = t < t0 ? std::pow(1.0 - 0.15 * t / 2.0, 2) : 0.0;
        ASSERT_TRUE(near(concAt(r, kSlotA, i), exact, 0.0, 1e-6)) << t;
        ASSERT_TRUE(near(concAt(r, kSlotA, i) + concAt(r, kSlotP, i), 1.0, 0.0, 1e-6)) << t;
        if (t > t0 + 1.0) {
            ASSERT_EQ(concAt(r, kSlotA, i), 0.0);
            ASSERT_EQ(r.result.simRate[kSlotA][static_cast<std::size_t>(i)], 0.0f);
            ASSERT_EQ(r.result.simRate[kSlotP][static_cast<std::size_t>(i)], 0.0f);
        }
    }
}

TEST(EngineNumerical, GridEndsAtTheEndTimeAndSubStepsCarryOver) {
    WorkingState s = stateFor(9);
    s.tEnd = 60;
    const EngineRun r = simulate(s);
    ASSERT_EQ(r.status.errorFlag, 0);
    ASSERT_EQ(r.result.pointCount, kPoints);
    EXPECT_NEAR(timeAt(r, 200), 60.0, 1e-9);
    for (int i = 1; i < kPoints; ++i) {
        EXPECT_NEAR(timeAt(r, i) - timeAt(r, i - 1), 0.3, 1e-12);
    }
    // timeStep is left holding the last sub-step width: the output step over a power of two.
    const double ratio = 0.3 / r.state.timeStep;
    EXPECT_GE(ratio, 1.99);
    EXPECT_TRUE(near(ratio, std::exp2(std::round(std::log2(ratio))), 1e-9));
    // The closed-form path leaves the output step.
    WorkingState closed = stateFor(2);
    closed.tEnd = 60;
    EXPECT_DOUBLE_EQ(simulate(closed).state.timeStep, 0.3);

    // A stiff start (fast A + B => C) is refined and still lands on the grid and on the balance.
    WorkingState stiff = with(9, {0, 200.0, 0.05, 0}, {0, 1, 1, 0, 0, 0});
    const EngineRun rs = simulate(stiff);
    ASSERT_EQ(rs.status.errorFlag, 0);
    EXPECT_NEAR(timeAt(rs, 200), 100.0, 1e-9);
    EXPECT_TRUE(near(concAt(rs, kSlotA, 200), 1.0 / (1.0 + 200.0 * 100.0), 1e-3));
}

TEST(EngineNumerical, HalfLivesLieWhereTheCurveCrossesHalfItsStart) {
    for (std::int16_t model : {7, 9, 10, 13, 14, 15, 18, 20}) {
        const EngineRun r = simulate(stateFor(model));
        ASSERT_EQ(r.status.errorFlag, 0);
        const auto check = [&](int slot, float halfLife, const char* name) {
            const double half = r.state.conc0[slot] / 2.0;
            ASSERT_GT(halfLife, 0.0f) << "model " << model << " " << name;
            int i = 1;
            while (timeAt(r, i) < halfLife)
                ++i;
            // First crossing: before it the curve is at or above half, after it below.
            for (int j = 0; j < i; ++j)
                ASSERT_GE(concAt(r, slot, j), half) << "model " << model;
            ASSERT_LT(concAt(r, slot, i), half);
            const double line = concAt(r, slot, i - 1) + (concAt(r, slot, i) - concAt(r, slot, i - 1)) *
                                                             (halfLife - timeAt(r, i - 1)) /
                                                             (timeAt(r, i) - timeAt(r, i - 1));
            EXPECT_TRUE(near(line, half, 1e-5)) << "model " << model << " " << name;
            std::int16_t flag = 0;
            const SpeciesArray c = ConcAtTime(model, halfLife, r.state, r.result, flag);
            EXPECT_EQ(flag, 0);
            // The spline and the straight line differ where the curve bends strongly (E of model 10).
            EXPECT_TRUE(near(c[slot], half, model == 10 ? 1e-2 : 1e-3)) << "model " << model << " " << name;
        };
        check(kSlotA, r.state.halfLifeA, "A");
        if (model == 10) {
            // S(0) = 5 with at most k3·c(E)(0) = 0.005 mol/l per time unit converted: not halved.
            EXPECT_GT(concAt(r, kSlotB, 200), r.state.conc0[kSlotB] / 2.0);
            EXPECT_EQ(r.state.halfLifeB, 0.0f);
        } else if (model == 7 || model == 9 || model == 13 || model == 18) {
            check(kSlotB, r.state.halfLifeB, "B");
        } else {
            EXPECT_EQ(r.state.halfLifeB, 0.0f) << "model " << model;
        }
    }
    // First order without back reaction: t½ = ln 2/k1.
    const EngineRun r14 = simulate(with(14, {0, 0.15, 0.1, 0}, {0, 1, 0, 0, 0, 0}));
    EXPECT_TRUE(near(r14.state.halfLifeA, std::log(2.0) / 0.15, 1e-3));

    // Not reached within the span: 0, for B too even after a run that found one.
    WorkingState s = stateFor(9);
    EngineRun r = simulate(s);
    ASSERT_GT(r.state.halfLifeB, 0.0f);
    r.state.tEnd = 2.0;
    r.status = calc_diagramfunctioncT(9, r.state, r.result);
    EXPECT_EQ(r.state.halfLifeA, 0.0f);
    EXPECT_EQ(r.state.halfLifeB, 0.0f);
}

TEST(EngineConcAtTime, ClosedFormsAndSplinesOfTheLastRun) {
    // Closed form: the grid values, and the formula between them.
    WorkingState s = stateFor(8);
    EngineRun r = simulate(s);
    std::int16_t flag = 1;
    for (int i = 0; i < kPoints; i += 17) {
        const SpeciesArray c = ConcAtTime(8, timeAt(r, i), r.state, r.result, flag);
        EXPECT_EQ(flag, 0);
        EXPECT_DOUBLE_EQ(c[kSlotA], concAt(r, kSlotA, i));
        EXPECT_DOUBLE_EQ(c[kSlotP], concAt(r, kSlotP, i));
    }
    // Numerical: through the grid points, and close to the closed form in between.
    s = with(14, {0, 0.15, 0.1, 0}, {0, 1, 0, 0, 0, 0});
    r = simulate(s);
    for (int i = 0; i < kPoints; i += 7) {
        const SpeciesArray c = ConcAtTime(14, timeAt(r, i), r.state, r.result, flag);
        EXPECT_EQ(flag, 0);
        EXPECT_TRUE(near(c[kSlotC], concAt(r, kSlotC, i), 1e-12, 1e-15));
    }
    for (double t = 0.13; t < 100.0; t += 3.3) {
        const SpeciesArray c = ConcAtTime(14, t, r.state, r.result, flag);
        const SpeciesArray exact = closedFormConc(6, t, {0, 0.15, 0.1, 0}, s.conc0);
        for (int slot : {kSlotA, kSlotC, kSlotP}) {
            EXPECT_TRUE(near(c[slot], exact[slot], 1e-3, 1e-4)) << "slot " << slot << " t " << t;
        }
    }
    // A numerical model needs a run of that model.
    ConcAtTime(15, 5.0, r.state, r.result, flag);
    EXPECT_EQ(flag, -1);
    // Michaelis-Menten mode computes nothing.
    WorkingState mm = stateFor(10);
    mm.mmMode = true;
    const SpeciesArray none = ConcAtTime(10, 5.0, mm, r.result, flag);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(none, SpeciesArray{});
}

TEST(EngineMichaelisMenten, TabulatesTheNormalisedInitialRate) {
    WorkingState s = stateFor(10);
    s.mmMode = true;
    EngineRun r = simulate(s);
    ASSERT_EQ(r.status.errorFlag, 0);
    EXPECT_TRUE(r.result.michaelisMenten);
    ASSERT_EQ(r.result.pointCount, kPoints);
    EXPECT_DOUBLE_EQ(timeAt(r, 200), 20.0);
    for (int i = 0; i < kPoints; ++i) {
        const double x = 0.1 * i;
        EXPECT_NEAR(timeAt(r, i), x, 1e-12);
        EXPECT_FLOAT_EQ(r.result.simRate[kSlotP][static_cast<std::size_t>(i)],
                        static_cast<float>(x / (x + 1)));
    }
    // Not normalised: S(0) up to S(0),max, the rate with S(0)/KM.
    s.mmSettings.normalised = false;
    s.mmSettings.km = 0.05f;
    s.mmSettings.s0Max = 0.15f;
    r = simulate(s);
    for (int i = 0; i < kPoints; i += 10) {
        const double s0 = i * static_cast<double>(0.15f) / 200.0;
        EXPECT_NEAR(timeAt(r, i), s0, 1e-12);
        const double x = s0 / static_cast<double>(0.05f);
        EXPECT_FLOAT_EQ(r.result.simRate[kSlotP][static_cast<std::size_t>(i)],
                        static_cast<float>(x / (x + 1)));
    }
    // Without a KM the value is taken as it is.
    s.mmSettings.km = 0.0f;
    r = simulate(s);
    const double s0 = 100 * static_cast<double>(0.15f) / 200.0;
    EXPECT_FLOAT_EQ(r.result.simRate[kSlotP][100], static_cast<float>(s0 / (s0 + 1)));
}

TEST(EngineAxisRanges, FollowTheCurvesOnlyWithoutFitting) {
    WorkingState s = stateFor(2);
    EngineRun r = simulate(s);
    ASSERT_TRUE(r.result.rangesUpdated);
    EXPECT_EQ(r.result.ranges.tMin, 0.0f);
    EXPECT_EQ(r.result.ranges.tMax, 100.0f);
    EXPECT_EQ(r.result.ranges.cMin, 0.0f);
    EXPECT_FLOAT_EQ(r.result.ranges.cMax, 1.0f);  // c0(A); c(P) stays below it
    EXPECT_FLOAT_EQ(r.result.ranges.rMax, static_cast<float>(0.15 * 1.05));
    EXPECT_FLOAT_EQ(r.result.ranges.rMin, static_cast<float>(-0.15 - 0.15 * 0.05));

    // c max follows a product above c0(A); it is not widened.
    s.conc0[kSlotP] = 1.5;
    r = simulate(s);
    EXPECT_FLOAT_EQ(r.result.ranges.cMax, static_cast<float>(concAt(r, kSlotP, 200)));

    // No reaction: all rates 0, and both rate bounds stay 0.
    s = stateFor(2);
    s.rateConst[1] = 0.0;
    r = simulate(s);
    EXPECT_EQ(r.result.ranges.rMax, 0.0f);
    EXPECT_EQ(r.result.ranges.rMin, 0.0f);
    EXPECT_FLOAT_EQ(r.result.ranges.cMax, 1.0f);

    // A back reaction forms A above its start: the upper bound follows c(A) too.
    s = stateFor(8);
    s.conc0 = {0, 0.2, 0, 0, 2.0, 0};
    r = simulate(s);
    EXPECT_GT(concAt(r, kSlotP, 0), concAt(r, kSlotA, 200));
    EXPECT_FLOAT_EQ(r.result.ranges.cMax, 2.0f);

    // While fitting the ranges are left alone.
    s = stateFor(9);
    s.fittingMode = kFittingRateConstants;
    EngineRun fit{s, {}, {}};
    fit.result.ranges.cMax = 42.0f;
    fit.status = calc_diagramfunctioncT(9, fit.state, fit.result);
    EXPECT_EQ(fit.status.errorFlag, 0);
    EXPECT_FALSE(fit.result.rangesUpdated);
    EXPECT_EQ(fit.result.ranges.cMax, 42.0f);
}

bool isFaultDescription(const std::string& text) {
    return text == "Division durch Null" || text == "Überlauf" ||
           text == "Ungültiges Argument (Logarithmus oder Wurzel einer negativen Zahl)";
}

TEST(EngineFaults, EndTheRunWithTheGermanDescriptionAndNothingInvalid) {
    // Model 17 with a negative root term (k< < 0): square root of a negative number.
    WorkingState s = with(17, {0, 1.0, -1.0, 0}, {0, 0.5, 0.5, 0, 0, 0});
    EngineRun r = simulate(s);
    EXPECT_EQ(r.status.errorFlag, -1);
    EXPECT_EQ(r.status.message, "Ungültiges Argument (Logarithmus oder Wurzel einer negativen Zahl)");
    EXPECT_EQ(r.status.title, "Meldung von calc_diagramfunctioncT");
    EXPECT_EQ(r.result.pointCount, 0);
    EXPECT_FALSE(r.result.rangesUpdated);
    std::int16_t flag = 0;
    ConcAtTime(17, 1.0, s, r.result, flag);
    EXPECT_EQ(flag, -1);

    // Overflow on the closed-form path after some valid points: first order with a negative k1
    // grows as e^(20·t); its rates pass the largest single-precision value near t = 4.3.
    s = with(2, {0, -20.0, 0, 0}, {0, 1, 0, 0, 0, 0});
    r = simulate(s);
    EXPECT_EQ(r.status.errorFlag, -1);
    EXPECT_EQ(r.status.message, "Überlauf");
    EXPECT_EQ(r.result.pointCount, 9);
    EXPECT_EQ(r.state.curConc[kSlotA], concAt(r, kSlotA, 8));
    EXPECT_EQ(timeAt(r, 9), 0.0);
    // A constant too large for the single-precision rate table fails at once.
    s = with(3, {0, 5e307, 0, 0}, {0, 1, 0, 0, 0, 0});
    r = simulate(s);
    EXPECT_EQ(r.status.errorFlag, -1);
    EXPECT_EQ(r.status.message, "Überlauf");
    EXPECT_EQ(r.result.pointCount, 0);

    // Exponentials that grow with time are evaluated without overflow: A + B => P with A in
    // excess ends at c(A) = c0(A) − c0(B), autocatalysis at c(P) = c0(A) + c0(P).
    s = with(4, {0, 10.0, 0, 0}, {0, 2, 1, 0, 0, 0});
    r = simulate(s);
    ASSERT_EQ(r.status.errorFlag, 0) << r.status.message;
    EXPECT_DOUBLE_EQ(concAt(r, kSlotA, 200), 1.0);
    EXPECT_DOUBLE_EQ(concAt(r, kSlotB, 200), 0.0);
    s = with(5, {0, 10.0, 0, 0}, {0, 1, 0, 0, 0.002, 0});
    r = simulate(s);
    ASSERT_EQ(r.status.errorFlag, 0) << r.status.message;
    EXPECT_DOUBLE_EQ(concAt(r, kSlotP, 200), 1.002);

    // Overflow on the numerical path.
    s = with(7, {0, 1e300, 1e300, 0}, {0, 1e10, 1e10, 0, 0, 0});
    r = simulate(s);
    EXPECT_EQ(r.status.errorFlag, -1);
    EXPECT_TRUE(isFaultDescription(r.status.message)) << r.status.message;
    EXPECT_EQ(r.status.title, "Meldung von calc_diagramfunctioncT");
    for (int slot = 1; slot <= 5; ++slot) {
        EXPECT_EQ(r.result.splines[slot].n, 0);
    }

    // Whatever a faulty run leaves is finite.
    for (const EngineRun* faulty : {&r}) {
        for (int slot = 1; slot <= 5; ++slot) {
            for (std::size_t i = 0; i < faulty->result.simConc[slot].size(); ++i) {
                EXPECT_TRUE(std::isfinite(faulty->result.simConc[slot][i]));
                EXPECT_TRUE(std::isfinite(faulty->result.simRate[slot][i]));
            }
        }
    }

    // A numerical run without a time span is refused instead of never ending.
    s = stateFor(9);
    s.tEnd = 0.0f;
    r = simulate(s);
    EXPECT_EQ(r.status.errorFlag, -1);
    EXPECT_FALSE(r.status.message.empty());

    // The next good run is complete again.
    r = simulate(stateFor(9));
    EXPECT_EQ(r.status.errorFlag, 0);
    EXPECT_EQ(r.result.pointCount, kPoints);
}

TEST(EngineRuns, ReuseTheirArraysAndInterpolateTime) {
    WorkingState s = stateFor(13);
    SimulationResult result;
    ASSERT_EQ(calc_diagramfunctioncT(13, s, result).errorFlag, 0);
    const double* timeData = result.simTime.data();
    const double* concData = result.simConc[kSlotC].data();
    const float* rateData = result.simRate[kSlotP].data();
    const double* splineData = result.splines[kSlotC].a.data();
    s.rateConst[1] = 0.3;
    ASSERT_EQ(calc_diagramfunctioncT(13, s, result).errorFlag, 0);
    EXPECT_EQ(result.simTime.data(), timeData);
    EXPECT_EQ(result.simConc[kSlotC].data(), concData);
    EXPECT_EQ(result.simRate[kSlotP].data(), rateData);
    EXPECT_EQ(result.splines[kSlotC].a.data(), splineData);

    EXPECT_FLOAT_EQ(InterpolateTime(0.5, 2.0, 0.4, 1.0, 0.6), 1.5f);
    EXPECT_FLOAT_EQ(InterpolateTime(0.45, 2.0, 0.4, 1.0, 0.6), 1.75f);
    EXPECT_FLOAT_EQ(InterpolateTime(0.5, 2.0, 0.4, 1.0, 0.4), 2.0f);
}

TEST(EngineRuns, SmoothedSplinesFollowTheSmoothingExponent) {
    WorkingState s = stateFor(14);
    s.smoothingExponent = 2.0f;
    const EngineRun r = simulate(s);
    ASSERT_EQ(r.status.errorFlag, 0);
    // The grid values stay; the spline of C is a weighted mean, so its peak is a little lower.
    std::int16_t flag = 0;
    double peakGrid = 0.0, peakSpline = 0.0;
    for (int i = 0; i < kPoints; ++i) {
        peakGrid = std::max(peakGrid, concAt(r, kSlotC, i));
        peakSpline = std::max(peakSpline, ConcAtTime(14, timeAt(r, i), r.state, r.result, flag)[kSlotC]);
    }
    EXPECT_LT(peakSpline, peakGrid);
    EXPECT_GT(peakSpline, peakGrid * 0.99);
}

}  // namespace
}  // namespace zemtral
