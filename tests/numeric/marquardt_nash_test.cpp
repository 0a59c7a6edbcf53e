// The bounded Marquardt method against the certified NIST StRD nonlinear regression results,
// and its bound, mask and limit handling on small problems with known answers.
#include "numeric/marquardt_nash.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <iomanip>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/nist_strd.h"
#include "support/tolerance.h"

namespace zemtral {
namespace {

using test::NistSet;
using test::readNistSet;

using Model = std::function<double(const std::vector<double>& b, double x)>;

const std::map<std::string, Model>& nistModels() {
    static const std::map<std::string, Model> models = {
        {"Misra1a", [](const std::vector<double>& b, double x) { return b[0] * (1 - std::exp(-b[1] * x)); }},
        {"Misra1b",
         [](const std::vector<double>& b, double x) { return b[0] * (1 - std::pow(1 + b[1] * x / 2, -2)); }},
        {"Chwirut2",
         [](const std::vector<double>& b, double x) { return std::exp(-b[0] * x) / (b[1] + b[2] * x); }},
        {"DanWood", [](const std::vector<double>& b, double x) { return b[0] * std::pow(x, b[1]); }},
        {"BoxBOD", [](const std::vector<double>& b, double x) { return b[0] * (1 - std::exp(-b[1] * x)); }},
        {"Rat42",
         [](const std::vector<double>& b, double x) { return b[0] / (1 + std::exp(b[1] - b[2] * x)); }},
        {"Eckerle4",
         [](const std::vector<double>& b, double x) {
             const double u = (x - b[2]) / b[1];
             return b[0] / b[1] * std::exp(-0.5 * u * u);
         }},
        {"MGH09", [](const std::vector<double>& b,
                     double x) { return b[0] * (x * x + x * b[1]) / (x * x + x * b[2] + b[3]); }},
        {"Thurber",
         [](const std::vector<double>& b, double x) {
             return (b[0] + b[1] * x + b[2] * x * x + b[3] * x * x * x) /
                    (1 + b[4] * x + b[5] * x * x + b[6] * x * x * x);
         }},
    };
    return models;
}

LeastSquaresProblem nistProblem(const NistSet& set, const Model& model) {
    LeastSquaresProblem problem;
    problem.parameterCount = static_cast<int>(set.certified.size());
    problem.residualCount = static_cast<int>(set.x.size());
    problem.residuals = [&set, &model](std::span<const double> p, std::span<double> r) {
        const std::vector<double> b(p.begin(), p.end());
        for (std::size_t i = 0; i < set.x.size(); ++i) {
            r[i] = model(b, set.x[i]) - set.y[i];
        }
        return true;
    };
    return problem;
}

double minimumDigits(const std::vector<double>& actual, const std::vector<double>& expected) {
    double digits = 15.0;
    for (std::size_t j = 0; j < expected.size(); ++j) {
        digits = std::min(digits, test::agreeingDigits(actual[j], expected[j]));
    }
    return digits;
}

struct NistCase {
    std::string name;
    int start;
    bool mustConverge;  ///< with the method's own limits
};

class NistStrd : public ::testing::TestWithParam<NistCase> {};

// Every run either converges to the certified parameters and standard deviations or reports that
// it did not converge: a wrong answer is never reported as converged.
TEST_P(NistStrd, CertifiedValuesFromBothStarts) {
    const NistCase& c = GetParam();
    const NistSet set = readNistSet(c.name);
    ASSERT_FALSE(set.x.empty());
    ASSERT_EQ(set.certified.size(), set.certifiedSd.size());
    const Model& model = nistModels().at(c.name);
    const MarquardtResult result =
        MarquardtNashFitting(nistProblem(set, model), c.start == 1 ? set.start1 : set.start2);

    const double paramDigits = minimumDigits(result.params, set.certified);
    const double sdDigits = minimumDigits(result.sd, set.certifiedSd);
    std::cout << "NIST " << std::left << std::setw(9) << c.name << " start " << c.start
              << (result.converged ? " converged" : " not converged") << std::fixed << std::setprecision(1)
              << "  parameter digits " << paramDigits << "  sd digits " << sdDigits
              << "  objective evaluations " << result.objectiveCount << "  Jacobians " << result.jacobianCount
              << std::defaultfloat << "\n";

    if (c.mustConverge) {
        EXPECT_TRUE(result.converged);
    }
    if (result.converged) {
        EXPECT_GE(paramDigits, 5.0);
        EXPECT_GE(sdDigits, 3.0);
        EXPECT_TRUE(test::near(result.objective, set.certifiedRss, 1e-7));
        EXPECT_EQ(result.freeCount, static_cast<int>(set.certified.size()));
        EXPECT_FALSE(result.limitReached);
    } else {
        EXPECT_TRUE(result.limitReached || result.stalled || result.undetermined || result.evaluationFailed);
        for (double sd : result.sd) {
            EXPECT_EQ(sd, 0.0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sets, NistStrd,
                         ::testing::Values(NistCase{"Misra1a", 1, true}, NistCase{"Misra1a", 2, true},
                                           NistCase{"Misra1b", 1, true}, NistCase{"Misra1b", 2, true},
                                           NistCase{"Chwirut2", 1, true}, NistCase{"Chwirut2", 2, true},
                                           NistCase{"DanWood", 1, true}, NistCase{"DanWood", 2, true},
                                           NistCase{"BoxBOD", 1, false}, NistCase{"BoxBOD", 2, true},
                                           NistCase{"Rat42", 1, true}, NistCase{"Rat42", 2, true},
                                           NistCase{"Eckerle4", 1, false}, NistCase{"Eckerle4", 2, true},
                                           NistCase{"MGH09", 1, false}, NistCase{"MGH09", 2, true},
                                           NistCase{"Thurber", 1, true}, NistCase{"Thurber", 2, true}),
                         [](const ::testing::TestParamInfo<NistCase>& info) {
                             return info.param.name + "_Start" + std::to_string(info.param.start);
                         });

/// y = b0·exp(−b1·x) sampled exactly at x = 0..7 with b = (2, 0.3), optionally with a fixed
/// alternating perturbation.
LeastSquaresProblem decayProblem(std::vector<double>& x, std::vector<double>& y, double scatter) {
    x.clear();
    y.clear();
    for (int i = 0; i < 8; ++i) {
        x.push_back(i);
        y.push_back(2.0 * std::exp(-0.3 * i) + (i % 2 == 0 ? scatter : -scatter));
    }
    LeastSquaresProblem problem;
    problem.parameterCount = 2;
    problem.residualCount = 8;
    problem.residuals = [&x, &y](std::span<const double> b, std::span<double> r) {
        for (std::size_t i = 0; i < x.size(); ++i) {
            r[i] = b[0] * std::exp(-b[1] * x[i]) - y[i];
        }
        return true;
    };
    return problem;
}

TEST(MarquardtNash, ExactDataRecoveredWithAnalyticAndNumericJacobian) {
    std::vector<double> x, y;
    LeastSquaresProblem problem = decayProblem(x, y, 0.0);
    const MarquardtResult numeric = MarquardtNashFitting(problem, {1.0, 1.0});
    ASSERT_TRUE(numeric.converged);
    EXPECT_TRUE(test::near(numeric.params[0], 2.0, 1e-7));
    EXPECT_TRUE(test::near(numeric.params[1], 0.3, 1e-7));
    EXPECT_LT(numeric.objective, 1e-20);

    problem.jacobian = [&x](std::span<const double> b, std::span<const double>, std::span<const bool>,
                            std::span<double> jac) {
        for (std::size_t i = 0; i < x.size(); ++i) {
            const double e = std::exp(-b[1] * x[i]);
            jac[i * 2] = e;
            jac[i * 2 + 1] = -b[0] * x[i] * e;
        }
        return true;
    };
    const MarquardtResult analytic = MarquardtNashFitting(problem, {1.0, 1.0});
    ASSERT_TRUE(analytic.converged);
    EXPECT_TRUE(test::near(analytic.params[0], 2.0, 1e-10));
    EXPECT_TRUE(test::near(analytic.params[1], 0.3, 1e-10));
}

TEST(MarquardtNash, ForwardDifferencesAgreeWithAnalyticDerivatives) {
    std::vector<double> x, y;
    const LeastSquaresProblem problem = decayProblem(x, y, 0.01);
    const std::vector<double> b{1.7, 0.45};
    std::vector<double> r(8), jac(16);
    ASSERT_TRUE(problem.residuals(b, r));
    const bool needed[2] = {true, true};
    ASSERT_TRUE(forwardDifferenceJacobian(problem.residuals, b, r, needed, 1.7e-7, jac));
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double e = std::exp(-b[1] * x[i]);
        EXPECT_TRUE(test::near(jac[i * 2], e, 1e-6, 1e-9));
        EXPECT_TRUE(test::near(jac[i * 2 + 1], -b[0] * x[i] * e, 1e-6, 1e-9));
    }
    // A column that is not needed costs no evaluation and stays zero.
    int calls = 0;
    ResidualFunction counting = [&](std::span<const double> p, std::span<double> out) {
        ++calls;
        return problem.residuals(p, out);
    };
    const bool onlySecond[2] = {false, true};
    ASSERT_TRUE(forwardDifferenceJacobian(counting, b, r, onlySecond, 1.7e-7, jac));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(jac[0], 0.0);
}

TEST(MarquardtNash, StandardDeviationsUseTheFreeParametersAsDegreesOfFreedom) {
    std::vector<double> x, y;
    const LeastSquaresProblem problem = decayProblem(x, y, 0.02);
    const MarquardtResult both = MarquardtNashFitting(problem, {1.0, 1.0});
    ASSERT_TRUE(both.converged);
    EXPECT_EQ(both.freeCount, 2);
    EXPECT_TRUE(test::near(both.sigma2, both.objective / 6.0, 1e-12));
    EXPECT_GT(both.sd[0], 0.0);
    EXPECT_GT(both.sd[1], 0.0);

    // Fixing b0 at its true value leaves one free parameter and seven degrees of freedom.
    MarquardtOptions options;
    options.fixed = {true, false};
    const MarquardtResult one = MarquardtNashFitting(problem, {2.0, 1.0}, options);
    ASSERT_TRUE(one.converged);
    EXPECT_EQ(one.params[0], 2.0);
    EXPECT_EQ(one.sd[0], 0.0);
    EXPECT_EQ(one.mask[0], BoundState::Fixed);
    EXPECT_EQ(one.freeCount, 1);
    EXPECT_TRUE(test::near(one.sigma2, one.objective / 7.0, 1e-12));
    EXPECT_TRUE(test::near(one.params[1], 0.3, 1e-2));
}

TEST(MarquardtNash, BoundsHoldAndStartValuesAreClamped) {
    std::vector<double> x, y;
    const LeastSquaresProblem problem = decayProblem(x, y, 0.0);
    // The unconstrained optimum b1 = 0.3 lies above the upper bound 0.25: the fit ends on it.
    MarquardtOptions options;
    options.lower = {1e-7, 1e-7};
    options.upper = {100.0, 0.25};
    const MarquardtResult capped = MarquardtNashFitting(problem, {1.0, 0.1}, options);
    EXPECT_TRUE(capped.converged);
    EXPECT_EQ(capped.params[1], 0.25);
    EXPECT_EQ(capped.mask[1], BoundState::AtUpper);
    EXPECT_EQ(capped.freeCount, 1);
    EXPECT_EQ(capped.sd[1], 0.0);
    EXPECT_LE(capped.params[0], 100.0);

    // A start value above the upper bound is clamped before the first evaluation, and the
    // parameter is released again when the gradient points back inside.
    std::vector<std::vector<double>> seen;
    LeastSquaresProblem recording = problem;
    recording.residuals = [&](std::span<const double> p, std::span<double> r) {
        seen.emplace_back(p.begin(), p.end());
        return problem.residuals(p, r);
    };
    options.upper = {100.0, 5.0};
    const MarquardtResult released = MarquardtNashFitting(recording, {1.0, 50.0}, options);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front()[1], 5.0);
    EXPECT_TRUE(released.converged);
    EXPECT_TRUE(test::near(released.params[1], 0.3, 1e-6));
    for (const auto& p : seen) {
        EXPECT_GE(p[0], 1e-7);
        EXPECT_LE(p[0], 100.0 * (1 + 1e-6));  // difference steps may look just past a bound
        EXPECT_LE(p[1], 5.0 * (1 + 1e-6));
    }
}

TEST(MarquardtNash, LimitsEndTheRunWithTheLastAcceptedParameters) {
    std::vector<double> x, y;
    const LeastSquaresProblem problem = decayProblem(x, y, 0.0);
    MarquardtOptions options;
    options.maxJacobians = 2;
    const MarquardtResult limited = MarquardtNashFitting(problem, {1.0, 1.0}, options);
    EXPECT_TRUE(limited.limitReached);
    EXPECT_FALSE(limited.converged);
    EXPECT_EQ(limited.sd[0], 0.0);
    EXPECT_EQ(limited.sd[1], 0.0);
    // The reported objective belongs to the reported parameters.
    std::vector<double> r(8);
    ASSERT_TRUE(problem.residuals(limited.params, r));
    double f = 0;
    for (double v : r)
        f += v * v;
    EXPECT_DOUBLE_EQ(f, limited.objective);
    std::vector<double> r0(8);
    ASSERT_TRUE(problem.residuals(std::vector<double>{1.0, 1.0}, r0));
    double f0 = 0;
    for (double v : r0)
        f0 += v * v;
    EXPECT_LT(limited.objective, f0);  // the accepted step improved on the start

    options.maxJacobians = 125;
    options.maxObjectives = 3;
    const MarquardtResult fewObjectives = MarquardtNashFitting(problem, {1.0, 1.0}, options);
    EXPECT_TRUE(fewObjectives.limitReached);
    EXPECT_LE(fewObjectives.objectiveCount, 4);
}

TEST(MarquardtNash, FailedEvaluationsAreNeverAccepted) {
    std::vector<double> x, y;
    const LeastSquaresProblem base = decayProblem(x, y, 0.0);
    // The model cannot be evaluated for b1 > 0.5; the optimum 0.3 lies inside the valid region.
    LeastSquaresProblem problem = base;
    problem.residuals = [&base](std::span<const double> p, std::span<double> r) {
        return p[1] <= 0.5 && base.residuals(p, r);
    };
    const MarquardtResult result = MarquardtNashFitting(problem, {1.0, 0.05});
    EXPECT_TRUE(result.converged);
    EXPECT_TRUE(test::near(result.params[1], 0.3, 1e-6));

    const MarquardtResult atStart = MarquardtNashFitting(problem, {1.0, 0.9});
    EXPECT_TRUE(atStart.evaluationFailed);
    EXPECT_FALSE(atStart.converged);
}

}  // namespace
}  // namespace zemtral
