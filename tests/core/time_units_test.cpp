#include "core/time_units.h"

#include <gtest/gtest.h>

namespace zemtral {
namespace {

TEST(TimeUnits, FactorTable) {
    EXPECT_DOUBLE_EQ(timeUnitFactor(0, 1), 60.0);
    EXPECT_DOUBLE_EQ(timeUnitFactor(1, 0), 1.0 / 60.0);
    EXPECT_DOUBLE_EQ(timeUnitFactor(0, 4), 31536000.0);
    EXPECT_DOUBLE_EQ(timeUnitFactor(1, 3), 1440.0);
    EXPECT_DOUBLE_EQ(timeUnitFactor(2, 3), 24.0);
    EXPECT_DOUBLE_EQ(timeUnitFactor(1, 4), 525600.0);
    EXPECT_DOUBLE_EQ(timeUnitFactor(2, 4), 8760.0);
    EXPECT_DOUBLE_EQ(timeUnitFactor(3, 4), 365.0);
    for (int a = 0; a < kTimeUnitCount; ++a) {
        EXPECT_DOUBLE_EQ(timeUnitFactor(a, a), 1.0);
        for (int b = 0; b < kTimeUnitCount; ++b) {
            EXPECT_NEAR(timeUnitFactor(a, b) * timeUnitFactor(b, a), 1.0, 1e-15);
            for (int c = 0; c < kTimeUnitCount; ++c) {  // chained conversions agree
                EXPECT_NEAR(timeUnitFactor(a, b) * timeUnitFactor(b, c) / timeUnitFactor(a, c), 1.0, 1e-14);
            }
        }
    }
}

TEST(TimeUnits, TextsAndUnitBuilders) {
    EXPECT_EQ(timeUnitText(1), "min");
    EXPECT_EQ(timeUnitIndex("a"), 4);
    EXPECT_EQ(timeUnitIndex("sec"), -1);
    EXPECT_EQ(firstOrderUnit("min"), "/(1/min)");
    EXPECT_EQ(secondOrderUnit("s"), "/(l/(s*mol))");
    EXPECT_EQ(zeroOrderUnit("h"), "/(mol/(h*l))");
    EXPECT_EQ(rateUnit("d"), "/(mol/l/d)");
}

}  // namespace
}  // namespace zemtral
