// Tangent rates through measured points, the k-T calculator and the half-life marks.
#include <gtest/gtest.h>

#include <cmath>

#include "evaluation/half_life_marks.h"
#include "evaluation/kt_calculator.h"
#include "evaluation/tangent.h"
#include "numeric/number_text.h"
#include "support/tolerance.h"

namespace zemtral {
namespace {

using test::near;

void add(ExpDataSet& data, double t, int slot, double c, std::int16_t exclude = 0) {
    ExpPoint p;
    p.t = t;
    p.c[slot] = c;
    p.exclude = exclude;
    data.points.push_back(p);
    data.pointCount = static_cast<std::int16_t>(data.points.size() - 1);
}

TEST(Tangent, CollinearPointsGiveTheConstantSlopeAlsoBeyondTheLastPoint) {
    ExpDataSet data;
    add(data, 0, kSlotP, 0.1);
    add(data, 10, kSlotP, 0.3);
    add(data, 20, kSlotP, 0.5);
    const TangentSpline s = prepareTangentSpline(data, kSlotP, 0.0f);
    ASSERT_TRUE(s.status.ok) << s.status.message;
    const PlotWindow w = singleSpeciesAxisRanges(data, kSlotP);
    EXPECT_FLOAT_EQ(w.xMax, 21.0f);
    EXPECT_FLOAT_EQ(w.yMax, 0.525f);
    EXPECT_EQ(w.xMin, 0.0f);
    for (double t : {0.0, 5.0, 13.0, 20.5}) {
        const auto v = tangentAt(s, t, w);
        ASSERT_TRUE(v.has_value());
        EXPECT_TRUE(near(v->concentration, 0.1 + 0.02 * t, 1e-12));
        EXPECT_TRUE(near(v->rate, 0.02, 1e-12));
    }
    EXPECT_FALSE(tangentAt(s, 21.5, w).has_value());  // beyond XMax: a beep
    EXPECT_FALSE(tangentAt(s, -1.0, w).has_value());
}

TEST(Tangent, SkipsExcludedAndUnmeasuredPointsAndSortsByTime) {
    ExpDataSet data;
    add(data, 20, kSlotA, std::exp(-2.0));
    add(data, 0, kSlotA, 1.0);
    add(data, 5, kSlotA, 0.0);      // not measured
    add(data, 7, kSlotA, 9.0, -1);  // excluded
    add(data, 10, kSlotA, std::exp(-1.0));
    add(data, 15, kSlotA, std::exp(-1.5));
    add(data, 5, kSlotA, std::exp(-0.5));
    const TangentSpline s = prepareTangentSpline(data, kSlotA, 0.0f);
    ASSERT_TRUE(s.status.ok) << s.status.message;
    EXPECT_EQ(s.usedPoints, 5);
    const PlotWindow w = singleSpeciesAxisRanges(data, kSlotA);
    // With q = 0 the curve passes through every point it was built from.
    for (double t : {0.0, 5.0, 10.0, 15.0, 20.0}) {
        EXPECT_TRUE(near(tangentAt(s, t, w)->concentration, std::exp(-t / 10), 1e-12));
    }
    // The slope of e^(−t/10) at t = 10 is −e^(−1)/10; the spline gets it roughly.
    EXPECT_TRUE(near(tangentAt(s, 10.0, w)->rate, -std::exp(-1.0) / 10, 0.1));
    bool outside = true;
    const std::vector<PlotPoint> curve = tangentCurvePoints(s, w, 100, outside);
    EXPECT_FALSE(outside);
    ASSERT_FALSE(curve.empty());
    EXPECT_EQ(curve.front().x, 0.0f);
    EXPECT_LE(curve.back().x, w.xMax);
    EXPECT_EQ(curve.size(), 201u);

    // Two measurements at the same time are refused with a message, not divided by zero.
    add(data, 10, kSlotA, 0.36);
    const TangentSpline dup = prepareTangentSpline(data, kSlotA, 0.0f);
    EXPECT_FALSE(dup.status.ok);
    EXPECT_FALSE(dup.status.message.empty());
    EXPECT_FALSE(tangentAt(dup, 1.0, w).has_value());
    EXPECT_FLOAT_EQ(smoothingExponentOfSlider(100), 0.5f);
    EXPECT_EQ(tangentRateLabel(4), "r(P) = dc(P)/dt =  ");
    EXPECT_EQ(tangentRateUnit("min"), "mol/(l min)");
}

TEST(KTCalculator, ArrheniusEyringAndFaults) {
    // EA = 0 gives k = A at every T.
    const CalculatorResult flat = arrheniusCalculator(kKTArrhenius, "2,5", "0", "350", "min");
    EXPECT_TRUE(flat.ok);
    EXPECT_EQ(flat.k, "2.5");
    EXPECT_EQ(flat.kPerSecond, formatSingle(static_cast<float>(2.5 / 60)));
    const CalculatorResult arr = arrheniusCalculator(kKTArrhenius, "2", "41572.5", "298.15", "s");
    EXPECT_EQ(arr.k, formatSingle(static_cast<float>(2 * std::exp(-5000 / 298.15))));
    const double kS = 298.15 * kBoltzmann / kPlanck * std::exp(-80000 / (kGasConstant * 298.15)) *
                      std::exp(-10 / kGasConstant);
    const CalculatorResult ey = arrheniusCalculator(kKTEyring, "-10", "80000", "298.15", " h ");
    EXPECT_EQ(ey.kPerSecond, formatSingle(static_cast<float>(kS)));
    EXPECT_EQ(ey.k, formatSingle(static_cast<float>(kS * 3600)));
    const CalculatorResult bad = arrheniusCalculator(kKTArrhenius, "2", "1000", "0", "s");
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.k, "Err");
    EXPECT_EQ(bad.kPerSecond, "Err");
    EXPECT_EQ(calculatorUnits(7, "min").k, "l/(mol min)");
    EXPECT_EQ(calculatorUnits(6, "min").kPerSecond, "1/ s");
    EXPECT_EQ(calculatorUnits(0, "h").k, "((mol/l)^(1-n))/h");
    EXPECT_DOUBLE_EQ(perSecondFactor("d"), 1.0 / 86400);
}

TEST(KTCalculator, TextsOnActivation) {
    ActivationParameters a;
    a.arrheniusA = 2.0;
    a.activationEnergy = 41572.5;
    const CalculatorTexts arr = calculatorTexts(kKTArrhenius, 6, "min", a);
    EXPECT_EQ(arr.title, "Arrhenius-Rechner");
    EXPECT_EQ(arr.input0, "2");
    EXPECT_EQ(arr.input1, "41572.5");
    EXPECT_EQ(arr.input2, "298.15");
    EXPECT_EQ(arr.explanations[1], "[A]   = ((mol/l)^(1-n))/min     (Präexponentialfaktor)");
    EXPECT_EQ(arr.units.k, "1/min");
    const CalculatorTexts ey = calculatorTexts(kKTEyring, 0, "s", a);
    EXPECT_EQ(ey.formula, "berechnet k = kB/h T exp(-H#/(R T)) exp(S#/R)");
    EXPECT_EQ(ey.inputLabel1, "h# /J/mol  =");
}

TEST(KTCalculator, SinglePointLookupBeepsOutsideTheAxis) {
    WorkingState s;
    applyModelDefaults(s, 2);
    s.rateConst[1] = 0.1;
    s.tEnd = 50.0f;
    SimulationResult sim;
    ASSERT_EQ(calc_diagramfunctioncT(2, s, sim).errorFlag, 0);
    const auto c = singlePointConcentrations(10.0, 50.0, 2, s, sim);
    ASSERT_TRUE(c.has_value());
    EXPECT_NEAR((*c)[kSlotA], std::exp(-1.0), 1e-9);
    EXPECT_FALSE(singlePointConcentrations(51.0, 50.0, 2, s, sim).has_value());
    EXPECT_FALSE(singlePointConcentrations(-1.0, 50.0, 2, s, sim).has_value());
}

TEST(KTCalculator, DistinctPairs) {
    ExpDataSet data;
    for (int i = 0; i < 3; ++i) {
        ExpPoint p;
        p.k = 0.1;
        p.T = 300;
        data.points.push_back(p);
    }
    ExpPoint cOnly;
    cOnly.T = 310;  // k = 0: not a pair
    data.points.push_back(cOnly);
    data.pointCount = 4;
    EXPECT_EQ(distinctKTPairs(data), 1);
    data.points[2].T = 310;
    EXPECT_EQ(distinctKTPairs(data), 2);
}

TEST(HalfLifeMarks, TextsAndSources) {
    const HalfLifeMark a = halfLifeMark(HalfLifeSpecies::A, 2, static_cast<float>(std::log(2.0) / 0.1), "s");
    EXPECT_TRUE(a.show);
    EXPECT_EQ(a.series, 26);
    EXPECT_EQ(a.statusText, "Halbwertszeit tau(A) = 6.93 s");
    EXPECT_FLOAT_EQ(a.line[0].y, -10000.0f);
    EXPECT_FLOAT_EQ(a.line[1].y, 10000.0f);
    EXPECT_EQ(halfLifeMark(HalfLifeSpecies::A, 9, 0.0f, "s").statusText,
              "Halbwertszeit liegt nicht im Diagramm-Bereich");
    const HalfLifeMark b = halfLifeMark(HalfLifeSpecies::B, 4, 0.0f, "s");
    EXPECT_FALSE(b.show);
    EXPECT_EQ(b.series, 27);
    EXPECT_EQ(b.statusText, "Halbwertszeit tau(B) kann unter diesen Bedingungen nicht erreicht werden");
    EXPECT_FALSE(halfLifeMark(HalfLifeSpecies::A, 2, -1.0f, "s").act);
    EXPECT_TRUE(halfLifeFromSimulation(HalfLifeSpecies::A, 20));
    EXPECT_FALSE(halfLifeFromSimulation(HalfLifeSpecies::B, 20));
    EXPECT_TRUE(halfLifeFromSimulation(HalfLifeSpecies::B, 18));
    EXPECT_FALSE(halfLifeFromSimulation(HalfLifeSpecies::A, 4));
    WorkingState s;
    s.conc0[kSlotA] = 0.7;
    SimulationResult sim;
    sim.simConc[kSlotA] = {0.4, 0.3};
    EXPECT_EQ(halfLifeInitialConcentrations(-5, s, sim)[kSlotA], 0.7);
    EXPECT_EQ(halfLifeInitialConcentrations(2, s, sim)[kSlotA], 0.4);
}

TEST(HalfLifeMarks, MenuEntriesOnlyWhereTheSpeciesHasATimeAxis) {
    // Kinds with an A mark: every model diagram on a time axis and the linearised evaluations.
    for (int kind = -12; kind <= 100; ++kind) {
        const int model = kind > 50 ? kind - 50 : kind;
        const bool timeDiagram = (model >= 1 && model <= 20 && model != 19) || (kind >= -8 && kind <= -5);
        EXPECT_EQ(halfLifeMenu(kind, 2, false).aEnabled, timeDiagram) << kind;
    }
    // B only with a second reactant.
    for (const int kind : {4, 7, 9, 10, 12, 13, 17, 18, 54, 57, 59, 60, 62, 63, 67, 68, -8}) {
        EXPECT_TRUE(halfLifeMenu(kind, 4, false).bEnabled) << kind;
    }
    for (const int kind :
         {1, 2, 3, 5, 6, 8, 11, 14, 15, 16, 20, 52, 70, -5, -6, -7, -1, -2, -3, -4, -9, 100}) {
        EXPECT_FALSE(halfLifeMenu(kind, 2, false).bEnabled) << kind;
    }
    // The enzyme model names E and S; its Michaelis-Menten diagram has no time axis.
    const HalfLifeMenu enzyme = halfLifeMenu(10, 10, false);
    EXPECT_EQ(enzyme.aCaption, "Halbwertszeit E");
    EXPECT_EQ(enzyme.bCaption, "Halbwertszeit S");
    EXPECT_TRUE(enzyme.aEnabled && enzyme.bEnabled);
    EXPECT_FALSE(halfLifeMenu(10, 10, true).aEnabled);
    EXPECT_FALSE(halfLifeMenu(60, 10, true).bEnabled);
    EXPECT_TRUE(halfLifeMenu(2, 2, true).aEnabled);  // the switch concerns the enzyme model only
    EXPECT_EQ(halfLifeMenu(2, 2, false).aCaption, "Halbwertszeit A");
}

}  // namespace
}  // namespace zemtral
