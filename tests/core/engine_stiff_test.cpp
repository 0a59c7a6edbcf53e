// The engine on stiff systems: default runs keep their exact numbers, stiff runs switch to the
// implicit method and agree with independent solutions, and no run goes on without limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/engine.h"
#include "core/model_catalogue.h"
#include "core/working_state.h"
#include "support/tolerance.h"

namespace zemtral {
namespace {

using test::near;

// FNV-1a over the bytes of every number a run leaves behind: grid, concentrations, rates,
// half-lives, the last sub-step width and the axis ranges.
class Fingerprint {
  public:
    template <class T>
    void add(T value) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char b : bytes) {
            m_hash = (m_hash ^ b) * 1099511628211ULL;
        }
    }
    std::uint64_t value() const { return m_hash; }

  private:
    std::uint64_t m_hash = 14695981039346656037ULL;
};

std::uint64_t fingerprintOf(const WorkingState& state, const SimulationResult& r) {
    Fingerprint f;
    f.add(r.pointCount);
    for (int i = 0; i < r.pointCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        f.add(r.simTime[at]);
        for (int s = 1; s <= 5; ++s) {
            f.add(r.simConc[s][at]);
            f.add(r.simRate[s][at]);
        }
    }
    f.add(state.halfLifeA);
    f.add(state.halfLifeB);
    f.add(state.timeStep);
    f.add(r.ranges.cMax);
    f.add(r.ranges.rMin);
    f.add(r.ranges.rMax);
    return f.value();
}

TEST(EngineDefaults, EveryModelGivesExactlyTheNumbersOfTheExplicitEngine) {
    // Fingerprints of the default-constant runs taken with the engine before it learnt to switch
    // to the implicit method. A change here means that a default run no longer takes the same
    // path or no longer gives the same numbers bit for bit.
    const std::vector<std::pair<std::int16_t, std::uint64_t>> expected{
        {1, 0xeb31480de6117ddcULL},  {2, 0xf0bb85024dbf5aedULL},  {3, 0x7269320e6b962d5dULL},
        {4, 0xca3855065db69519ULL},  {5, 0x4c679bdcbb31321aULL},  {6, 0x251d4aeb24121931ULL},
        {7, 0x9339accde9dbc1b9ULL},  {8, 0x44e6bdd30de3b397ULL},  {9, 0x653f6151f5d836d5ULL},
        {10, 0x2476499fcfa9ce39ULL}, {11, 0x6041365acf105c97ULL}, {12, 0x3a8ef5c36f12b862ULL},
        {13, 0x51a1099f66851f07ULL}, {14, 0xd87ca95cbe33cc08ULL}, {15, 0xc09f56d54973dbc6ULL},
        {16, 0x29dc0d1cc1564cadULL}, {17, 0xa80a2dff25673d74ULL}, {18, 0x53ad9d7c5ae3a0a0ULL},
        {20, 0x132a13a6520adff8ULL},
    };
    for (const auto& [model, hash] : expected) {
        WorkingState state;
        applyModelDefaults(state, model);
        SimulationResult result;
        ASSERT_EQ(calc_diagramfunctioncT(model, state, result).errorFlag, 0) << "model " << model;
        EXPECT_EQ(fingerprintOf(state, result), hash)
            << "model " << model << ": 0x" << std::hex << fingerprintOf(state, result);
        EXPECT_EQ(result.implicitFrom, -1) << "model " << model << " turned implicit";
    }
}

struct StiffRun {
    WorkingState state;
    SimulationResult result;
    EngineStatus status;
};

StiffRun runStiff(std::int16_t model, std::array<double, 4> k, SpeciesArray c0, float tEnd = 100.0f,
                  const EngineControl& control = {}) {
    StiffRun r;
    applyModelDefaults(r.state, model);
    r.state.rateConst = k;
    r.state.conc0 = c0;
    r.state.tEnd = tEnd;
    r.status = calc_diagramfunctioncT(model, r.state, r.result, control);
    return r;
}

