// Student's t against closed forms and tables, and the parameter statistics of the Marquardt fit
// against the certified values of the NIST StRD nonlinear regression sets.
#include "numeric/fit_statistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "support/nist_strd.h"
#include "support/tolerance.h"

namespace zemtral {
namespace {

using test::near;

TEST(StudentT, QuantilesAgainstClosedFormsAndTables) {
    // ν = 1 (Cauchy) and ν = 2 have closed forms; ν = 3 a closed-form distribution function.
    EXPECT_TRUE(near(studentTQuantile(0.975, 1), std::tan(0.475 * std::numbers::pi), 1e-14));
    EXPECT_TRUE(near(studentTQuantile(0.975, 2), 4.302652729749464, 1e-13));
    const auto cdf3 = [](double t) {
        const double u = t / std::sqrt(3.0);
        return 0.5 + (u / (1.0 + u * u) + std::atan(u)) / std::numbers::pi;
    };
    for (double p : {0.6, 0.9, 0.975, 0.995, 0.9999}) {
        EXPECT_TRUE(near(cdf3(studentTQuantile(p, 3)), p, 1e-13)) << p;
    }
    // t(0.975, ν) calculated with scipy 1.10.1 as the root of stats.t.sf(t, ν) = 0.025 (brentq,
    // xtol 1e-15); its own t.ppf is accurate only to about 1e-9 at ν = 43.
    EXPECT_TRUE(near(studentTQuantile(0.975, 3), 3.182446305284263, 1e-12));
    EXPECT_TRUE(near(studentTQuantile(0.975, 10), 2.228138851986274, 1e-12));
    EXPECT_TRUE(near(studentTQuantile(0.975, 30), 2.0422724563012387, 1e-12));
    EXPECT_TRUE(near(studentTQuantile(0.975, 43), 2.0166921992278244, 1e-12));
    EXPECT_TRUE(near(studentTQuantile(0.975, 1000), 1.9623390808264085, 1e-12));
    // Symmetry, the median, and the incomplete beta's closed forms I_x(a, 1) = x^a, I_x(1, b).
    EXPECT_DOUBLE_EQ(studentTQuantile(0.025, 7), -studentTQuantile(0.975, 7));
    EXPECT_EQ(studentTQuantile(0.5, 5), 0.0);
    EXPECT_TRUE(std::isnan(studentTQuantile(1.0, 5)));
    EXPECT_TRUE(std::isnan(studentTQuantile(0.9, 0)));
    EXPECT_TRUE(near(regularizedIncompleteBeta(2.5, 1.0, 0.3), std::pow(0.3, 2.5), 1e-14));
    EXPECT_TRUE(near(regularizedIncompleteBeta(1.0, 3.5, 0.8), 1.0 - std::pow(0.2, 3.5), 1e-14));
}

MarquardtResult fitNist(const test::NistSet& set, double (*model)(std::span<const double>, double)) {
    LeastSquaresProblem problem;
    problem.parameterCount = static_cast<int>(set.certified.size());
    problem.residualCount = static_cast<int>(set.x.size());
    problem.residuals = [&set, model](std::span<const double> p, std::span<double> r) {
        for (std::size_t i = 0; i < set.x.size(); ++i) {
            r[i] = model(p, set.x[i]) - set.y[i];
        }
        return true;
    };
    return MarquardtNashFitting(problem, set.start2);
}

// The certified standard deviations and residual standard deviation; the intervals are t·sd with
// the set's degrees of freedom; the correlation is a valid correlation matrix.
TEST(ParameterStatistics, NistCertifiedValues) {
    struct Case {
        const char* name;
        double (*model)(std::span<const double>, double);
    };
    const Case cases[] = {
        {"Misra1a", [](std::span<const double> b, double x) { return b[0] * (1 - std::exp(-b[1] * x)); }},
        {"Rat42", [](std::span<const double> b, double x) { return b[0] / (1 + std::exp(b[1] - b[2] * x)); }},
    };
    for (const Case& c : cases) {
        const test::NistSet set = test::readNistSet(c.name);
        const MarquardtResult fit = fitNist(set, c.model);
        ASSERT_TRUE(fit.converged) << c.name;
        const int m = static_cast<int>(set.x.size());
        const int n = static_cast<int>(set.certified.size());
        const ParameterStatistics st = parameterStatistics(fit, m);
        ASSERT_TRUE(st.available);
        EXPECT_EQ(st.degreesOfFreedom, m - n);
        EXPECT_TRUE(near(st.residualSd, set.certifiedResidualSd, 1e-6)) << c.name;
        for (int j = 0; j < n; ++j) {
            EXPECT_TRUE(near(std::sqrt(fit.covariance[j * n + j]), set.certifiedSd[j], 1e-4));
            EXPECT_TRUE(near(st.ci95[j], studentTQuantile(0.975, m - n) * set.certifiedSd[j], 1e-4));
            EXPECT_EQ(st.correlation[j * n + j], 1.0);
            for (int k = 0; k < n; ++k) {
                EXPECT_DOUBLE_EQ(st.correlation[j * n + k], st.correlation[k * n + j]);
                EXPECT_LE(std::fabs(st.correlation[j * n + k]), 1.0);
            }
        }
    }
}

// A fixed parameter has no interval and no correlation; without degrees of freedom, or after a
// run that ended on a limit, there are no statistics at all.
TEST(ParameterStatistics, FixedParametersAndRunsWithoutPostAnalysis) {
    const test::NistSet set = test::readNistSet("Misra1a");
    LeastSquaresProblem problem;
    problem.parameterCount = 2;
    problem.residualCount = static_cast<int>(set.x.size());
    problem.residuals = [&set](std::span<const double> b, std::span<double> r) {
        for (std::size_t i = 0; i < set.x.size(); ++i) {
            r[i] = b[0] * (1 - std::exp(-b[1] * set.x[i])) - set.y[i];
        }
        return true;
    };
    MarquardtOptions options;
    options.fixed = {false, true};
    const MarquardtResult fit = MarquardtNashFitting(problem, {200.0, set.certified[1]}, options);
    ASSERT_TRUE(fit.converged);
    const ParameterStatistics st = parameterStatistics(fit, problem.residualCount);
    ASSERT_TRUE(st.available);
    EXPECT_EQ(st.degreesOfFreedom, problem.residualCount - 1);
    EXPECT_GT(st.ci95[0], 0.0);
    EXPECT_EQ(st.ci95[1], 0.0);
    EXPECT_EQ(st.correlation[1], 0.0);
    EXPECT_EQ(st.correlation[3], 0.0);

    options = {};
    options.maxJacobians = 1;
    const MarquardtResult limited = MarquardtNashFitting(problem, set.start1, options);
    ASSERT_TRUE(limited.limitReached);
    EXPECT_FALSE(parameterStatistics(limited, problem.residualCount).available);
    EXPECT_FALSE(parameterStatistics(fit, 1).available);
}

// A stop request ends the run at once with the last accepted parameters and no post-analysis.
TEST(ParameterStatistics, StopRequestKeepsTheLastAcceptedParameters) {
    const test::NistSet set = test::readNistSet("Misra1a");
    LeastSquaresProblem problem;
    problem.parameterCount = 2;
    problem.residualCount = static_cast<int>(set.x.size());
    problem.residuals = [&set](std::span<const double> b, std::span<double> r) {
        for (std::size_t i = 0; i < set.x.size(); ++i) {
            r[i] = b[0] * (1 - std::exp(-b[1] * set.x[i])) - set.y[i];
        }
        return true;
    };
    MarquardtOptions options;
    int accepted = 0;
    std::vector<double> lastProgress;
    options.progress = [&](std::span<const double> p, double) {
        ++accepted;
        lastProgress.assign(p.begin(), p.end());
    };
    options.stopRequested = [&] { return accepted >= 2; };
    const MarquardtResult fit = MarquardtNashFitting(problem, set.start1, options);
    EXPECT_TRUE(fit.stopped);
    EXPECT_FALSE(fit.converged);
    EXPECT_EQ(accepted, 2);
    EXPECT_EQ(fit.params, lastProgress);
    EXPECT_TRUE(fit.covariance.empty());
    std::vector<double> r(set.x.size());
    problem.residuals(fit.params, r);
    EXPECT_EQ(fit.residuals, r);
}

}  // namespace
}  // namespace zemtral
