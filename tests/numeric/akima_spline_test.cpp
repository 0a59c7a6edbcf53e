#include "numeric/akima_spline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/tolerance.h"

namespace zemtral {
namespace {

using test::near;

AkimaCoefficients build(const std::vector<double>& x, const std::vector<double>& y, float q = 0.0f) {
    AkimaCoefficients s;
    const AkimaStatus status = AkimaSetUp(x, y, q, s);
    EXPECT_TRUE(status.ok) << status.message;
    return s;
}

TEST(AkimaSpline, PassesThroughEveryPointWithoutSmoothing) {
    const std::vector<double> x{0.0, 0.3, 1.1, 1.2, 2.5, 4.0, 4.1, 7.0};
    const std::vector<double> y{1.0, -0.4, 2.0, 2.2, 0.0, 5.0, 4.0, -1.0};
    const AkimaCoefficients s = build(x, y);
    ASSERT_EQ(s.n, 8);
    for (std::size_t i = 0; i < x.size(); ++i) {
        EXPECT_TRUE(near(AkimaValue(s, x[i], 0), y[i], 1e-14, 1e-14)) << "knot " << i;
    }
    // Value and slope are continuous at every interior knot (approached from the left).
    for (std::size_t i = 1; i + 1 < x.size(); ++i) {
        const double left = x[i] - 1e-9;
        EXPECT_TRUE(near(AkimaValue(s, left, 0), y[i], 0.0, 1e-7)) << "knot " << i;
        EXPECT_TRUE(near(AkimaValue(s, left, 1), AkimaValue(s, x[i], 1), 0.0, 1e-6)) << "knot " << i;
    }
}

TEST(AkimaSpline, ExactOnStraightLines) {
    // Two points, three collinear points and many unevenly spaced points on one line: value and
    // slope everywhere, also beyond both ends.
    const std::vector<std::vector<double>> abscissae{
        {1.0, 3.0}, {0.0, 1.0, 2.5}, {-2, -1.5, 0, 0.1, 0.7, 3, 8, 8.5}};
    for (const auto& x : abscissae) {
        std::vector<double> y;
        for (double xi : x) {
            y.push_back(2.5 - 0.75 * xi);
        }
        const AkimaCoefficients s = build(x, y);
        for (double t = x.front() - 5.0; t <= x.back() + 5.0; t += 0.173) {
            EXPECT_TRUE(near(AkimaValue(s, t, 0), 2.5 - 0.75 * t, 1e-13, 1e-13)) << "x = " << t;
            EXPECT_TRUE(near(AkimaValue(s, t, 1), -0.75, 1e-13, 1e-13)) << "x = " << t;
        }
    }
}

TEST(AkimaSpline, ContinuesLinearlyBeyondBothEnds) {
    const std::vector<double> x{0, 1, 2, 3, 4, 5};
    const std::vector<double> y{0, 1, 4, 9, 16, 25};  // x²: the end slopes are not those of a line
    const AkimaCoefficients s = build(x, y);
    const double slopeEnd = AkimaValue(s, 5.0, 1);
    const double slopeStart = AkimaValue(s, 0.0, 1);
    // The slope at the end knot is the limit of the slope inside the last interval.
    EXPECT_TRUE(near(AkimaValue(s, 5.0 - 1e-9, 1), slopeEnd, 0.0, 1e-6));
    EXPECT_TRUE(near(AkimaValue(s, 1e-9, 1), slopeStart, 0.0, 1e-6));
    for (double d : {0.5, 3.0, 100.0}) {
        EXPECT_TRUE(near(AkimaValue(s, 5.0 + d, 0), 25.0 + slopeEnd * d, 1e-14, 1e-12));
        EXPECT_DOUBLE_EQ(AkimaValue(s, 5.0 + d, 1), slopeEnd);
        EXPECT_TRUE(near(AkimaValue(s, -d, 0), 0.0 - slopeStart * d, 1e-14, 1e-12));
        EXPECT_DOUBLE_EQ(AkimaValue(s, -d, 1), slopeStart);
    }
    // Akima's end extension continues the slopes of a parabola on an even grid exactly, so the
    // end slopes are those of x²: 2x at x = 5 and at x = 0.
    EXPECT_TRUE(near(slopeEnd, 10.0, 1e-12));
    EXPECT_TRUE(near(slopeStart, 0.0, 0.0, 1e-12));
    EXPECT_EQ(AkimaValue(s, 2.5, 2), 0.0);  // unknown derivative flag
}

TEST(AkimaSpline, AccurateOnSmoothCurvesAndNoOvershootOnSteps) {
    // A decay curve on the 201-point grid of a simulation run.
    std::vector<double> x, y;
    for (int i = 0; i <= 200; ++i) {
        x.push_back(0.5 * i);
        y.push_back(std::exp(-0.15 * x.back()));
    }
    const AkimaCoefficients s = build(x, y);
    double worst = 0.0;
    for (double t = 0.0; t <= 100.0; t += 0.0123) {
        worst = std::max(worst, std::fabs(AkimaValue(s, t, 0) - std::exp(-0.15 * t)));
    }
    EXPECT_LT(worst, 2e-5);
    EXPECT_GT(worst, 0.0);

    // Akima's weights keep a step free of overshoot: flat parts stay flat.
    const AkimaCoefficients step = build({0, 1, 2, 3, 4, 5, 6, 7}, {0, 0, 0, 0, 1, 1, 1, 1});
    for (double t = 0.0; t <= 7.0; t += 0.01) {
        const double v = AkimaValue(step, t, 0);
        EXPECT_GE(v, -1e-15);
        EXPECT_LE(v, 1.0 + 1e-15);
        if (t <= 3.0 || t >= 4.0) {
            EXPECT_NEAR(v, t <= 3.0 ? 0.0 : 1.0, 1e-15) << t;
        }
    }
}

TEST(AkimaSpline, SmoothingAveragesNeighboursWithTheirWeights) {
    // Even grid, spacing 1: neighbours at distance 1 weigh 1 − (1/3)² = 8/9, at 2 weigh 5/9.
    const std::vector<double> x{0, 1, 2, 3, 4, 5, 6};
    const std::vector<double> spike{0, 0, 0, 1, 0, 0, 0};
    const AkimaCoefficients s = build(x, spike, 2.0f);
    EXPECT_TRUE(near(AkimaValue(s, 3.0, 0), 1.0 / (1.0 + 2 * 8.0 / 9.0 + 2 * 5.0 / 9.0), 1e-14));
    EXPECT_TRUE(near(AkimaValue(s, 2.0, 0), (8.0 / 9.0) / (1.0 + 2 * 8.0 / 9.0 + 2 * 5.0 / 9.0), 1e-14));
    EXPECT_TRUE(near(AkimaValue(s, 1.0, 0), (5.0 / 9.0) / (1.0 + 2 * 8.0 / 9.0 + 2 * 5.0 / 9.0), 1e-14));

    // A weighted mean of a line on an even grid is the line itself, the extended ends included.
    std::vector<double> line;
    for (double xi : x) {
        line.push_back(1.0 + 2.0 * xi);
    }
    const AkimaCoefficients smoothedLine = build(x, line, 1.5f);
    for (double t = -1.0; t <= 7.0; t += 0.25) {
        EXPECT_TRUE(near(AkimaValue(smoothedLine, t, 0), 1.0 + 2.0 * t, 1e-13, 1e-13));
    }

    // Noisy data: the smoothed curve no longer meets the points and is rougher without smoothing.
    std::vector<double> xs, noisy;
    for (int i = 0; i < 40; ++i) {
        xs.push_back(i);
        noisy.push_back(std::sin(0.2 * i) + ((i % 2 == 0) ? 0.1 : -0.1));
    }
    const AkimaCoefficients raw = build(xs, noisy);
    const AkimaCoefficients smooth = build(xs, noisy, 2.0f);
    double roughRaw = 0.0, roughSmooth = 0.0;
    for (int i = 1; i + 1 < 40; ++i) {
        auto second = [&](const AkimaCoefficients& s) {
            return AkimaValue(s, i - 1, 0) - 2 * AkimaValue(s, i, 0) + AkimaValue(s, i + 1, 0);
        };
        roughRaw += second(raw) * second(raw);
        roughSmooth += second(smooth) * second(smooth);
    }
    EXPECT_LT(roughSmooth, 0.2 * roughRaw);
    EXPECT_GT(std::fabs(AkimaValue(smooth, 10.0, 0) - noisy[10]), 0.05);
}

TEST(AkimaSpline, RefusesWhatHasNoSplineAndAcceptsManyPoints) {
    AkimaCoefficients s = build({0, 1, 2}, {0, 1, 0});
    ASSERT_EQ(s.n, 3);

    AkimaStatus status =
        AkimaSetUp(std::vector<double>{0, 1, 1, 2}, std::vector<double>{0, 1, 2, 3}, 0.0f, s);
    EXPECT_FALSE(status.ok);
    EXPECT_NE(status.message.find("denselben x-Wert"), std::string::npos) << status.message;
    EXPECT_EQ(s.n, 0);
    EXPECT_EQ(AkimaValue(s, 0.5, 0), 0.0);

    status = AkimaSetUp(std::vector<double>{1.0}, std::vector<double>{2.0}, 0.0f, s);
    EXPECT_FALSE(status.ok);
    EXPECT_NE(status.message.find("mindestens 2 Punkte"), std::string::npos) << status.message;

    status = AkimaSetUp(std::vector<double>{0, 2, 1}, std::vector<double>{0, 1, 2}, 0.0f, s);
    EXPECT_FALSE(status.ok);
    EXPECT_NE(status.message.find("aufsteigend"), std::string::npos) << status.message;

    status = AkimaSetUp(std::vector<double>{0, 1, 2}, std::vector<double>{0, NAN, 2}, 0.0f, s);
    EXPECT_FALSE(status.ok);

    // Far more points than a fixed table of 397 would hold.
    std::vector<double> x, y;
    for (int i = 0; i < 1000; ++i) {
        x.push_back(0.01 * i);
        y.push_back(std::cos(x.back()));
    }
    status = AkimaSetUp(x, y, 0.0f, s);
    ASSERT_TRUE(status.ok);
    EXPECT_EQ(s.n, 1000);
    EXPECT_TRUE(near(AkimaValue(s, 9.985, 0), std::cos(9.985), 0.0, 1e-7));
    EXPECT_TRUE(near(AkimaValue(s, 5.0, 1), -std::sin(5.0), 0.0, 1e-4));
}

}  // namespace
}  // namespace zemtral
