#include "numeric/regression.h"

#include <algorithm>
#include <cmath>

namespace zemtral {
namespace {

constexpr int kMaxCoef = 5;

using Basis = std::array<double, kMaxCoef + 2>;  // f(1..5), one spare element for the shift

Basis evaluateBasis(double x, int modelKind, int throughOrigin) {
    Basis f{};
    const int degree = modelKind <= 2 ? 1 : std::min(modelKind - 1, 4);
    double power = 1.0;
    for (int k = 1; k <= degree + 1; ++k) {
        f[k] = power;
        power *= x;
    }
    if (throughOrigin == 1) {
        for (int k = 1; k <= kMaxCoef; ++k) {
            f[k] = f[k + 1];
        }
    }
    return f;
}

}  // namespace

RegressionResult CalcRegression(std::span<const float> x, std::span<const float> y, std::span<const float> w,
                                int coefCount, int modelKind, int throughOrigin) {
    RegressionResult result;
    const int p = std::clamp(coefCount, 1, kMaxCoef);
    const std::size_t n = std::min({x.size(), y.size(), w.size()});
    FpGuard guard;

    // Augmented normal matrix a[1..p][1..p+1].
    std::array<std::array<double, kMaxCoef + 2>, kMaxCoef + 1> a{};
    for (std::size_t i = 1; i < n; ++i) {
        const Basis f = evaluateBasis(x[i], modelKind, throughOrigin);
        const double wi = w[i];
        for (int k = 1; k <= p; ++k) {
            for (int l = 1; l <= k; ++l) {
                a[k][l] += f[k] * f[l] * wi;
                a[l][k] = a[k][l];
            }
            a[k][p + 1] += static_cast<double>(y[i]) * f[k] * wi;
        }
    }

    // Gauss-Jordan elimination with the first non-zero pivot of each column.
    for (int c = 1; c <= p; ++c) {
        int j = c;
        while (j <= p && a[j][c] == 0.0) {
            ++j;
        }
        if (j > p) {
            // No usable fit: the coefficients stay 0 so that no caller shows a half-eliminated line.
            result.isSingular = true;
            return result;
        }
        std::swap(a[c], a[j]);
        const double t = 1.0 / a[c][c];
        for (int l = 1; l <= p + 1; ++l) {
            a[c][l] *= t;
        }
        for (int r = 1; r <= p; ++r) {
            if (r == c) {
                continue;
            }
            const double factor = -a[r][c];
            for (int l = 1; l <= p + 1; ++l) {
                a[r][l] += factor * a[c][l];
            }
        }
    }
    for (int k = 1; k <= p; ++k) {
        result.coef[k] = a[k][p + 1];
    }

    double sumW = 0.0, sumWY = 0.0;
    for (std::size_t i = 1; i < n; ++i) {
        sumW += w[i];
        sumWY += static_cast<double>(w[i]) * y[i];
    }
    const double mean = sumWY / sumW;
    double ssr = 0.0, sst = 0.0, sse = 0.0, rel = 0.0;
    for (std::size_t i = 1; i < n; ++i) {
        const Basis f = evaluateBasis(x[i], modelKind, throughOrigin);
        double fitted = 0.0;
        for (int k = 1; k <= p; ++k) {
            fitted += result.coef[k] * f[k];
        }
        const double wi = w[i];
        const double yi = y[i];
        ssr += wi * (fitted - mean) * (fitted - mean);
        sst += wi * (yi - mean) * (yi - mean);
        sse += wi * (yi - fitted) * (yi - fitted);
        if (yi != 0.0) {
            const double relative = 100.0 * (yi - fitted) / yi;
            rel += wi * relative * relative;
        }
    }
    if (sumW - p > 0.0) {
        result.stdDev = static_cast<float>(std::sqrt(sse / (sumW - p)));
        result.relDevPercent = static_cast<float>(std::sqrt(rel / sumW));
        result.rSquared = static_cast<float>(ssr / sst);
    }
    result.fault = guard.fault();
    if (result.fault == FpFault::None) {
        for (int k = 1; k <= p; ++k) {
            if (classifyValue(result.coef[k]) != FpFault::None) {
                result.fault = classifyValue(result.coef[k]);
            }
        }
    }
    return result;
}

}  // namespace zemtral