double conc(const StiffRun& r, int slot, int i) {
    return r.result.simConc[slot][static_cast<std::size_t>(i)];
}

// Largest value of a slot over the run: the scale of its errors.
double peakOf(const StiffRun& r, int slot) {
    double peak = 0.0;
    for (int i = 0; i < r.result.pointCount; ++i) {
        peak = std::max(peak, std::fabs(conc(r, slot, i)));
    }
    return peak;
}

struct ReferencePoint {
    int index;                   // grid point; t = index·tEnd/200
    std::array<double, 4> conc;  // the model's four compact species (A B C P, or E S ES P)
};

struct ReferenceCase {
    const char* name;
    std::int16_t model;
    std::array<double, 4> k;
    SpeciesArray c0;
    std::vector<ReferencePoint> points;
};

// Reference values from scipy.integrate.solve_ivp (scipy 1.10.1), method "Radau" with the
// analytic Jacobian, rtol 1e-13 and atol 1e-2·rtol·(1e-7, 1e-3, 1e-7, 1e-3) for the enzyme and
// atol 1e-20 otherwise, t_eval on the 201 grid times of tEnd = 100; they agree with the same
// solver at rtol 1e-12 to 5e-11 of each species' largest value.
const std::vector<ReferenceCase>& radauReferences() {
    static const std::vector<ReferenceCase> cases{
        {"enzyme, k> = 1e6",
         10,
         {0, 1e6, 1e3, 1e3},
         {0, 1e-7, 1e-3, 0, 0, 0},
         {{1, {6.703726558893e-08, 9.834041944428e-04, 3.296273441107e-08, 1.656284282274e-05}},
          {10, {7.035884121390e-08, 8.425605494757e-04, 2.964115878610e-08, 1.574098093655e-04}},
          {40, {8.072094708747e-08, 4.776638423024e-04, 1.927905291253e-08, 5.223168786447e-04}},
          {100, {9.402857783265e-08, 1.270101137191e-04, 5.971422167351e-09, 8.729839148588e-04}},
          {200, {9.945058892812e-08, 1.104865226801e-05, 5.494110718831e-10, 9.889507983209e-04}}}},
        {"enzyme, k> = 1e8",
         10,
         {0, 1e8, 1e3, 1e3},
         {0, 1e-7, 1e-3, 0, 0, 0},
         {{1, {2.059925600992e-09, 9.509078430312e-04, 9.794007439901e-08, 4.899421689445e-05}},
          {10, {3.750623152370e-09, 5.132429169860e-04, 9.624937684763e-08, 4.866608336371e-04}},
          {18, {1.255211821236e-08, 1.393301691455e-04, 8.744788178764e-08, 8.605823829727e-04}},
          {20, {2.591570271116e-08, 5.716369268661e-05, 7.408429728884e-08, 9.427622230161e-04}},
          {22, {7.933965863219e-08, 5.199896453592e-06, 2.066034136781e-08, 9.947794432050e-04}},
          {40, {1.000000000000e-07, 2.090787522133e-23, 1.048016653594e-25, 1.000000000000e-03}}}},
        {"enzyme, k> = 1e9",
         10,
         {0, 1e9, 1e3, 1e3},
         {0, 1e-7, 1e-3, 0, 0, 0},
         {{1, {2.100834165963e-10, 9.500026912119e-04, 9.978991658340e-08, 4.989751887155e-05}},
          {10, {3.973917819731e-10, 5.012814729095e-04, 9.960260821803e-08, 4.986189244823e-04}},
          {18, {1.879321796588e-09, 1.044204478821e-04, 9.812067820341e-08, 8.954814314397e-04}},
          {20, {1.772126201567e-08, 9.278602607312e-06, 8.227873798433e-08, 9.906391186547e-04}},
          {21, {9.999999889135e-08, 2.163258814894e-14, 1.108653248406e-15, 9.999999999773e-04}},
          {200, {1.000000000000e-07, 0.0, 0.0, 1.000000000000e-03}}}},
        {"A + B <=> C => P, fast pre-equilibrium",
         18,
         {0, 1e6, 1e5, 0.05},
         {0, 1, 0.5, 0, 0, 0},
         {{1, {5.727557691173e-01, 7.275576911735e-02, 4.167128370372e-01, 1.053139384543e-02}},
          {10, {5.611457686615e-01, 6.114576866146e-02, 3.431168698073e-01, 9.573736153121e-02}},
          {40, {5.338358930633e-01, 3.383589306326e-02, 1.806281283835e-01, 2.855359785533e-01}},
          {100, {5.099939698865e-01, 9.993969886488e-03, 5.096863966291e-02, 4.390373904506e-01}},
          {200, {5.012588091595e-01, 1.258809159490e-03, 6.309891278822e-03, 4.924312995617e-01}}}},
        {"A + B => C <=> P, fast equilibrium",
         13,
         {0, 0.05, 1e6, 1e6},
         {0, 1, 0.7, 0, 0, 0},
         {{1, {9.828642157395e-01, 6.828642157395e-01, 8.567900519811e-03, 8.567883740740e-03}},
          {10, {8.557258739441e-01, 5.557258739441e-01, 7.213706897239e-02, 7.213705708366e-02}},
          {40, {6.231471168073e-01, 3.231471168073e-01, 1.884264441135e-01, 1.884264390793e-01}},
          {100, {4.482004216923e-01, 1.482004216923e-01, 2.758997899809e-01, 2.758997883204e-01}},
          {200, {3.555307419764e-01, 5.553074197642e-02, 3.222346292503e-01, 3.222346287568e-01}}}},
    };
    return cases;
}

