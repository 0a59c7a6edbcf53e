#include "diagrams/axis_ticks.h"

#include <algorithm>
#include <cmath>

#include "numeric/number_text.h"

namespace zemtral {
namespace {

// The set range with usable ends: what an axis shows before the scale decides more.
AxisWindow finiteOpenWindow(const AxisSettings& axis) {
    AxisWindow w;
    w.lower = std::isfinite(axis.minimum) ? axis.minimum : 0.0;
    w.upper = std::isfinite(axis.maximum) ? axis.maximum : w.lower + 1.0;
    if (!(w.upper > w.lower)) {
        // An empty window (nothing computed yet) still shows a usable frame.
        w.upper = w.lower + (w.lower == 0.0 ? 1.0 : std::fabs(w.lower));
    }
    return w;
}

}  // namespace

double niceSpacing(double span) {
    if (!(span > 0.0) || !std::isfinite(span)) {
        return 1.0;
    }
    const double raw = span / 6.0;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double fraction = raw / power;
    const double nice = fraction < 1.5 ? 1.0 : fraction < 3.5 ? 2.0 : fraction < 7.5 ? 5.0 : 10.0;
    return nice * power;
}

AxisWindow linearAxisWindow(const AxisSettings& axis) {
    AxisWindow w = finiteOpenWindow(axis);
    // A chart library takes a window narrower than about 1e-12 (absolute, or relative to its
    // ends) for empty and keeps its old one; ticks meant for the narrow window would then ask
    // for billions of labels. Such a window is shown widened about its middle.
    const double minimumSpan = std::max(1e-10, 1e-9 * std::max(std::fabs(w.lower), std::fabs(w.upper)));
    if (w.upper - w.lower < minimumSpan) {
        const double middle = 0.5 * (w.lower + w.upper);
        w.lower = middle - 0.5 * minimumSpan;
        w.upper = middle + 0.5 * minimumSpan;
    }
    return w;
}

AxisWindow logarithmicAxisWindow(const AxisSettings& axis) {
    AxisWindow w = finiteOpenWindow(axis);
    if (!(w.lower > 0.0)) {
        w.lower = w.upper > 0.0 ? w.upper / 1000.0 : 1e-3;
    }
    if (!(w.upper > w.lower)) {
        w.upper = w.lower * 10.0;
    }
    return w;
}

AxisTicks linearAxisTicks(const AxisSettings& axis, double span) {
    AxisTicks ticks;
    const double automatic = niceSpacing(span);
    double digits =
        axis.digitSpacing.value_or(axis.tickSpacing.value_or(axis.gridSpacing.value_or(automatic)));
    if (!(digits > 0.0) || span / digits > 200.0) {
        digits = automatic;
    }
    ticks.interval = digits;
    // Grid lines and ticks between the digits come from the finer of the two spacings.
    const double fine = std::min(axis.gridSpacing.value_or(digits), axis.tickSpacing.value_or(digits));
    if (fine > 0.0 && fine < digits) {
        ticks.minorCount = std::clamp(static_cast<int>(std::lround(digits / fine)) - 1, 0, 20);
    }
    return ticks;
}

std::vector<double> linearTickValues(double lower, double upper, double interval) {
    std::vector<double> values;
    if (!std::isfinite(lower) || !std::isfinite(upper) || !(upper >= lower) || !(interval > 0.0) ||
        !std::isfinite(interval)) {
        return values;
    }
    // The ends of a window typed as multiples of the interval arrive as singles (0.7 as
    // 0.699999988): a digit within a ten-thousandth of an interval outside an end still counts.
    constexpr double kEndSlack = 1e-4;
    const double first = std::ceil(lower / interval - kEndSlack);
    const double last = std::floor(upper / interval + kEndSlack);
    if (!(last - first < 1000.0)) {
        return values;
    }
    for (double k = first; k <= last; k += 1.0) {
        const double v = k * interval;
        values.push_back(std::fabs(v) < 1e-9 * interval ? 0.0 : v);
    }
    return values;
}

int tickDecimals(double interval) {
    if (!(interval > 0.0) || !std::isfinite(interval)) {
        return -1;
    }
    // The scaled interval is a whole number up to the rounding of its binary form.
    double scaled = interval;
    for (int d = 0; d <= 6; ++d, scaled *= 10.0) {
        if (std::fabs(scaled - std::round(scaled)) <= 1e-6 * scaled) {
            return d;
        }
    }
    return -1;
}

std::string tickText(double value, double interval, char decimalSeparator) {
    if (value == 0.0) {
        return "0";
    }
    const int decimals = tickDecimals(interval);
    if (decimals < 0 || std::fabs(value) >= 1e6) {
        return formatSingle(static_cast<float>(value), decimalSeparator);
    }
    const std::string pattern =
        decimals == 0 ? "0" : "0." + std::string(static_cast<std::size_t>(decimals), '0');
    return formatNumber(value, pattern, decimalSeparator);
}

}  // namespace zemtral
