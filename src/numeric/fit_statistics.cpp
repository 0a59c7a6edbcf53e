#include "numeric/fit_statistics.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zemtral {
namespace {

/// The continued fraction of the incomplete beta function (modified Lentz), valid and fast for
/// x < (a + 1)/(a + b + 2).
double betaContinuedFraction(double a, double b, double x) {
    constexpr double kTiny = 1e-300;
    constexpr double kEps = 1e-16;
    const double qab = a + b;
    const double qap = a + 1.0;
    const double qam = a - 1.0;
    double c = 1.0;
    double d = 1.0 - qab * x / qap;
    if (std::fabs(d) < kTiny) {
        d = kTiny;
    }
    d = 1.0 / d;
    double h = d;
    for (int m = 1; m <= 1000; ++m) {
        const int m2 = 2 * m;
        double aa = m * (b - m) * x / ((qam + m2) * (a + m2));
        d = 1.0 + aa * d;
        d = std::fabs(d) < kTiny ? kTiny : d;
        c = 1.0 + aa / c;
        c = std::fabs(c) < kTiny ? kTiny : c;
        d = 1.0 / d;
        h *= d * c;
        aa = -(a + m) * (qab + m) * x / ((a + m2) * (qap + m2));
        d = 1.0 + aa * d;
        d = std::fabs(d) < kTiny ? kTiny : d;
        c = 1.0 + aa / c;
        c = std::fabs(c) < kTiny ? kTiny : c;
        d = 1.0 / d;
        const double del = d * c;
        h *= del;
        if (std::fabs(del - 1.0) < kEps) {
            break;
        }
    }
    return h;
}

/// I_x(a, b) with y = 1 − x given separately, so that an x close to 1 loses no digits.
double incompleteBeta(double a, double b, double x, double y) {
    if (!(x > 0.0)) {
        return 0.0;
    }
    if (!(y > 0.0)) {
        return 1.0;
    }
    const double logFront =
        std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) + a * std::log(x) + b * std::log(y);
    const double front = std::exp(logFront);
    if (x < (a + 1.0) / (a + b + 2.0)) {
        return front * betaContinuedFraction(a, b, x) / a;
    }
    return 1.0 - front * betaContinuedFraction(b, a, y) / b;
}

}  // namespace

double regularizedIncompleteBeta(double a, double b, double x) {
    return incompleteBeta(a, b, x, 1.0 - x);
}

double studentTDistribution(double t, double degreesOfFreedom) {
    const double nu = degreesOfFreedom;
    // P(|T| > |t|) = I_{ν/(ν+t²)}(ν/2, 1/2).
    const double tail = 0.5 * incompleteBeta(nu / 2.0, 0.5, nu / (nu + t * t), t * t / (nu + t * t));
    return t >= 0.0 ? 1.0 - tail : tail;
}

double studentTQuantile(double probability, double degreesOfFreedom) {
    const double p = probability;
    const double nu = degreesOfFreedom;
    if (!(p > 0.0 && p < 1.0) || !(nu > 0.0)) {
        return std::nan("");
    }
    if (p == 0.5) {
        return 0.0;
    }
    if (p < 0.5) {
        return -studentTQuantile(1.0 - p, nu);
    }
    // Closed forms for one and two degrees of freedom.
    if (nu == 1.0) {
        return std::tan(std::numbers::pi * (p - 0.5));
    }
    if (nu == 2.0) {
        return (2.0 * p - 1.0) / std::sqrt(2.0 * p * (1.0 - p));
    }
    // Bracket the root, then bisection steps guard Newton steps on F(t) − P.
    double lo = 0.0;
    double hi = 1.0;
    while (studentTDistribution(hi, nu) < p && hi < 1e300) {
        lo = hi;
        hi *= 2.0;
    }
    const double logNorm =
        std::lgamma((nu + 1.0) / 2.0) - std::lgamma(nu / 2.0) - 0.5 * std::log(nu * std::numbers::pi);
    double t = 0.5 * (lo + hi);
    for (int i = 0; i < 200; ++i) {
        const double f = studentTDistribution(t, nu) - p;
        if (f == 0.0) {
            break;
        }
        if (f < 0.0) {
            lo = t;
        } else {
            hi = t;
        }
        const double density = std::exp(logNorm - (nu + 1.0) / 2.0 * std::log1p(t * t / nu));
        double next = t - f / density;
        if (!(next > lo && next < hi)) {
            next = 0.5 * (lo + hi);
        }
        if (std::fabs(next - t) <= 1e-15 * std::max(1.0, std::fabs(t))) {
            t = next;
            break;
        }
        t = next;
    }
    return t;
}

ParameterStatistics parameterStatistics(const MarquardtResult& fit, int residualCount) {
    ParameterStatistics stats;
    const std::size_t n = fit.params.size();
    stats.ci95.assign(n, 0.0);
    stats.free.assign(n, false);
    stats.correlation.assign(n * n, 0.0);
    for (std::size_t j = 0; j < n && j < fit.mask.size(); ++j) {
        stats.free[j] = fit.mask[j] == BoundState::Free;
    }
    stats.degreesOfFreedom = residualCount - fit.freeCount;
    if (stats.degreesOfFreedom <= 0 || fit.covariance.size() != n * n || !(fit.sigma2 >= 0.0)) {
        return stats;
    }
    stats.available = true;
    stats.tQuantile = studentTQuantile(0.975, stats.degreesOfFreedom);
    stats.residualSd = std::sqrt(fit.sigma2);
    for (std::size_t j = 0; j < n; ++j) {
        if (!stats.free[j]) {
            continue;
        }
        stats.ci95[j] = stats.tQuantile * fit.sd[j];
        for (std::size_t k = 0; k < n; ++k) {
            if (!stats.free[k]) {
                continue;
            }
            const double scale = fit.sd[j] * fit.sd[k];
            stats.correlation[j * n + k] =
                j == k ? 1.0 : (scale > 0.0 ? std::clamp(fit.covariance[j * n + k] / scale, -1.0, 1.0) : 0.0);
        }
    }
    return stats;
}

}  // namespace zemtral
