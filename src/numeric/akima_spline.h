#pragma once
// Akima's piecewise cubic spline (1970) with his end extrapolation, optionally after a local
// weighted smoothing of the ordinates; value and first derivative at any x.
#include <span>
#include <string>
#include <vector>

namespace zemtral {

/// @brief Coefficients of one spline: on [x(i), x(i+1)] the value is
/// a(i) + b(i)·h + c(i)·h² + d(i)·h³ with h = x − x(i). Knots are 1-based (index 0 unused).
/// a(i) is the (smoothed) ordinate and b(i) the Akima slope at knot i; c(n) = d(n) = 0.
struct AkimaCoefficients {
    int n = 0;  ///< number of knots; 0 = no spline
    std::vector<double> x, a, b, c, d;
};

/// @brief Outcome of a set-up: ok, or the German text that tells the user why not.
struct AkimaStatus {
    bool ok = true;
    std::string message;
};

/// @brief Builds the spline through the points (x[i], y[i]), i = 0..size−1, x strictly ascending,
/// after smoothing with exponent q when q ≠ 0. Fewer than two points, two points with the same x,
/// descending x or values that are not finite are refused with a message (the spline is then
/// left empty, n = 0). Any number of points is accepted; the coefficient vectors are resized in
/// place, so a set-up of the same size allocates nothing.
AkimaStatus AkimaSetUp(std::span<const double> x, std::span<const double> y, float q, AkimaCoefficients& out);

/// @brief The spline value at x (derivativeFlag 0) or its first derivative (flag 1); any other
/// flag, or an empty spline, gives 0. Beyond the ends the spline continues as the straight line
/// of the end knot: a(n) + b(n)·(x − x(n)) for x ≥ x(n), a(1) + b(1)·(x − x(1)) for x < x(1).
double AkimaValue(const AkimaCoefficients& spline, double x, int derivativeFlag);

}  // namespace zemtral
