#pragma once
// Weighted linear least squares of a polynomial of degree one to four, through the normal
// equations, with three quality figures.
#include <array>
#include <span>

#include "numeric/fp_guard.h"

namespace zemtral {

/// @brief Basis of the fit: 1 or 2 straight line, 3 quadratic, 4 cubic, 5 quartic.
enum RegressionModelKind : int {
    kRegressionLine = 1,
    kRegressionQuadratic = 3,
    kRegressionCubic = 4,
    kRegressionQuartic = 5
};

/// @brief Coefficients and quality figures of one regression.
struct RegressionResult {
    /// coef[k] multiplies basis function f(k), k = 1..coefCount (coef[0] unused); for the straight
    /// line coef[1] is the intercept and coef[2] the slope.
    std::array<double, 6> coef{};
    float stdDev = 0.0f;            ///< √(SSE/(W − p)), 0 when W − p <= 0
    float relDevPercent = 0.0f;     ///< √(Σ w·(100·(y − ŷ)/y)² / W) over the points with y ≠ 0
    float rSquared = 0.0f;          ///< SSR/SST
    bool isSingular = false;        ///< no pivot found; the statistics were not computed
    FpFault fault = FpFault::None;  ///< arithmetic fault (e.g. SST = 0); the caller takes its error path
};

/// @brief Fits Σ coef(k)·f(k)(x) to the points (x(i), y(i)) with weights w(i), i = 1..n; the lists
/// are 1-based with the same size n + 1 (element 0 is ignored). W = Σ w counts as the number of
/// points in the degrees of freedom. With throughOrigin = 1 the constant is dropped and
/// coefCount is the degree.
RegressionResult CalcRegression(std::span<const float> x, std::span<const float> y, std::span<const float> w,
                                int coefCount, int modelKind, int throughOrigin);

}  // namespace zemtral
