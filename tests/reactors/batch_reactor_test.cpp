#include "reactors/batch_reactor.h"

#include "core/engine.h"
#include "core/working_state.h"

#include <gtest/gtest.h>

#include <cmath>

#include "reactor_test_support.h"
#include "support/tolerance.h"

namespace zemtral {
namespace {

using test::allModels;
using test::caseFor;
using test::hasSpecies;
using test::near;

class EveryModel : public ::testing::TestWithParam<std::int16_t> {};

INSTANTIATE_TEST_SUITE_P(Batch, EveryModel, ::testing::ValuesIn(allModels()),
                         [](const auto& info) { return "model" + std::to_string(info.param); });

// Closed forms must be exact solutions of the rate laws; the step-doubling integration must meet
// its 1 % agreement rule with a much smaller true error.
TEST_P(EveryModel, AgreesWithFineReferenceIntegration) {
    const test::ModelCase mc = caseFor(GetParam());
    for (double t : {0.7, 4.0, 15.0}) {
        const BatchKesselResult r = CalcBatchKessel(mc.kinetics, t, mc.c0);
        ASSERT_EQ(r.errorFlag, 0) << "t = " << t;
        const SpeciesArray ref = test::referenceIntegration(mc.kinetics, mc.c0, t);
        const double rel = isNumericModel(GetParam()) ? 2e-3 : 1e-8;
        for (int s = 1; s <= 5; ++s) {
            if (hasSpecies(GetParam(), s)) {
                EXPECT_TRUE(near(r.conc[s], ref[s], rel, 1e-9)) << "slot " << s << " t = " << t;
            } else {
                EXPECT_EQ(r.conc[s], mc.c0[s]) << "species outside the model stay as they were";
            }
        }
    }
}

// The secant search finds a time whose conversion is the given one, and it is the time the
// forward calculation started from.
TEST_P(EveryModel, FoundTimeReproducesConversion) {
    const test::ModelCase mc = caseFor(GetParam());
    const double tRef = 3.0;
    const BatchKesselResult forward = CalcBatchKessel(mc.kinetics, tRef, mc.c0);
    ASSERT_EQ(forward.errorFlag, 0);
    const double u = conversionOfA(mc.c0[kSlotA], forward.conc[kSlotA]);
    ASSERT_GT(u, 0.01);
    const TimeSearchResult search = findReactionTime(mc.kinetics, mc.c0, u, batchTimeSearch());
    ASSERT_EQ(search.status, TimeSearchResult::Status::Converged);
    EXPECT_LT(search.iterations, 100);
    const double uFound = conversionOfA(mc.c0[kSlotA], search.conc[kSlotA]);
    EXPECT_TRUE(near(uFound, u, 1e-4));
    EXPECT_TRUE(near(search.time, tRef, 1e-3));
}

TEST_P(EveryModel, ExtentsReproduceTheChangeOfEverySpecies) {
    const std::int16_t model = GetParam();
    test::ModelCase mc = caseFor(model);
    mc.c0[kSlotC] = hasSpecies(model, kSlotC) ? 0.25 : 0.0;  // an intermediate present at the start
    const BatchKesselResult r = CalcBatchKessel(mc.kinetics, 2.5, mc.c0);
    ASSERT_EQ(r.errorFlag, 0);
    const ExtentsOfReaction ksi = ComputeExtents(model, mc.kinetics.order, mc.c0, r.conc);
    const StoichMatrix nu = reactorStoichiometry(model, mc.kinetics.order);
    if (isSingleReaction(model)) {
        EXPECT_EQ(ksi[2], 0.0);
        for (int s = 1; s <= 5; ++s) {
            EXPECT_TRUE(near(r.conc[s] - mc.c0[s], nu[1][s] * ksi[1], 1e-9, 1e-12)) << "slot " << s;
        }
    } else if (model == 6 || model == 7 || model == 11) {
        // Two independent reactions: every change is ν1·ksi(1) + ν2·ksi(2).
        for (int s = 1; s <= 5; ++s) {
            EXPECT_TRUE(near(r.conc[s] - mc.c0[s], nu[1][s] * ksi[1] + nu[2][s] * ksi[2], 1e-9, 1e-12))
                << "slot " << s;
        }
    } else {
        // Net extents of the models with an equilibrium step: A used, P formed.
        EXPECT_TRUE(near(ksi[1], mc.c0[kSlotA] - r.conc[kSlotA], 1e-12, 1e-15));
        EXPECT_TRUE(near(ksi[2], r.conc[kSlotP] - mc.c0[kSlotP], 1e-12, 1e-15));
    }
}

TEST(BatchKessel, ZeroOrderStopsAtEmptyVessel) {
    ReactorKinetics kin{1, {0.0, 0.1, 0.0, 0.0}, 1.5};
    const SpeciesArray c0{0.0, 1.0, 0.0, 0.0, 0.3, 0.0};
    const BatchKesselResult r = CalcBatchKessel(kin, 20.0, c0);
    EXPECT_EQ(r.conc[kSlotA], 0.0);
    EXPECT_DOUBLE_EQ(r.conc[kSlotP], 1.3);
    EXPECT_DOUBLE_EQ(CalcBatchKessel(kin, 4.0, c0).conc[kSlotA], 0.6);
}

TEST(BatchKessel, OrderBelowOneEmptiesTheVesselWithoutNegativeA) {
    // n = 0.5: c(A) = (√a0 − k1·t/2)² until A is used up at t = 2·√a0/k1.
    const SpeciesArray c0{0.0, 1.0, 0.0, 0.0, 0.1, 0.0};
    for (double n : {0.0, 0.5}) {
        const ReactorKinetics kin{20, {0.0, 0.3, 0.0, 0.0}, n};
        const BatchKesselResult r = CalcBatchKessel(kin, 10.0, c0);
        ASSERT_EQ(r.errorFlag, 0);
        EXPECT_EQ(r.conc[kSlotA], 0.0) << "n = " << n;
        EXPECT_TRUE(near(r.conc[kSlotP], 1.1, 1e-12)) << "n = " << n;
    }
    const BatchKesselResult early = CalcBatchKessel({20, {0.0, 0.3, 0.0, 0.0}, 0.5}, 3.0, c0);
    EXPECT_TRUE(near(early.conc[kSlotA], (1.0 - 0.45) * (1.0 - 0.45), 1e-6));
}

TEST(BatchKessel, ConsecutiveWithEqualConstantsIsTheLimitFormula) {
    // k1 = k2: c(C) = k1·a0·t·e^(−k1·t) + c0·e^(−k1·t).
    ReactorKinetics kin{6, {0.0, 0.2, 0.2, 0.0}, 1.5};
    const SpeciesArray c0{0.0, 1.5, 0.0, 0.1, 0.0, 0.0};
    const double t = 4.0;
    const BatchKesselResult r = CalcBatchKessel(kin, t, c0);
    ASSERT_EQ(r.errorFlag, 0);
    const double e = std::exp(-0.2 * t);
    EXPECT_TRUE(near(r.conc[kSlotC], 0.2 * 1.5 * t * e + 0.1 * e, 1e-9));
    EXPECT_TRUE(near(r.conc[kSlotA] + r.conc[kSlotC] + r.conc[kSlotP], 1.6, 1e-14));
}

TEST(BatchKessel, ReversibleFirstOrderCountsInitialProduct) {
    // With P present at the start the equilibrium extent is (k1·a0 − k2·p0)/(k1 + k2).
    ReactorKinetics kin{8, {0.0, 0.5, 0.1, 0.0}, 1.5};
    const SpeciesArray c0{0.0, 1.0, 0.0, 0.0, 0.5, 0.0};
    const BatchKesselResult late = CalcBatchKessel(kin, 200.0, c0);
    EXPECT_TRUE(near(late.conc[kSlotA], 1.0 - (0.5 - 0.05) / 0.6, 1e-12));
    EXPECT_TRUE(near(late.conc[kSlotP] / late.conc[kSlotA], 5.0, 1e-10)) << "K = k1/k2";
    // Already at equilibrium: nothing changes (and nothing is divided by zero).
    const SpeciesArray eq{0.0, 1.0, 0.0, 0.0, 5.0, 0.0};
    const BatchKesselResult still = CalcBatchKessel(kin, 3.0, eq);
    EXPECT_EQ(still.errorFlag, 0);
    EXPECT_DOUBLE_EQ(still.conc[kSlotA], 1.0);
}

TEST(BatchKessel, LongTimesReachTheEndStateWithoutOverflow) {
    // Growing exponentials are written with their reciprocals.
    const SpeciesArray ab{0.0, 3.0, 1.0, 0.0, 0.0, 0.0};
    BatchKesselResult r = CalcBatchKessel({4, {0.0, 2.0, 0.0, 0.0}, 1.5}, 1e6, ab);
    ASSERT_EQ(r.errorFlag, 0);
    EXPECT_TRUE(near(r.conc[kSlotA], 2.0, 1e-12));
    EXPECT_TRUE(near(r.conc[kSlotB], 0.0, 0.0, 1e-12));

    const SpeciesArray auto0{0.0, 1.0, 0.0, 0.0, 0.01, 0.0};
    r = CalcBatchKessel({16, {0.0, 5.0, 0.0, 0.0}, 1.5}, 1e6, auto0);
    ASSERT_EQ(r.errorFlag, 0);
    EXPECT_TRUE(near(r.conc[kSlotP], 1.01, 1e-12));
    EXPECT_TRUE(near(r.conc[kSlotQ], 1.0, 1e-12));

    // Model 12 with k1 < 4·k2 has a growing exponential in its closed form.
    const SpeciesArray abp{0.0, 1.0, 1.0, 0.0, 0.0, 0.0};
    r = CalcBatchKessel({12, {0.0, 0.2, 0.1, 0.0}, 1.5}, 1e5, abp);
    ASSERT_EQ(r.errorFlag, 0);
    const double K = 2.0;  // equilibrium: cP² = K·cA·cB
    EXPECT_TRUE(near(r.conc[kSlotP] * r.conc[kSlotP], K * r.conc[kSlotA] * r.conc[kSlotB], 1e-9));
}

TEST(BatchKessel, ArithmeticFaultSetsErrorFlag) {
    // 2A => P at the negative time where 2·k1·a0·t + 1 = 0.
    const BatchKesselResult r =
        CalcBatchKessel({3, {0.0, 0.5, 0.0, 0.0}, 1.5}, -1.0, {0.0, 1.0, 0.0, 0.0, 0.0, 0.0});
    EXPECT_EQ(r.errorFlag, -1);
    // An exploding integration is reported, not returned as infinite concentrations.
    const BatchKesselResult boom =
        CalcBatchKessel({7, {0.0, 1e200, 1e200, 0.0}, 1.5}, 1e100, {0.0, 1e100, 1e100, 0.0, 0.0, 0.0});
    EXPECT_EQ(boom.errorFlag, -1);
}

TEST(EquilibriumLimit, ModelEightClosedForm) {
    const ConversionLimit limit =
        equilibriumConversionLimit(8, {0.0, 0.5, 0.1, 0.0}, {0.0, 2.0, 0.0, 0.0, 0.4, 0.0});
    ASSERT_EQ(limit.status, ConversionLimit::Status::Limited);
    EXPECT_DOUBLE_EQ(limit.maxConversion, (5.0 * 2.0 - 0.4) / 6.0 / 2.0);
}

// U(A)max of models 12 and 17 is the conversion the batch reactor approaches after a long time;
// with concentrations above 1 mol/l this checks the choice of the possible root.
TEST(EquilibriumLimit, IsTheLongTimeConversionOfTheBatch) {
    for (std::int16_t model : {12, 17}) {
        for (const SpeciesArray& c0 :
             {SpeciesArray{0.0, 3.0, 2.0, 0.0, 0.5, 0.0}, SpeciesArray{0.0, 0.4, 0.3, 0.0, 0.0, 0.0},
              SpeciesArray{0.0, 2.0, 5.0, 0.0, 0.2, 0.0}}) {
            for (const std::array<double, 4>& k :
                 {std::array<double, 4>{0.0, 0.3, 0.02, 0.0}, std::array<double, 4>{0.0, 0.3, 0.1, 0.0},
                  std::array<double, 4>{0.0, 0.4, 0.1, 0.0}}) {
                const ConversionLimit limit = equilibriumConversionLimit(model, k, c0);
                ASSERT_EQ(limit.status, ConversionLimit::Status::Limited);
                const BatchKesselResult late = CalcBatchKessel({model, k, 1.5}, 2000.0, c0);
                ASSERT_EQ(late.errorFlag, 0);
                EXPECT_TRUE(near(limit.maxConversion, conversionOfA(c0[kSlotA], late.conc[kSlotA]), 1e-7))
                    << "model " << model << " a0 " << c0[kSlotA] << " k2 " << k[2];
            }
        }
    }
}

TEST(EquilibriumLimit, RefusalTexts) {
    const ConversionLimitCheck check =
        checkConversionLimit(8, {0.0, 0.5, 0.5, 0.0}, {0.0, 1.0, 0.0, 0.0, 0.0, 0.0}, 0.6);
    ASSERT_TRUE(check.refused);
    EXPECT_EQ(check.message.title, "keine Ausführung möglich");
    EXPECT_EQ(check.message.text,
              "- der Vorgabe-Umsatz U(A) kann bei dieser Gleichgewichtsreaktion\r\n"
              "  mit den gegebenen Anfangskonzentrationen nicht erreicht werden.\r\n\r\n"
              "  (U(A)(max) = 0.500)");
    EXPECT_FALSE(checkConversionLimit(8, {0.0, 0.5, 0.5, 0.0}, {0.0, 1.0, 0.0, 0.0, 0.0, 0.0}, 0.49).refused);
    EXPECT_FALSE(checkConversionLimit(2, {0.0, 0.5, 0.5, 0.0}, {0.0, 1.0, 0.0, 0.0, 0.0, 0.0}, 0.99).refused);
    EXPECT_EQ(conversionLimitText(0.123456),
              "- der Vorgabe-Umsatz U(A) kann bei dieser Gleichgewichtsreaktion\r\n"
              "  mit den gegebenen Anfangskonzentrationen nicht erreicht werden.\r\n\r\n"
              "  (U(A)(max) = 0.1235)");
}

TEST(BatchChecks, LinesInOrderWordForWord) {
    BatchInputs in;
    in.kinetics = {10, {0.0, 0.0, 0.0, 0.0}, 1.5};
    in.choice = BatchInputChoice::ReactionTime;
    EXPECT_EQ(checkBatchInputs(in),
              "- noch keine Eingabe der Reaktionszeit\r\n"
              "- noch keine Eingabe einer Anfangskonzentration c(A)(0)\r\n"
              "- noch keine Eingabe einer Anfangskonzentration c(S)(0)\r\n"
              "- Geschwindigkeitskonstante k1 muss größer Null sein\r\n"
              "- Geschwindigkeitskonstante k2 muss größer Null sein\r\n"
              "- Geschwindigkeitskonstante k3 muss größer Null sein\r\n");

    in.kinetics = {4, {0.0, 0.1, 0.0, 0.0}, 1.5};
    in.c0 = {0.0, 2.0, 1.0, 0.0, 0.0, 0.0};
    in.choice = BatchInputChoice::Conversion;
    in.conversion = 0.75;
    EXPECT_EQ(checkBatchInputs(in),
              "Für den gewünschten Umsatz muss die Vorgabe-Konzentration von B > 1.5 sein.\r\n");
    in.conversion = 1.0;
    EXPECT_EQ(checkBatchInputs(in),
              "- noch keine sinnvolle Eingabe des Umsatzes (0 < U < 1)\r\n"
              "Für den gewünschten Umsatz muss die Vorgabe-Konzentration von B > 2 sein.\r\n");

    // Model 2 shows neither B nor k2: a missing B or k2 is no problem; autocatalysis needs P.
    in = BatchInputs{};
    in.kinetics = {2, {0.0, 0.1, 0.0, 0.0}, 1.5};
    in.c0[kSlotA] = 1.0;
    in.reactionTime = 2.0;
    EXPECT_EQ(checkBatchInputs(in), "");
    in.kinetics.model = 16;
    EXPECT_EQ(checkBatchInputs(in),
              "- für Autokatalyse muss ein (geringes) c(P)(0) gegeben sein, sonst springt die Reaktion nicht "
              "an\r\n");
}

TEST(BatchRun, OutcomesAndProtocolRow) {
    BatchInputs in;
    in.kinetics = {2, {0.0, 0.2, 0.7, 0.3}, 1.5};  // k2, k3 are not shown for model 2
    in.c0 = {0.0, 1.0, 0.4, 0.0, 0.1, 0.0};        // neither is B
    in.reactionTime = 5.0;
    BatchOutcome out = runBatchReactor(in);
    ASSERT_EQ(out.status, BatchOutcome::Status::Ok);
    EXPECT_TRUE(near(out.conversion, 1.0 - std::exp(-1.0), 1e-14));
    const ReactorProtocolValues& row = out.protocol;
    EXPECT_EQ(row[kProtocolInitialA], 1.0);
    EXPECT_EQ(row[kProtocolInitialA + 1], 0.0);
    EXPECT_EQ(row[kProtocolInitialA + 3], 0.1);
    EXPECT_TRUE(near(row[kProtocolFinalA], std::exp(-1.0), 1e-14));
    EXPECT_TRUE(near(row[kProtocolFinalA + 3], 1.1 - std::exp(-1.0), 1e-14));
    EXPECT_EQ(row[kProtocolK1], 0.2);
    EXPECT_EQ(row[kProtocolK1 + 1], 0.0);
    EXPECT_EQ(row[kProtocolK1 + 2], 0.0);
    EXPECT_EQ(row[kProtocolTime], 5.0);
    EXPECT_EQ(row[kProtocolLength], 0.0);
    EXPECT_EQ(row[kProtocolVolume], 0.0);
    EXPECT_EQ(row[kProtocolFlow], 0.0);
    EXPECT_TRUE(near(row[kProtocolKsi1], 1.0 - std::exp(-1.0), 1e-14));
    EXPECT_EQ(row[kProtocolKsi2], 0.0);

    // A conversion the search cannot reach from t = 5 within 99 iterations: fails with a message.
    in.kinetics.k[1] = 40.0;
    in.choice = BatchInputChoice::Conversion;
    in.conversion = 0.3;
    out = runBatchReactor(in);
    EXPECT_EQ(out.status, BatchOutcome::Status::IterationFailed);
    EXPECT_EQ(out.message.title, " Ausführung nicht möglich ");
    EXPECT_EQ(out.message.text, "Berechnungsfehler aufgetreten.");

    // A numerical failure of the calculation is reported under the routine's name.
    in.kinetics = {7, {0.0, 1e200, 1e200, 0.0}, 1.5};
    in.c0 = {0.0, 1e100, 1e100, 0.0, 0.0, 0.0};
    in.choice = BatchInputChoice::ReactionTime;
    in.reactionTime = 1e100;
    out = runBatchReactor(in);
    EXPECT_EQ(out.status, BatchOutcome::Status::NumericalFailure);
    EXPECT_EQ(out.message.title, "Meldung von CalcBatchKessel");
    EXPECT_EQ(out.message.text, "numerischer Fehler aufgetreten\r\nÜberprüfen Sie die die Eingabewerte");
}

TEST(ReactorPicture, FillColourFollowsConversion) {
    const FillColour start = conversionColour(0.0), half = conversionColour(0.5), end = conversionColour(1.0);
    EXPECT_EQ(start.red, 255);
    EXPECT_EQ(start.blue, 0);
    EXPECT_EQ(end.red, 0);
    EXPECT_EQ(end.blue, 255);
    EXPECT_EQ(half.green, 255);
    EXPECT_EQ(conversionColour(0.25).red, 191);
    EXPECT_EQ(conversionColour(0.25).blue, 64);
    EXPECT_EQ(conversionColour(1.7).blue, 255);
    EXPECT_EQ(conversionColour(std::nan("")).blue, 0);
}

TEST(ReactorLabels, SchemeLabel) {
    EXPECT_EQ(reactorSchemeLabel(2, 1.5), "kinet. Modell:  A => P   (n = 1)");
    EXPECT_EQ(reactorSchemeLabel(20, 1.5, ','), "kinet. Modell:  A => P, n-ter Ordnung  (n = 1,50)");
}

}  // namespace
}  // namespace zemtral

