#include "core/stiff_integrator.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/compact_kinetics.h"
#include "support/tolerance.h"

namespace zemtral {
namespace {

using test::near;

TEST(CompactKinetics, JacobianMatchesCentralDifferencesForEveryModel) {
    const Compact y{0.7, 0.4, 0.25, 0.1};
    for (const int model : {7, 9, 10, 13, 14, 15, 18, 20}) {
        for (const double order : {1.0, 1.5, 2.3}) {
            if (model != 20 && order != 1.0) {
                continue;
            }
            const RunConstants p{model, 0.9, 0.35, 0.6, order, halfStepsOf(order)};
            const int m = compactLayout(model).size;
            const CompactJacobian J = jacobian(p, y);
            for (int j = 0; j < m; ++j) {
                Compact up = y, down = y;
                const double h = 1e-6;
                up[j] += h;
                down[j] -= h;
                const Compact fu = derivative(p, up), fd = derivative(p, down);
                for (int i = 0; i < m; ++i) {
                    EXPECT_TRUE(near(J[i][j], (fu[i] - fd[i]) / (2.0 * h), 1e-7, 1e-9))
                        << "model " << model << ", n = " << order << ", d f" << i << "/d y" << j;
                }
            }
        }
    }
}

// A' = −k·A^1.5 (model 20, n = 1.5) has A = (A0^(−1/2) + k·t/2)^(−2).
double orderOneAndAHalfError(int steps) {
    const RunConstants p{20, 2.0, 0.0, 0.0, 1.5, halfStepsOf(1.5)};
    Compact y{1.0, 0.0, 0.0, 0.0};
    const double h = 1.0 / steps;
    for (int n = 0; n < steps; ++n) {
        Compact next, error;
        EXPECT_TRUE(rosenbrockStep(p, 2, y, h, next, error));
        y = next;
    }
    return std::fabs(y[0] - 1.0 / 4.0);
}

TEST(RosenbrockStep, IsOfThirdOrderAndLStable) {
    // Halving the step divides the global error by 2³ on a non-linear problem.
    const double e1 = orderOneAndAHalfError(10), e2 = orderOneAndAHalfError(20),
                 e3 = orderOneAndAHalfError(40);
    EXPECT_NEAR(std::log2(e1 / e2), 3.0, 0.15);
    EXPECT_NEAR(std::log2(e2 / e3), 3.0, 0.15);

    // One step far beyond every time scale (h·k = 1e7) lands on the end state of A => C <=> P:
    // the fast modes are damped as R(z) ~ 8/(3·z) → 0 (L-stability), not reflected; the mass
    // balance holds up to the rounding of the solve.
    const RunConstants p{14, 1e3, 2e3, 1e3, 1.0, 2};
    const Compact y{1.0, 0.0, 0.0, 0.0};
    Compact next, error;
    ASSERT_TRUE(rosenbrockStep(p, 3, y, 1e4, next, error));
    EXPECT_NEAR(next[0], 0.0, 3.0 / 1e7);
    EXPECT_NEAR(next[1], 1.0 / 3.0, 1e-6);
    EXPECT_NEAR(next[2], 2.0 / 3.0, 1e-6);
    EXPECT_TRUE(near(next[0] + next[1] + next[2], 1.0, 1e-8));
}

TEST(StiffIntegrator, LandsExactlyOnTheIntervalEndsWithinTheTolerance) {
    // A => C <=> P in the stiff setting: c(A) = e^(−k1·t) to the integrator's tolerance.
    const RunConstants p{14, 0.3, 1e6, 1e6, 1.0, 2};
    StiffIntegrator integrator(p, 3);
    Compact y{1.0, 0.0, 0.0, 0.0};
    integrator.start(y, 1e-3);
    const std::function<bool()> none;
    StepMeter meter(1'000'000, none);
    FpGuard guard;
    double t = 0.0;
    for (int i = 1; i <= 40; ++i) {
        const double to = 0.25 * i;
        ASSERT_EQ(integrator.advance(y, t, to, meter, guard), StiffOutcome::Done);
        t = to;
        ASSERT_TRUE(near(y[0], std::exp(-0.3 * t), 1e-6)) << t;
        ASSERT_TRUE(near(y[1], y[2], 0.0, 1e-6)) << "the fast equilibrium C = P at " << t;
        ASSERT_TRUE(near(y[0] + y[1] + y[2], 1.0, 1e-15)) << t;
    }
    EXPECT_LE(integrator.lastStep(), 0.25);
    // Far fewer steps than an explicit method would need (h below 2.8/(2e6) throughout).
    EXPECT_LT(integrator.acceptedSteps() + integrator.rejectedSteps(), 2000);
    EXPECT_EQ(meter.used(), integrator.acceptedSteps() + integrator.rejectedSteps());

    // An empty budget stops before the first step.
    StepMeter empty(0, none);
    EXPECT_EQ(integrator.advance(y, t, t + 1.0, empty, guard), StiffOutcome::OverBudget);
}

}  // namespace
}  // namespace zemtral
