// Storing and restoring the axis window of every family, and the ranges from measured data.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "diagrams/axis_range.h"
#include "support/tolerance.h"

namespace zemtral {
namespace {

struct Family {
    int kind;
    int xLower, xUpper, yLower, yUpper;
};

// Slot pairs per kind as the table documents them (Wilkinson and ln(cA/cB) upper bound first).
const std::vector<Family> kFamilies = {
    {2, 0, 1, 2, 3},    {16, 0, 1, 2, 3},   {17, 0, 1, 2, 3},     {18, 0, 1, 2, 3},    {20, 0, 1, 2, 3},
    {100, 0, 1, 2, 3},  {-1, 0, 1, 2, 3},   {-9, 0, 1, 2, 3},     {51, 0, 1, 4, 5},    {60, 0, 1, 4, 5},
    {70, 0, 1, 4, 5},   {-2, 6, 7, 8, 9},   {-3, 10, 11, 12, 13}, {-5, 0, 1, 16, 17},  {-6, 0, 1, 18, 19},
    {-7, 0, 1, 21, 20}, {-8, 0, 1, 23, 22}, {-10, 0, 1, 24, 25},  {-11, 0, 1, 26, 27},
};

AxisRangeTable numberedTable() {
    AxisRangeTable table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = 100.0f + static_cast<float>(i);
    }
    return table;
}

TEST(AxisRange, StoreAndRestoreEveryFamily) {
    const WorkingState state;
    for (const Family& f : kFamilies) {
        SCOPED_TRACE(f.kind);
        const AxisRangeTable original = numberedTable();
        DiagramFrame frame;
        RestoreAxisRange(static_cast<DiagramKind>(f.kind), original, state, frame);
        EXPECT_EQ(frame.xMin, original[f.xLower]);
        EXPECT_EQ(frame.xMax, original[f.xUpper]);
        EXPECT_EQ(frame.yMin, original[f.yLower]);
        EXPECT_EQ(frame.yMax, original[f.yUpper]);

        // New window stored: only the four slots of the family change, and restoring gives it back.
        AxisRangeTable table = original;
        const DiagramFrame changed{-1.5f, 2.25f, 7.0f, 9.5f, "", "", ""};
        StoreAxisRange(static_cast<DiagramKind>(f.kind), changed, state, table);
        for (int slot = 0; slot < 32; ++slot) {
            const bool own = slot == f.xLower || slot == f.xUpper || slot == f.yLower || slot == f.yUpper;
            if (!own) {
                EXPECT_EQ(table[slot], original[slot]) << "slot " << slot;
            }
        }
        EXPECT_EQ(table[f.xLower], -1.5f);
        EXPECT_EQ(table[f.yLower], 2.25f);
        EXPECT_EQ(table[f.xUpper], 7.0f);
        EXPECT_EQ(table[f.yUpper], 9.5f);
        DiagramFrame back;
        RestoreAxisRange(static_cast<DiagramKind>(f.kind), table, state, back);
        EXPECT_EQ(back.xMin, -1.5f);
        EXPECT_EQ(back.yMin, 2.25f);
        EXPECT_EQ(back.xMax, 7.0f);
        EXPECT_EQ(back.yMax, 9.5f);
    }
}

TEST(AxisRange, EyringWidensOnRestoreOnly) {
    const WorkingState state;
    AxisRangeTable table{};
    table[14] = -8.0f;
    table[15] = -5.0f;
    DiagramFrame frame;
    RestoreAxisRange(kKindEyring, table, state, frame);
    EXPECT_EQ(frame.yMin, -9.0f);
    EXPECT_EQ(frame.yMax, -4.0f);
    // Storing writes the window as shown, so every store and restore widens by one more.
    StoreAxisRange(kKindEyring, frame, state, table);
    EXPECT_EQ(table[14], -9.0f);
    EXPECT_EQ(table[15], -4.0f);
    EXPECT_EQ(table[10], frame.xMin);
}

TEST(AxisRange, MichaelisMentenWindowAndFittingModes) {
    WorkingState state;
    state.modelId = 10;
    state.mmMode = true;
    state.mmSettings.normalised = true;
    const AxisRangeTable table = numberedTable();
    for (DiagramKind kind :
         {DiagramKind{10}, DiagramKind{60}, DiagramKind{100}, DiagramKind{-1}, DiagramKind{-9}}) {
        DiagramFrame frame;
        RestoreAxisRange(kind, table, state, frame);
        EXPECT_EQ(frame.xMin, 0.0f);
        EXPECT_EQ(frame.xMax, 20.0f);
        EXPECT_EQ(frame.yMin, 0.0f);
        EXPECT_EQ(frame.yMax, 1.0f);
    }
    state.mmSettings.normalised = false;
    state.mmSettings.s0Max = 0.4f;
    DiagramFrame frame;
    RestoreAxisRange(10, table, state, frame);
    EXPECT_EQ(frame.xMax, 0.4f);
    // The evaluation kinds keep their own windows.
    RestoreAxisRange(-5, table, state, frame);
    EXPECT_EQ(frame.yMin, table[16]);

    AxisRangeTable stored = numberedTable();
    StoreAxisRange(10, DiagramFrame{1, 2, 3, 4, "", "", ""}, state, stored);
    EXPECT_EQ(stored[30], 1.0f);
    EXPECT_EQ(stored[31], 3.0f);
    EXPECT_EQ(stored[28], 2.0f);
    EXPECT_EQ(stored[29], 4.0f);
    EXPECT_EQ(stored[0], 100.0f);
    StoreAxisRange(60, DiagramFrame{1, 2, 3, 4, "", "", ""}, state, stored);
    EXPECT_EQ(stored[4], 2.0f);

    WorkingState fitting;
    fitting.fittingMode = kFittingNonIsothermalFirst;
    stored = numberedTable();
    StoreAxisRange(-9, DiagramFrame{0, 0, 50, 0.8f, "", "", ""}, fitting, stored);
    EXPECT_EQ(stored[3], 1.0f);
    fitting.fittingMode = kFittingNonIsothermalSecond;
    fitting.conc0[kSlotA] = 0.75;
    StoreAxisRange(-9, DiagramFrame{0, 0, 50, 0.8f, "", "", ""}, fitting, stored);
    EXPECT_EQ(stored[3], 0.75f);
}

ExpDataSet dataSet(const std::vector<ExpPoint>& points) {
    ExpDataSet data;
    data.points.resize(1);
    for (const ExpPoint& p : points) {
        data.points.push_back(p);
    }
    data.pointCount = static_cast<std::int16_t>(points.size());
    return data;
}

ExpPoint measured(double t, double cA, double cB, double T, double k) {
    ExpPoint p;
    p.t = t;
    p.c[kSlotA] = cA;
    p.c[kSlotB] = cB;
    p.T = T;
    p.k = k;
    return p;
}

TEST(AxisRange, AutoRangeFromMeasuredPoints) {
    WorkingState state;
    state.conc0[kSlotA] = 1.0;
    const ExpDataSet data = dataSet({measured(0, 1.0, 0.5, 300, 0.01), measured(10, 0.5, 0.25, 320, 0.04),
                                     measured(20, 0.25, 0.2, 340, 0.16)});
    AxisRangeTable table = numberedTable();
    AutoRangeFromData(kKindArrhenius, data, state, table);
    EXPECT_FLOAT_EQ(table[0], 0.0f);
    EXPECT_FLOAT_EQ(table[1], 21.0f);  // 20 widened at the upper end by 20/20
    EXPECT_FLOAT_EQ(table[2], 0.0f);   // the concentration range is not widened
    EXPECT_FLOAT_EQ(table[3], 1.0f);
    EXPECT_EQ(table[4], 104.0f);  // the rate range is the simulation's
    EXPECT_FLOAT_EQ(table[6], 298.0f);
    EXPECT_FLOAT_EQ(table[7], 342.0f);
    EXPECT_FLOAT_EQ(table[8], -0.008f);
    EXPECT_FLOAT_EQ(table[9], 0.168f);
    const double invSpan = 1.0 / 300 - 1.0 / 340;
    EXPECT_TRUE(test::near(table[10], 1.0 / 340 - invSpan / 20, 1e-6));
    EXPECT_TRUE(test::near(table[11], 1.0 / 300 + invSpan / 20, 1e-6));
    const double lnSpan = std::log(0.16) - std::log(0.01);
    EXPECT_TRUE(test::near(table[12], std::log(0.01) - lnSpan / 20, 1e-6));
    EXPECT_TRUE(test::near(table[13], std::log(0.16) + lnSpan / 20, 1e-6));
    // For -3 the ln(k/T) range is widened by the ln k span.
    EXPECT_TRUE(test::near(table[14], std::log(0.01 / 300) - lnSpan / 20, 1e-6));
    EXPECT_TRUE(test::near(table[15], std::log(0.16 / 340) + lnSpan / 20, 1e-6));
    const double lnCSpan = std::log(4.0);
    EXPECT_TRUE(test::near(table[16], std::log(0.25) - lnCSpan / 20, 1e-6));
    EXPECT_TRUE(test::near(table[19], 4.0 + 3.0 / 20, 1e-6));
    // Wilkinson t/U: 10/0.5 = 20 and 20/0.75 = 26.67, the point at t = 0 is skipped.
    const double wSpan = 20.0 / 0.75 - 20.0;
    EXPECT_TRUE(test::near(table[20], 20.0 / 0.75 + wSpan / 20, 1e-6));
    EXPECT_TRUE(test::near(table[21], 20.0 - wSpan / 20, 1e-6));
    // ln(cA/cB): ln 2, ln 2, ln 1.25.
    const double qSpan = std::log(2.0) - std::log(1.25);
    EXPECT_TRUE(test::near(table[22], std::log(2.0) + qSpan / 20, 1e-6));
    EXPECT_TRUE(test::near(table[23], std::log(1.25) - qSpan / 20, 1e-6));

    // Eyring widens both logarithmic ranges by the ln(k/T) span.
    AutoRangeFromData(kKindEyring, data, state, table);
    const double lnKTSpan = std::log(0.16 / 340) - std::log(0.01 / 300);
    EXPECT_TRUE(test::near(table[12], std::log(0.01) - lnKTSpan / 20, 1e-6));
    EXPECT_TRUE(test::near(table[15], std::log(0.16 / 340) + lnKTSpan / 20, 1e-6));

    // Positive kinds leave the table alone.
    const AxisRangeTable before = table;
    AutoRangeFromData(2, data, state, table);
    EXPECT_EQ(table, before);
}

TEST(AxisRange, AutoRangeEdgeCases) {
    WorkingState state;
    state.conc0[kSlotA] = 1.0;
    // No c(B) anywhere: ln(cA/cB) keeps its starting values widened by a twentieth of their (negative) span.
    // A point without c(A) but with c(B) must not produce ln 0.
    const ExpDataSet data = dataSet({measured(5, 0.8, 0.0, 0, 0), measured(10, 0.0, 0.3, 0, 0)});
    AxisRangeTable table{};
    AutoRangeFromData(kKindSecondOrderUnequal, data, state, table);
    EXPECT_FLOAT_EQ(table[22], -110000.0f);
    EXPECT_FLOAT_EQ(table[23], 110000.0f);
    for (float v : table) {
        EXPECT_TRUE(std::isfinite(v));
    }
    // Wilkinson with a single point: zero span, widened by a twentieth of the upper bound.
    // t/U = 5/0.2 = 25 and, for the point without c(A), 10/1 = 10.
    EXPECT_TRUE(test::near(table[20], 25.0 + 15.0 / 20, 1e-6));
    const ExpDataSet one = dataSet({measured(5, 0.8, 0.0, 0, 0)});
    AutoRangeFromData(kKindWilkinson, one, state, table);
    EXPECT_TRUE(test::near(table[20], 25.0 + 25.0 / 20, 1e-6));
    EXPECT_TRUE(test::near(table[21], 25.0 - 25.0 / 20, 1e-6));
    // 1/T without any temperature: the lower bound is clamped at 0.
    EXPECT_GE(table[10], 0.0f);
    // Fitting modes fix the concentration upper bound.
    state.fittingMode = kFittingNonIsothermalFirst;
    AutoRangeFromData(kKindFittingPoints, one, state, table);
    EXPECT_EQ(table[3], 1.0f);
    state.fittingMode = kFittingNonIsothermalSecond;
    state.conc0[kSlotA] = 0.6;
    AutoRangeFromData(kKindFittingPoints, one, state, table);
    EXPECT_EQ(table[3], 0.6f);
}

}  // namespace
}  // namespace zemtral
