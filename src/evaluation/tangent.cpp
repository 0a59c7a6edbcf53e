#include "evaluation/tangent.h"

#include <algorithm>
#include <cmath>

namespace zemtral {

TangentSpline prepareTangentSpline(const ExpDataSet& data, int slot, float smoothingExponent) {
    TangentSpline out;
    struct Knot {
        double t, c;
    };
    std::vector<Knot> knots;
    if (slot >= 1 && slot <= 5) {
        for (int i = 1; i <= data.pointCount && i < static_cast<int>(data.points.size()); ++i) {
            const ExpPoint& pt = data.points[i];
            // Excluded points and unmeasured concentrations would pull the curve to 0.
            if (pt.exclude == -1 || !(pt.c[slot] > 0.0)) {
                continue;
            }
            knots.push_back({pt.t, pt.c[slot]});
        }
    }
    std::stable_sort(knots.begin(), knots.end(), [](const Knot& a, const Knot& b) { return a.t < b.t; });
    std::vector<double> x, y;
    for (const Knot& k : knots) {
        x.push_back(k.t);
        y.push_back(k.c);
    }
    out.usedPoints = static_cast<int>(x.size());
    out.status = AkimaSetUp(x, y, smoothingExponent, out.spline);
    return out;
}

PlotWindow singleSpeciesAxisRanges(const ExpDataSet& data, int slot) {
    float tMax = 0.0f, cMax = 0.0f;
    for (int i = 1; i <= data.pointCount && i < static_cast<int>(data.points.size()); ++i) {
        const ExpPoint& pt = data.points[i];
        tMax = std::max(tMax, static_cast<float>(pt.t));
        if (slot >= 1 && slot <= 5) {
            cMax = std::max(cMax, static_cast<float>(pt.c[slot]));
        }
    }
    PlotWindow w;
    w.xMax = tMax + tMax / 20.0f;
    w.yMax = cMax + cMax / 20.0f;
    return w;
}

std::vector<PlotPoint> tangentCurvePoints(const TangentSpline& spline, const PlotWindow& window, int density,
                                          bool& outside) {
    std::vector<PlotPoint> curve;
    if (!spline.status.ok || spline.spline.n == 0 || density <= 0) {
        return curve;
    }
    const float dx = (window.xMax - window.xMin) / static_cast<float>(density);
    if (!(dx > 0.0f) || !std::isfinite(dx)) {
        return curve;
    }
    // The step is dx/2 in single precision, as the curve buffer holds at most 2000 points.
    const float step = dx / 2.0f;
    int i = 0;
    for (float t = 0.0f; t <= window.xMax && curve.size() < 2000; t = static_cast<float>(++i) * step) {
        const double y = AkimaValue(spline.spline, t, 0);
        curve.push_back({t, static_cast<float>(y)});
        if (window.yMin <= y && y <= window.yMax) {
            outside = false;
        }
    }
    return curve;
}

std::optional<TangentValue> tangentAt(const TangentSpline& spline, double t, const PlotWindow& window) {
    if (t > window.xMax || t < 0.0 || !spline.status.ok || spline.spline.n == 0) {
        return std::nullopt;
    }
    return TangentValue{AkimaValue(spline.spline, t, 0), AkimaValue(spline.spline, t, 1)};
}

std::string tangentRateLabel(int slot) {
    static const char* letters[6] = {"", "A", "B", "C", "P", "Q"};
    const std::string x = letters[slot >= 1 && slot <= 5 ? slot : 0];
    return "r(" + x + ") = dc(" + x + ")/dt =  ";
}

std::string tangentRateUnit(const std::string& timeUnit) {
    return "mol/(l " + timeUnit + ")";
}

float smoothingExponentOfSlider(int sliderValue) {
    return static_cast<float>(sliderValue) / 200.0f;
}

}  // namespace zemtral
