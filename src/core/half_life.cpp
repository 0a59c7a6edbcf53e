#include "core/half_life.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "core/engine.h"
#include "core/model_catalogue.h"
#include "core/species.h"
#include "numeric/fp_guard.h"

namespace zemtral {
namespace {

constexpr const char* kNotPossible = " Ausführung nicht möglich ";
constexpr double kLn2 = std::numbers::ln2;

enum class Species { A, B };

struct IterationSettings {
    double start;  ///< first time tried [time unit]
    double probe;  ///< step of the difference quotient [time unit]
    int rounds;    ///< round limit
};

// Consumed amount x(t) of A (= of B) of the reversible second-order models from their closed form.
double extentAt(int model, double t, double cA0, double cB0, double cP0, double k1, double k2) {
    const std::array<double, 4> k{0.0, k1, k2, 0.0};
    SpeciesArray c0{};
    c0[kSlotA] = cA0;
    c0[kSlotB] = cB0;
    c0[kSlotP] = cP0;
    return cA0 - closedFormConc(model, t, k, c0)[kSlotA];
}

// Secant-like search for x(t) = target: Δ = (x(t) − target)·h/(x(t) − x(t + h)); stops when
// |Δ/t| < 1e-6 or at the round limit; the last Δ is not applied.
double iterateHalfLife(int model, double target, const IterationSettings& it, double cA0, double cB0,
                       double cP0, double k1, double k2) {
    double t = it.start;
    double delta = 0.0;
    for (int round = 1;; ++round) {
        t += delta;
        const double x = extentAt(model, t, cA0, cB0, cP0, k1, k2);
        const double xProbe = extentAt(model, t + it.probe, cA0, cB0, cP0, k1, k2);
        delta = (x - target) * it.probe / (x - xProbe);
        if (std::fabs(delta / t) < 1e-6 || round >= it.rounds || !std::isfinite(delta)) {
            break;
        }
    }
    return t;
}

HalfLifeResult notReachable(Species species) {
    HalfLifeResult r;
    r.value = -1.0f;
    r.title = kNotPossible;
    r.message = species == Species::A
                    ? "c(A) = c(A)(0)/2 kann bei dieser Gleichgewichtslage nicht erreicht werden"
                    : "c(B) = c(B)(0)/2 kann bei dieser Gleichgewichtslage nicht erreicht werden";
    return r;
}

// Models 12 and 17: first whether half of the initial amount can be consumed before equilibrium,
// then the iteration on the closed-form extent.
HalfLifeResult reversibleHalfLife(int model, Species species, const IterationSettings& it, double cA0,
                                  double cB0, double cP0, double k1, double k2) {
    const std::optional<double> extent = equilibriumExtent(model, cA0, cB0, cP0, k1, k2);
    const double initial = species == Species::A ? cA0 : cB0;
    if (!extent || !(initial / 2.0 > initial - *extent)) {
        return notReachable(species);
    }
    HalfLifeResult r;
    r.value = static_cast<float>(iterateHalfLife(model, initial / 2.0, it, cA0, cB0, cP0, k1, k2));
    return r;
}

// Common ending of both routines: an arithmetic fault anywhere, or a value that is not finite,
// gives −1 with the fault's description under "Meldung von <routine>".
HalfLifeResult checked(HalfLifeResult r, const FpGuard& guard, const char* routine) {
    FpFault fault = guard.fault();
    if (fault == FpFault::None) {
        fault = classifyValue(r.value);
    }
    if (fault == FpFault::None) {
        return r;
    }
    HalfLifeResult failed;
    failed.value = -1.0f;
    failed.title = routineMessageTitle(routine);
    failed.message = faultDescription(fault);
    return failed;
}

HalfLifeResult beepAndZero() {
    HalfLifeResult r;
    r.beep = true;
    return r;
}

HalfLifeResult valueOf(double value) {
    HalfLifeResult r;
    r.value = static_cast<float>(value);
    return r;
}

// The rate diagram of a model has the half-lives of its concentration diagram: the cases below
// are the model ids and the evaluation kinds.
int halfLifeCase(int kind) {
    const int model = modelOfKind(kind);
    return model != 0 ? model : kind;
}

HalfLifeResult halfLifeA(double cA0, double cB0, double cP0, double k1, double k2, int kind) {
    switch (halfLifeCase(kind)) {
        case 1:
            return valueOf(cA0 * 0.5 / k1);
        case 2:
        case -5:
            return valueOf(kLn2 / k1);
        case 3:
        case -6:
            return valueOf(1.0 / (cA0 * 2.0 * k1));
        case 4:
        case 9:
        case -8:
            if (cA0 == cB0) {
                return valueOf(1.0 / (k1 * cA0));
            }
            if (2.0 * cB0 - cA0 > 0.0) {
                return valueOf(std::log(cB0 / (2.0 * cB0 - cA0)) / (k1 * (cA0 - cB0)));
            }
            return beepAndZero();
        case 5:
        case 16:
            return valueOf(std::log((cA0 + 2.0 * cP0) / cP0) / (k1 * (cA0 + cP0)));
        case 6:
            return valueOf(kLn2 / k1);
        case 8: {
            // c(A),eq = c0(A) − (K·c0(A) − c0(P))/(K + 1) with K = k>/k<, written without the
            // quotient K so that an irreversible k< = 0 gives the first-order half-life.
            const double cAeq = k2 * (cA0 + cP0) / (k1 + k2);
            if (cA0 / 2.0 > cAeq) {
                return valueOf(std::log((k2 * cP0 - k1 * cA0) / (cA0 * 0.5 * (k2 - k1) + k2 * cP0)) /
                               (k1 + k2));
            }
            HalfLifeResult r;
            r.value = -1.0f;
            r.title = kNotPossible;
            r.message = "c(A)(0)/2 kann bei dieser Gleichgewichtslage nicht erreicht werden";
            return r;
        }
        case 11:
            return valueOf(kLn2 / (k1 + k2));
        case 12:
            return reversibleHalfLife(12, Species::A, {0.5, 1e-7, 101}, cA0, cB0, cP0, k1, k2);
        case 17:
            return reversibleHalfLife(17, Species::A, {0.1, 1e-6, 101}, cA0, cB0, cP0, k1, k2);
        default:
            return {};
    }
}

HalfLifeResult halfLifeB(double cA0, double cB0, double cP0, double k1, double k2, int kind) {
    switch (halfLifeCase(kind)) {
        case 4:
        case 9:
        case -8:
            if (cA0 == cB0) {
                return valueOf(1.0 / (k1 * cA0));
            }
            if ((2.0 * cA0 - cB0) / cA0 > 0.0) {
                return valueOf(std::log((2.0 * cA0 - cB0) / cA0) / (k1 * (cA0 - cB0)));
            }
            return beepAndZero();
        case 12:
            return reversibleHalfLife(12, Species::B, {0.5, 1e-8, 201}, cA0, cB0, cP0, k1, k2);
        case 17:
            return reversibleHalfLife(17, Species::B, {0.1, 1e-6, 101}, cA0, cB0, cP0, k1, k2);
        default:
            return {};
    }
}

}  // namespace

HalfLifeResult FuHalbwertszeitA(double cA0, double cB0, double cP0, double k1, double k2, int diagramKind) {
    FpGuard guard;
    return checked(halfLifeA(cA0, cB0, cP0, k1, k2, diagramKind), guard, "FuHalbwertszeitA");
}

HalfLifeResult FuHalbwertszeitB(double cA0, double cB0, double cP0, double k1, double k2, int diagramKind) {
    FpGuard guard;
    return checked(halfLifeB(cA0, cB0, cP0, k1, k2, diagramKind), guard, "FuHalbwertszeitB");
}

std::optional<double> equilibriumExtent(int model, double cA0, double cB0, double cP0, double k1, double k2) {
    // a·x² + b·x + c = 0 from k>·(cA0 − x)(cB0 − x) = k<·(cP0 + ν·x)^(ν), ν = 2 for model 12.
    double a, b, c, lower;
    if (model == 12) {
        a = k1 - 4.0 * k2;
        b = -(k1 * (cA0 + cB0) + 4.0 * k2 * cP0);
        c = k1 * cA0 * cB0 - k2 * cP0 * cP0;
        lower = -cP0 / 2.0;
    } else if (model == 17) {
        a = k1;
        b = -(k1 * (cA0 + cB0) + k2);
        c = k1 * cA0 * cB0 - k2 * cP0;
        lower = -cP0;
    } else {
        return std::nullopt;
    }
    const double upper = std::min(cA0, cB0);
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(c) || (a == 0.0 && b == 0.0)) {
        return std::nullopt;
    }

