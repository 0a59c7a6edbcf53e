#include "core/engine.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "core/compact_kinetics.h"
#include "core/model_catalogue.h"
#include "core/rate_laws.h"
#include "core/step_meter.h"
#include "core/stiff_integrator.h"
#include "numeric/fp_guard.h"
#include "numeric/number_text.h"

namespace zemtral {
namespace {

constexpr int kIntervals = 200;
constexpr double kEndTolerance = 1e-8;       // keeps the last grid point despite the summed steps
constexpr double kConvergedAbsolute = 1e-6;  // |y1| + |y2| below this counts as converged
constexpr double kConvergedRelative = 0.01;  // |y1 − y2| / (|y1| + |y2|) at most this
constexpr long kMaxSubSteps = 1L << 20;      // refinement beyond this means the step control failed
constexpr const char* kRoutine = "calc_diagramfunctioncT";

// ns classical fourth-order Runge-Kutta steps of width h from y.
Compact integrate(const RunConstants& p, int size, Compact y, double h, long ns) {
    for (long step = 0; step < ns; ++step) {
        Compact probe = y;
        const Compact d1 = derivative(p, y);
        for (int j = 0; j < size; ++j) {
            probe[j] = y[j] + 0.5 * h * d1[j];
        }
        const Compact d2 = derivative(p, probe);
        for (int j = 0; j < size; ++j) {
            probe[j] = y[j] + 0.5 * h * d2[j];
        }
        const Compact d3 = derivative(p, probe);
        for (int j = 0; j < size; ++j) {
            probe[j] = y[j] + h * d3[j];
        }
        const Compact d4 = derivative(p, probe);
        for (int j = 0; j < size; ++j) {
            y[j] += h * (d1[j] + 2.0 * d2[j] + 2.0 * d3[j] + d4[j]) / 6.0;
        }
    }
    return y;
}

FpFault firstNonFinite(const Compact& y, int size) {
    for (int j = 0; j < size; ++j) {
        const FpFault fault = classifyValue(y[j]);
        if (fault != FpFault::None) {
            return fault;
        }
    }
    return FpFault::None;
}

bool converged(const Compact& y1, const Compact& y2, int size) {
    for (int j = 0; j < size; ++j) {
        const double sum = std::fabs(y1[j]) + std::fabs(y2[j]);
        if (sum < kConvergedAbsolute) {
            continue;
        }
        if (std::fabs(y1[j] - y2[j]) / sum > kConvergedRelative) {
            return false;
        }
    }
    return true;
}

// Resizes every result array to `points` entries; std::vector keeps its storage when the size
// is unchanged, so repeated runs (the inner loop of every fit) allocate nothing.
void dimension(SimulationResult& r, int points) {
    const auto size = static_cast<std::size_t>(points);
    r.simTime.resize(size);
    for (int s = 1; s <= kSlotCount; ++s) {
        r.simConc[s].resize(size);
        r.simRate[s].resize(size);
    }
}

EngineStatus faultStatus(FpFault fault) {
    return {-1, faultDescription(fault == FpFault::None ? FpFault::InvalidOperation : fault),
            routineMessageTitle(kRoutine)};
}

EngineStatus refusal(std::string message) {
    return {-1, std::move(message), routineMessageTitle(kRoutine)};
}

// Ends a run that stopped at point `validPoints`: the later entries are cleared so that nothing
// of the faulty point or of an earlier run looks like a result.
void truncateAfterFault(SimulationResult& r, int validPoints, WorkingState& state) {
    r.pointCount = validPoints;
    const auto from = static_cast<std::size_t>(validPoints);
    std::fill(r.simTime.begin() + static_cast<std::ptrdiff_t>(from), r.simTime.end(), 0.0);
    for (int s = 1; s <= kSlotCount; ++s) {
        std::fill(r.simConc[s].begin() + static_cast<std::ptrdiff_t>(from), r.simConc[s].end(), 0.0);
        std::fill(r.simRate[s].begin() + static_cast<std::ptrdiff_t>(from), r.simRate[s].end(), 0.0f);
        r.splines[s].n = 0;
    }
    r.rangesUpdated = false;
    if (validPoints > 0) {
        for (int s = 1; s <= kSlotCount; ++s) {
            state.curConc[s] = r.simConc[s][from - 1];
        }
    }
}

// Stores the rates of point i as singles; false when a rate is not finite as a single.
FpFault storeRates(SimulationResult& r, int i, const SpeciesArray& rates) {
    const auto at = static_cast<std::size_t>(i);
    for (int s = 1; s <= kSlotCount; ++s) {
        const auto single = static_cast<float>(rates[s]);
        const FpFault fault = classifyValue(single);
        if (fault != FpFault::None) {
            return fault;
        }
        r.simRate[s][at] = single;
    }
    return FpFault::None;
}

// ---- Closed-form path ------------------------------------------------------------------------

EngineStatus runClosedForm(int model, WorkingState& state, SimulationResult& r, FpGuard& guard) {
    const double step = state.timeStep;
    for (int i = 0; i <= kIntervals; ++i) {
        const double t = i * step;
        const SpeciesArray c = closedFormConc(model, t, state.rateConst, state.conc0);
        const SpeciesArray rates = RateLaws(model, c, state.rateConst, state.reactionOrder);
        FpFault fault = guard.fault();
        for (int s = 1; s <= kSlotCount && fault == FpFault::None; ++s) {
            fault = classifyValue(c[s]);
        }
        const auto at = static_cast<std::size_t>(i);
        if (fault == FpFault::None) {
            r.simTime[at] = t;
            for (int s = 1; s <= kSlotCount; ++s) {
                r.simConc[s][at] = c[s];
            }
            fault = storeRates(r, i, rates);
        }
        if (fault != FpFault::None) {
            truncateAfterFault(r, i, state);
            return faultStatus(fault);
        }
        state.curConc = c;
    }
    r.pointCount = kIntervals + 1;
    return {};
}

// ---- Michaelis-Menten path -------------------------------------------------------------------

void runMichaelisMenten(WorkingState& state, SimulationResult& r) {
    const auto& mm = state.mmSettings;
    const double step = mm.normalised ? 20.0 / kIntervals : static_cast<double>(mm.s0Max) / kIntervals;
    for (int i = 0; i <= kIntervals; ++i) {
        const auto at = static_cast<std::size_t>(i);
        double x = i * step;
        r.simTime[at] = x;
        if (mm.km > 0.0f && !mm.normalised) {
            x = x / mm.km;
        }
        for (int s = 1; s <= kSlotCount; ++s) {
            r.simConc[s][at] = state.conc0[s];
            r.simRate[s][at] = 0.0f;
        }
        r.simRate[kSlotP][at] = static_cast<float>(x / (x + 1.0));
    }
    r.pointCount = kIntervals + 1;
    state.curConc = state.conc0;
}

// ---- Numerical path --------------------------------------------------------------------------

// Sub-steps per output interval from which the explicit steps are checked for stiffness. Below it
// the Runge-Kutta steps are cheap whatever limits them; every default run stays below it.
constexpr long kStiffCheckSubSteps = 256;
// |h·λ| up to which the classical Runge-Kutta method is stable on the negative real axis.
constexpr double kRk4StabilityBound = 2.785;

double rowSumNorm(const CompactJacobian& J, int size) {
    double norm = 0.0;
    for (int i = 0; i < size; ++i) {
        double row = 0.0;
        for (int j = 0; j < size; ++j) {
            row += std::fabs(J[i][j]);
        }
        norm = std::max(norm, row);
    }
    return norm;
}

// Stiff: the Jacobian's spectral radius (bounded by its row-sum norm) is so large that stability
// alone would keep the explicit steps below interval/kStiffCheckSubSteps, however smooth the
// solution is.
bool isStiff(const RunConstants& p, int size, const Compact& y, double interval) {
    return rowSumNorm(jacobian(p, y), size) * interval > kRk4StabilityBound * kStiffCheckSubSteps;
}

// The implicit method needs a bounded Jacobian: for model 20 with n < 1 it grows without limit as
// c(A) reaches 0 in finite time, where the explicit steps handle the kink well.
bool implicitPathAllowed(const RunConstants& p) {
    return !hasReactionOrder(p.model) || p.order >= 1.0;
}

// "k> = 1E+09, k< = 1000": the constants whose share of the Jacobian (at the start or at y,
// whichever is larger) is within a factor ten of the largest share: the ones that make the model
// stiff.
std::string stiffConstantsText(const RunConstants& p, int size, const Compact& start, const Compact& y) {
    const ModelInfo& info = modelInfo(p.model);
    const std::array<std::string_view, 3> names{info.k1Meaning, info.k2Meaning, info.k3Meaning};
    const std::array<double, 3> values{p.k1, p.k2, p.k3};
    std::array<double, 3> share{};
    double largest = 0.0;
    for (std::size_t j = 0; j < 3; ++j) {
        if (names[j].empty()) {
            continue;
        }
        RunConstants only = p;
        only.k1 = j == 0 ? p.k1 : 0.0;
        only.k2 = j == 1 ? p.k2 : 0.0;
        only.k3 = j == 2 ? p.k3 : 0.0;
        share[j] = std::max(rowSumNorm(jacobian(only, start), size), rowSumNorm(jacobian(only, y), size));
        largest = std::max(largest, share[j]);
    }
    std::string text;
    for (std::size_t j = 0; j < 3; ++j) {
        if (names[j].empty() || !(share[j] >= 0.1 * largest)) {
            continue;
        }
        // The general format of a single (1E+09, 1000) reads best; beyond its range all digits.
        const std::string value = std::fabs(values[j]) < 1e38 ? formatSingle(static_cast<float>(values[j]))
                                                              : formatDouble(values[j]);
        text += (text.empty() ? "" : ", ") + std::string(names[j]) + " = " + value;
    }
    return text;
}

EngineStatus overBudget(const RunConstants& p, int size, const Compact& start, const Compact& y,
                        long budget) {
    std::string text = "Die Integration wurde nach " + std::to_string(budget) +
                       " Schritten abgebrochen: das Modell ist mit ";
    const std::string constants = stiffConstantsText(p, size, start, y);
    text += constants.empty() ? std::string("diesen Geschwindigkeitskonstanten") : constants;
    text +=
        " für die gewählte Zeitspanne zu steif. Bitte kleinere Geschwindigkeitskonstanten oder "
        "eine kürzere Zeit t(max) wählen.";
    return refusal(text);
}

EngineStatus stoppedByCaller() {
    EngineStatus status = refusal("Die Rechnung wurde abgebrochen.");
    status.cancelled = true;
    return status;
}

EngineStatus runNumerical(int model, WorkingState& state, SimulationResult& r, FpGuard& guard,
                          const EngineControl& control) {
    const double tEnd = state.tEnd;
    if (!(tEnd > 0.0) || !std::isfinite(tEnd)) {
        // With no time span the summed time would never pass the end.
        truncateAfterFault(r, 0, state);
        return refusal("Die Endzeit t muss größer als 0 sein.");
    }
    const CompactLayout layout = compactLayout(model);
    const int m = layout.size;
    const RunConstants p{model,
                         state.rateConst[1],
                         state.rateConst[2],
                         state.rateConst[3],
                         state.reactionOrder,
                         halfStepsOf(state.reactionOrder)};
    const auto& c0 = state.conc0;
    const double halfA = c0[kSlotA] / 2.0;
    const double halfB = c0[kSlotB] / 2.0;
    const bool secondIsB = layout.slot[1] == kSlotB;  // halfLifeB only where B is integrated
    bool foundA = false, foundB = false;
    StepMeter meter(control.stepBudget, control.keepGoing);
    StiffIntegrator implicit(p, m);
    bool onImplicitPath = false;
    const bool mayTurnImplicit = implicitPathAllowed(p);

    Compact y{};
    for (int j = 0; j < m; ++j) {
        y[j] = c0[layout.slot[j]];
    }
    const Compact yStart = y;
    const double dt = state.timeStep;  // output step, kept aside: timeStep ends as the sub-step width
    double t = 0.0;
    long ns = 1;
    int i = 0;
    while (t <= tEnd + kEndTolerance && i <= kIntervals) {
        const auto at = static_cast<std::size_t>(i);
        r.simTime[at] = t;
        for (int s = 1; s <= kSlotCount; ++s) {
            r.simConc[s][at] = c0[s];
        }
        for (int j = 0; j < m; ++j) {
            r.simConc[layout.slot[j]][at] = y[j];
        }
        if (i > 0) {
            const auto& cA = r.simConc[kSlotA];
            if (!foundA && halfA > cA[at]) {
                state.halfLifeA = InterpolateTime(halfA, t, cA[at], r.simTime[at - 1], cA[at - 1]);
                foundA = true;
            }
            const auto& cB = r.simConc[kSlotB];
            if (secondIsB && !foundB && halfB > cB[at]) {
                state.halfLifeB = InterpolateTime(halfB, t, cB[at], r.simTime[at - 1], cB[at - 1]);
                foundB = true;
            }
        }
        ++i;
        const double target = t + dt;
        if (i > kIntervals || !(target <= tEnd + kEndTolerance)) {
            break;  // the last point is stored; nothing is integrated beyond the span
        }

        if (!onImplicitPath) {
            // Step doubling: halve the sub-step until two successive results agree. A trial whose
            // sub-steps are too wide for a stiff stretch may overflow; it counts as not converged
            // and is refined like any other, so only a fault that persists ends the run.
            StepMeter::Verdict verdict = StepMeter::Verdict::Go;
            auto trial = [&](long count, Compact& out) {
                verdict = meter.spend(count);
                if (verdict != StepMeter::Verdict::Go) {
                    return FpFault::None;
                }
                // The flags are clear here: every trial that raised one cleared it again.
                out = integrate(p, m, y, (target - t) / static_cast<double>(count), count);
                FpFault fault = firstNonFinite(out, m);
                if (fault == FpFault::None) {
                    fault = guard.fault();
                }
                if (fault != FpFault::None) {
                    guard.clear();
                }
                return fault;
            };
            Compact y1, y2;
            FpFault fault1 = trial(ns, y1);
            bool stiffnessChecked = false;
            while (verdict == StepMeter::Verdict::Go) {
                ns *= 2;
                if (mayTurnImplicit && !stiffnessChecked && ns >= kStiffCheckSubSteps) {
                    stiffnessChecked = true;
                    if (isStiff(p, m, y, target - t)) {
                        // From here on the run goes on implicitly, starting with this interval.
                        onImplicitPath = true;
                        r.implicitFrom = i - 1;
                        implicit.start(y, (target - t) / static_cast<double>(ns));
                        break;
                    }
                }
                if (ns > kMaxSubSteps) {
                    truncateAfterFault(r, i, state);
                    if (fault1 != FpFault::None) {
                        return faultStatus(fault1);
                    }
                    return refusal("Die Schrittweitensteuerung der Integration konvergiert nicht (mehr als " +
                                   std::to_string(kMaxSubSteps) + " Teilschritte je Intervall).");
                }
                const FpFault fault2 = trial(ns, y2);
                if (verdict == StepMeter::Verdict::Go && fault1 == FpFault::None && fault2 == FpFault::None &&
                    converged(y1, y2, m)) {
                    break;
                }
                y1 = y2;
                fault1 = fault2;
            }
            if (verdict != StepMeter::Verdict::Go) {
                truncateAfterFault(r, i, state);
                return verdict == StepMeter::Verdict::Stopped ? stoppedByCaller()
                                                              : overBudget(p, m, yStart, y, meter.budget());
            }
            if (!onImplicitPath) {
                const double h = (target - t) / static_cast<double>(ns);
                // The accepted step is taken whole; a concentration that undershot 0 is set to 0.
                for (int j = 0; j < m; ++j) {
                    y[j] = y2[j] < 0.0 ? 0.0 : y2[j];
                }
                state.timeStep = h;
                ns = std::max(1L, ns / 4);
            }
        }
        if (onImplicitPath) {
            switch (implicit.advance(y, t, target, meter, guard)) {
                case StiffOutcome::Done:
                    break;
                case StiffOutcome::OverBudget:
                    truncateAfterFault(r, i, state);
                    return overBudget(p, m, yStart, y, meter.budget());
                case StiffOutcome::Stopped:
                    truncateAfterFault(r, i, state);
                    return stoppedByCaller();
                case StiffOutcome::Fault:
                    truncateAfterFault(r, i, state);
                    return faultStatus(implicit.lastFault());
            }
            state.timeStep = implicit.lastStep();
        }
        t = target;
    }
    const int points = i;

    for (int k = 0; k < points; ++k) {
        const auto at = static_cast<std::size_t>(k);
        SpeciesArray c{};
        for (int s = 1; s <= kSlotCount; ++s) {
            c[s] = r.simConc[s][at];
        }
        state.curConc = c;
        FpFault fault = storeRates(r, k, RateLaws(model, c, state.rateConst, state.reactionOrder));
        if (fault == FpFault::None) {
            fault = guard.fault();
        }
        if (fault != FpFault::None) {
            truncateAfterFault(r, points, state);
            return faultStatus(fault);
        }
    }
    r.pointCount = points;

    const auto n = static_cast<std::size_t>(points);
    for (int s = 1; s <= kSlotCount; ++s) {
        if (r.speciesMask[static_cast<std::size_t>(s - 1)] != '1') {
            r.splines[s].n = 0;
            continue;
        }
        const AkimaStatus spline = AkimaSetUp(std::span<const double>(r.simTime.data(), n),
                                              std::span<const double>(r.simConc[s].data(), n),
                                              state.smoothingExponent, r.splines[s]);
        if (!spline.ok) {
            truncateAfterFault(r, points, state);
            return refusal(spline.message);
        }
    }
    if (guard.failed()) {
        const FpFault fault = guard.fault();
        truncateAfterFault(r, points, state);
        return faultStatus(fault);
    }
    return {};
}

// ---- Axis ranges -----------------------------------------------------------------------------

void computeAxisRanges(const WorkingState& state, SimulationResult& r) {
    double cMax = state.conc0[kSlotA];
    double rMax = 0.0, rMin = 0.0;
    for (int i = 0; i < r.pointCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        for (int s = 1; s <= kSlotCount; ++s) {
            // c(A) counts too: it can rise above c0(A) when a back reaction forms A.
            cMax = std::max(cMax, r.simConc[s][at]);
            rMax = std::max(rMax, static_cast<double>(r.simRate[s][at]));
            rMin = std::min(rMin, static_cast<double>(r.simRate[s][at]));
        }
    }
    rMax = rMax * 1.05;
    rMin = rMin - std::fabs(rMin * 0.05);
    r.ranges.tMin = 0.0f;
    r.ranges.tMax = state.tEnd;
    r.ranges.cMin = 0.0f;
    r.ranges.cMax = static_cast<float>(cMax);
    r.ranges.rMin = static_cast<float>(rMin);
    r.ranges.rMax = static_cast<float>(rMax);
    r.rangesUpdated = true;
}

// x = α·β·(1 − E)/(α − β·E) with E = e^exponent of the reversible second-order reactions; for a
// growing E the same quotient divided by E, so that long times do not overflow.
double extentQuotient(double alpha, double beta, double exponent) {
    if (exponent <= 0.0) {
        const double e = std::exp(exponent);
        return alpha * beta * (1.0 - e) / (alpha - beta * e);
    }
    const double r = std::exp(-exponent);
    return alpha * beta * (r - 1.0) / (alpha * r - beta);
}

}  // namespace

bool hasClosedForm(int model) {
    switch (model) {
        case 1:
        case 2:
        case 3:
        case 4:
        case 5:
        case 6:
        case 8:
        case 11:
        case 12:
        case 16:
        case 17:
            return true;
        default:
            return false;
    }
}

SpeciesArray closedFormConc(int model, double t, const std::array<double, 4>& k, const SpeciesArray& c0) {
    SpeciesArray c = c0;
    c[0] = 0.0;
    const double k1 = k[1], k2 = k[2];
    const double cA0 = c0[kSlotA], cB0 = c0[kSlotB], cC0 = c0[kSlotC], cP0 = c0[kSlotP], cQ0 = c0[kSlotQ];
    double& cA = c[kSlotA];
    double& cB = c[kSlotB];
    double& cC = c[kSlotC];
    double& cP = c[kSlotP];
    double& cQ = c[kSlotQ];
    switch (model) {
        case 1: {
            const double x = k1 * t;
            cA = cA0 - x;
            cP = x + cP0;
            if (cA < 0.0) {
                cA = 0.0;
                cP = cA0 + cP0;
            }
            break;
        }
        case 2: {
            const double x = (1.0 - std::exp(-k1 * t)) * cA0;
            cA = cA0 - x;
            cP = x + cP0;
            break;
        }
        case 3: {
            const double x = cA0 / 2.0 * (1.0 - 1.0 / (cA0 * 2.0 * k1 * t + 1.0));
            cA = cA0 - 2.0 * x;
            cP = x + cP0;
            break;
        }
        case 4: {
            double x;
            if (cA0 != cB0) {
                const double exponent = t * k1 * (cA0 - cB0);
                if (exponent <= 0.0) {
                    const double e = std::exp(exponent);
                    x = cA0 * cB0 * (1.0 - e) / (cB0 - e * cA0);
                } else {  // the same quotient divided by E, which would overflow for long times
                    const double r = std::exp(-exponent);
                    x = cA0 * cB0 * (r - 1.0) / (cB0 * r - cA0);
                }
            } else {
                x = cA0 * (1.0 - 1.0 / (k1 * cA0 * t + 1.0));
            }
            cA = cA0 - x;
            cB = cB0 - x;
            cP = x + cP0;
            break;
        }
        case 5:
        case 16: {
            const double exponent = t * k1 * (cA0 + cP0);
            double x;
            if (exponent <= 0.0) {
                const double e = std::exp(exponent);
                x = cA0 * cP0 * (e - 1.0) / (e * cP0 + cA0);
            } else {  // divided by E, which would overflow for long times
                const double r = std::exp(-exponent);
                x = cA0 * cP0 * (1.0 - r) / (cP0 + r * cA0);
            }
            cA = cA0 - x;
            cP = x + cP0;
            if (model == 16) {
                cQ = x + cQ0;
            }
            break;
        }
        case 6: {
            const double k2s = k2 + 1e-12;  // keeps k1 = k2 finite
            const double eA = std::exp(-k1 * t);
            const double eC = std::exp(-k2s * t);
            cA = cA0 * eA;
            cC = k1 * cA0 / (k2s - k1) * (eA - eC) + eC * cC0;
            cP = cA0 - cA - cC + cC0 + cP0;
            break;
        }
        case 8: {
            const double e = std::exp(-(k1 + k2) * t);
            const double x = ((k2 * cP0 - k1 * cA0) * e - k2 * cP0 + k1 * cA0) / (k1 + k2);
            cA = cA0 - x;
            cP = x + cP0;
            break;
        }
        case 11: {
            const double s = k1 + k2;
            const double e = std::exp(-s * t);
            cA = cA0 * e;
            cP = k1 * cA0 / s * (1.0 - e) + cP0;
            cQ = k2 * cA0 / s * (1.0 - e) + cQ0;
            break;
        }
        case 12: {
            const double a = k1 * cA0 * cB0 - k2 * cP0 * cP0;
            const double b = -k1 * cA0 - k1 * cB0 - 4.0 * k2 * cP0;
            double q = k1 - 4.0 * k2;
            if (q == 0.0) {
                q = 1e-8;
            }
            const double root = std::sqrt(b * b / (4.0 * q * q) - a / q);
            const double alpha = -b / (2.0 * q) + root;
            const double beta = -b / (2.0 * q) - root;
            const double x = extentQuotient(alpha, beta, -q * (alpha - beta) * t);
            cA = cA0 - x;
            cB = cB0 - x;
            cP = 2.0 * x + cP0;
            break;
        }
        case 17: {
            const double a = (k1 * cA0 * cB0 - k2 * cP0) / k1;
            const double b = (-k1 * cA0 - k1 * cB0 - k2) / k1;
            const double root = std::sqrt(b * b / 4.0 - a);
            const double alpha = -b / 2.0 + root;
            const double beta = -b / 2.0 - root;
            const double x = extentQuotient(alpha, beta, -k1 * (alpha - beta) * t);
            cA = cA0 - x;
            cB = cB0 - x;
            cP = x + cP0;
            break;
        }
        default:
            break;
    }
    return c;
}

EngineStatus calc_diagramfunctioncT(std::int16_t model, WorkingState& state, SimulationResult& result,
                                    const EngineControl& control) {
    FpGuard guard;
    state.intervalCount = kIntervals;
    state.timeStep = static_cast<double>(state.tEnd) / kIntervals;
    state.halfLifeA = 0.0f;
    state.halfLifeB = 0.0f;

    result.model = model;
    result.michaelisMenten = false;
    result.speciesMask = modelSpeciesMask(model, state.fittingMode);
    result.rangesUpdated = false;
    result.implicitFrom = -1;
    dimension(result, kIntervals + 1);
    for (int s = 1; s <= kSlotCount; ++s) {
        result.splines[s].n = 0;
    }

    EngineStatus status;
    if (isMichaelisMenten(model, state.mmMode)) {
        result.michaelisMenten = true;
        runMichaelisMenten(state, result);
    } else if (hasClosedForm(model)) {
        status = runClosedForm(model, state, result, guard);
    } else if (isNumericModel(model)) {
        status = runNumerical(model, state, result, guard, control);
    } else {
        // No reaction (id 19 and unknown ids): every species keeps its initial concentration.
        for (int i = 0; i <= kIntervals; ++i) {
            const auto at = static_cast<std::size_t>(i);
            result.simTime[at] = i * state.timeStep;
            for (int s = 1; s <= kSlotCount; ++s) {
                result.simConc[s][at] = state.conc0[s];
                result.simRate[s][at] = 0.0f;
            }
        }
        result.pointCount = kIntervals + 1;
        state.curConc = state.conc0;
    }
    if (status.errorFlag != 0) {
        return status;
    }
    if (state.fittingMode == kFittingNone) {
        computeAxisRanges(state, result);
    }
    return status;
}

SpeciesArray ConcAtTime(std::int16_t model, double t, const WorkingState& state, const SimulationResult& last,
                        std::int16_t& errorFlag) {
    errorFlag = 0;
    SpeciesArray c{};
    if (hasClosedForm(model)) {
        FpGuard guard;
        c = closedFormConc(model, t, state.rateConst, state.conc0);
        bool finite = true;
        for (int s = 1; s <= kSlotCount; ++s) {
            finite = finite && std::isfinite(c[s]);
        }
        if (!finite || guard.failed()) {
            errorFlag = -1;
            return SpeciesArray{};
        }
        return c;
    }
    if (!isNumericModel(model)) {
        c = state.conc0;
        c[0] = 0.0;
        return c;
    }
    if (isMichaelisMenten(model, state.mmMode)) {
        return c;
    }
    if (last.model != model || last.michaelisMenten || last.pointCount < 2) {
        errorFlag = -1;
        return c;
    }
    c = state.conc0;
    c[0] = 0.0;
    for (int s = 1; s <= kSlotCount; ++s) {
        if (last.speciesMask.size() >= static_cast<std::size_t>(s) &&
            last.speciesMask[static_cast<std::size_t>(s - 1)] == '1') {
            if (last.splines[s].n < 1) {
                errorFlag = -1;
                return SpeciesArray{};
            }
            c[s] = AkimaValue(last.splines[s], t, 0);
            if (!std::isfinite(c[s])) {
                errorFlag = -1;
                return SpeciesArray{};
            }
        }
    }
    return c;
}

float InterpolateTime(double y, double t1, double c1, double t0, double c0) {
    if (c0 == c1) {
        return static_cast<float>(t1);
    }
    return static_cast<float>(t1 + (y - c1) * (t0 - t1) / (c0 - c1));
}

}  // namespace zemtral
