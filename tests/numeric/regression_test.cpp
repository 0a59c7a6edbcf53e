#include "numeric/regression.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "support/tolerance.h"

namespace zemtral {
namespace {

using test::near;

struct Points {
    std::vector<float> x{0.0f}, y{0.0f}, w{0.0f};
    void add(double xi, double yi, double wi = 1.0) {
        x.push_back(static_cast<float>(xi));
        y.push_back(static_cast<float>(yi));
        w.push_back(static_cast<float>(wi));
    }
    RegressionResult fit(int p, int kind, int origin = 0) const {
        return CalcRegression(x, y, w, p, kind, origin);
    }
};

// Weighted normal equations solved independently: Gaussian elimination with partial pivoting in
// long double on the basis values of the float inputs.
std::vector<long double> referenceFit(const Points& pts, int p, bool origin) {
    const int m = p;
    std::vector<std::vector<long double>> a(m, std::vector<long double>(m + 1, 0.0L));
    for (std::size_t i = 1; i < pts.x.size(); ++i) {
        std::vector<long double> f(m);
        for (int k = 0; k < m; ++k) {
            f[k] = std::pow(static_cast<long double>(pts.x[i]), k + (origin ? 1 : 0));
        }
        for (int r = 0; r < m; ++r) {
            for (int c = 0; c < m; ++c) {
                a[r][c] += pts.w[i] * f[r] * f[c];
            }
            a[r][m] += pts.w[i] * f[r] * static_cast<long double>(pts.y[i]);
        }
    }
    for (int c = 0; c < m; ++c) {
        int best = c;
        for (int r = c + 1; r < m; ++r) {
            if (std::fabs(a[r][c]) > std::fabs(a[best][c])) {
                best = r;
            }
        }
        std::swap(a[c], a[best]);
        for (int r = 0; r < m; ++r) {
            if (r != c) {
                const long double factor = a[r][c] / a[c][c];
                for (int l = c; l <= m; ++l) {
                    a[r][l] -= factor * a[c][l];
                }
            }
        }
    }
    std::vector<long double> coef(m);
    for (int k = 0; k < m; ++k) {
        coef[k] = a[k][m] / a[k][k];
    }
    return coef;
}

TEST(CalcRegression, ExactLinesAndPolynomials) {
    Points two;
    two.add(1.0, 3.0);
    two.add(3.0, 7.0);
    auto r = two.fit(2, kRegressionLine);
    EXPECT_FALSE(r.isSingular);
    EXPECT_TRUE(near(r.coef[1], 1.0, 1e-12));
    EXPECT_TRUE(near(r.coef[2], 2.0, 1e-12));
    EXPECT_EQ(r.stdDev, 0.0f);  // W − p = 0: no statistics
    EXPECT_EQ(r.rSquared, 0.0f);

    Points three;
    for (double x : {0.5, 1.5, 4.0}) {
        three.add(x, -0.25 * x + 2.0);
    }
    r = three.fit(2, kRegressionLine);
    EXPECT_TRUE(near(r.coef[2], -0.25, 1e-7));
    EXPECT_TRUE(near(r.rSquared, 1.0, 1e-6));
    EXPECT_LT(r.stdDev, 1e-6f);
    EXPECT_LT(r.relDevPercent, 1e-4f);

    // Cubic and quartic recovered from exact points (small integers are exact in float).
    Points cubic, quartic;
    for (int i = -3; i <= 4; ++i) {
        cubic.add(i, 1.0 - 2.0 * i + 0.5 * i * i + 0.25 * i * i * i);
        quartic.add(i, 2.0 + i - i * i + 0.125 * std::pow(i, 4));
    }
    r = cubic.fit(4, kRegressionCubic);
    EXPECT_TRUE(near(r.coef[1], 1.0, 0, 1e-9));
    EXPECT_TRUE(near(r.coef[2], -2.0, 0, 1e-9));
    EXPECT_TRUE(near(r.coef[3], 0.5, 0, 1e-9));
    EXPECT_TRUE(near(r.coef[4], 0.25, 0, 1e-9));
    r = quartic.fit(5, kRegressionQuartic);
    EXPECT_TRUE(near(r.coef[5], 0.125, 0, 1e-9));
    EXPECT_TRUE(near(r.coef[3], -1.0, 0, 1e-8));

    // Through the origin: p = degree, the constant is dropped.
    Points origin;
    for (int i = 1; i <= 5; ++i) {
        origin.add(i, 3.0 * i - 0.5 * i * i);
    }
    r = origin.fit(2, kRegressionQuadratic, 1);
    EXPECT_TRUE(near(r.coef[1], 3.0, 0, 1e-9));
    EXPECT_TRUE(near(r.coef[2], -0.5, 0, 1e-9));
}

TEST(CalcRegression, NoisyDataAgainstNormalEquations) {
    std::mt19937 rng(12345);
    std::normal_distribution<double> noise(0.0, 0.05);
    for (int kind : {kRegressionLine, kRegressionQuadratic, kRegressionCubic}) {
        const int p = kind == kRegressionLine ? 2 : kind;
        Points pts;
        for (int i = 0; i < 40; ++i) {
            const double x = 0.1 * i;
            pts.add(x, std::exp(-0.7 * x) + noise(rng), i % 7 == 3 ? 0.0 : 1.0);
        }
        const auto r = pts.fit(p, kind);
        const auto ref = referenceFit(pts, p, false);
        for (int k = 0; k < p; ++k) {
            EXPECT_TRUE(near(r.coef[k + 1], static_cast<double>(ref[k]), 1e-8, 1e-10)) << kind << " " << k;
        }
        // Quality figures from their definitions, on the active points only.
        double sumW = 0, mean = 0;
        for (std::size_t i = 1; i < pts.x.size(); ++i) {
            sumW += pts.w[i];
            mean += pts.w[i] * pts.y[i];
        }
        mean /= sumW;
        double sse = 0, sst = 0;
        for (std::size_t i = 1; i < pts.x.size(); ++i) {
            double fitted = 0;
            for (int k = 0; k < p; ++k) {
                fitted += static_cast<double>(ref[k]) * std::pow(static_cast<double>(pts.x[i]), k);
            }
            sse += pts.w[i] * (pts.y[i] - fitted) * (pts.y[i] - fitted);
            sst += pts.w[i] * (pts.y[i] - mean) * (pts.y[i] - mean);
        }
        EXPECT_TRUE(near(r.stdDev, std::sqrt(sse / (sumW - p)), 1e-5));
        EXPECT_TRUE(near(r.rSquared, 1.0 - sse / sst, 1e-5));
    }
}

TEST(CalcRegression, WeightsAndDegenerateInput) {
    Points base;
    for (int i = 1; i <= 6; ++i) {
        base.add(i, 0.5 + 1.25 * i + (i % 2 ? 0.1 : -0.1));
    }
    Points weighted = base;
    weighted.add(3.5, 1000.0, 0.0);  // carried along, does not count
    const auto a = base.fit(2, kRegressionLine);
    const auto b = weighted.fit(2, kRegressionLine);
    EXPECT_DOUBLE_EQ(a.coef[1], b.coef[1]);
    EXPECT_DOUBLE_EQ(a.coef[2], b.coef[2]);
    EXPECT_FLOAT_EQ(a.rSquared, b.rSquared);
    EXPECT_FLOAT_EQ(a.stdDev, b.stdDev);

    Points sameX;
    for (int i = 0; i < 4; ++i) {
        sameX.add(0.0, i);
    }
    auto r = sameX.fit(2, kRegressionLine);
    EXPECT_TRUE(r.isSingular);
    EXPECT_EQ(r.coef[1], 0.0);
    EXPECT_EQ(r.coef[2], 0.0);

    Points noWeight;
    noWeight.add(1, 1, 0);
    noWeight.add(2, 2, 0);
    EXPECT_TRUE(noWeight.fit(2, kRegressionLine).isSingular);

    // A point with y = 0 is left out of the relative deviation sum but counts in W.
    Points zeroY;
    zeroY.add(0, 0);
    zeroY.add(1, 1.1);
    zeroY.add(2, 1.9);
    zeroY.add(3, 3.0);
    r = zeroY.fit(2, kRegressionLine);
    double rel = 0;
    for (std::size_t i = 2; i < zeroY.x.size(); ++i) {
        const double fitted = r.coef[1] + r.coef[2] * zeroY.x[i];
        rel += std::pow(100.0 * (zeroY.y[i] - fitted) / zeroY.y[i], 2);
    }
    EXPECT_TRUE(near(r.relDevPercent, std::sqrt(rel / 4.0), 1e-5));

    // All ordinates equal: R² is 0/0, reported as a fault for the caller's error path.
    Points flat;
    for (int i = 0; i < 4; ++i) {
        flat.add(i, 2.0);
    }
    r = flat.fit(2, kRegressionLine);
    EXPECT_NE(r.fault, FpFault::None);
}

}  // namespace
}  // namespace zemtral
