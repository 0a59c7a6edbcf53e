#include "numeric/marquardt_nash.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace zemtral {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// Beyond this the damping can no longer produce a step that differs from the current point;
// the run has stalled rather than converged.
constexpr double kLambdaCeiling = 1e250;

/// Choleski decomposition of the symmetric positive definite matrix a (size k × k, row-major) in
/// place into its lower factor. False when a pivot is not positive or not finite.
bool choleskiDecompose(std::vector<double>& a, int k) {
    for (int j = 0; j < k; ++j) {
        double s = a[j * k + j];
        for (int l = 0; l < j; ++l) {
            s -= a[j * k + l] * a[j * k + l];
        }
        if (!(s > 0.0) || !std::isfinite(s)) {
            return false;
        }
        const double d = std::sqrt(s);
        a[j * k + j] = d;
        for (int i = j + 1; i < k; ++i) {
            double t = a[i * k + j];
            for (int l = 0; l < j; ++l) {
                t -= a[i * k + l] * a[j * k + l];
            }
            a[i * k + j] = t / d;
        }
    }
    return true;
}

/// Solves L·Lᵀ·x = b with the lower factor of choleskiDecompose; b is overwritten by x.
void choleskiSolve(const std::vector<double>& a, int k, std::vector<double>& b) {
    for (int i = 0; i < k; ++i) {
        double s = b[i];
        for (int l = 0; l < i; ++l) {
            s -= a[i * k + l] * b[l];
        }
        b[i] = s / a[i * k + i];
    }
    for (int i = k - 1; i >= 0; --i) {
        double s = b[i];
        for (int l = i + 1; l < k; ++l) {
            s -= a[l * k + i] * b[l];
        }
        b[i] = s / a[i * k + i];
    }
}

/// True when the free parameters are determined: the Choleski pivots of JᵀJ with its columns scaled
/// by |p| stay above a relative threshold of the largest scaled diagonal element.
bool parametersDetermined(const std::vector<double>& jtjFree, int nf, const std::vector<double>& p,
                          const std::vector<int>& freeIndex) {
    constexpr double kRelativePivotFloor = 1e-14;
    std::vector<double> scaled(jtjFree);
    double largest = 0.0;
    for (int u = 0; u < nf; ++u) {
        const double su = std::max(std::fabs(p[freeIndex[u]]), 1e-300);
        for (int v = 0; v < nf; ++v) {
            scaled[u * nf + v] *= su * std::max(std::fabs(p[freeIndex[v]]), 1e-300);
        }
        largest = std::max(largest, scaled[u * nf + u]);
    }
    if (!(largest > 0.0) || !choleskiDecompose(scaled, nf)) {
        return false;
    }
    for (int u = 0; u < nf; ++u) {
        if (scaled[u * nf + u] * scaled[u * nf + u] < kRelativePivotFloor * largest) {
            return false;
        }
    }
    return true;
}

double sumOfSquares(std::span<const double> r) {
    double s = 0.0;
    for (double v : r) {
        s += v * v;
    }
    return s;
}

}  // namespace

bool forwardDifferenceJacobian(const ResidualFunction& residuals, std::span<const double> p,
                               std::span<const double> r, std::span<const bool> needed, double step,
                               std::span<double> jacobian) {
    const std::size_t n = p.size();
    const std::size_t m = r.size();
    std::vector<double> shifted(p.begin(), p.end());
    std::vector<double> rShifted(m);
    for (std::size_t j = 0; j < n; ++j) {
        if (!needed.empty() && !needed[j]) {
            for (std::size_t i = 0; i < m; ++i) {
                jacobian[i * n + j] = 0.0;
            }
            continue;
        }
        const double h = (std::fabs(p[j]) + step) * step;
        shifted[j] = p[j] + h;
        const bool ok = residuals(shifted, rShifted);
        shifted[j] = p[j];
        if (!ok) {
            return false;
        }
        for (std::size_t i = 0; i < m; ++i) {
            jacobian[i * n + j] = (rShifted[i] - r[i]) / h;
        }
    }
    return true;
}

