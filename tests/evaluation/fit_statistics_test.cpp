// The statistics of Auto-Fitting on a kinetic case against an independent computation.
#include <gtest/gtest.h>

#include <cmath>

#include "core/model_catalogue.h"
#include "evaluation/fitting.h"
#include "support/tolerance.h"

namespace zemtral {
namespace {

using test::near;

// A => C => P (model 6), c(A)(0) = 1 mol/l, made with k1 = 0.1 and k2 = 0.05 per s at t = 2, 4,
// ..., 30 s; A, C and P carry a relative scatter of 0.02·sin(1.7·i + slot). The reference
// values were calculated with scipy 1.10.1: least_squares(method='lm') on the same 45 residuals
// (closed form of the model), covariance = s²·(JᵀJ)⁻¹ with s² = F/(45 − 2), t(0.975, 43) as the
// root of stats.t.sf(t, 43) = 0.025 (the intervals below use t.ppf, 5e-9 lower, within their
// tolerance); per species √(SS/ν_s) with ν_s = 15·43/45 and 1 − SS/SS_tot.
constexpr double kData[15][4] = {
    {2.0, 0.8257289341018662, 0.16876932763887337, 0.008956177754831854},
    {4.0, 0.6575624871160946, 0.2975133000799537, 0.03344914459642833},
    {6.0, 0.5468121780539352, 0.39146217837442066, 0.0676039046243885},
    {8.0, 0.4583024530572879, 0.4387426190640077, 0.10655653499989293},
    {10.0, 0.3673265101274644, 0.4689453279492857, 0.15461276511718555},
    {12.0, 0.29529575862312785, 0.5010991571058666, 0.20763432419874564},
    {14.0, 0.2482120479908032, 0.5072051560345603, 0.25245898446552795},
    {16.0, 0.20550962243440588, 0.4871613098912679, 0.2974840644155999},
    {18.0, 0.16345397982132184, 0.47750083117748143, 0.35522593029648586},
    {20.0, 0.1333025818016341, 0.47358031924698946, 0.4062625578759055},
    {22.0, 0.11246869252557753, 0.44668565813539357, 0.4392666323950344},
    {24.0, 0.09172912290926251, 0.4126436254696658, 0.4817965611141714},
    {26.0, 0.0729438028347291, 0.39625682731841694, 0.5379243131697409},
    {28.0, 0.06041280857573747, 0.3789707305264067, 0.5728012624137905},
    {30.0, 0.050762255286540034, 0.3451347237757738, 0.5921679955631389},
};

TEST(FitStatistics, ConsecutiveReactionAgainstScipy) {
    WorkingState state;
    SimulationResult simulation;
    ExpDataSet data;
    ActivationParameters activation;
    FitContext ctx{state, simulation, data, activation, kKTArrhenius, {}};
    state.conc0 = {};
    applyModelDefaults(state, 6);
    state.conc0[kSlotA] = 1.0;
    state.fittingMode = kFittingRateConstants;
    state.tEnd = 30.0f;
    state.rateConst[1] = 0.08;
    state.rateConst[2] = 0.06;
    data.points.assign(1, ExpPoint{});
    for (const auto& row : kData) {
        ExpPoint p;
        p.t = row[0];
        p.c[kSlotA] = row[1];
        p.c[kSlotC] = row[2];
        p.c[kSlotP] = row[3];
        data.points.push_back(p);
    }
    data.pointCount = 15;
    ctx.species = {false, true, false, true, true, false};

    const AutoFitOutcome out = runAutoFitting(ctx, {});
    ASSERT_TRUE(out.fit.converged);
    EXPECT_TRUE(near(out.params[0], 0.10003446365972767, 1e-6));
    EXPECT_TRUE(near(out.params[1], 0.04992726635859241, 1e-6));
    EXPECT_TRUE(near(out.fit.objective, 0.0013003718186204015, 1e-8));
    EXPECT_TRUE(near(out.sd[0], 0.0003961239109429289, 1e-4));
    EXPECT_TRUE(near(out.sd[1], 0.00022630780938699105, 1e-4));

    const ParameterStatistics& st = out.statistics;
    ASSERT_TRUE(st.available);
    EXPECT_EQ(st.degreesOfFreedom, 43);
    EXPECT_TRUE(near(st.tQuantile, 2.0166921992278244, 1e-12));
    EXPECT_TRUE(near(st.ci95[0], 0.0007988599991119277, 1e-4));
    EXPECT_TRUE(near(st.ci95[1], 0.0004563931926643045, 1e-4));
    EXPECT_TRUE(near(st.correlation[1], -0.1701456404206763, 1e-4));
    EXPECT_EQ(st.correlation[1], st.correlation[2]);

    const double sd[3] = {0.0050164346108225975, 0.00604669781312919, 0.0053848346868428515};
    const double r2[3] = {0.9995488473704573, 0.9954184936967935, 0.9992608432035783};
    const int slots[3] = {kSlotA, kSlotC, kSlotP};
    ASSERT_EQ(out.species.size(), 3u);
    double pooled = 0.0;
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(out.species[s].slot, slots[s]);
        EXPECT_EQ(out.species[s].count, 15);
        EXPECT_TRUE(near(out.species[s].residualSd, sd[s], 1e-5)) << s;
        ASSERT_TRUE(out.species[s].r2.has_value());
        EXPECT_TRUE(near(*out.species[s].r2, r2[s], 1e-8)) << s;
        pooled += out.species[s].residualSd * out.species[s].residualSd * 15.0 * 43.0 / 45.0;
    }
    // The species' variances pool to the residual variance of the fit.
    EXPECT_TRUE(near(std::sqrt(pooled / 43.0), st.residualSd, 1e-12));
}

// A species whose measured values do not vary has no R²; its residual sd is still given.
TEST(FitStatistics, ConstantMeasuredValuesHaveNoCoefficientOfDetermination) {
    ExpDataSet data;
    data.points.assign(1, ExpPoint{});
    std::vector<ResidualEntry> entries;
    for (int i = 1; i <= 4; ++i) {
        ExpPoint p;
        p.t = i;
        p.c[kSlotA] = 0.5;
        p.c[kSlotB] = 0.1 * i;
        data.points.push_back(p);
        entries.push_back({i, kSlotA});
        entries.push_back({i, kSlotB});
    }
    const std::vector<double> r = {0.01, 0.0, -0.01, 0.0, 0.01, 0.0, -0.01, 0.0};
    const std::vector<SpeciesFitStatistics> st = speciesStatistics(data, entries, r, 1);
    ASSERT_EQ(st.size(), 2u);
    EXPECT_FALSE(st[0].r2.has_value());
    EXPECT_TRUE(near(st[0].residualSd, std::sqrt(4e-4 / (4.0 * 7.0 / 8.0)), 1e-14));
    EXPECT_EQ(*st[1].r2, 1.0);
    EXPECT_TRUE(speciesStatistics(data, entries, r, 8).empty());
}

}  // namespace
}  // namespace zemtral
