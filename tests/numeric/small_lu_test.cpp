#include "numeric/small_lu.h"

#include <gtest/gtest.h>

#include <array>

namespace zemtral {
namespace {

TEST(SmallLu, SolvesWithRowExchangesAndRefusesSingularMatrices) {
    // A zero in the first pivot position forces exchanges; x = (1, −2, 3, 0.5, −1).
    SmallLu<5> lu;
    lu.a = {{{0, 2, 1, 0, 3}, {4, 1, 0, 2, 0}, {1, 0, 5, 1, 1}, {2, 3, 1, 6, 0}, {0, 1, 2, 0, 7}}};
    const std::array<double, 5> x{1, -2, 3, 0.5, -1};
    std::array<double, 5> b{};
    for (int i = 0; i < 5; ++i) {
        for (int j = 0; j < 5; ++j) {
            b[static_cast<std::size_t>(i)] += lu.a[i][j] * x[static_cast<std::size_t>(j)];
        }
    }
    ASSERT_TRUE(lu.factorise());
    lu.solve(b);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_NEAR(b[i], x[i], 1e-13);
    }

    SmallLu<3> singular;
    singular.a = {{{1, 2, 3}, {2, 4, 6}, {0, 1, 1}}};
    EXPECT_FALSE(singular.factorise());
}

}  // namespace
}  // namespace zemtral