    std::array<double, 2> roots{};
    int rootCount = 0;
    if (a == 0.0) {
        roots[rootCount++] = -c / b;
    } else {
        double discriminant = b * b - 4.0 * a * c;
        if (discriminant < 0.0) {
            if (discriminant < -1e-12 * b * b) {
                return std::nullopt;
            }
            discriminant = 0.0;
        }
        // The form without cancellation: q = −(b + sign(b)·√D)/2, roots q/a and c/q.
        const double q = -0.5 * (b + std::copysign(std::sqrt(discriminant), b));
        roots[rootCount++] = q / a;
        roots[rootCount++] = q != 0.0 ? c / q : 0.0;
    }

    const double tolerance = 1e-12 * std::max(1.0, std::fabs(cA0) + std::fabs(cB0) + std::fabs(cP0));
    std::optional<double> chosen;
    auto consider = [&](double from, double to) {
        for (int i = 0; i < rootCount; ++i) {
            const double x = roots[static_cast<std::size_t>(i)];
            if (x >= from - tolerance && x <= to + tolerance &&
                (!chosen || std::fabs(x) < std::fabs(*chosen))) {
                chosen = x;
            }
        }
    };
    consider(0.0, upper);
    if (!chosen) {
        consider(lower, 0.0);
    }
    if (!chosen || lower > upper) {
        return std::nullopt;
    }
    return std::clamp(*chosen, lower, upper);
}

}  // namespace zemtral
