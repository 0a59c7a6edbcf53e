#include "core/model_catalogue.h"

#include <gtest/gtest.h>

#include "core/rate_laws.h"
#include "core/working_state.h"

namespace zemtral {
namespace {

TEST(ModelCatalogue, TextsAndMethods) {
    EXPECT_EQ(modelDisplayText(2), "A => P   (n = 1)");
    EXPECT_EQ(modelDisplayText(20), "A => P, n-ter Ordnung ");
    EXPECT_EQ(modelDisplayText(19), "");
    EXPECT_EQ(modelDisplayText(0), "");
    EXPECT_EQ(modelDisplayText(21), "");
    EXPECT_EQ(modelInfo(10).optionCaption, "Enzymkinetik, MICHAELIS-MENTEN-Mechanismus");
    EXPECT_EQ(modelInfo(15).k1Meaning, "k>");
    EXPECT_EQ(modelInfo(15).k3Meaning, "k3");
    int numeric = 0, closed = 0, single = 0;
    for (int id = 1; id <= 20; ++id) {
        numeric += isNumericModel(id) ? 1 : 0;
        closed += modelInfo(id).method == SolutionMethod::ClosedForm ? 1 : 0;
        single += isSingleReaction(id) ? 1 : 0;
    }
    EXPECT_EQ(numeric, 8);
    EXPECT_EQ(closed, 11);
    EXPECT_EQ(single, 10);
    EXPECT_FALSE(isValidModelId(19));
    EXPECT_EQ(speciesName(10, 3), "ES");
    EXPECT_EQ(speciesName(4, 5), "Q");
}

TEST(ModelDefaults, BaseThenModelDefaults) {
    WorkingState s;
    s.rateConst = {0, 9, 9, 9};
    applyModelDefaults(s, 2);
    EXPECT_DOUBLE_EQ(s.rateConst[1], 0.15);
    EXPECT_DOUBLE_EQ(s.rateConst[2], 0.2);
    EXPECT_DOUBLE_EQ(s.rateConst[3], 0.0);
    EXPECT_DOUBLE_EQ(s.conc0[kSlotA], 1.0);

    applyModelDefaults(s, 4);
    EXPECT_DOUBLE_EQ(s.conc0[kSlotB], 1.0);
    s.conc0[kSlotB] = 0.3;
    applyModelDefaults(s, 4);
    EXPECT_DOUBLE_EQ(s.conc0[kSlotB], 0.3);

    applyModelDefaults(s, 10);
    EXPECT_DOUBLE_EQ(s.rateConst[2], 0.1);
    EXPECT_DOUBLE_EQ(s.rateConst[3], 0.005);
    EXPECT_DOUBLE_EQ(s.conc0[kSlotB], 0.3);  // S is kept when it is not 0

    WorkingState e;
    applyModelDefaults(e, 10);
    EXPECT_DOUBLE_EQ(e.conc0[kSlotB], 5.0);
}

TEST(ModelDefaults, AutocatalysisSeedComesAndGoes) {
    WorkingState s;
    applyModelDefaults(s, 5);
    EXPECT_DOUBLE_EQ(s.conc0[kSlotP], 0.002);
    applyModelDefaults(s, 16);
    EXPECT_DOUBLE_EQ(s.conc0[kSlotP], 0.002);
    applyModelDefaults(s, 2);
    EXPECT_DOUBLE_EQ(s.conc0[kSlotP], 0.0);
    s.conc0[kSlotP] = 0.003;
    applyModelDefaults(s, 2);
    EXPECT_DOUBLE_EQ(s.conc0[kSlotP], 0.003);
}

TEST(ModelDefaults, DiagramKindAndTimeSpan) {
    WorkingState s;
    auto sel = applyModelDefaults(s, 7);
    EXPECT_TRUE(sel.diagramKindChanged);
    EXPECT_EQ(sel.diagramKind, 7);
    EXPECT_FLOAT_EQ(s.tEnd, 100.0f);
    EXPECT_DOUBLE_EQ(s.rateConst[2], 0.05);

    WorkingState r;
    r.rateDiagram = true;
    sel = applyModelDefaults(r, 12);
    EXPECT_EQ(sel.diagramKind, 62);
    EXPECT_FLOAT_EQ(r.tEnd, 60.0f);
    EXPECT_DOUBLE_EQ(r.conc0[kSlotA], 1.0);  // the base default comes first
    EXPECT_DOUBLE_EQ(r.conc0[kSlotB], 0.5);
    EXPECT_DOUBLE_EQ(r.rateConst[2], 0.01);

    WorkingState f;
    f.fittingMode = kFittingOrder;
    f.reactionOrder = 0.75f;
    sel = applyModelDefaults(f, 20);
    EXPECT_FALSE(sel.diagramKindChanged);
    EXPECT_TRUE(sel.orderBoxEnabled);
    EXPECT_FLOAT_EQ(f.tEnd, 0.0f);
    EXPECT_DOUBLE_EQ(f.rateConst[2], 0.75);
}

TEST(ModelDefaults, StartUpState) {
    const WorkingState s = startUpWorkingState();
    EXPECT_EQ(s.modelId, 2);
    EXPECT_FLOAT_EQ(s.reactionOrder, 1.5f);
    EXPECT_DOUBLE_EQ(s.rateConst[1], 0.15);
    EXPECT_DOUBLE_EQ(s.rateConst[2], 0.2);
    EXPECT_DOUBLE_EQ(s.conc0[kSlotA], 1.0);
    EXPECT_FLOAT_EQ(s.tEnd, 100.0f);
    EXPECT_TRUE(s.mmSettings.normalised);
    EXPECT_FLOAT_EQ(s.mmSettings.s0Max, 0.15f);
    EXPECT_TRUE(s.deleteOldCurves);
    EXPECT_FALSE(s.showMeasuredPoints);
}

// Every model's laws conserve what its stoichiometry conserves.
TEST(RateLaws, ConservationPerModel) {
    const std::array<double, 4> k{0, 0.7, 0.3, 0.2};
    const SpeciesArray c{0, 0.9, 0.6, 0.4, 0.25, 0.1};
    auto r = [&](int m) { return RateLaws(m, c, k, 1.5); };
    for (int m : {1, 2, 5, 6, 8, 11, 14, 15, 20}) {  // A + C + P + Q constant
        const auto v = r(m);
        EXPECT_NEAR(v[1] + v[3] + v[4] + v[5], 0.0, 1e-15) << "model " << m;
    }
    EXPECT_NEAR(r(3)[1] + 2 * r(3)[4], 0.0, 1e-15);
    for (int m : {4, 17}) {
        EXPECT_NEAR(r(m)[1] + r(m)[4], 0.0, 1e-15);
        EXPECT_DOUBLE_EQ(r(m)[1], r(m)[2]);
    }
    EXPECT_NEAR(2 * r(12)[1] + r(12)[4], 0.0, 1e-15);
    for (int m : {9, 13, 18}) {  // A + C + P and B + C + P constant
        const auto v = r(m);
        EXPECT_NEAR(v[1] + v[3] + v[4], 0.0, 1e-15) << m;
        EXPECT_NEAR(v[2] + v[3] + v[4], 0.0, 1e-15) << m;
    }
    const auto v7 = r(7);  // A + C + 2P and B + C + P constant
    EXPECT_NEAR(v7[1] + v7[3] + 2 * v7[4], 0.0, 1e-15);
    EXPECT_NEAR(v7[2] + v7[3] + v7[4], 0.0, 1e-15);
    const auto v10 = r(10);  // E + ES and S + ES + P constant
    EXPECT_NEAR(v10[1] + v10[3], 0.0, 1e-15);
    EXPECT_NEAR(v10[2] + v10[3] + v10[4], 0.0, 1e-15);
    const auto v16 = r(16);
    EXPECT_DOUBLE_EQ(v16[4], v16[5]);
    EXPECT_DOUBLE_EQ(v16[1], -v16[4]);
}

TEST(RateLaws, ReservedAndNthOrderEdges) {
    const std::array<double, 4> k{0, 0.7, 0.3, 0.2};
    const SpeciesArray c{0, 0.9, 0.6, 0.4, 0.25, 0.1};
    for (int m : {0, 19, 21, -3}) {
        for (double v : RateLaws(m, c, k, 1.0)) {
            EXPECT_EQ(v, 0.0);
        }
    }
    SpeciesArray empty{};
    auto r20 = RateLaws(20, empty, k, 0.5);
    EXPECT_EQ(r20[1], 0.0);
    EXPECT_EQ(r20[4], 0.0);
    SpeciesArray negative{0, -0.01, 0, 0, 0.5, 0};
    r20 = RateLaws(20, negative, k, 0.5);
    EXPECT_EQ(r20[1], 0.0);
    r20 = RateLaws(20, c, k, 0.0);  // n = 0 behaves as zeroth order while cA > 0
    EXPECT_DOUBLE_EQ(r20[1], -0.7);
    EXPECT_DOUBLE_EQ(r20[4], 0.7);
    EXPECT_DOUBLE_EQ(RateLaws(20, c, k, 2.0)[1], -0.7 * 0.81);
}

}  // namespace
}  // namespace zemtral
