// Fitting every kinetic model to data made from known constants, the order and temperature-law
// fittings, and the rules around them (fixed parameters, bounds, refusals, displayed sum).
#include "evaluation/fitting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>

#include "core/model_catalogue.h"
#include "core/rate_laws.h"
#include "support/tolerance.h"

namespace zemtral {
namespace {

using test::near;

/// Reference concentrations by classical RK4 with a fixed, fine step: independent of the engine's
/// step doubling and splines.
SpeciesArray referenceConc(int model, const std::array<double, 4>& k, const SpeciesArray& c0, double order,
                           double t) {
    SpeciesArray c = c0;
    const int steps = 4000;
    const double h = t / steps;
    auto add = [](const SpeciesArray& a, const SpeciesArray& b, double f) {
        SpeciesArray r{};
        for (int s = 1; s <= 5; ++s) {
            r[s] = a[s] + f * b[s];
        }
        return r;
    };
    for (int i = 0; i < steps && t > 0; ++i) {
        const SpeciesArray k1 = RateLaws(model, c, k, order);
        const SpeciesArray k2 = RateLaws(model, add(c, k1, h / 2), k, order);
        const SpeciesArray k3 = RateLaws(model, add(c, k2, h / 2), k, order);
        const SpeciesArray k4 = RateLaws(model, add(c, k3, h), k, order);
        for (int s = 1; s <= 5; ++s) {
            c[s] += h / 6 * (k1[s] + 2 * k2[s] + 2 * k3[s] + k4[s]);
        }
        if (model == 1 && c[kSlotA] < 0) {  // zero order stops when A is used up
            c[kSlotA] = 0;
        }
    }
    return c;
}

/// A deterministic scatter in −1..1.
double scatter(int i, int s) {
    return std::sin(12.9898 * i + 78.233 * s);
}

struct Fixture {
    WorkingState state;
    SimulationResult simulation;
    ExpDataSet data;
    ActivationParameters activation;
    FitContext ctx{state, simulation, data, activation, kKTArrhenius, {}};
};

/// Data of `model` at 14 times from 5 to 100 with the constants `kTrue`, relative scatter `noise`.
void makeData(Fixture& f, int model, const std::array<double, 4>& kTrue, double noise) {
    const std::string mask = modelSpeciesMask(model);
    for (int i = 1; i <= 14; ++i) {
        const double t = 100.0 * i / 14.0;
        const SpeciesArray c = referenceConc(model, kTrue, f.state.conc0, f.state.reactionOrder, t);
        ExpPoint p;
        p.t = t;
        for (int s = 1; s <= 5; ++s) {
            if (mask[s - 1] == '1') {
                p.c[s] = c[s] * (1.0 + noise * scatter(i, s));
            }
        }
        f.data.points.push_back(p);
    }
    f.data.pointCount = static_cast<std::int16_t>(f.data.points.size() - 1);
    for (int s = 1; s <= 5; ++s) {
        f.ctx.species[s] = mask[s - 1] == '1';
    }
}

/// The model's default constants, and true constants that differ from them.
std::array<double, 4> trueConstants(int model, const WorkingState& defaults) {
    std::array<double, 4> k = defaults.rateConst;
    const std::string params = modelParameterMask(model);
    const double factor[4] = {1.0, 1.3, 0.75, 1.25};
    for (int j = 1; j <= 3; ++j) {
        if (params[j - 1] == '1') {
            k[j] *= factor[j];
        }
    }
    if (model == 1) {
        k[1] = 0.008;  // keeps A above 0 over the data
    }
    return k;
}

class EveryModel : public ::testing::TestWithParam<int> {};

TEST_P(EveryModel, RecoversKnownConstantsFromExactAndScatteredData) {
    const int model = GetParam();
    for (const double noise : {0.0, 0.01}) {
        Fixture f;
        f.state.conc0 = {};
        applyModelDefaults(f.state, static_cast<std::int16_t>(model));
        f.state.tEnd = 100.0f;
        f.state.fittingMode = kFittingRateConstants;
        const std::array<double, 4> kTrue = trueConstants(model, f.state);
        makeData(f, model, kTrue, noise);
        const int n = fitParameterCount(model, kFittingRateConstants);
        const AutoFitOutcome out = runAutoFitting(f.ctx, {});
        ASSERT_FALSE(out.refused);
        EXPECT_TRUE(out.fit.converged) << "model " << model << " noise " << noise;
        EXPECT_TRUE(out.warningText.empty());
        double worst = 0.0;
        for (int j = 1; j <= n; ++j) {
            // The result is written back into the working state.
            EXPECT_EQ(f.state.rateConst[j], out.params[j - 1]);
            const double rel = std::fabs(out.params[j - 1] - kTrue[j]) / kTrue[j];
            worst = std::max(worst, rel);
            if (noise > 0) {
                EXPECT_GT(out.sd[j - 1], 0.0);
                // The true value lies within a few standard deviations of the fitted one.
                EXPECT_LT(std::fabs(out.params[j - 1] - kTrue[j]), 6 * out.sd[j - 1] + 1e-3 * kTrue[j])
                    << "model " << model << " k" << j;
            }
        }
        std::cout << "model " << model << " noise " << noise << ": worst relative error " << worst << ", "
                  << out.fit.objectiveCount << " objectives, " << out.fit.jacobianCount << " Jacobians\n";
        // With scatter the standard deviations above are the measure; the reversible and enzyme
        // models determine their backward constants only loosely from 14 points.
        const double tolerance = noise > 0 ? 0.3 : (isNumericModel(model) ? 2e-3 : 1e-5);
        EXPECT_LT(worst, tolerance) << "model " << model;
        // The fit minimises what the window shows.
        const std::optional<double> shown = CalcDisplayFQS(f.ctx);
        ASSERT_TRUE(shown.has_value());
        EXPECT_TRUE(near(*shown, out.fit.objective, 1e-9, 1e-300));
    }
}

INSTANTIATE_TEST_SUITE_P(Models, EveryModel,
                         ::testing::Values(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 20),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Model" + std::to_string(info.param);
                         });

TEST(Fitting, FixedParametersStayAndBoundsClampTheStart) {
    Fixture f;
    applyModelDefaults(f.state, 6);
    f.state.tEnd = 100.0f;
    f.state.fittingMode = kFittingRateConstants;
    const std::array<double, 4> kTrue{0.0, 0.2, 0.05, 0.0};
    makeData(f, 6, kTrue, 0.0);
    f.state.rateConst[1] = 1e-12;  // below the lower bound 1e-7
    f.state.rateConst[2] = 0.07;   // fixed at a wrong value
    const AutoFitOutcome out = runAutoFitting(f.ctx, {false, false, true, false});
    EXPECT_EQ(f.state.rateConst[2], 0.07);
    EXPECT_EQ(out.sd[1], 0.0);
    EXPECT_EQ(out.fit.freeCount, 1);
    EXPECT_GE(f.state.rateConst[1], 1e-7);
    EXPECT_GT(f.state.rateConst[1], 0.05);  // it moved away from the clamped start
    std::vector<double> lower, upper;
    fitParameterBounds(kFittingRateConstants, 3, lower, upper);
    EXPECT_EQ(lower, (std::vector<double>{1e-7, 1e-7, 1e-7}));
    EXPECT_EQ(upper, (std::vector<double>{100000, 200000, 100000}));
    fitParameterBounds(kFittingNonIsothermalFirst, 2, lower, upper);
    EXPECT_EQ(upper, (std::vector<double>{1e18, 200000}));
    int maxJ = 0, maxF = 0;
    fitIterationLimits(kFittingOrder, 2, maxJ, maxF);
    EXPECT_EQ(maxJ, 125);
    EXPECT_EQ(maxF, 200);
    fitIterationLimits(kFittingNonIsothermalSecond, 2, maxJ, maxF);
    EXPECT_EQ(maxJ, 250);
    EXPECT_EQ(maxF, 400);
}

TEST(Fitting, RefusesWithoutMorePointsThanParameters) {
    Fixture f;
    applyModelDefaults(f.state, 6);
    f.state.fittingMode = kFittingRateConstants;
    makeData(f, 6, f.state.rateConst, 0.0);
    f.data.points.resize(3);
    f.data.pointCount = 2;  // two parameters, two points
    const AutoFitOutcome out = runAutoFitting(f.ctx, {});
    EXPECT_TRUE(out.refused);
    EXPECT_EQ(
        out.refusalText,
        "Die Zahl der Messpunkte muss größer als die Zahl der Parameter sein!\r\nErgänzen Sie die Daten im "
        "Dateneditor.");
    EXPECT_EQ(out.fit.objectiveCount, 0);
}

TEST(Fitting, ExcludedPointsAndUntickedSpeciesDoNotCount) {
    Fixture f;
    applyModelDefaults(f.state, 2);
    f.state.fittingMode = kFittingRateConstants;
    makeData(f, 2, {0.0, 0.1, 0.0, 0.0}, 0.0);
    const std::size_t all = residualEntries(f.ctx).size();
    f.data.points[3].c[kSlotA] = 5.0;  // a wild value...
    f.data.points[3].exclude = -1;     // ...that is excluded
    EXPECT_EQ(residualEntries(f.ctx).size(), all - 2);
    const AutoFitOutcome out = runAutoFitting(f.ctx, {});
    EXPECT_TRUE(near(out.params[0], 0.1, 1e-6));
    f.ctx.species[kSlotP] = false;
    EXPECT_EQ(residualEntries(f.ctx).size(), (all - 2) / 2);
    // Two species ticked: the displayed sum is the sum of the squares of both species.
    f.ctx.species[kSlotP] = true;
    f.state.rateConst[1] = 0.12;
    const std::optional<double> shown = CalcDisplayFQS(f.ctx);
    double expected = 0.0;
    for (int i = 1; i <= f.data.pointCount; ++i) {
        const ExpPoint& p = f.data.points[i];
        if (p.exclude == -1)
            continue;
        const double cA = std::exp(-0.12 * p.t);
        expected += std::pow(cA - p.c[kSlotA], 2) + std::pow(1 - cA - p.c[kSlotP], 2);
    }
    ASSERT_TRUE(shown.has_value());
    EXPECT_TRUE(near(*shown, expected, 1e-9));
}

TEST(Fitting, OrderFittingRecoversKAndN) {
    Fixture f;
    applyModelDefaults(f.state, 20);
    f.state.tEnd = 100.0f;
    f.state.fittingMode = kFittingOrder;
    f.state.reactionOrder = 1.6f;
    makeData(f, 20, {0.0, 0.03, 0.0, 0.0}, 0.0);
    // Start from other values.
    f.state.rateConst[1] = 0.05;
    f.state.reactionOrder = 1.2f;
    EXPECT_EQ(fitParameterCount(20, kFittingOrder), 2);
    const AutoFitOutcome out = runAutoFitting(f.ctx, {});
    EXPECT_TRUE(out.fit.converged);
    EXPECT_TRUE(near(f.state.rateConst[1], 0.03, 5e-3));
    EXPECT_TRUE(near(f.state.reactionOrder, 1.6, 5e-3));
    EXPECT_EQ(f.state.rateConst[2], out.params[1]);
}

/// Non-isothermal data: the fraction remaining (mode 6) or c(A) of 2A => P (mode 7) at three
/// temperatures for k(T) = A·exp(−EA/(R·T)).
void makeNonIsothermal(Fixture& f, std::uint8_t mode, double A, double EA, bool eyring) {
    f.state.fittingMode = mode;
    f.state.modelId = mode == kFittingNonIsothermalFirst ? 2 : 3;
    f.state.conc0[kSlotA] = 0.5;
    for (double T : {300.0, 320.0, 340.0}) {
        const double k = rateConstantAt(eyring ? kKTEyring : kKTArrhenius, A, EA, T);
        for (int i = 1; i <= 6; ++i) {
            ExpPoint p;
            p.t = 0.3 / k * i;
            p.T = T;
            p.c[kSlotA] =
                mode == kFittingNonIsothermalFirst ? std::exp(-k * p.t) : 1.0 / (1.0 / 0.5 + 2 * k * p.t);
            f.data.points.push_back(p);
        }
    }
    ExpPoint kOnly;  // a k-T point in the same table has no concentration: it does not count
    kOnly.T = 310.0;
    kOnly.k = 1.0;
    f.data.points.push_back(kOnly);
    f.data.pointCount = static_cast<std::int16_t>(f.data.points.size() - 1);
}

TEST(Fitting, NonIsothermalArrheniusFirstAndSecondOrder) {
    for (std::uint8_t mode : {kFittingNonIsothermalFirst, kFittingNonIsothermalSecond}) {
        Fixture f;
        makeNonIsothermal(f, mode, 2.0e6, 50000.0, false);
        EXPECT_EQ(residualEntries(f.ctx).size(), 18u);
        f.activation.arrheniusA = 1.0e6;
        f.activation.activationEnergy = 48000.0;
        const AutoFitOutcome out = runAutoFitting(f.ctx, {});
        EXPECT_TRUE(out.fit.converged) << int(mode);
        EXPECT_TRUE(near(f.activation.arrheniusA, 2.0e6, 1e-4)) << f.activation.arrheniusA;
        EXPECT_TRUE(near(f.activation.activationEnergy, 50000.0, 1e-5));
    }
}

TEST(Fitting, AnalyticDerivativesOfFirstOrderArrheniusMatchDifferences) {
    Fixture f;
    makeNonIsothermal(f, kFittingNonIsothermalFirst, 2.0e6, 50000.0, false);
    const std::vector<ResidualEntry> entries = residualEntries(f.ctx);
    const std::vector<double> p{1.5e6, 49000.0};
    std::vector<double> r(entries.size()), analytic(entries.size() * 2), numeric(entries.size() * 2);
    ASSERT_TRUE(CalcResiduals(f.ctx, entries, p, r));
    const bool needed[2] = {true, true};
    ASSERT_TRUE(CalcAbleitungen(f.ctx, entries, p, r, needed, analytic));
    ResidualFunction residuals = [&](std::span<const double> q, std::span<double> out) {
        return CalcResiduals(f.ctx, entries, q, out);
    };
    ASSERT_TRUE(forwardDifferenceJacobian(residuals, p, r, needed, 1e-6, numeric));
    for (std::size_t i = 0; i < analytic.size(); ++i) {
        EXPECT_TRUE(near(analytic[i], numeric[i], 1e-4, 1e-12)) << i;
    }
}

TEST(Fitting, EyringFormGivesEnthalpyAndEntropy) {
    Fixture f;
    f.ctx.kTForm = kKTEyring;
    const double dH = 60000.0, dS = -30.0;
    const double factor = kBoltzmann / kPlanck * std::exp(dS / kGasConstant);  // per second
    makeNonIsothermal(f, kFittingNonIsothermalFirst, factor, dH, true);
    f.activation.eyringFactor = factor * 3;
    f.activation.deltaH = 62000.0;
    const AutoFitOutcome out = runAutoFitting(f.ctx, {});
    EXPECT_TRUE(out.fit.converged) << out.fit.limitReached << out.fit.stalled << out.fit.undetermined << " "
                                   << out.fit.objectiveCount << " " << out.fit.jacobianCount << " F "
                                   << out.fit.objective;
    EXPECT_TRUE(near(f.activation.deltaH, dH, 1e-5));
    EXPECT_TRUE(near(f.activation.deltaS, dS, 1e-4));
    EXPECT_EQ(entropyLabelText(f.activation.deltaS), " -30.0 J/(mol K)");
    // The same factor per minute: ΔS# is lower by R·ln 60.
    EXPECT_TRUE(near(eyringEntropy(factor, 1), dS + kGasConstant * std::log(1.0 / 60.0), 1e-9));
}

TEST(Fitting, ManualAdjustmentAndTexts) {
    EXPECT_EQ(typedParameterValue("0"), 1e-8);
    EXPECT_EQ(typedParameterValue(""), 1e-8);
    EXPECT_EQ(typedParameterValue("0,25"), 0.25);
    EXPECT_DOUBLE_EQ(sliderAdjustedParameter(0.2, 50, true), 0.21);
    EXPECT_TRUE(near(sliderAdjustedParameter(0.2, -90, false), 0.02, 1e-12));
    EXPECT_DOUBLE_EQ(sliderAdjustedParameter(0.2, 900, false), 2.0);
    EXPECT_EQ(fqsText(0.0123), "1.2300 E-2");
    EXPECT_EQ(fqsText(0.5), "0.5000");
    EXPECT_EQ(standardDeviationText(-0.00123), "1.2 E-3");
    EXPECT_EQ(nonIsothermalCurveLegend(298.15f), "c(A) T/K = 298");
    EXPECT_EQ(
        maxIterationsText(),
        "Maximale Iterationszahl erreicht.\r\nWiederholen Sie das Fitting und/oder verbessern Sie die\r\n"
        "Startwerte durch Annäherung der Kurve(n) an die Messwerte.");
    WorkingState s;
    applyModelDefaults(s, 6);
    s.fittingMode = kFittingRateConstants;
    EXPECT_EQ(fittingCaption(s, {}, kKTArrhenius), "kinet. Modell: A => C => P\r\nk1 = 0.15, k2 = 0.1");
}

TEST(Fitting, PointsBeyondTheSimulatedSpanAreComparedWithTheModel) {
    // tEnd = 40 while the data reach 100: the fit must not compare them with an extrapolation.
    Fixture f;
    f.state.conc0 = {};
    applyModelDefaults(f.state, 9);
    f.state.fittingMode = kFittingRateConstants;
    const std::array<double, 4> kTrue = trueConstants(9, f.state);
    makeData(f, 9, kTrue, 0.0);
    f.state.tEnd = 40.0f;
    const AutoFitOutcome out = runAutoFitting(f.ctx, {});
    EXPECT_TRUE(out.fit.converged);
    EXPECT_TRUE(near(out.params[0], kTrue[1], 2e-3));
    EXPECT_TRUE(near(out.params[1], kTrue[2], 2e-3));
    EXPECT_EQ(f.state.tEnd, 40.0f);  // the working state keeps its span
}

TEST(Fitting, WindowTextsByMode) {
    WorkingState s;
    s.timeUnit = "min";
    s.modelId = 2;
    s.fittingMode = kFittingNonIsothermalFirst;
    FittingWindowTexts t = fittingWindowTexts(s, kKTArrhenius);
    EXPECT_EQ(t.frameCaption, " kinet. Modell: A => P, 1. Ord.");
    EXPECT_EQ(t.paramUnit[1], "A/(1/min)");
    EXPECT_EQ(t.paramLabel[2], "mol. Aktivierungsenergie EA");
    EXPECT_EQ(t.paramToolTip, " nur niedrige Startwerte führen zum Erfolg (teste 0|1|10|100) ");
    EXPECT_TRUE(t.autoFitToolTip.empty());
    s.fittingMode = kFittingNonIsothermalSecond;
    EXPECT_EQ(fittingWindowTexts(s, kKTArrhenius).paramUnit[1], "A/(1/(min mol/l))");
    EXPECT_EQ(fittingWindowTexts(s, kKTEyring).paramLabel[2], "mol. Aktivierungs-Enthalpie h#");
    s.modelId = 20;
    s.fittingMode = kFittingOrder;
    s.reactionOrder = 1.5f;
    t = fittingWindowTexts(s, kKTArrhenius);
    EXPECT_EQ(t.modelLabel, "kinet. Modell:  A => P, n-ter Ordnung  (n = 1.50)");
    EXPECT_EQ(t.autoFitToolTip, " ein mehrmaliges Fitting kann u. U. das Ergebnis noch verbessern ");
    s.modelId = 10;
    EXPECT_EQ(fittingWindowTexts(s, kKTArrhenius).speciesCaption[3], "c(ES)");
    EXPECT_EQ(standardDeviationToolTip(2), "2 Standardabweichung des Parameters ");
}

TEST(Fitting, LimitReachedStillWritesTheLastAcceptedParameters) {
    Fixture f;
    applyModelDefaults(f.state, 18);
    f.state.tEnd = 100.0f;
    f.state.fittingMode = kFittingRateConstants;
    const std::array<double, 4> kTrue = trueConstants(18, f.state);
    makeData(f, 18, kTrue, 0.0);
    f.state.rateConst = {0.0, 5.0, 5.0, 5.0};  // far away, so two Jacobians cannot finish
    FitContext& ctx = f.ctx;
    LeastSquaresProblem problem = fitProblem(ctx, residualEntries(ctx), 3);
    MarquardtOptions options;
    options.maxJacobians = 2;
    fitParameterBounds(kFittingRateConstants, 3, options.lower, options.upper);
    const MarquardtResult r = MarquardtNashFitting(problem, {5.0, 5.0, 5.0}, options);
    EXPECT_TRUE(r.limitReached);
    applyFitParameters(ctx, r.params);
    EXPECT_EQ(f.state.rateConst[1], r.params[0]);
}

TEST(Fitting, StopHookEndsTheModelRunOfAnEvaluation) {
    // Model 18 is integrated: a hook that says stop fails the evaluation at once; the closed form
    // of model 4 has no run to stop.
    for (const int model : {18, 4}) {
        Fixture f;
        applyModelDefaults(f.state, static_cast<std::int16_t>(model));
        f.state.tEnd = 100.0f;
        f.state.fittingMode = kFittingRateConstants;
        makeData(f, model, trueConstants(model, f.state), 0.0);
        const std::vector<ResidualEntry> entries = residualEntries(f.ctx);
        const std::vector<double> p = currentFitParameters(f.ctx, fitParameterCount(model, 1));
        std::vector<double> r(entries.size());
        int asked = 0;
        f.ctx.keepGoing = [&asked] {
            ++asked;
            return false;
        };
        EXPECT_EQ(CalcResiduals(f.ctx, entries, p, r), model == 4) << model;
        EXPECT_EQ(asked > 0, model == 18);
        f.ctx.keepGoing = [] { return true; };
        EXPECT_TRUE(CalcResiduals(f.ctx, entries, p, r));
    }
}

}  // namespace
}  // namespace zemtral