MarquardtResult MarquardtNashFitting(const LeastSquaresProblem& problem, std::vector<double> start,
                                     const MarquardtOptions& options) {
    const int n = problem.parameterCount;
    const int m = problem.residualCount;
    MarquardtResult result;
    result.params = std::move(start);
    result.params.resize(static_cast<std::size_t>(n), 0.0);
    result.sd.assign(static_cast<std::size_t>(n), 0.0);
    result.mask.assign(static_cast<std::size_t>(n), BoundState::Free);
    if (n <= 0 || m <= 0 || !problem.residuals) {
        result.evaluationFailed = true;
        return result;
    }

    std::vector<double> lower(static_cast<std::size_t>(n), -kInfinity);
    std::vector<double> upper(static_cast<std::size_t>(n), kInfinity);
    for (int j = 0; j < n; ++j) {
        if (static_cast<std::size_t>(j) < options.lower.size()) {
            lower[j] = options.lower[j];
        }
        if (static_cast<std::size_t>(j) < options.upper.size()) {
            upper[j] = options.upper[j];
        }
    }
    const int maxObjectives = options.maxObjectives > 0 ? options.maxObjectives : 100 * n;
    const double eps = options.machineEpsilon;
    std::vector<double>& p = result.params;
    std::vector<BoundState>& mask = result.mask;

    // Bounds set-up: fixed parameters stay where they are, the others are clamped into the box.
    for (int j = 0; j < n; ++j) {
        if (static_cast<std::size_t>(j) < options.fixed.size() && options.fixed[j]) {
            mask[j] = BoundState::Fixed;
        } else if (p[j] < lower[j]) {
            p[j] = lower[j];
            mask[j] = BoundState::AtLower;
        } else if (p[j] > upper[j]) {
            p[j] = upper[j];
            mask[j] = BoundState::AtUpper;
        }
    }

    auto evaluate = [&](std::span<const double> at, std::span<double> r) {
        ++result.objectiveCount;
        if (!problem.residuals(at, r)) {
            return kInfinity;
        }
        const double f = sumOfSquares(r);
        return std::isfinite(f) ? f : kInfinity;
    };
    auto jacobianAt = [&](std::span<const double> at, std::span<const double> r, std::span<const bool> needed,
                          std::span<double> jac) {
        if (problem.jacobian) {
            return problem.jacobian(at, r, needed, jac);
        }
        return forwardDifferenceJacobian(problem.residuals, at, r, needed, options.derivativeStep, jac);
    };

    std::vector<double> r(static_cast<std::size_t>(m));
    double fMin = evaluate(p, r);
    result.objective = fMin;
    result.residuals = r;
    if (!std::isfinite(fMin)) {
        result.evaluationFailed = true;
        return result;
    }
    if (result.objectiveCount > maxObjectives) {
        result.limitReached = true;
        return result;
    }

    std::vector<double> jac(static_cast<std::size_t>(m) * n);
    std::vector<double> jtj(static_cast<std::size_t>(n) * n);
    std::vector<double> gradient(static_cast<std::size_t>(n));
    std::vector<double> pOld(static_cast<std::size_t>(n));
    std::vector<double> rNew(static_cast<std::size_t>(m));
    std::unique_ptr<bool[]> needed(new bool[static_cast<std::size_t>(n)]);
    std::vector<int> freeIndex;
    std::vector<double> a;
    std::vector<double> delta;
    double lambda = options.initialLambda;

    for (;;) {
        // Major iteration: a new Jacobian at the last accepted point.
        if (options.stopRequested && options.stopRequested()) {
            result.stopped = true;
            return result;
        }
        ++result.iterations;
        lambda *= options.lambdaDecrease;
        ++result.jacobianCount;
        if (result.jacobianCount > options.maxJacobians) {
            result.limitReached = true;
            return result;
        }
        for (int j = 0; j < n; ++j) {
            needed[j] = mask[j] != BoundState::Fixed;
        }
        if (!jacobianAt(p, r, std::span<const bool>(needed.get(), static_cast<std::size_t>(n)), jac)) {
            result.evaluationFailed = true;
            return result;
        }
        for (int j = 0; j < n; ++j) {
            gradient[j] = 0.0;
            for (int l = 0; l <= j; ++l) {
                jtj[j * n + l] = 0.0;
            }
        }
        for (int i = 0; i < m; ++i) {
            const double* row = &jac[static_cast<std::size_t>(i) * n];
            for (int j = 0; j < n; ++j) {
                if (!needed[j]) {
                    continue;
                }
                gradient[j] += row[j] * r[i];
                for (int l = 0; l <= j; ++l) {
                    if (needed[l]) {
                        jtj[j * n + l] += row[j] * row[l];
                    }
                }
            }
        }
        for (int j = 0; j < n; ++j) {
            for (int l = 0; l < j; ++l) {
                jtj[l * n + j] = jtj[j * n + l];
            }
            if (!std::isfinite(gradient[j]) || !std::isfinite(jtj[j * n + j])) {
                result.evaluationFailed = true;
                return result;
            }
        }
        // A parameter held at a bound is released when the descent direction points back inside:
        // at the upper bound (mask −1) a positive gradient, at the lower bound (−2) a negative one.
        for (int j = 0; j < n; ++j) {
            if ((mask[j] == BoundState::AtUpper || mask[j] == BoundState::AtLower) &&
                (static_cast<int>(mask[j]) + 1.5) * gradient[j] > 0.0) {
                mask[j] = BoundState::Free;
            }
        }
        freeIndex.clear();
        for (int j = 0; j < n; ++j) {
            if (mask[j] == BoundState::Free) {
                freeIndex.push_back(j);
            }
        }
        const int nf = static_cast<int>(freeIndex.size());
        std::copy(p.begin(), p.end(), pOld.begin());
        const std::vector<BoundState> maskOld = mask;

        bool accepted = false;
        while (!accepted) {
            a.assign(static_cast<std::size_t>(nf) * nf, 0.0);
            for (int u = 0; u < nf; ++u) {
                for (int v = 0; v < nf; ++v) {
                    a[u * nf + v] = jtj[freeIndex[u] * n + freeIndex[v]];
                }
                const double c = jtj[freeIndex[u] * n + freeIndex[u]];
                a[u * nf + u] = c * (1.0 + lambda) + options.phi * lambda;
            }
            bool stepComputed = choleskiDecompose(a, nf);
            if (stepComputed) {
                delta.assign(static_cast<std::size_t>(nf), 0.0);
                for (int u = 0; u < nf; ++u) {
                    delta[u] = -gradient[freeIndex[u]];
                }
                choleskiSolve(a, nf, delta);
                int unchanged = 0;
                for (int u = 0; u < nf; ++u) {
                    const int j = freeIndex[u];
                    double value = pOld[j] + delta[u];
                    if (!std::isfinite(value)) {
                        stepComputed = false;
                        break;
                    }
                    if (value <= lower[j] ||
                        (std::isfinite(lower[j]) &&
                         value - lower[j] <= (std::fabs(lower[j]) + eps) * options.boundTolerance)) {
                        value = std::max(value, lower[j]);
                        mask[j] = BoundState::AtLower;
                    }
                    if (value >= upper[j] ||
                        (std::isfinite(upper[j]) &&
                         upper[j] - value <= (std::fabs(upper[j]) + eps) * options.boundTolerance)) {
                        value = std::min(value, upper[j]);
                        mask[j] = BoundState::AtUpper;
                    }
                    p[j] = value;
                    // The method's relative test: a change that does not show in 10 + p is none.
                    if (10.0 + p[j] == 10.0 + pOld[j]) {
                        ++unchanged;
                    }
                }
                if (stepComputed && unchanged == nf) {
                    // Converged: no free parameter moves any more. Stay on the evaluated point.
                    std::copy(pOld.begin(), pOld.end(), p.begin());
                    mask = maskOld;
                    result.converged = true;
                    break;
                }
                if (stepComputed && options.stopRequested && options.stopRequested()) {
                    std::copy(pOld.begin(), pOld.end(), p.begin());
                    mask = maskOld;
                    result.stopped = true;
                    return result;
                }
                if (stepComputed) {
                    const double f = evaluate(p, rNew);
                    if (f < fMin) {
                        fMin = f;
                        r.swap(rNew);
                        result.objective = fMin;
                        result.residuals = r;
                        accepted = true;
                        if (options.progress) {
                            options.progress(p, fMin);
                        }
                    }
                    if (result.objectiveCount > maxObjectives) {
                        if (!accepted) {
                            std::copy(pOld.begin(), pOld.end(), p.begin());
                            mask = maskOld;
                        }
                        result.limitReached = true;
                        return result;
                    }
                }
            }
            if (!accepted) {
                lambda *= options.lambdaIncrease;
                if (!(lambda > 0.0)) {
                    lambda = eps;
                }
                std::copy(pOld.begin(), pOld.end(), p.begin());
                mask = maskOld;
                if (!(lambda < kLambdaCeiling)) {
                    result.stalled = true;
                    return result;
                }
            }
        }
        if (result.converged) {
            break;
        }
    }

    // Post-analysis: standard deviations from the undamped JᵀJ of the last iteration.
    freeIndex.clear();
    for (int j = 0; j < n; ++j) {
        if (mask[j] == BoundState::Free) {
            freeIndex.push_back(j);
        }
    }
    const int nf = static_cast<int>(freeIndex.size());
    result.freeCount = nf;
    const int dof = m - nf;
    if (dof <= 0 || nf == 0) {
        return result;
    }
    result.sigma2 = fMin / dof;
    a.assign(static_cast<std::size_t>(nf) * nf, 0.0);
    for (int u = 0; u < nf; ++u) {
        for (int v = 0; v < nf; ++v) {
            a[u * nf + v] = jtj[freeIndex[u] * n + freeIndex[v]];
        }
    }
    // A point where the parameters are not determined by the data (a column of the Jacobian that
    // vanishes relative to the others, as on an asymptotic plateau) is no solution: its steps have
    // merely become too small to show. Judge it on relative sensitivities, ∂r/∂ln p.
    if (!parametersDetermined(a, nf, p, freeIndex)) {
        result.converged = false;
        result.undetermined = true;
        result.sigma2 = 0.0;
        return result;
    }
    if (!choleskiDecompose(a, nf)) {
        return result;
    }
    // The inverse column by column: covariance = σ²·(JᵀJ)⁻¹ on the free parameters.
    std::vector<double> covariance(static_cast<std::size_t>(n) * n, 0.0);
    std::vector<double> column(static_cast<std::size_t>(nf));
    for (int u = 0; u < nf; ++u) {
        std::fill(column.begin(), column.end(), 0.0);
        column[u] = 1.0;
        choleskiSolve(a, nf, column);
        for (int v = 0; v < nf; ++v) {
            covariance[static_cast<std::size_t>(freeIndex[v]) * n + freeIndex[u]] =
                std::fabs(result.sigma2) * column[v];
        }
        const double variance = std::fabs(result.sigma2) * column[u];
        result.sd[freeIndex[u]] = std::isfinite(variance) && variance >= 0.0 ? std::sqrt(variance) : 0.0;
    }
    if (std::all_of(covariance.begin(), covariance.end(), [](double c) { return std::isfinite(c); })) {
        result.covariance = std::move(covariance);
    }
    return result;
}

}  // namespace zemtral
