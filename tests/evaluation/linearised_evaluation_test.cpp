// The straight-line evaluations against the closed forms of the integrated rate laws.
#include "evaluation/linearised_evaluation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/tolerance.h"

namespace zemtral {
namespace {

using test::near;

ExpPoint point(double t, double cA, double cB = 0.0) {
    ExpPoint p;
    p.t = t;
    p.c[kSlotA] = cA;
    p.c[kSlotB] = cB;
    return p;
}

void add(ExpDataSet& data, const ExpPoint& p) {
    data.points.push_back(p);
    data.pointCount = static_cast<std::int16_t>(data.points.size() - 1);
}

WorkingState stateWith(double cA0, double cB0 = 0.0) {
    WorkingState s;
    s.conc0[kSlotA] = cA0;
    s.conc0[kSlotB] = cB0;
    return s;
}

TEST(LinearisedEvaluation, FirstOrderHalvingGivesLn2AndStoresK1) {
    ExpDataSet data;
    add(data, point(0, 1.0));
    add(data, point(1, 0.5));
    add(data, point(2, 0.25));
    WorkingState state = stateWith(1.0);
    EvaluationState ev;
    const LinearEvaluationResult r = runLinearisedEvaluation(data, kEvalFirstOrder, state, ev);
    ASSERT_EQ(r.errorFlag, 0);
    EXPECT_TRUE(near(r.k, std::log(2.0), 1e-6));
    EXPECT_TRUE(near(state.rateConst[1], std::log(2.0), 1e-6));
    EXPECT_FLOAT_EQ(r.rSquared, 1.0f);
    EXPECT_EQ(r.resultLine, "Berechnungsergebnis: {k} = " + std::string("0.6931472") + "   (R^2 = 1.00000)");
    EXPECT_EQ(r.points.size(), 3);
}

TEST(LinearisedEvaluation, ExcludedAndUnmeasuredPointsHaveNoEffect) {
    const double k = 0.037;
    ExpDataSet data;
    for (int i = 0; i < 8; ++i) {
        add(data, point(5.0 * i, 0.8 * std::exp(-k * 5.0 * i)));
    }
    WorkingState state = stateWith(0.8);
    EvaluationState ev;
    const LinearEvaluationResult clean = runLinearisedEvaluation(data, kEvalFirstOrder, state, ev);

    ExpPoint outlier = point(12.0, 0.05);
    outlier.exclude = -1;
    add(data, outlier);
    add(data, point(14.0, 0.0));    // not measured: skipped
    add(data, point(16.0, -0.01));  // impossible: skipped
    const LinearEvaluationResult withOutlier = runLinearisedEvaluation(data, kEvalFirstOrder, state, ev);
    ASSERT_EQ(withOutlier.errorFlag, 0);
    EXPECT_TRUE(near(clean.k, k, 1e-5));
    EXPECT_DOUBLE_EQ(withOutlier.k, clean.k);
    EXPECT_FLOAT_EQ(withOutlier.rSquared, clean.rSquared);
    // The excluded point is in the lists with weight 0; the unmeasured ones are not.
    EXPECT_EQ(withOutlier.points.size(), 9);
    EXPECT_EQ(withOutlier.points.w[9], 0.0f);
}

TEST(LinearisedEvaluation, SecondOrderHalvesTheSlopeOnlyFor2A) {
    // 2A => P: 1/cA = 1/cA0 + 2kt; A + B => P with cA0 = cB0: 1/cA = 1/cA0 + kt.
    const double k = 0.12, cA0 = 0.5;
    ExpDataSet twoA, aPlusB;
    for (int i = 0; i < 6; ++i) {
        const double t = 3.0 * i;
        add(twoA, point(t, 1.0 / (1.0 / cA0 + 2 * k * t)));
        add(aPlusB, point(t, 1.0 / (1.0 / cA0 + k * t), 1.0 / (1.0 / cA0 + k * t)));
    }
    WorkingState state = stateWith(cA0, cA0);
    EvaluationState ev;
    ev.equalStartConc = false;
    const LinearEvaluationResult r2 = runLinearisedEvaluation(twoA, kEvalSecondOrder, state, ev);
    ev.equalStartConc = true;
    const LinearEvaluationResult rab = runLinearisedEvaluation(aPlusB, kEvalSecondOrder, state, ev);
    EXPECT_TRUE(near(r2.k, k, 1e-5));
    EXPECT_TRUE(near(rab.k, k, 1e-5));
}

TEST(LinearisedEvaluation, UnequalInitialConcentrationsComeFromThePointAtTimeZero) {
    const double k = 0.2, a0 = 1.0, b0 = 0.6;
    ExpDataSet data;
    for (int i = 0; i < 7; ++i) {
        const double t = 2.0 * i;
        const double e = std::exp(t * k * (a0 - b0));
        const double x = a0 * b0 * (1 - e) / (b0 - e * a0);
        add(data, point(t, a0 - x, b0 - x));
    }
    // The working state's initial values are wrong on purpose: they must not be used.
    WorkingState state = stateWith(5.0, 3.0);
    EvaluationState ev;
    const LinearEvaluationResult r = runLinearisedEvaluation(data, kEvalSecondOrderUnequal, state, ev);
    ASSERT_EQ(r.errorFlag, 0);
    EXPECT_TRUE(near(r.k, k, 1e-5));

    // Without a point at t = 0 the initial values are 0 and k divides by zero: k1 stays.
    ExpDataSet noStart;
    for (int i = 1; i <= data.pointCount; ++i) {
        add(noStart, data.points[i]);
    }
    noStart.points[1].t = 0.5;
    state.rateConst[1] = 0.77;
    const LinearEvaluationResult failed =
        runLinearisedEvaluation(noStart, kEvalSecondOrderUnequal, state, ev);
    EXPECT_EQ(failed.errorFlag, -1);
    EXPECT_EQ(failed.errorText, "Division durch Null");
    EXPECT_EQ(state.rateConst[1], 0.77);
    EXPECT_TRUE(failed.resultLine.empty());
    const CriticalError e = criticalCurveError(failed.errorText);
    EXPECT_EQ(e.title, "ABBRUCH");
    EXPECT_EQ(e.text, "Es ist ein kritischer Fehler aufgetreten:\r\nDivision durch Null");
}

TEST(LinearisedEvaluation, WilkinsonFindsSecondOrder) {
    // −dc/dt = k2·c² gives t/U = 1/(k2·cA0) + t exactly: n = 2, k = k2.
    const double k2 = 0.3, cA0 = 0.4;
    ExpDataSet data;
    for (int i = 0; i < 6; ++i) {
        const double t = 0.5 * i;
        add(data, point(t, cA0 / (1 + k2 * cA0 * t)));
    }
    WorkingState state = stateWith(cA0);
    state.rateConst[1] = 0.55;
    EvaluationState ev;
    const LinearEvaluationResult r = runLinearisedEvaluation(data, kEvalWilkinson, state, ev);
    ASSERT_EQ(r.errorFlag, 0);
    EXPECT_EQ(r.points.size(), 5);  // t = 0 does not qualify
    EXPECT_TRUE(near(r.order, 2.0, 1e-4));
    EXPECT_TRUE(near(r.k, k2, 1e-4));
    EXPECT_DOUBLE_EQ(r.interceptField, r.k);
    EXPECT_EQ(state.rateConst[1], 0.55);  // Wilkinson leaves k1 alone
    EXPECT_EQ(r.resultLine.rfind("Berechnungsergebnis: n = 2.0;  k = 0.3", 0), 0u) << r.resultLine;
}

TEST(LinearisedEvaluation, LambdaFirstOrderWithAndWithoutLambda0) {
    const double k = 0.05, lInf = 8.0, l0 = 2.0;
    ExpDataSet data;
    data.lambdaInf = lInf;
    for (int i = 0; i < 8; ++i) {
        ExpPoint p;
        p.t = 4.0 * i;
        p.lambda = static_cast<float>(lInf - (lInf - l0) * std::exp(-k * p.t));
        add(data, p);
    }
    data.lambda0 = l0;
    WorkingState state = stateWith(0.0);
    EvaluationState ev;
    ev.lambdaMode = true;
    const LinearEvaluationResult with = runLinearisedEvaluation(data, kEvalLambdaFirstOrder, state, ev);
    ASSERT_EQ(with.errorFlag, 0);
    EXPECT_TRUE(near(with.k, k, 1e-4));
    EXPECT_EQ(with.resultLine.find("extrapol."), std::string::npos);

    // No lambda(0): ln(λ∞ − λ) is used and λ∞ − e^a extrapolates lambda(0).
    data.lambda0 = 0.0;
    const LinearEvaluationResult without = runLinearisedEvaluation(data, kEvalLambdaFirstOrder, state, ev);
    ASSERT_EQ(without.errorFlag, 0);
    EXPECT_TRUE(near(without.k, k, 1e-4));
    EXPECT_TRUE(near(without.lambda0Extrapolated, l0, 1e-4));
    EXPECT_NE(without.resultLine.find(", lambda(0), extrapol. = 2"), std::string::npos) << without.resultLine;

    // A point at λ∞ cannot be transformed: the critical-error path.
    ExpPoint atInfinity;
    atInfinity.t = 100.0;
    atInfinity.lambda = static_cast<float>(lInf);
    add(data, atInfinity);
    EXPECT_EQ(runLinearisedEvaluation(data, kEvalLambdaFirstOrder, state, ev).errorFlag, -1);
}

TEST(LinearisedEvaluation, LambdaSecondOrder) {
    // 2A => P: λ∞ − λ = (λ∞ − λ0)·cA/cA0 with 1/cA = 1/cA0 + 2kt.
    const double k = 0.4, cA0 = 0.25, lInf = 5.0, l0 = 1.0;
    ExpDataSet data;
    data.lambdaInf = lInf;
    for (int i = 0; i < 6; ++i) {
        ExpPoint p;
        p.t = 1.5 * i;
        const double cA = 1.0 / (1.0 / cA0 + 2 * k * p.t);
        p.lambda = static_cast<float>(lInf - (lInf - l0) * cA / cA0);
        add(data, p);
    }
    data.lambda0 = l0;
    WorkingState state = stateWith(cA0);
    state.modelId = 3;
    EvaluationState ev;
    ev.lambdaMode = true;
    const LinearEvaluationResult r = runLinearisedEvaluation(data, kEvalLambdaSecondOrder, state, ev);
    ASSERT_EQ(r.errorFlag, 0);
    EXPECT_TRUE(near(r.k, k, 1e-4));

    // Without lambda(0): λ∞/(λ∞ − λ) is linear in t with a/b = ... and k = b/(cA0·a) / 2.
    data.lambda0 = 0.0;
    const LinearEvaluationResult r0 = runLinearisedEvaluation(data, kEvalLambdaSecondOrder, state, ev);
    ASSERT_EQ(r0.errorFlag, 0);
    EXPECT_TRUE(near(r0.k, r0.slope / (cA0 * r0.intercept) / 2.0, 1e-12));
    // λ∞/(λ∞ − λ) = λ∞/(λ∞ − λ0)·(1 + 2k·cA0·t): slope/intercept = 2k·cA0.
    EXPECT_TRUE(near(r0.k, k, 1e-4));
}

TEST(LinearisedEvaluation, ArrheniusAndEyringRecoverActivationParameters) {
    ExpDataSet arrhenius, eyring;
    const double dH = 52000.0, dS = -40.0;
    for (int i = 0; i < 6; ++i) {
        ExpPoint p;
        p.T = 300.0 + 20.0 * i;
        p.k = 2.0 * std::exp(-5000.0 / p.T);
        add(arrhenius, p);
        p.k = kBoltzmann / kPlanck * p.T * std::exp(dS / kGasConstant) * std::exp(-dH / (kGasConstant * p.T));
        add(eyring, p);
    }
    WorkingState state;
    state.rateConst[1] = 0.5;
    EvaluationState ev;
    const LinearEvaluationResult a = runLinearisedEvaluation(arrhenius, kEvalArrhenius, state, ev);
    ASSERT_EQ(a.errorFlag, 0);
    EXPECT_TRUE(near(a.activationEnergy, 41.5725, 1e-5));
    EXPECT_TRUE(near(a.preExponential, 2.0, 1e-4));
    EXPECT_DOUBLE_EQ(a.slopeField, a.activationEnergy);
    // The points are 4-byte values, so A shows the rounding of the intercept (1.999997).
    EXPECT_EQ(a.resultLine.rfind("Berechnungsergebnis: EA/(kJ/mol) = 41.57;  A = ", 0), 0u) << a.resultLine;
    EXPECT_NE(a.resultLine.find("   (R^2 = 1.00000)"), std::string::npos);
    EXPECT_EQ(state.rateConst[1], 0.5);

    const LinearEvaluationResult e = runLinearisedEvaluation(eyring, kEvalEyring, state, ev);
    ASSERT_EQ(e.errorFlag, 0);
    EXPECT_TRUE(near(e.activationEnergy, dH / 1000.0, 1e-5));
    EXPECT_TRUE(near(e.activationEntropy, dS, 1e-3, 0.01));
    EXPECT_DOUBLE_EQ(e.interceptField, e.activationEntropy);
    EXPECT_EQ(e.resultLine.rfind("Resultat: h#/(kJ/mol) = 52.00;  s#/(J/mol*K) = -40.0, Achtung: s# ist nur "
                                 "korrekt, wenn für k gilt [t] = s   (R^2 = 1.00000)",
                                 0),
              0u)
        << e.resultLine;

    // A point with T > 0 but k = 0 qualifies and its logarithm is undefined.
    ExpPoint bad;
    bad.T = 350.0;
    add(arrhenius, bad);
    const LinearEvaluationResult f = runLinearisedEvaluation(arrhenius, kEvalArrhenius, state, ev);
    EXPECT_EQ(f.errorFlag, -1);
    EXPECT_FALSE(f.errorText.empty());
}

TEST(LinearisedEvaluation, TwoPointsGiveNoRSquaredAndPointsWithoutALineAreRefused) {
    ExpDataSet data;
    add(data, point(0, 1.0));
    add(data, point(2, 0.5));
    WorkingState state = stateWith(1.0);
    EvaluationState ev;
    const LinearEvaluationResult r = runLinearisedEvaluation(data, kEvalFirstOrder, state, ev);
    EXPECT_EQ(r.rSquared, 0.0f);
    EXPECT_EQ(r.resultLine.find("R^2"), std::string::npos);
    EXPECT_TRUE(near(r.k, std::log(2.0) / 2, 1e-6));

    // All active points at one time determine no line: refused, k1 untouched (the singular
    // regression would give k = 0 as if it were a result).
    ExpDataSet same;
    add(same, point(1, 1.0));
    add(same, point(1, 0.5));
    add(same, point(3, 0.2));
    same.points[3].exclude = -1;
    state.rateConst[1] = 0.77;
    const LinearEvaluationResult s = runLinearisedEvaluation(same, kEvalFirstOrder, state, ev);
    EXPECT_EQ(s.errorFlag, -1);
    EXPECT_NE(s.errorText.find("derselben Zeit"), std::string::npos) << s.errorText;
    EXPECT_EQ(state.rateConst[1], 0.77);

    // Excluded points do not count: one active point is too few, whatever the others say.
    ExpDataSet one = data;
    add(one, point(4, 0.25));
    one.points[2].exclude = -1;
    one.points[3].exclude = -1;
    const LinearEvaluationResult o = runLinearisedEvaluation(one, kEvalSecondOrder, state, ev);
    EXPECT_EQ(o.errorFlag, -1);
    EXPECT_NE(o.errorText.find("Zu wenige verwendbare Messpunkte"), std::string::npos) << o.errorText;
    EXPECT_EQ(state.rateConst[1], 0.77);
}

TEST(RegressionLine, CoversTheWindowAndClearsTheOutsideFlag) {
    PlotWindow w{0.0f, -1.0f, 120.0f, 1.0f};
    bool outside = true;
    const std::vector<PlotPoint> line = DrawRegressionLine(w, 0.5, -0.01, outside);
    EXPECT_EQ(line.size(), 122u);
    EXPECT_FLOAT_EQ(line.front().x, 0.0f);
    EXPECT_FLOAT_EQ(line[60].y, 0.5f - 0.6f);
    EXPECT_FALSE(outside);

    bool above = true;
    DrawRegressionLine(w, 5.0, 0.0, above);
    EXPECT_TRUE(above);

    // An empty axis window has no line (and must not loop forever).
    bool empty = true;
    EXPECT_TRUE(DrawRegressionLine(PlotWindow{1.0f, 0.0f, 1.0f, 1.0f}, 0.0, 1.0, empty).empty());
}

TEST(MeasuredPoints, TransformedRawAndTemperaturePointSets) {
    ExpDataSet data;
    add(data, point(0, 1.0, 0.4));
    add(data, point(1, 0.5, 0.0));
    ExpPoint excluded = point(2, 0.25, 0.3);
    excluded.exclude = -1;
    add(data, excluded);

    PointDisplayInputs in;
    in.kind = kEvalFirstOrder;
    in.shownSpecies = {false, true, true, false, false, false};
    in.speciesMask = "00002";
    in.window = {0.0f, -1.0f, 3.0f, 0.5f};
    ExperimentalPoints lin = zeigeExperPunkte(data, in);
    ASSERT_EQ(lin.sets[1].size(), 2u);
    EXPECT_FLOAT_EQ(lin.sets[1][1].y, static_cast<float>(std::log(0.5)));
    EXPECT_TRUE(lin.anyInside);
    in.window = {5.0f, -1.0f, 6.0f, 0.5f};
    EXPECT_FALSE(zeigeExperPunkte(data, in).anyInside);
    // Species A not shown: nothing for -5.
    in.shownSpecies[kSlotA] = false;
    EXPECT_TRUE(zeigeExperPunkte(data, in).sets[1].empty());

    in.kind = kEvalMeasuredConc;
    in.speciesMask = "11111";
    in.shownSpecies = {false, true, true, false, false, false};
    in.window = {0.0f, 0.0f, 3.0f, 1.0f};
    const ExperimentalPoints raw = zeigeExperPunkte(data, in);
    EXPECT_EQ(raw.sets[kSlotA].size(), 2u);
    EXPECT_EQ(raw.sets[kSlotB].size(), 1u);  // 0 = not measured, the third point is excluded

    in.kind = kEvalSingleSpecies;
    in.selectedSpecies = kSlotB;
    const ExperimentalPoints single = zeigeExperPunkte(data, in);
    EXPECT_TRUE(single.sets[kSlotA].empty());
    EXPECT_EQ(single.sets[kSlotB].size(), 1u);

    ExpDataSet kt;
    ExpPoint p;
    p.T = 300;
    p.k = 0.1;
    add(kt, p);
    in.kind = kEvalArrhenius;
    in.window = {0.0f, -5.0f, 0.01f, 0.0f};
    const ExperimentalPoints arr = zeigeExperPunkte(kt, in);
    ASSERT_EQ(arr.sets[6].size(), 1u);
    EXPECT_FLOAT_EQ(arr.sets[6][0].x, 1.0f / 300.0f);
    EXPECT_TRUE(arr.anyInside);
}

TEST(MeasuredPoints, AvailabilityAndTexts) {
    PointDisplayInputs in;
    in.kind = 4;
    in.speciesMask = "11010";
    in.shownSpecies = {false, false, false, true, false, false};  // only C shown, not in mask
    EXPECT_FALSE(pointSetsAvailable(in, false, false));
    in.shownSpecies[kSlotB] = true;
    EXPECT_TRUE(pointSetsAvailable(in, false, false));
    in.speciesMask = "00002";
    EXPECT_TRUE(pointSetsAvailable(in, false, false));
    in.kind = kEvalArrhenius;
    in.speciesMask = "00000";
    EXPECT_TRUE(pointSetsAvailable(in, false, true));
    EXPECT_FALSE(pointSetsAvailable(in, false, false));
    EXPECT_EQ(
        noPointsLoadedText(),
        "Für dieses Diagramm sind keine Konzentrations-Punkte geladen.\r\nLaden Sie Konzentrationsdaten oder "
        "benutzen Sie den Dateneditor für Neueingabe.");
    EXPECT_EQ(pointsOutsideText(),
              "Alle experimentellen Punkte befinden sich außerhalb des Koordinatenbereichs des Diagramms\r\n"
              "Vergrößern Sie den Koordinatenbereich.");
}

TEST(LambdaAxisRanges, SpanTheTransformedValues) {
    ExpDataSet data;
    data.lambdaInf = 10.0;
    for (double t : {0.0, 10.0, 20.0}) {
        ExpPoint p;
        p.t = t;
        p.lambda = static_cast<float>(10.0 - 8.0 * std::exp(-0.1 * t));
        add(data, p);
    }
    ExpPoint beyond;  // λ > λ∞ cannot be transformed and does not widen the window
    beyond.t = 30.0;
    beyond.lambda = 12.0f;
    add(data, beyond);
    EvaluationInputs in;
    in.kind = kEvalLambdaFirstOrder;
    in.lambdaMode = true;
    const PlotWindow w = lambdaAxisRanges(data, in);
    const double yMax = std::log(8.0), yMin = std::log(8.0) - 2.0;
    EXPECT_FLOAT_EQ(w.xMin, 0.0f);
    EXPECT_FLOAT_EQ(w.xMax, 31.5f);
    EXPECT_TRUE(near(w.yMax, yMax + 2.0 / 5.0, 1e-5));
    EXPECT_TRUE(near(w.yMin, yMin - 0.3 * 2.0 / 5.0, 1e-5));
}

}  // namespace
}  // namespace zemtral
