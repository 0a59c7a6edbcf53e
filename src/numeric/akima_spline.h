#pragma once
// Akima's piecewise cubic spline (1970) with his end extrapolation, optionally after a local
// weighted smoothing of the ordinates; value and first derivative at any x.
#include <span>
#include <string>
#include <vector>

namespace zemtral {

/// @brief Coefficients of one spline: on [x(i), x(i+1)] the value is
/// a(i) + b(i)·h + c(i)·h² + d(i)·h³ with h = x − x(i). Knots are 1-based (index 0 unused).
struct AkimaCoefficients {
    int n = 0;  ///< number of knots
    std::vector<double> x, a, b, c, d;
};

/// @brief Outcome of a set-up: ok, or the German text that tells the user why not.
struct AkimaStatus {
    bool ok = true;
    std::string message;
};

/// @brief Builds the spline through the points (x[i], y[i]), i = 0..size−1, x strictly ascending,
/// after smoothing with exponent q when q ≠ 0. Fewer than two points, or two points with the same x,
/// are refused with a message (the coefficients are then left empty).
AkimaStatus AkimaSetUp(std::span<const double> x, std::span<const double> y, float q, AkimaCoefficients& out);

/// @brief The spline value at x (derivativeFlag 0) or its first derivative (flag 1); any other
/// flag gives 0. Beyond the ends the spline continues as the straight line of the end knot.
double AkimaValue(const AkimaCoefficients& spline, double x, int derivativeFlag);

}  // namespace zemtral
