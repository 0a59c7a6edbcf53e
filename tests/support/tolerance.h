#pragma once
// One relative/absolute tolerance for comparing computed numbers with reference values.
#include <gtest/gtest.h>

#include <cmath>

namespace zemtral::test {

/// @brief |actual − expected| <= abs + rel·|expected|.
inline ::testing::AssertionResult near(double actual, double expected, double rel, double abs = 0.0) {
    const double diff = std::fabs(actual - expected);
    if (std::isfinite(actual) && diff <= abs + rel * std::fabs(expected)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "actual " << actual << " differs from expected " << expected
                                         << " by " << diff << " (rel " << rel << ", abs " << abs << ")";
}

/// @brief Number of leading significant digits in which actual agrees with expected (LRE).
inline double agreeingDigits(double actual, double expected) {
    if (actual == expected) {
        return 15.0;
    }
    const double denom = expected == 0.0 ? 1.0 : std::fabs(expected);
    return -std::log10(std::fabs(actual - expected) / denom);
}

}  // namespace zemtral::test
