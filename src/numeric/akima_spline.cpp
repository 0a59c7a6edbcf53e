#include "numeric/akima_spline.h"

#include <cmath>
#include <cstddef>
#include <utility>

#include "numeric/number_text.h"

namespace zemtral {
namespace {

// Working table of one set-up: the points moved two places up (measured point j at index j + 2)
// with two added points at each end, indices 1..n+4, and the segment slopes m(1..n+3).
// Kept per thread so that repeated set-ups of the engine allocate nothing.
struct ExtendedTable {
    std::vector<double> x, y, m, t, smoothed;

    void resize(int n) {
        const auto size = static_cast<std::size_t>(n) + 6;
        x.resize(size);
        y.resize(size);
        m.resize(size);
        t.resize(size);
        smoothed.resize(size);
    }
};

ExtendedTable& scratchTable() {
    thread_local ExtendedTable table;
    return table;
}

// Akima's end extension: abscissae mirrored from the end intervals, slopes continued linearly
// (m2 = 2·m3 − m4 ...), and the added ordinates following from those slopes.
void extendEnds(ExtendedTable& e, int n) {
    auto& x = e.x;
    auto& y = e.y;
    auto& m = e.m;
    if (n >= 3) {
        x[2] = x[3] + x[4] - x[5];
        x[1] = x[2] + x[3] - x[4];
        x[n + 3] = x[n + 2] + x[n + 1] - x[n];
        x[n + 4] = x[n + 3] + x[n + 2] - x[n + 1];
    } else {
        // Two points define one interval only; its width is repeated outwards.
        const double width = x[4] - x[3];
        x[2] = x[3] - width;
        x[1] = x[2] - width;
        x[5] = x[4] + width;
        x[6] = x[5] + width;
    }
    for (int k = 3; k <= n + 1; ++k) {
        m[k] = (y[k + 1] - y[k]) / (x[k + 1] - x[k]);
    }
    if (n >= 3) {
        m[2] = 2.0 * m[3] - m[4];
        m[1] = 2.0 * m[2] - m[3];
        m[n + 2] = 2.0 * m[n + 1] - m[n];
        m[n + 3] = 2.0 * m[n + 2] - m[n + 1];
    } else {
        m[1] = m[2] = m[4] = m[5] = m[3];  // a straight line through both points
    }
    y[2] = y[3] - m[2] * (x[3] - x[2]);
    y[1] = y[2] - m[1] * (x[2] - x[1]);
    y[n + 3] = y[n + 2] + m[n + 2] * (x[n + 3] - x[n + 2]);
    y[n + 4] = y[n + 3] + m[n + 3] * (x[n + 4] - x[n + 3]);
}

// Local weighted mean over the neighbours i−2..i+2 of every measured point of the extended table:
// w = 1 − (|Δx| / h̄ / 3)^q, clipped at 0, with h̄ the mean spacing of the extended table.
void smoothOrdinates(ExtendedTable& e, int n, double q) {
    const auto& x = e.x;
    const auto& y = e.y;
    const double meanSpacing = (x[n + 4] - x[1]) / (n + 3);
    for (int i = 3; i <= n + 2; ++i) {
        double weighted = y[i];
        double weights = 1.0;
        for (int k = i - 2; k <= i + 2; ++k) {
            if (k == i) {
                continue;
            }
            double w = 1.0 - std::pow(std::fabs(x[i] - x[k]) / meanSpacing / 3.0, q);
            if (w < 0.0) {
                w = 0.0;
            }
            weighted += w * y[k];
            weights += w;
        }
        e.smoothed[i] = weighted / weights;
    }
    for (int i = 3; i <= n + 2; ++i) {
        e.y[i] = e.smoothed[i];
    }
}

AkimaStatus refuse(AkimaCoefficients& out, std::string message) {
    out.n = 0;
    return {false, std::move(message)};
}

}  // namespace

AkimaStatus AkimaSetUp(std::span<const double> x, std::span<const double> y, float q,
                       AkimaCoefficients& out) {
    if (x.size() != y.size()) {
        return refuse(out, "Spline nicht möglich: ungleich viele x- und y-Werte.");
    }
    const int n = static_cast<int>(x.size());
    if (n < 2) {
        return refuse(out, "Spline nicht möglich: es werden mindestens 2 Punkte benötigt.");
    }
    for (int j = 0; j < n; ++j) {
        if (!std::isfinite(x[j]) || !std::isfinite(y[j])) {
            return refuse(
                out, "Spline nicht möglich: Punkt " + std::to_string(j + 1) + " hat keinen gültigen Wert.");
        }
        if (j > 0 && x[j] == x[j - 1]) {
            return refuse(out, "Spline nicht möglich: die Punkte " + std::to_string(j) + " und " +
                                   std::to_string(j + 1) + " haben denselben x-Wert " + formatDouble(x[j]) +
                                   ".");
        }
        if (j > 0 && x[j] < x[j - 1]) {
            return refuse(out, "Spline nicht möglich: die x-Werte sind nicht aufsteigend geordnet (Punkt " +
                                   std::to_string(j + 1) + ").");
        }
    }

    ExtendedTable& e = scratchTable();
    e.resize(n);
    for (int j = 1; j <= n; ++j) {
        e.x[j + 2] = x[j - 1];
        e.y[j + 2] = y[j - 1];
    }
    extendEnds(e, n);
    if (q != 0.0f) {
        smoothOrdinates(e, n, q);
        extendEnds(e, n);
    }

    // Akima slope at every measured point from the four neighbouring segment slopes.
    const auto& m = e.m;
    for (int i = 3; i <= n + 2; ++i) {
        const double w1 = std::fabs(m[i + 1] - m[i]);
        const double w2 = std::fabs(m[i - 1] - m[i - 2]);
        if (w1 + w2 == 0.0) {
            e.t[i] = 0.5 * (m[i - 1] + m[i]);
        } else {
            e.t[i] = (w1 * m[i - 1] + w2 * m[i]) / (w1 + w2);
        }
    }

    const auto size = static_cast<std::size_t>(n) + 1;
    out.x.resize(size);
    out.a.resize(size);
    out.b.resize(size);
    out.c.resize(size);
    out.d.resize(size);
    out.x[0] = out.a[0] = out.b[0] = out.c[0] = out.d[0] = 0.0;
    for (int j = 1; j <= n; ++j) {
        const int i = j + 2;
        out.x[j] = e.x[i];
        out.a[j] = e.y[i];
        out.b[j] = e.t[i];
        if (j < n) {
            const double width = e.x[i + 1] - e.x[i];
            out.c[j] = (3.0 * m[i] - 2.0 * e.t[i] - e.t[i + 1]) / width;
            out.d[j] = (e.t[i] + e.t[i + 1] - 2.0 * m[i]) / (width * width);
        } else {
            out.c[j] = 0.0;
            out.d[j] = 0.0;
        }
    }
    out.n = n;
    return {};
}

double AkimaValue(const AkimaCoefficients& s, double x, int derivativeFlag) {
    const int n = s.n;
    if (n < 1 || (derivativeFlag != 0 && derivativeFlag != 1)) {
        return 0.0;
    }
    if (x >= s.x[n]) {
        return derivativeFlag == 0 ? s.a[n] + s.b[n] * (x - s.x[n]) : s.b[n];
    }
    if (x < s.x[1]) {
        return derivativeFlag == 0 ? s.a[1] + s.b[1] * (x - s.x[1]) : s.b[1];
    }
    int i = 1;
    while (i < n - 1 && !(x < s.x[i + 1])) {
        ++i;
    }
    const double h = x - s.x[i];
    if (derivativeFlag == 0) {
        return s.a[i] + h * (s.b[i] + h * (s.c[i] + h * s.d[i]));
    }
    return s.b[i] + h * (2.0 * s.c[i] + 3.0 * h * s.d[i]);
}

}  // namespace zemtral
