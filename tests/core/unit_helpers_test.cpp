#include <gtest/gtest.h>

#include <cmath>

#include "core/numeric_key_filter.h"
#include "core/rate_laws.h"
#include "core/stoich_matrix.h"
#include "core/unit_captions.h"
#include "session/busy.h"

namespace zemtral {
namespace {

// The rates of every model must be a combination of its reaction rows: r(s) = Σ_j ν(j, s)·ξ_j.
// Checked by projecting the rate vector onto the row space of ν (Gram-Schmidt).
TEST(StoichMatrix, RatesLieInTheRowSpace) {
    const std::array<double, 4> k{0, 0.7, 0.3, 0.2};
    const SpeciesArray c{0, 0.9, 0.6, 0.4, 0.25, 0.1};
    for (int model = 1; model <= 20; ++model) {
        const StoichMatrix nu = BuildStoichMatrix(model, 1.5f);
        std::vector<std::array<double, 6>> basis;
        for (int j = 1; j <= 3; ++j) {
            std::array<double, 6> v{};
            for (int s = 1; s <= 5; ++s) {
                v[s] = nu[j][s];
            }
            for (const auto& b : basis) {
                double dot = 0;
                for (int s = 1; s <= 5; ++s) {
                    dot += v[s] * b[s];
                }
                for (int s = 1; s <= 5; ++s) {
                    v[s] -= dot * b[s];
                }
            }
            double norm = 0;
            for (int s = 1; s <= 5; ++s) {
                norm += v[s] * v[s];
            }
            if (norm > 1e-12) {
                for (int s = 1; s <= 5; ++s) {
                    v[s] /= std::sqrt(norm);
                }
                basis.push_back(v);
            }
        }
        SpeciesArray r = RateLaws(model, c, k, 1.5);
        if (model == 20) {
            r[kSlotP] = -r[kSlotA] / 1.5;  // RateLaws gives r(P) = −r(A); the matrix row is A −n, P +1
        }
        for (const auto& b : basis) {
            double dot = 0;
            for (int s = 1; s <= 5; ++s) {
                dot += r[s] * b[s];
            }
            for (int s = 1; s <= 5; ++s) {
                r[s] -= dot * b[s];
            }
        }
        for (int s = 1; s <= 5; ++s) {
            EXPECT_NEAR(r[s], 0.0, 1e-12) << "model " << model << " slot " << s;
        }
    }
    EXPECT_FLOAT_EQ(BuildStoichMatrix(20, 0.75f)[1][kSlotA], -0.75f);
    EXPECT_FLOAT_EQ(BuildStoichMatrix(12, 1)[1][kSlotP], 2.0f);
    for (const auto& row : BuildStoichMatrix(19, 1)) {
        for (float v : row) {
            EXPECT_EQ(v, 0.0f);
        }
    }
}

TEST(UnitCaptions, PerModel) {
    const std::string F = "/(1/min)", S = "/(l/(min*mol))", Z = "/(mol/(min*l))";
    struct Row {
        int model;
        std::string u1, u2, u3;
    };
    for (const Row& row :
         {Row{1, Z, F, F}, Row{2, F, F, F}, Row{3, S, F, F}, Row{4, S, F, F}, Row{5, S, F, F},
          Row{6, F, F, F}, Row{7, S, S, F}, Row{8, F, F, F}, Row{10, S, F, F}, Row{12, S, S, F},
          Row{14, F, F, F}, Row{16, S, F, F}, Row{17, S, F, F}, Row{18, S, F, F}, Row{20, "", F, F}}) {
        const UnitCaptions c = UpdateUnitCaptions(row.model, "min");
        EXPECT_EQ(c.unit1, row.u1) << row.model;
        EXPECT_EQ(c.unit2, row.u2) << row.model;
        EXPECT_EQ(c.unit3, row.u3) << row.model;
    }
    const UnitCaptions c = UpdateUnitCaptions(2, "h");
    EXPECT_EQ(c.flowLabel, "V* /m^3/h");
    EXPECT_EQ(c.timeCaption, "Zeit t/h");
    EXPECT_EQ(c.fittingTimeCaption, "  Zeit t/h");
    EXPECT_EQ(c.timeUnit, "h");
}

TEST(NumericKeyFilter, AcceptsNumberKeysOnly) {
    for (int key : std::initializer_list<int>{'0', '5', '9', 'E', 'e', '-', '.', 13, 8, 127}) {
        int k = key;
        EXPECT_TRUE(NumericKeyFilter(k)) << key;
        EXPECT_EQ(k, key);
    }
    int comma = ',';
    EXPECT_TRUE(NumericKeyFilter(comma));
    EXPECT_EQ(comma, '.');
    for (int key : std::initializer_list<int>{'a', 'D', 'x', ' ', '+', '/', 9, 0}) {
        int k = key;
        EXPECT_FALSE(NumericKeyFilter(k)) << key;
    }
}

TEST(BusyIndicator, NestingRestoresOnlyAtTheOutermostEnd) {
    BusyIndicator busy;
    std::vector<bool> calls;
    busy.setHook([&](bool b) { calls.push_back(b); });
    busy.EndBusy();  // unmatched: ignored
    EXPECT_FALSE(busy.isBusy());
    busy.BeginBusy();
    {
        BusyScope inner(busy);
        BusyScope innermost(busy);
        EXPECT_EQ(busy.depth(), 3);
    }
    EXPECT_TRUE(busy.isBusy());
    busy.EndBusy();
    EXPECT_FALSE(busy.isBusy());
    EXPECT_EQ(calls, (std::vector<bool>{true, false}));
}

}  // namespace
}  // namespace zemtral
