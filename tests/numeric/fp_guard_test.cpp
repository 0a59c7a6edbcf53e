#include "numeric/fp_guard.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zemtral {
namespace {

// The values go through volatile variables so that the compiler cannot fold the operations
// away; only their run-time flags count.
TEST(FpGuard, NamesTheCauseWhenSeveralFlagsAreUp) {
    volatile double big = 1e308, zero = 0.0, one = 1.0, minusOne = -1.0;
    {
        // An overflow whose infinities then cancel: "invalid" is a consequence, the fault is
        // the overflow.
        FpGuard guard;
        volatile double inf = big * 10.0;
        volatile double nan = inf - inf;
        EXPECT_TRUE(std::isnan(nan));
        EXPECT_EQ(guard.fault(), FpFault::Overflow);
        EXPECT_EQ(faultDescription(guard.fault()), "Überlauf");
    }
    {
        FpGuard guard;
        volatile double root = std::sqrt(static_cast<double>(minusOne));
        EXPECT_TRUE(std::isnan(root));
        EXPECT_EQ(guard.fault(), FpFault::InvalidOperation);
    }
    {
        // Division by zero, then its infinity times zero.
        FpGuard guard;
        volatile double inf = one / zero;
        volatile double nan = inf * zero;
        EXPECT_TRUE(std::isnan(nan));
        EXPECT_EQ(guard.fault(), FpFault::DivisionByZero);
    }
    FpGuard clean;
    EXPECT_EQ(clean.fault(), FpFault::None);
}

}  // namespace
}  // namespace zemtral
