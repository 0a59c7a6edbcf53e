#include "core/stiff_integrator.h"

#include <algorithm>
#include <cmath>

#include "numeric/fp_guard.h"
#include "numeric/small_lu.h"

namespace zemtral {
namespace {

// Coefficients of the method in the form
//   (I/(γh) − J)·K_i = f(y + Σ_j a_ij·K_j) + Σ_j (c_ij/h)·K_j,
//   y_new = y + Σ_i m_i·K_i,  error = K_4.
// Stage 2 evaluates f at y again (a_21 = 0), so it reuses f(y); y + 2·K_1 + K_3 is the fourth
// stage's argument, which makes y_new = that argument + K_4 (stiffly accurate).
constexpr double kGamma = 0.5;
constexpr double kC21 = 4.0;
constexpr double kC31 = 1.0, kC32 = -1.0;
constexpr double kC41 = 1.0, kC42 = -1.0, kC43 = -8.0 / 3.0;

constexpr double kSafety = 0.9;
constexpr double kMaxGrowth = 5.0;
constexpr double kMaxShrink = 0.2;
constexpr double kFaultShrink = 0.25;  // a step that raised a fault is retried this much smaller
// Components are never scaled below this fraction of the largest initial component, so that a
// species that starts at 0 is followed relative to the system, not to nothing.
constexpr double kScaleFloor = 1e-12;

bool allFinite(const Compact& y, int size) {
    for (int j = 0; j < size; ++j) {
        if (!std::isfinite(y[j])) {
            return false;
        }
    }
    return true;
}

// One step on a system of N components; N is fixed at compile time so that the small loops and
// the LU decomposition unroll.
template <int N>
bool rosenbrockStepOf(const RunConstants& p, const Compact& y, double h, Compact& yNew, Compact& error) {
    constexpr int size = N;
    const CompactJacobian J = jacobian(p, y);
    SmallLu<N> lu;
    const double diagonal = 1.0 / (kGamma * h);
    for (int i = 0; i < size; ++i) {
        for (int j = 0; j < size; ++j) {
            lu.a[i][j] = -J[i][j];
        }
        lu.a[i][i] += diagonal;
    }
    if (!lu.factorise()) {
        return false;
    }
    const double invH = 1.0 / h;
    const Compact f0 = derivative(p, y);

    Compact k1 = f0;
    lu.solve(k1);

    Compact k2{};
    for (int j = 0; j < size; ++j) {
        k2[j] = f0[j] + kC21 * invH * k1[j];
    }
    lu.solve(k2);

    Compact probe{};
    for (int j = 0; j < size; ++j) {
        probe[j] = y[j] + 2.0 * k1[j];
    }
    Compact k3 = derivative(p, probe);
    for (int j = 0; j < size; ++j) {
        k3[j] += invH * (kC31 * k1[j] + kC32 * k2[j]);
    }
    lu.solve(k3);

    for (int j = 0; j < size; ++j) {
        probe[j] = y[j] + 2.0 * k1[j] + k3[j];
    }
    Compact k4 = derivative(p, probe);
    for (int j = 0; j < size; ++j) {
        k4[j] += invH * (kC41 * k1[j] + kC42 * k2[j] + kC43 * k3[j]);
    }
    lu.solve(k4);

    yNew = y;
    error = Compact{};
    for (int j = 0; j < size; ++j) {
        yNew[j] = probe[j] + k4[j];
        error[j] = k4[j];
    }
    return true;
}

}  // namespace

bool rosenbrockStep(const RunConstants& p, int size, const Compact& y, double h, Compact& yNew,
                    Compact& error) {
    switch (size) {
        case 4:
            return rosenbrockStepOf<4>(p, y, h, yNew, error);
        case 3:
            return rosenbrockStepOf<3>(p, y, h, yNew, error);
        case 2:
            return rosenbrockStepOf<2>(p, y, h, yNew, error);
        default:
            return false;
    }
}

void StiffIntegrator::start(const Compact& y, double h0) {
    m_h = h0;
    m_lastStep = h0;
    double largest = 0.0;
    for (int j = 0; j < m_size; ++j) {
        largest = std::max(largest, std::fabs(y[j]));
    }
    const double floor = largest > 0.0 ? kScaleFloor * largest : kScaleFloor;
    for (int j = 0; j < m_size; ++j) {
        m_peak[j] = std::max(std::fabs(y[j]), floor);
    }
    for (int k = 0; k < m_laws.count; ++k) {
        m_balance[k] = 0.0;
        for (int j = 0; j < m_size; ++j) {
            m_balance[k] += m_laws.w[k][j] * y[j];
        }
    }
}

// An accepted step keeps the mass balances only up to the rounding of its linear solves, which
// grows with h·|J| (up to 1e-12 relative on the stiffest runs). Here a concentration that
// undershot 0 by the step's tolerance is set to 0, and the balances are restored by the smallest
// correction relative to each concentration: δ = D·Wᵀ·λ with D = diag(|y|) and
// (W·D·Wᵀ)·λ = balance − W·y, so that a species at 0 stays at 0.
void StiffIntegrator::settle(Compact& y) const {
    for (int j = 0; j < m_size; ++j) {
        y[j] = y[j] < 0.0 ? 0.0 : y[j];
    }
    const int n = m_laws.count;
    if (n == 0) {
        return;
    }
    std::array<double, 2> defect{};
    std::array<std::array<double, 2>, 2> M{};
    for (int k = 0; k < n; ++k) {
        defect[k] = m_balance[k];
        for (int j = 0; j < m_size; ++j) {
            defect[k] -= m_laws.w[k][j] * y[j];
        }
        for (int l = 0; l < n; ++l) {
            for (int j = 0; j < m_size; ++j) {
                M[k][l] += m_laws.w[k][j] * y[j] * m_laws.w[l][j];
            }
        }
    }
    std::array<double, 2> lambda{};
    const double det = n == 2 ? M[0][0] * M[1][1] - M[0][1] * M[1][0] : M[0][0];
    if (n == 2 && std::fabs(det) > 1e-12 * std::fabs(M[0][0] * M[1][1])) {
        lambda[0] = (defect[0] * M[1][1] - defect[1] * M[0][1]) / det;
        lambda[1] = (defect[1] * M[0][0] - defect[0] * M[1][0]) / det;
    } else {
        // One law, or two whose species no longer overlap in a solvable way: each on its own.
        for (int k = 0; k < n; ++k) {
            lambda[k] = M[k][k] > 0.0 ? defect[k] / M[k][k] : 0.0;
        }
    }
    for (int j = 0; j < m_size; ++j) {
        double shift = 0.0;
        for (int k = 0; k < n; ++k) {
            shift += m_laws.w[k][j] * lambda[k];
        }
        y[j] += y[j] * shift;
    }
}

double StiffIntegrator::errorNorm(const Compact& y, const Compact& yNew, const Compact& error) const {
    double sum = 0.0;
    for (int j = 0; j < m_size; ++j) {
        const double scale = kRelativeTolerance * (m_peak[j] + std::max(std::fabs(y[j]), std::fabs(yNew[j])));
        const double ratio = error[j] / scale;
        sum += ratio * ratio;
    }
    return std::sqrt(sum / m_size);
}

StiffOutcome StiffIntegrator::advance(Compact& y, double from, double to, StepMeter& meter, FpGuard& guard) {
    double t = from;
    bool lastRejected = false;
    while (t < to) {
        double h = m_h;
        const bool clipped = t + h >= to || to - (t + h) < 1e-10 * h;
        if (clipped) {
            h = to - t;
        }
        // A step that no longer moves t means the solution cannot be followed any further.
        if (!(h > 0.0) || t + h == t) {
            return StiffOutcome::Fault;
        }
        switch (meter.spend(1)) {
            case StepMeter::Verdict::OverBudget:
                return StiffOutcome::OverBudget;
            case StepMeter::Verdict::Stopped:
                return StiffOutcome::Stopped;
            case StepMeter::Verdict::Go:
                break;
        }
        Compact yNew, error;
        const bool solved = rosenbrockStep(m_p, m_size, y, h, yNew, error);
        if (!solved || !allFinite(yNew, m_size) || !allFinite(error, m_size) || guard.failed()) {
            m_fault = guard.failed() ? guard.fault() : FpFault::InvalidOperation;
            for (int j = 0; j < m_size && solved; ++j) {
                if (classifyValue(yNew[j]) == FpFault::Overflow) {
                    m_fault = FpFault::Overflow;
                }
            }
            guard.clear();
            ++m_rejected;
            m_h = h * kFaultShrink;
            lastRejected = true;
            continue;
        }
        const double norm = errorNorm(y, yNew, error);
        const double factor =
            norm > 0.0 ? std::clamp(kSafety * std::cbrt(1.0 / norm), kMaxShrink, kMaxGrowth) : kMaxGrowth;
        if (!(norm <= 1.0)) {
            ++m_rejected;
            m_h = h * std::min(factor, 1.0);
            lastRejected = true;
            continue;
        }
        ++m_accepted;
        y = yNew;
        settle(y);
        for (int j = 0; j < m_size; ++j) {
            m_peak[j] = std::max(m_peak[j], std::fabs(y[j]));
        }
        m_lastStep = h;
        const double next = h * (lastRejected ? std::min(factor, 1.0) : factor);
        // A step shortened to land on the interval's end says little about the step the solution
        // allows: keep the larger proposal.
        m_h = clipped ? std::max(m_h, next) : next;
        lastRejected = false;
        t = clipped ? to : t + h;
    }
    return StiffOutcome::Done;
}

}  // namespace zemtral