// Σ w·c at point i relative to its start: the mass balances of the models above (for model 10
// the enzyme and the substrate, for 13 and 18 the atoms of A and of B).
void expectBalances(const StiffRun& r, const std::vector<SpeciesArray>& weights, const char* name) {
    for (const SpeciesArray& w : weights) {
        double start = 0.0;
        for (int s = 1; s <= 5; ++s) {
            start += w[s] * r.state.conc0[s];
        }
        for (int i = 0; i < r.result.pointCount; ++i) {
            double sum = 0.0;
            for (int s = 1; s <= 5; ++s) {
                sum += w[s] * conc(r, s, i);
            }
            ASSERT_TRUE(near(sum, start, 1e-12)) << name << ", point " << i;
        }
    }
}

TEST(EngineStiff, AgreesWithRadauAndKeepsTheMassBalances) {
    for (const ReferenceCase& cs : radauReferences()) {
        const StiffRun r = runStiff(cs.model, cs.k, cs.c0);
        ASSERT_EQ(r.status.errorFlag, 0) << cs.name << ": " << r.status.message;
        ASSERT_EQ(r.result.pointCount, 201) << cs.name;
        EXPECT_EQ(r.result.implicitFrom, 0) << cs.name << " was not recognised as stiff";
        EXPECT_NEAR(r.result.simTime[200], 100.0, 1e-9) << cs.name;
        constexpr std::array<int, 4> slots{kSlotA, kSlotB, kSlotC, kSlotP};
        for (const ReferencePoint& ref : cs.points) {
            for (std::size_t j = 0; j < 4; ++j) {
                const double scaled =
                    std::fabs(conc(r, slots[j], ref.index) - ref.conc[j]) / peakOf(r, slots[j]);
                EXPECT_LE(scaled, 1e-6) << cs.name << ", slot " << slots[j] << ", point " << ref.index;
            }
        }
        for (int i = 0; i < r.result.pointCount; ++i) {
            for (int s = 1; s <= 5; ++s) {
                ASSERT_GE(conc(r, s, i), 0.0) << cs.name;
            }
        }
        if (cs.model == 10) {
            expectBalances(r, {{0, 1, 0, 1, 0, 0}, {0, 0, 1, 1, 1, 0}}, cs.name);
        } else {
            expectBalances(r, {{0, 1, 0, 1, 1, 0}, {0, 0, 1, 1, 1, 0}}, cs.name);
        }
    }
}

