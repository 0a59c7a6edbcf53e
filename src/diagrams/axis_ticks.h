#pragma once
// The axis window and tick spacing that a chart shows for an axis's settings, whatever library
// draws it: a usable window for an empty or too narrow range, and a bounded number of ticks.
#include <string>
#include <vector>

#include "diagrams/chart_component.h"

namespace zemtral {

/// @brief Lower and upper end of the range an axis shows [axis units].
struct AxisWindow {
    double lower = 0.0;
    double upper = 1.0;
};

/// @brief Spacing of the digits (major ticks) and the number of minor ticks between two of them.
struct AxisTicks {
    double interval = 1.0;  ///< [axis units]
    int minorCount = 0;     ///< 0..20
};

/// @brief A "nice" spacing (1, 2 or 5 times a power of ten) giving about five to ten steps over
/// `span`; 1 for a span that is not positive and finite.
double niceSpacing(double span);

/// @brief The window of a linear axis: the set range with non-finite ends replaced, an empty or
/// reversed range opened upwards (to lo + 1 at 0, else lo + |lo|), and a range narrower than
/// max(1e-10, 1e-9 · largest |end|) widened about its middle to that width, which the chart can
/// still resolve.
AxisWindow linearAxisWindow(const AxisSettings& axis);

/// @brief The window of a logarithmic axis: a lower end that is not positive becomes
/// upper/1000 (1e-3 when the upper end is not positive either), an empty range one decade.
AxisWindow logarithmicAxisWindow(const AxisSettings& axis);

/// @brief Ticks of a linear axis over `span`: digits at the digit spacing, else the tick spacing,
/// else the grid spacing, else niceSpacing(span); a spacing that is not positive or gives more
/// than 200 steps is replaced by niceSpacing(span). Minor ticks come from the finer of the grid
/// and tick spacings: round(interval / finer) − 1, at most 20.
AxisTicks linearAxisTicks(const AxisSettings& axis, double span);

/// @brief The digit positions of a linear axis showing [lower, upper] with digits every
/// `interval`: k · interval for every whole k whose position lies in the window (a position
/// within 1e-4 of an interval outside an end still counts: window ends are often singles). Each value is
/// computed from k alone, never by adding up intervals, and a value within 1e-9 · interval of 0 is exactly 0.
/// Empty for a window or interval that is not finite and positive, or for more than 1000 digits.
std::vector<double> linearTickValues(double lower, double upper, double interval);

/// @brief The decimals that digits every `interval` need (0.1 → 1, 0.25 → 2, 5 → 0); −1 when
/// that would be more than six, where the digits are written in the general format instead.
int tickDecimals(double interval);

/// @brief The text of the digit `value` on an axis with digits every `interval`: as many decimals
/// as the interval needs ("0,25" for 0.25 steps, "3" for whole steps), 0 as "0"; the general
/// format of a single ("1,5E-07") where that would take more than six decimals or the value
/// reaches a million. `decimalSeparator` is the locale's.
std::string tickText(double value, double interval, char decimalSeparator);

}  // namespace zemtral
