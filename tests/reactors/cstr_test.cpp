#include "reactors/cstr.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/rate_laws.h"
#include "reactor_test_support.h"
#include "support/tolerance.h"

namespace zemtral {
namespace {

using test::caseFor;
using test::hasSpecies;
using test::near;

CstrInputs inputsFor(std::int16_t model, CstrInputChoice choice) {
    const test::ModelCase mc = caseFor(model);
    CstrInputs in;
    in.kinetics = mc.kinetics;
    in.c0 = mc.c0;
    in.choice = choice;
    return in;
}

// Steady state: what flows in equals what flows out plus what reacts, for every species.
void expectBalances(const CstrInputs& in, const CstrResult& r, const std::string& what) {
    const SpeciesArray rate = RateLaws(in.kinetics.model, r.conc, in.kinetics.k, in.kinetics.order);
    const double scale = in.c0[kSlotA] + in.c0[kSlotB] + in.c0[kSlotC] + in.c0[kSlotP] + in.c0[kSlotQ];
    for (int s = 1; s <= 5; ++s) {
        const double residual = in.c0[s] - r.conc[s] + rate[s] * r.residenceTime;
        EXPECT_LE(std::fabs(residual), 1e-7 * scale) << what << " slot " << s;
        if (hasSpecies(in.kinetics.model, s)) {
            EXPECT_GE(r.conc[s], -1e-12) << what << " slot " << s;
        }
    }
    EXPECT_TRUE(near(r.residenceTime, r.volume / r.flow, 1e-12)) << what;
    EXPECT_TRUE(near(r.conversion, conversionOfA(in.c0[kSlotA], r.conc[kSlotA]), 1e-12, 1e-15)) << what;
}

class CstrEveryModel : public ::testing::TestWithParam<std::int16_t> {};

INSTANTIATE_TEST_SUITE_P(Cstr, CstrEveryModel, ::testing::ValuesIn(test::allModels()),
                         [](const auto& info) { return "model" + std::to_string(info.param); });

// Option 3 (V and t) gives U and V*; the other four options fed with those numbers must find the
// same steady state, and every one of them must satisfy all balances.
TEST_P(CstrEveryModel, BalancesHoldAndOptionsAgree) {
    const std::int16_t model = GetParam();
    CstrInputs in = inputsFor(model, CstrInputChoice::VolumeAndResidenceTime);
    in.volume = 2.0;
    in.residenceTime = 4.0;
    ASSERT_EQ(checkCstrInputs(in), "") << "inputs of the case are valid for option 3";
    const CstrResult base = CalcCstr(in);
    ASSERT_FALSE(base.calculationFailed);
    ASSERT_FALSE(base.inputRefused);
    EXPECT_DOUBLE_EQ(base.flow, 0.5);
    expectBalances(in, base, "option 3");
    ASSERT_GT(base.conversion, 0.01);
    ASSERT_LT(base.conversion, 0.99);

    auto run = [&](CstrInputChoice choice, double u, double v, double flow, double t) {
        CstrInputs other = inputsFor(model, choice);
        other.conversion = u;
        other.volume = v;
        other.flow = flow;
        other.residenceTime = t;
        EXPECT_EQ(checkCstrInputs(other), "");
        const CstrResult r = CalcCstr(other);
        EXPECT_FALSE(r.calculationFailed) << "option " << static_cast<int>(choice);
        EXPECT_FALSE(r.inputRefused) << "option " << static_cast<int>(choice);
        expectBalances(other, r, "option " + std::to_string(static_cast<int>(choice)));
        EXPECT_TRUE(near(r.conversion, base.conversion, 1e-6)) << "option " << static_cast<int>(choice);
        EXPECT_TRUE(near(r.residenceTime, 4.0, 1e-5)) << "option " << static_cast<int>(choice);
        EXPECT_TRUE(near(r.volume, 2.0, 1e-5)) << "option " << static_cast<int>(choice);
        EXPECT_TRUE(near(r.flow, 0.5, 1e-5)) << "option " << static_cast<int>(choice);
        for (int s = 1; s <= 5; ++s) {
            EXPECT_TRUE(near(r.conc[s], base.conc[s], 1e-5, 1e-9))
                << "option " << static_cast<int>(choice) << " slot " << s;
        }
    };
    run(CstrInputChoice::ConversionAndVolume, base.conversion, 2.0, 0.0, 0.0);
    run(CstrInputChoice::ConversionAndFlow, base.conversion, 0.0, 0.5, 0.0);
    run(CstrInputChoice::VolumeAndFlow, 0.0, 2.0, 0.5, 0.0);
    run(CstrInputChoice::FlowAndResidenceTime, 0.0, 0.0, 0.5, 4.0);
}

TEST(Cstr, SecondOrderPicksThePossibleRoot) {
    // A + B => P with b0 < a0: the extent is the root below min(a0, b0).
    CstrInputs in;
    in.kinetics = {4, {0.0, 0.8, 0.0, 0.0}, 1.5};
    in.c0 = {0.0, 2.0, 0.5, 0.0, 0.0, 0.0};
    in.choice = CstrInputChoice::VolumeAndResidenceTime;
    in.volume = 1.0;
    in.residenceTime = 10.0;
    const CstrResult r = CalcCstr(in);
    ASSERT_FALSE(r.calculationFailed);
    EXPECT_GT(r.conc[kSlotB], 0.0);
    EXPECT_LT(r.conc[kSlotB], 0.5);
    expectBalances(in, r, "model 4");

    // Model 12 both with k1 > 4·k2, b0 < a0, and with k1 = 4·k2 (linear balance).
    in.kinetics = {12, {0.0, 0.9, 0.1, 0.0}, 1.5};
    in.c0 = {0.0, 3.0, 1.0, 0.0, 0.2, 0.0};
    const CstrResult twelve = CalcCstr(in);
    ASSERT_FALSE(twelve.calculationFailed);
    expectBalances(in, twelve, "model 12");
    in.kinetics.k = {0.0, 0.4, 0.1, 0.0};
    const CstrResult linear = CalcCstr(in);
    ASSERT_FALSE(linear.calculationFailed);
    expectBalances(in, linear, "model 12, k1 = 4 k2");
}

TEST(Cstr, NegativeDiscriminantStopsAsFailed) {
    // Reached only by inputs the checks refuse (here a negative residence time); the routine
    // must fail instead of taking the root of a negative number.
    CstrInputs in;
    in.kinetics = {4, {0.0, 1.0, 0.0, 0.0}, 1.5};
    in.c0 = {0.0, 1.0, 1.0, 0.0, 0.0, 0.0};
    in.choice = CstrInputChoice::VolumeAndResidenceTime;
    in.volume = 1.0;
    in.residenceTime = -0.5;
    CstrResult r = CalcCstr(in);
    EXPECT_TRUE(r.calculationFailed);
    // Model 12 with k1 < 4·k2 and a (negative) c(P)(0) that cancels the linear term.
    in.kinetics = {12, {0.0, 0.1, 1.0, 0.0}, 1.5};
    in.c0 = {0.0, 1.0, 1.0, 0.0, -2.55, 0.0};
    in.residenceTime = 0.1;
    r = CalcCstr(in);
    EXPECT_TRUE(r.calculationFailed);
    EXPECT_FALSE(runCstr(in).messages.empty());
}

TEST(Cstr, VolumeAndFlowGiveTheResidenceTime) {
    CstrInputs in;
    in.kinetics = {2, {0.0, 0.25, 0.0, 0.0}, 1.5};
    in.c0 = {0.0, 1.0, 0.0, 0.0, 0.0, 0.0};
    in.choice = CstrInputChoice::VolumeAndFlow;
    in.volume = 2.0;
    in.flow = 0.5;
    const CstrResult r = CalcCstr(in);
    ASSERT_FALSE(r.calculationFailed);
    EXPECT_DOUBLE_EQ(r.residenceTime, 4.0);
    EXPECT_TRUE(near(r.conc[kSlotA], 1.0 / (1.0 + 0.25 * 4.0), 1e-9)) << "a0/(1 + k·t)";
}

TEST(CstrChecks, LinesInOrderWordForWord) {
    CstrInputs in;
    in.kinetics = {10, {0.0, 0.0, 0.0, 0.0}, 1.5};
    in.choice = CstrInputChoice::ConversionAndVolume;
    EXPECT_EQ(checkCstrInputs(in),
              "- Eingangskonzentration für Stoff A angeben!\r\n"
              "- Eingangskonzentration für Stoff S angeben!\r\n"
              "- Geschwindigkeitskonstante k1 muss größer Null sein\r\n"
              "- Geschwindigkeitskonstante k2 muss größer Null sein\r\n"
              "- Geschwindigkeitskonstante k3 muss größer Null sein\r\n"
              "- Der Umsatz muss (0 < U <= 1) sein.\r\n"
              "- Das Reaktionsvolumen muss größer Null sein.\r\n");
    in.kinetics = {5, {0.0, 0.1, 0.0, 0.0}, 1.5};
    in.c0 = {0.0, 1.0, 0.0, 0.0, 0.0, 0.0};
    in.choice = CstrInputChoice::VolumeAndFlow;
    EXPECT_EQ(
        checkCstrInputs(in),
        "- für Autokatalyse muss ein (geringes) c(P)(0) gegeben sein, sonst springt die Reaktion nicht an\r\n"
        "- Das Reaktionsvolumen muss größer Null sein.\r\n"
        "- Der Volumenstrom muss größer Null sein.\r\n");
    in.kinetics.model = 7;
    in.choice = CstrInputChoice::FlowAndResidenceTime;
    in.flow = 1.0;
    EXPECT_EQ(checkCstrInputs(in),
              "- Eingangskonzentration für Stoff B angeben!\r\n"
              "- Geschwindigkeitskonstante k2 muss größer Null sein\r\n"
              "- Die Zeitangabe muss größer Null sein.\r\n");
}

TEST(CstrRun, RefusalsAndFailures) {
    CstrInputs in;
    in.kinetics = {4, {0.0, 0.5, 0.0, 0.0}, 1.5};
    in.c0 = {0.0, 1.0, 0.5, 0.0, 0.0, 0.0};
    in.choice = CstrInputChoice::ConversionAndVolume;
    in.conversion = 0.5;
    in.volume = 1.0;
    CstrOutcome out = runCstr(in);
    EXPECT_EQ(out.status, CstrOutcome::Status::Refused);
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].title, " Ausführung nicht möglich ");
    EXPECT_EQ(out.messages[0].text,
              "Die Anfangskonzentration von B ist für den gewünschten Umsatz nicht ausreichend.\r\n"
              "(Die Endkonzentration von B darf nicht bis auf Null absinken.)");
    in.conversion = 0.6;
    out = runCstr(in);
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].text,
              "Die Anfangskonzentration von B ist für den gewünschten Umsatz nicht ausreichend.");

    // Zero order with k1·t above a0 has no steady state with A left: the Newton result is invalid.
    in.kinetics = {1, {0.0, 0.5, 0.0, 0.0}, 1.5};
    in.choice = CstrInputChoice::VolumeAndResidenceTime;
    in.residenceTime = 10.0;
    out = runCstr(in);
    EXPECT_EQ(out.status, CstrOutcome::Status::Failed);
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].title, " Ausführung nicht möglich ");
    // The text says why as well.
    EXPECT_EQ(out.messages[0].text,
              "Berechnungsfehler aufgetreten.\r\nDie Iteration fand keinen stationären Zustand mit 0 <= U(A) "
              "<= 1.");

    // The equilibrium limit applies to a given conversion.
    in.kinetics = {8, {0.0, 0.5, 0.5, 0.0}, 1.5};
    in.choice = CstrInputChoice::ConversionAndFlow;
    in.conversion = 0.7;
    in.flow = 1.0;
    out = runCstr(in);
    EXPECT_EQ(out.status, CstrOutcome::Status::Refused);
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].title, "keine Ausführung möglich");

    // Success: the protocol row carries t, V, V* and leaves l at 0.
    in.conversion = 0.4;
    out = runCstr(in);
    ASSERT_EQ(out.status, CstrOutcome::Status::Ok);
    EXPECT_TRUE(out.messages.empty());
    EXPECT_EQ(out.protocol[kProtocolConversion], 0.4);
    EXPECT_EQ(out.protocol[kProtocolTime], out.result.residenceTime);
    EXPECT_EQ(out.protocol[kProtocolLength], 0.0);
    EXPECT_EQ(out.protocol[kProtocolVolume], out.result.volume);
    EXPECT_EQ(out.protocol[kProtocolFlow], 1.0);
    EXPECT_TRUE(near(out.protocol[kProtocolKsi1], 0.4, 1e-12));
    // A <=> P: t = U·a0/(k1·cA − k2·cP) = 0.4/(0.5·0.6 − 0.5·0.4).
    EXPECT_TRUE(near(out.result.residenceTime, 4.0, 1e-12));
}

TEST(CstrOptions, CaptionsAndGivenFields) {
    EXPECT_EQ(cstrOptionCaption(CstrInputChoice::ConversionAndVolume), "Umsatz U(A) und Reaktionsvolumen V");
    EXPECT_EQ(cstrOptionCaption(CstrInputChoice::FlowAndResidenceTime),
              "Volumenstrom V* und mittlere Verweilzeit t");
    EXPECT_EQ(cstrGivenFields(CstrInputChoice::VolumeAndResidenceTime), (std::array<int, 2>{14, 16}));
    EXPECT_EQ(cstrGivenFields(CstrInputChoice::ConversionAndFlow), (std::array<int, 2>{13, 15}));
}

}  // namespace
}  // namespace zemtral