TEST(EngineStiff, LinearSchemesFollowTheirExactSolutions) {
    // A => C <=> P with a slow first step and a fast equilibrium; with s = k2 + k3 and c(A)(0) = 1:
    // c(A) = e^(−k1·t), c(C) = k3/s·(1 − e^(−s·t)) + (k1 − k3)/(s − k1)·(e^(−k1·t) − e^(−s·t)).
    {
        const double k1 = 0.1, k2 = 1e6, k3 = 2e6, s = k2 + k3;
        const StiffRun r = runStiff(14, {0, k1, k2, k3}, {0, 1, 0, 0, 0, 0});
        ASSERT_EQ(r.status.errorFlag, 0) << r.status.message;
        EXPECT_EQ(r.result.implicitFrom, 0);
        for (int i = 0; i <= 200; ++i) {
            const double t = r.result.simTime[static_cast<std::size_t>(i)];
            const double a = std::exp(-k1 * t);
            const double c =
                k3 / s * (1.0 - std::exp(-s * t)) + (k1 - k3) / (s - k1) * (a - std::exp(-s * t));
            ASSERT_TRUE(near(conc(r, kSlotA, i), a, 0.0, 1e-6)) << t;
            ASSERT_TRUE(near(conc(r, kSlotC, i), c, 0.0, 1e-6)) << t;
            ASSERT_TRUE(near(conc(r, kSlotA, i) + conc(r, kSlotC, i) + conc(r, kSlotP, i), 1.0, 1e-12)) << t;
        }
    }
    // A <=> C => P with a fast pre-equilibrium: y' = M·y with eigenvalues λ1, λ2 of
    // λ² + (k1 + k2 + k3)·λ + k1·k3 = 0; c(A) = ((λ1 + k2 + k3)·e^(λ1·t) − (λ2 + k2 + k3)·e^(λ2·t))/(λ1 −
    // λ2), c(C) = k1·(e^(λ1·t) − e^(λ2·t))/(λ1 − λ2).
    {
        const double k1 = 1e6, k2 = 3e6, k3 = 0.2;
        const double sum = k1 + k2 + k3;
        const double fast = -(sum + std::sqrt(sum * sum - 4.0 * k1 * k3)) / 2.0;
        const double slow = k1 * k3 / fast;  // the product of the roots, free of cancellation
        const StiffRun r = runStiff(15, {0, k1, k2, k3}, {0, 1, 0, 0, 0, 0});
        ASSERT_EQ(r.status.errorFlag, 0) << r.status.message;
        EXPECT_EQ(r.result.implicitFrom, 0);
        for (int i = 0; i <= 200; ++i) {
            const double t = r.result.simTime[static_cast<std::size_t>(i)];
            const double es = std::exp(slow * t), ef = std::exp(fast * t);
            const double a = ((slow + k2 + k3) * es - (fast + k2 + k3) * ef) / (slow - fast);
            const double c = k1 * (es - ef) / (slow - fast);
            ASSERT_TRUE(near(conc(r, kSlotA, i), a, 0.0, 1e-6)) << t;
            ASSERT_TRUE(near(conc(r, kSlotC, i), c, 0.0, 1e-6)) << t;
            ASSERT_TRUE(near(conc(r, kSlotA, i) + conc(r, kSlotC, i) + conc(r, kSlotP, i), 1.0, 1e-12)) << t;
        }
        // Half-life of A on the slow decay that follows the pre-equilibrium.
        const double exactHalf = std::log((slow + k2 + k3) / (slow - fast) * 2.0) / -slow;
        EXPECT_TRUE(near(r.state.halfLifeA, exactHalf, 1e-3));
    }
}