namespace zemtral {
namespace {

// The batch reactor and the simulation engine describe the same closed vessel: at the end of a
// run both give the same concentrations for every model.
TEST_P(EveryModel, AgreesWithSimulationEngineAtTheSameTime) {
    const std::int16_t model = GetParam();
    const test::ModelCase mc = caseFor(model);
    WorkingState state = startUpWorkingState();
    state.modelId = model;
    state.rateConst = mc.kinetics.k;
    state.conc0 = mc.c0;
    state.reactionOrder = static_cast<float>(mc.kinetics.order);
    state.tEnd = 6.0f;
    SimulationResult sim;
    ASSERT_EQ(calc_diagramfunctioncT(model, state, sim).errorFlag, 0);
    const int last = sim.pointCount - 1;
    const BatchKesselResult r =
        CalcBatchKessel(mc.kinetics, sim.simTime[static_cast<std::size_t>(last)], mc.c0);
    ASSERT_EQ(r.errorFlag, 0);
    const double rel = isNumericModel(model) ? 5e-3 : 1e-9;
    for (int s = 1; s <= 5; ++s) {
        if (hasSpecies(model, s)) {
            EXPECT_TRUE(near(r.conc[s],
                             sim.simConc[static_cast<std::size_t>(s)][static_cast<std::size_t>(last)], rel,
                             1e-6))
                << "slot " << s;
        }
    }
}

}  // namespace
}  // namespace zemtral
