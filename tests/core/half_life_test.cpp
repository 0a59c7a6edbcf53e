#include "core/half_life.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/engine.h"
#include "support/tolerance.h"

namespace zemtral {
namespace {

using test::near;

const std::string kNotPossible = " Ausführung nicht möglich ";

struct Case {
    const char* name;
    int model;
    double cA0, cB0, cP0, k1, k2;
};

SpeciesArray closedAt(const Case& c, double t) {
    SpeciesArray c0{};
    c0[kSlotA] = c.cA0;
    c0[kSlotB] = c.cB0;
    c0[kSlotP] = c.cP0;
    return closedFormConc(c.model, t, {0.0, c.k1, c.k2, 0.0}, c0);
}

TEST(HalfLife, ClosedFormHalfLivesHalveTheClosedFormCurves) {
    const std::vector<Case> cases{
        {"zero order", 1, 1.0, 0, 0, 0.015, 0},
        {"first order", 2, 1.0, 0, 0.3, 0.15, 0},
        {"2A => P", 3, 0.8, 0, 0, 0.15, 0},
        {"A + B, equal", 4, 1.0, 1.0, 0, 0.15, 0},
        {"A + B, B in excess", 4, 1.0, 1.7, 0, 0.15, 0},
        {"A + B, A in excess", 4, 1.0, 0.6, 0, 0.15, 0},
        {"autocatalysis", 5, 1.0, 0, 0.002, 0.15, 0},
        {"autocatalysis with Q", 16, 1.0, 0, 0.01, 0.15, 0},
        {"A => C => P", 6, 1.0, 0, 0, 0.15, 0.1},
        {"A <=> P", 8, 1.0, 0, 0.1, 0.5, 0.1},
        {"A <=> P irreversible", 8, 1.0, 0, 0, 0.5, 0.0},
        {"parallel", 11, 1.0, 0, 0, 0.15, 0.05},
        {"A + B <=> 2P", 12, 0.5, 0.5, 0, 0.15, 0.01},
        {"A + B <=> 2P, K = 4", 12, 0.5, 0.9, 0, 0.4, 0.1},
        {"A + B <=> 2P above 1 mol/l", 12, 3.0, 2.0, 0.2, 0.15, 0.01},
        {"A + B <=> P", 17, 0.5, 0.5, 0, 0.15, 0.01},
        {"A + B <=> P above 1 mol/l", 17, 3.0, 2.5, 0.5, 0.15, 0.02},
    };
    for (const Case& c : cases) {
        for (int kind : {c.model, c.model + 50}) {
            const HalfLifeResult r = FuHalbwertszeitA(c.cA0, c.cB0, c.cP0, c.k1, c.k2, kind);
            ASSERT_GT(r.value, 0.0f) << c.name << ": " << r.message;
            EXPECT_TRUE(r.message.empty()) << c.name;
            EXPECT_FALSE(r.beep);
            EXPECT_TRUE(near(closedAt(c, r.value)[kSlotA], c.cA0 / 2.0, 2e-6)) << c.name << " kind " << kind;
        }
        if (c.model == 4 || c.model == 12 || c.model == 17) {
            const HalfLifeResult r = FuHalbwertszeitB(c.cA0, c.cB0, c.cP0, c.k1, c.k2, c.model);
            if (c.model == 4 && c.cB0 > 2 * c.cA0) {
                EXPECT_TRUE(r.beep) << c.name;
                continue;
            }
            if (c.model != 4 && r.value < 0.0f) {
                // Only when the equilibrium keeps more than half of B.
                EXPECT_GE(c.cB0 - *equilibriumExtent(c.model, c.cA0, c.cB0, c.cP0, c.k1, c.k2), c.cB0 / 2.0)
                    << c.name;
                continue;
            }
            ASSERT_GT(r.value, 0.0f) << c.name << " B: " << r.message;
            EXPECT_TRUE(near(closedAt(c, r.value)[kSlotB], c.cB0 / 2.0, 2e-6)) << c.name << " B";
        }
    }
    // The linearised evaluation kinds share the formulas of their models.
    EXPECT_FLOAT_EQ(FuHalbwertszeitA(1, 0, 0, 0.1, 0, -5).value, static_cast<float>(std::log(2.0) / 0.1));
    EXPECT_FLOAT_EQ(FuHalbwertszeitA(0.5, 0, 0, 0.1, 0, -6).value, 10.0f);
    EXPECT_FLOAT_EQ(FuHalbwertszeitA(1, 1, 0, 0.1, 0, -8).value, 10.0f);
    EXPECT_FLOAT_EQ(FuHalbwertszeitB(1, 1, 0, 0.1, 0, 59).value, 10.0f);
    // Kinds without a half-life formula give 0 without a message.
    for (int kind : {7, 10, 13, 14, 15, 18, 20, 19, 100, -1, -9, 0}) {
        const HalfLifeResult a = FuHalbwertszeitA(1, 1, 0, 0.1, 0.1, kind);
        EXPECT_EQ(a.value, 0.0f) << kind;
        EXPECT_TRUE(a.message.empty());
        EXPECT_FALSE(a.beep);
    }
    EXPECT_EQ(FuHalbwertszeitB(1, 1, 0, 0.1, 0.1, 2).value, 0.0f);
}

TEST(HalfLife, NoSolutionBeepsAndEquilibriumMessagesRefuse) {
    // A + B => P with c0(A) = 2·c0(B): B runs out exactly when half of A is gone.
    HalfLifeResult r = FuHalbwertszeitA(2.0, 1.0, 0, 0.15, 0, 4);
    EXPECT_TRUE(r.beep);
    EXPECT_EQ(r.value, 0.0f);
    EXPECT_TRUE(r.message.empty());
    r = FuHalbwertszeitB(0.5, 1.0, 0, 0.15, 0, 54);
    EXPECT_TRUE(r.beep);
    EXPECT_EQ(r.value, 0.0f);

    // A <=> P with the equilibrium above c0(A)/2.
    r = FuHalbwertszeitA(1.0, 0, 0, 0.1, 0.5, 8);
    EXPECT_EQ(r.value, -1.0f);
    EXPECT_EQ(r.title, kNotPossible);
    EXPECT_EQ(r.message, "c(A)(0)/2 kann bei dieser Gleichgewichtslage nicht erreicht werden");

    // A + B <=> 2P and A + B <=> P with a strong back reaction.
    r = FuHalbwertszeitA(0.5, 0.5, 0, 0.01, 0.15, 12);
    EXPECT_EQ(r.value, -1.0f);
    EXPECT_EQ(r.title, kNotPossible);
    EXPECT_EQ(r.message, "c(A) = c(A)(0)/2 kann bei dieser Gleichgewichtslage nicht erreicht werden");
    r = FuHalbwertszeitB(0.5, 0.5, 0, 0.01, 1.0, 67);
    EXPECT_EQ(r.value, -1.0f);
    EXPECT_EQ(r.title, kNotPossible);
    EXPECT_EQ(r.message, "c(B) = c(B)(0)/2 kann bei dieser Gleichgewichtslage nicht erreicht werden");
    // B in excess never loses half of itself when A is the limiting species.
    r = FuHalbwertszeitB(0.5, 3.0, 0, 0.15, 0.01, 17);
    EXPECT_EQ(r.value, -1.0f);
    EXPECT_EQ(r.message, "c(B) = c(B)(0)/2 kann bei dieser Gleichgewichtslage nicht erreicht werden");
}

TEST(HalfLife, ArithmeticFaultsGiveMinusOneWithTheDescription) {
    // Autocatalysis without any P: ln of a division by zero.
    HalfLifeResult r = FuHalbwertszeitA(1.0, 0, 0, 0.15, 0, 5);
    EXPECT_EQ(r.value, -1.0f);
    EXPECT_EQ(r.title, "Meldung von FuHalbwertszeitA");
    EXPECT_EQ(r.message, "Division durch Null");
    r = FuHalbwertszeitB(0.0, 1.0, 0, 0.15, 0, 4);
    EXPECT_EQ(r.value, -1.0f);
    EXPECT_EQ(r.title, "Meldung von FuHalbwertszeitB");
    EXPECT_FALSE(r.message.empty());
    r = FuHalbwertszeitA(1.0, 0, 0, 0.0, 0, 2);
    EXPECT_EQ(r.value, -1.0f);
    EXPECT_EQ(r.message, "Division durch Null");
}

TEST(EquilibriumExtent, TakesThePossibleRootAboveOneMolePerLitreToo) {
    struct Eq {
        int model;
        double cA0, cB0, cP0, k1, k2;
    };
    const std::vector<Eq> cases{
        {12, 0.5, 0.5, 0, 0.15, 0.01},  {12, 3.0, 2.0, 0.0, 0.15, 0.01}, {12, 5.0, 8.0, 1.0, 0.4, 0.1},
        {12, 0.2, 0.3, 2.0, 0.1, 0.5},  {17, 0.5, 0.5, 0, 0.15, 0.01},   {17, 3.0, 2.5, 0.5, 0.15, 0.02},
        {17, 1.0, 4.0, 0.0, 1.0, 1e-6}, {17, 0.1, 0.1, 3.0, 0.01, 1.0},
    };
    for (const Eq& e : cases) {
        const std::optional<double> x = equilibriumExtent(e.model, e.cA0, e.cB0, e.cP0, e.k1, e.k2);
        ASSERT_TRUE(x.has_value());
        const double nu = e.model == 12 ? 2.0 : 1.0;
        EXPECT_LE(*x, std::min(e.cA0, e.cB0));
        EXPECT_GE(*x, -e.cP0 / nu);
        const double forward = e.k1 * (e.cA0 - *x) * (e.cB0 - *x);
        const double backward = e.model == 12 ? e.k2 * std::pow(e.cP0 + 2 * *x, 2) : e.k2 * (e.cP0 + *x);
        EXPECT_TRUE(near(forward, backward, 1e-10, 1e-14)) << e.model << " " << e.cA0 << " " << e.cB0;
        // The closed form reaches the same equilibrium.
        SpeciesArray c0{};
        c0[kSlotA] = e.cA0;
        c0[kSlotB] = e.cB0;
        c0[kSlotP] = e.cP0;
        const SpeciesArray late = closedFormConc(e.model, 5000.0, {0, e.k1, e.k2, 0}, c0);
        EXPECT_TRUE(near(late[kSlotA], e.cA0 - *x, 1e-6, 1e-9));
    }
    // Irreversible: the limiting species is used up; no reaction at all: no equilibrium.
    EXPECT_DOUBLE_EQ(*equilibriumExtent(17, 2.0, 1.5, 0, 0.3, 0.0), 1.5);
    EXPECT_DOUBLE_EQ(*equilibriumExtent(12, 2.0, 1.5, 0, 0.3, 0.0), 1.5);
    EXPECT_FALSE(equilibriumExtent(12, 1, 1, 0, 0, 0).has_value());
    EXPECT_FALSE(equilibriumExtent(8, 1, 1, 0, 0.1, 0.1).has_value());
}

TEST(HalfLife, NumericallyIntegratedModelsTakeTheHalfLifeOfTheirRun) {
    // The routine has no formula for them; the caller uses halfLifeA of the last run, which for
    // A => C <=> P without back reaction is the first-order value of the closed form.
    WorkingState s;
    applyModelDefaults(s, 14);
    s.rateConst = {0, 0.15, 0.1, 0};
    SimulationResult result;
    ASSERT_EQ(calc_diagramfunctioncT(14, s, result).errorFlag, 0);
    const HalfLifeResult closed = FuHalbwertszeitA(1.0, 0, 0, 0.15, 0.1, 6);
    EXPECT_TRUE(near(s.halfLifeA, closed.value, 1e-3));
    EXPECT_EQ(FuHalbwertszeitA(1.0, 0, 0, 0.15, 0.1, 14).value, 0.0f);
}

// The rate diagram of every model gives the half-lives of its concentration diagram; kinds of no
// model (19, 69, the single species 100) and the reserved id give none.
TEST(HalfLife, RateKindsShareTheirModelsHalfLives) {
    const auto same = [](const HalfLifeResult& a, const HalfLifeResult& b) {
        return a.value == b.value && a.beep == b.beep && a.message == b.message && a.title == b.title;
    };
    int withValue = 0;
    for (int model = 1; model <= 20; ++model) {
        for (double cB0 : {0.6, 1.0, 3.0}) {
            const HalfLifeResult a = FuHalbwertszeitA(1.0, cB0, 0.01, 0.15, 0.05, model);
            EXPECT_TRUE(same(a, FuHalbwertszeitA(1.0, cB0, 0.01, 0.15, 0.05, model + 50))) << model;
            EXPECT_TRUE(same(FuHalbwertszeitB(1.0, cB0, 0.01, 0.15, 0.05, model),
                             FuHalbwertszeitB(1.0, cB0, 0.01, 0.15, 0.05, model + 50)))
                << model;
            withValue += a.value != 0.0f ? 1 : 0;  // a time, or -1 where the equilibrium forbids it
        }
    }
    // The closed forms: models 1-6, 8, 9, 11, 12, 16 and 17, each with three start values of B.
    EXPECT_EQ(withValue, 3 * 12);
    for (int kind : {19, 69, 100, 0, 7, 57, 70}) {
        EXPECT_EQ(FuHalbwertszeitA(1.0, 1.0, 0.01, 0.15, 0.05, kind).value, 0.0f) << kind;
        EXPECT_EQ(FuHalbwertszeitB(1.0, 1.0, 0.01, 0.15, 0.05, kind).value, 0.0f) << kind;
    }
}

}  // namespace
}  // namespace zemtral