TEST(EngineStiff, RunsThatTookSecondsFinishAtOnce) {
    // All constants 1e6 (and 1e7, which used to fail with a misleading message) with the default
    // concentrations: completed, finite, non-negative and balanced.
    for (const std::int16_t model : {13, 14, 15, 18}) {
        for (const double k : {1e6, 1e7}) {
            WorkingState defaults;
            applyModelDefaults(defaults, model);
            const StiffRun r = runStiff(model, {0, k, k, k}, defaults.conc0);
            ASSERT_EQ(r.status.errorFlag, 0)
                << "model " << model << ", k = " << k << ": " << r.status.message;
            ASSERT_EQ(r.result.pointCount, 201);
            EXPECT_GE(r.result.implicitFrom, 0);
            for (int i = 0; i <= 200; ++i) {
                for (int s = 1; s <= 5; ++s) {
                    ASSERT_TRUE(std::isfinite(conc(r, s, i)) && conc(r, s, i) >= 0.0);
                }
            }
        }
    }
}

TEST(EngineStiff, TheStepBudgetAndTheStopHookEndARunWithAMessage) {
    // A budget far too small for the stiff enzyme: the run stops and names k> as the stiff constant.
    EngineControl tight;
    tight.stepBudget = 600;
    StiffRun r = runStiff(10, {0, 1e9, 1e3, 1e3}, {0, 1e-7, 1e-3, 0, 0, 0}, 100.0f, tight);
    EXPECT_EQ(r.status.errorFlag, -1);
    EXPECT_FALSE(r.status.cancelled);
    EXPECT_EQ(r.status.title, "Meldung von calc_diagramfunctioncT");
    EXPECT_NE(r.status.message.find("k> = 1E+09"), std::string::npos) << r.status.message;
    EXPECT_EQ(r.status.message.find("k3 ="), std::string::npos) << r.status.message;
    EXPECT_LT(r.result.pointCount, 201);
    EXPECT_FALSE(r.result.rangesUpdated);
    for (int s = 1; s <= 5; ++s) {
        EXPECT_EQ(r.result.splines[s].n, 0);
    }

    // On the explicit path alike: a budget that cannot hold even an ordinary run refuses it
    // (the steps are booked before they are taken).
    tight.stepBudget = 10;
    r = runStiff(14, {0, 0.15, 0.1, 0.05}, {0, 1, 0, 0, 0, 0}, 100.0f, tight);
    EXPECT_EQ(r.status.errorFlag, -1);
    EXPECT_NE(r.status.message.find("Schritten abgebrochen"), std::string::npos) << r.status.message;

    // The hook is asked at the start; a hook that says stop ends the run at once.
    int asked = 0;
    EngineControl stop;
    stop.keepGoing = [&asked] {
        ++asked;
        return false;
    };
    r = runStiff(10, {0, 1e9, 1e3, 1e3}, {0, 1e-7, 1e-3, 0, 0, 0}, 100.0f, stop);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(r.status.errorFlag, -1);
    EXPECT_TRUE(r.status.cancelled);
    EXPECT_EQ(r.result.pointCount, 1);

    // A hook that lets it go on changes nothing.
    EngineControl go;
    go.keepGoing = [&asked] {
        ++asked;
        return true;
    };
    asked = 0;
    const StiffRun free = runStiff(10, {0, 1e9, 1e3, 1e3}, {0, 1e-7, 1e-3, 0, 0, 0});
    r = runStiff(10, {0, 1e9, 1e3, 1e3}, {0, 1e-7, 1e-3, 0, 0, 0}, 100.0f, go);
    EXPECT_GE(asked, 1);
    ASSERT_EQ(r.status.errorFlag, 0);
    EXPECT_EQ(fingerprintOf(r.state, r.result), fingerprintOf(free.state, free.result));
}

}  // namespace
}  // namespace zemtral
