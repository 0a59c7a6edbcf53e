// The axis window and ticks a chart shows for its settings.
#include "diagrams/axis_ticks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace zemtral {
namespace {

AxisSettings axis(double minimum, double maximum) {
    AxisSettings a;
    a.minimum = minimum;
    a.maximum = maximum;
    return a;
}

TEST(AxisTicks, NiceSpacingIsOneTwoOrFiveTimesAPowerOfTen) {
    // span/6 rounded to 1, 2, 5 or 10 of its decade (the boundaries 1.5, 3.5 and 7.5).
    EXPECT_DOUBLE_EQ(niceSpacing(6.0), 1.0);
    EXPECT_DOUBLE_EQ(niceSpacing(9.0), 2.0);    // 1.5
    EXPECT_DOUBLE_EQ(niceSpacing(20.0), 2.0);   // 3.33
    EXPECT_DOUBLE_EQ(niceSpacing(21.0), 5.0);   // 3.5
    EXPECT_DOUBLE_EQ(niceSpacing(45.0), 10.0);  // 7.5
    EXPECT_DOUBLE_EQ(niceSpacing(0.6), 0.1);
    EXPECT_NEAR(niceSpacing(3e-7), 5e-8, 1e-22);
    for (const double bad : {0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(niceSpacing(bad), 1.0);
    }
}

TEST(AxisTicks, LinearWindowsAreFiniteOpenAndResolvable) {
    const auto window = [](double lo, double hi) { return linearAxisWindow(axis(lo, hi)); };
    EXPECT_EQ(window(0, 100).lower, 0.0);
    EXPECT_EQ(window(0, 100).upper, 100.0);
    // Nothing computed yet, or a reversed range: opened upwards.
    EXPECT_EQ(window(0, 0).upper, 1.0);
    EXPECT_EQ(window(5, 5).upper, 10.0);
    EXPECT_EQ(window(-4, -6).upper, 0.0);
    EXPECT_EQ(window(std::nan(""), 3).lower, 0.0);
    EXPECT_EQ(window(2, std::numeric_limits<double>::infinity()).upper, 3.0);
    // Rates of 1e-30: widened about the middle to 1e-10, which a chart can still resolve.
    const AxisWindow tiny = window(1e-30, 2e-30);
    EXPECT_NEAR(tiny.upper - tiny.lower, 1e-10, 1e-24);
    EXPECT_NEAR(0.5 * (tiny.upper + tiny.lower), 1.5e-30, 1e-24);
    // Far from zero the width is relative: 1e-9 of the larger end.
    const AxisWindow far = window(1e6, 1e6 + 1e-6);
    EXPECT_NEAR(far.upper - far.lower, 1e-3, 1e-9);
}

TEST(AxisTicks, LogarithmicWindowsArePositive) {
    const auto window = [](double lo, double hi) { return logarithmicAxisWindow(axis(lo, hi)); };
    EXPECT_DOUBLE_EQ(window(0, 100).lower, 0.1);  // a thousandth of the upper end
    EXPECT_DOUBLE_EQ(window(-5, -1).lower, 1e-3);
    EXPECT_DOUBLE_EQ(window(-5, -1).upper, 1e-2);  // one decade
    EXPECT_DOUBLE_EQ(window(0.01, 10).lower, 0.01);
    EXPECT_DOUBLE_EQ(window(0.01, 10).upper, 10.0);
}

TEST(AxisTicks, DigitsTicksAndGridSpacing) {
    AxisSettings a = axis(0, 10);
    EXPECT_DOUBLE_EQ(linearAxisTicks(a, 10).interval, 2.0);  // automatic: niceSpacing(10)
    EXPECT_EQ(linearAxisTicks(a, 10).minorCount, 0);
    // Digits from the digit spacing, else the tick spacing, else the grid spacing.
    a.gridSpacing = 0.5;
    EXPECT_DOUBLE_EQ(linearAxisTicks(a, 10).interval, 0.5);
    a.tickSpacing = 1.0;
    EXPECT_DOUBLE_EQ(linearAxisTicks(a, 10).interval, 1.0);
    EXPECT_EQ(linearAxisTicks(a, 10).minorCount, 1);  // grid lines at 0.5 between the digits
    a.digitSpacing = 2.5;
    EXPECT_DOUBLE_EQ(linearAxisTicks(a, 10).interval, 2.5);
    EXPECT_EQ(linearAxisTicks(a, 10).minorCount, 4);
    // At most 20 minor ticks, at most 200 digits.
    a.gridSpacing = 0.001;
    EXPECT_EQ(linearAxisTicks(a, 10).minorCount, 20);
    a.digitSpacing = 0.01;
    EXPECT_DOUBLE_EQ(linearAxisTicks(a, 10).interval, 2.0);
    a.digitSpacing = -1.0;
    EXPECT_DOUBLE_EQ(linearAxisTicks(a, 10).interval, 2.0);
}

TEST(AxisTicks, DigitsOfAWindowAcrossZeroAreExact) {
    // Adding up 0.1 from -0.3 gives 2.8e-17 where 0 belongs and 0.30000000000000004 later on.
    const std::vector<double> values = linearTickValues(-0.3, 0.7, 0.1);
    ASSERT_EQ(values.size(), 11u);
    EXPECT_EQ(values[3], 0.0);
    EXPECT_FALSE(std::signbit(values[3]));
    std::vector<std::string> texts;
    for (const double v : values) {
        texts.push_back(tickText(v, 0.1, ','));
    }
    const std::vector<std::string> expected{"-0,3", "-0,2", "-0,1", "0",   "0,1", "0,2",
                                            "0,3",  "0,4",  "0,5",  "0,6", "0,7"};
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(tickText(values[1], 0.1, '.'), "-0.2");
    // The same window kept as singles (the diagram frame) still ends at -0.3 and 0.7.
    EXPECT_EQ(linearTickValues(-0.3f, 0.7f, 0.1).size(), 11u);

    // Ends between the digits, whole and quarter steps, a window far from zero.
    EXPECT_EQ(linearTickValues(-0.05, 0.45, 0.2), (std::vector<double>{0.0, 0.2, 0.4}));
    EXPECT_EQ(tickText(75.0, 25.0, ','), "75");
    EXPECT_EQ(tickText(-1.25, 0.25, ','), "-1,25");
    EXPECT_EQ(tickText(1.0, 0.25, '.'), "1.00");
    EXPECT_EQ(linearTickValues(1e6, 1e6 + 3.0, 1.0).size(), 4u);
    EXPECT_EQ(tickText(2e6, 5e5, '.'), "2000000");
    // Tiny rates: the general format instead of eight decimals.
    EXPECT_EQ(tickText(1.5e-7, 5e-8, ','), "1,5E-07");
    EXPECT_EQ(tickText(3e-7, 1e-7, '.'), "3E-07");
}

TEST(AxisTicks, NoDigitsForUnusableWindows) {
    EXPECT_TRUE(linearTickValues(0, 1, 0).empty());
    EXPECT_TRUE(linearTickValues(0, 1, -0.1).empty());
    EXPECT_TRUE(linearTickValues(1, 0, 0.1).empty());
    EXPECT_TRUE(linearTickValues(0, std::numeric_limits<double>::infinity(), 1).empty());
    EXPECT_TRUE(linearTickValues(0, 1, 1e-6).empty());  // a million digits
    EXPECT_EQ(linearTickValues(2, 2, 1), std::vector<double>{2.0});
}

}  // namespace
}  // namespace zemtral
