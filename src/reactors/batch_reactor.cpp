#include "reactors/batch_reactor.h"

#include <algorithm>
#include <cmath>

#include "core/model_catalogue.h"
#include "core/rate_laws.h"
#include "numeric/fp_guard.h"
#include "numeric/number_text.h"

namespace zemtral {
namespace {

constexpr int kMacroSteps = 150;
// Step doubling that has not agreed after this many sub-steps per macro step is a failure, not
// an endless loop.
constexpr long kMaxSubSteps = 1L << 22;

/// ns classical Runge-Kutta steps of width span/ns from y, with the model's rate laws on all slots
/// (species the model does not have keep their concentration, their rate being 0).
SpeciesArray rungeKutta(const ReactorKinetics& kin, SpeciesArray y, double span, long ns) {
    const double h = span / static_cast<double>(ns);
    auto f = [&](const SpeciesArray& c) { return RateLaws(kin.model, c, kin.k, kin.order); };
    for (long step = 0; step < ns; ++step) {
        SpeciesArray tmp{};
        const SpeciesArray r1 = f(y);
        for (int s = 1; s <= kSlotCount; ++s) {
            tmp[s] = y[s] + 0.5 * h * r1[s];
        }
        const SpeciesArray r2 = f(tmp);
        for (int s = 1; s <= kSlotCount; ++s) {
            tmp[s] = y[s] + 0.5 * h * r2[s];
        }
        const SpeciesArray r3 = f(tmp);
        for (int s = 1; s <= kSlotCount; ++s) {
            tmp[s] = y[s] + h * r3[s];
        }
        const SpeciesArray r4 = f(tmp);
        for (int s = 1; s <= kSlotCount; ++s) {
            y[s] += h * (r1[s] + 2.0 * r2[s] + 2.0 * r3[s] + r4[s]) / 6.0;
        }
    }
    return y;
}

bool agree(const SpeciesArray& y1, const SpeciesArray& y2) {
    for (int s = 1; s <= kSlotCount; ++s) {
        const double sum = std::fabs(y1[s]) + std::fabs(y2[s]);
        if (sum >= 1e-6 && std::fabs(y1[s] - y2[s]) > 0.01 * sum) {
            return false;
        }
    }
    return true;
}

bool integrateNumerically(const ReactorKinetics& kin, double t, SpeciesArray& y) {
    const double h = t / kMacroSteps;
    long ns = 1;
    for (int macro = 0; macro < kMacroSteps; ++macro) {
        SpeciesArray y1 = rungeKutta(kin, y, h, ns);
        SpeciesArray y2;
        for (;;) {
            ns *= 2;
            if (ns > kMaxSubSteps || !allFinite(y1)) {
                return false;
            }
            y2 = rungeKutta(kin, y, h, ns);
            if (agree(y1, y2)) {
                break;
            }
            y1 = y2;
        }
        y = y2;
        if (hasReactionOrder(kin.model) && y[kSlotA] < 0.0) {
            // Below order 1, A runs out in finite time; the last step may overshoot zero. A cannot
            // fall below zero, and what it did not have was not turned into P either.
            y[kSlotP] += y[kSlotA];
            y[kSlotA] = 0.0;
        }
        ns = std::max(1L, ns / 4);
    }
    return true;
}

/// x1·x2·(1 − m)/(x1 − x2·m) with m = e^(−rate·t), written with e^(+rate·t) when that is the
/// small one, so that a long time never overflows.
double reversibleExtent(double x1, double x2, double exponent) {
    if (exponent <= 0.0) {
        const double m = std::exp(exponent);
        return x1 * x2 * (1.0 - m) / (x1 - x2 * m);
    }
    const double mi = std::exp(-exponent);
    return x1 * x2 * (mi - 1.0) / (x1 * mi - x2);
}

}  // namespace

BatchKesselResult CalcBatchKessel(const ReactorKinetics& kin, double t, const SpeciesArray& c0) {
    BatchKesselResult result;
    FpGuard guard;
    SpeciesArray& c = result.conc;
    c = c0;
    const double a0 = c0[kSlotA], b0 = c0[kSlotB], cc0 = c0[kSlotC], p0 = c0[kSlotP], q0 = c0[kSlotQ];
    const double k1 = kin.k[1], k2 = kin.k[2];
    bool ok = true;
    switch (kin.model) {
        case 1: {
            const double x = k1 * t;
            c[kSlotA] = a0 - x;
            c[kSlotP] = p0 + x;
            if (c[kSlotA] < 0.0) {
                c[kSlotA] = 0.0;
                c[kSlotP] = a0 + p0;
            }
            break;
        }
        case 2: {
            const double x = -std::expm1(-k1 * t) * a0;
            c[kSlotA] = a0 - x;
            c[kSlotP] = p0 + x;
            break;
        }
        case 3: {
            const double x = a0 / 2.0 * (1.0 - 1.0 / (2.0 * k1 * a0 * t + 1.0));
            c[kSlotA] = a0 - 2.0 * x;
            c[kSlotP] = p0 + x;
            break;
        }
        case 4: {
            double x = 0.0;
            if (a0 != b0) {
                const double exponent = k1 * t * (a0 - b0);
                if (exponent <= 0.0) {
                    const double e = std::exp(exponent);
                    x = a0 * b0 * (1.0 - e) / (b0 - e * a0);
                } else {
                    const double ei = std::exp(-exponent);
                    x = a0 * b0 * (ei - 1.0) / (b0 * ei - a0);
                }
            } else {
                x = a0 * (1.0 - 1.0 / (k1 * a0 * t + 1.0));
            }
            c[kSlotA] = a0 - x;
            c[kSlotB] = b0 - x;
            c[kSlotP] = p0 + x;
            break;
        }
        case 5:
        case 16: {
            const double ei = std::exp(-k1 * t * (a0 + p0));
            const double x = a0 * p0 * (1.0 - ei) / (p0 + a0 * ei);
            c[kSlotA] = a0 - x;
            c[kSlotP] = p0 + x;
            if (kin.model == 16) {
                c[kSlotQ] = q0 + x;
            }
            break;
        }
        case 6: {
            const double k2s = k2 + 1e-12;
            const double eA = std::exp(-k1 * t);
            // e^(−k1·t) − e^(−k2·t) without cancellation when k1 and k2 are close.
            const double difference = -eA * std::expm1(-(k2s - k1) * t);
            c[kSlotA] = a0 * eA;
            c[kSlotC] = k1 * a0 / (k2s - k1) * difference + cc0 * std::exp(-k2s * t);
            c[kSlotP] = a0 - c[kSlotA] - c[kSlotC] + cc0 + p0;
            break;
        }
        case 8: {
            // Approach to the equilibrium extent (k1·a0 − k2·p0)/(k1 + k2) with the rate k1 + k2.
            const double xe = (k1 * a0 - k2 * p0) / (k1 + k2);
            const double x = -std::expm1(-(k1 + k2) * t) * xe;
            c[kSlotA] = a0 - x;
            c[kSlotP] = p0 + x;
            break;
        }
        case 11: {
            const double s = k1 + k2;
            const double e = std::exp(-s * t);
            const double used = -std::expm1(-s * t);
            c[kSlotA] = a0 * e;
            c[kSlotP] = p0 + k1 * a0 / s * used;
            c[kSlotQ] = q0 + k2 * a0 / s * used;
            break;
        }
        case 12: {
            double alpha = k1 - 4.0 * k2;
            if (alpha == 0.0) {
                alpha = 1e-8;
            }
            const double beta = -k1 * a0 - k1 * b0 - 4.0 * k2 * p0;
            const double gamma = k1 * a0 * b0 - k2 * p0 * p0;
            const double root = std::sqrt(beta * beta / (4.0 * alpha * alpha) - gamma / alpha);
            const double x1 = -beta / (2.0 * alpha) + root, x2 = -beta / (2.0 * alpha) - root;
            const double x = reversibleExtent(x1, x2, -alpha * (x1 - x2) * t);
            c[kSlotA] = a0 - x;
            c[kSlotB] = b0 - x;
            c[kSlotP] = p0 + 2.0 * x;
            break;
        }
        case 17: {
            const double gamma = (k1 * a0 * b0 - k2 * p0) / k1;
            const double beta = (-k1 * a0 - k1 * b0 - k2) / k1;
            const double root = std::sqrt(beta * beta / 4.0 - gamma);
            const double x1 = -beta / 2.0 + root, x2 = -beta / 2.0 - root;
            const double x = reversibleExtent(x1, x2, -k1 * (x1 - x2) * t);
            c[kSlotA] = a0 - x;
            c[kSlotB] = b0 - x;
            c[kSlotP] = p0 + x;
            break;
        }
        case 7:
        case 9:
        case 10:
        case 13:
        case 14:
        case 15:
        case 18:
        case 20:
            ok = integrateNumerically(kin, t, c);
            break;
        default:
            break;
    }
    if (!ok || guard.failed() || !allFinite(c)) {
        result.errorFlag = -1;
    }
    return result;
}

TimeSearchSettings batchTimeSearch() {
    return TimeSearchSettings{};
}

TimeSearchResult findReactionTime(const ReactorKinetics& kin, const SpeciesArray& c0, double conversion,
                                  const TimeSearchSettings& settings) {
    TimeSearchResult search;
    const double a0 = c0[kSlotA];
    double t = settings.start;
    double h = settings.probe;
    for (int iteration = 1; iteration <= settings.maxIterations; ++iteration) {
        search.iterations = iteration;
        const BatchKesselResult r1 = CalcBatchKessel(kin, t, c0);
        const BatchKesselResult r2 = CalcBatchKessel(kin, t + h, c0);
        if (r1.errorFlag != 0 || r2.errorFlag != 0) {
            search.status = TimeSearchResult::Status::NumericalFailure;
            return search;
        }
        const double f1 = conversion - conversionOfA(a0, r1.conc[kSlotA]);
        const double f2 = conversion - conversionOfA(a0, r2.conc[kSlotA]);
        if (f2 == f1) {
            h *= 2.0;
            if (!std::isfinite(t + h)) {
                break;
            }
            continue;
        }
        double delta = -f1 * h / (f2 - f1);
        if (t + delta <= 0.0) {
            delta = -t / 2.0;
        }
        t += delta;
        if (std::fabs(delta) <= settings.tolerance * std::fabs(t)) {
            const BatchKesselResult found = CalcBatchKessel(kin, t, c0);
            if (found.errorFlag != 0) {
                search.status = TimeSearchResult::Status::NumericalFailure;
                return search;
            }
            search.status = TimeSearchResult::Status::Converged;
            search.time = t;
            search.conc = found.conc;
            return search;
        }
    }
    search.status = TimeSearchResult::Status::NotConverged;
    search.time = t;
    return search;
}

std::string concentrationAndConstantChecks(const ReactorKinetics& kin, const SpeciesArray& c0,
                                           const std::string& k2Line) {
    const ReactorFieldVisibility visible = reactorFieldVisibility(kin.model);
    std::string lines;
    if (!(c0[kSlotA] > 0.0)) {
        lines += "- noch keine Eingabe einer Anfangskonzentration c(A)(0)\r\n";
    }
    if (visible.species[kSlotB] && !(c0[kSlotB] > 0.0)) {
        lines += isEnzymeKinetics(kin.model) ? "- noch keine Eingabe einer Anfangskonzentration c(S)(0)\r\n"
                                             : "- noch keine Eingabe einer Anfangskonzentration c(B)(0)\r\n";
    }
    if (isAutocatalytic(kin.model) && !(c0[kSlotP] > 0.0)) {
        lines +=
            "- für Autokatalyse muss ein (geringes) c(P)(0) gegeben sein, sonst springt die Reaktion nicht "
            "an\r\n";
    }
    if (!(kin.k[1] > 0.0)) {
        lines += "- Geschwindigkeitskonstante k1 muss größer Null sein\r\n";
    }
    if (visible.k2 && !(kin.k[2] > 0.0)) {
        lines += k2Line + "\r\n";
    }
    if (visible.k3 && !(kin.k[3] > 0.0)) {
        lines += "- Geschwindigkeitskonstante k3 muss größer Null sein\r\n";
    }
    return lines;
}

std::string checkBatchInputs(const BatchInputs& in) {
    std::string lines;
    const int model = in.kinetics.model;
    const bool conversionGiven = in.choice == BatchInputChoice::Conversion;
    if (!conversionGiven && !(in.reactionTime > 0.0)) {
        lines += "- noch keine Eingabe der Reaktionszeit\r\n";
    }
    if (conversionGiven && !(in.conversion > 0.0 && in.conversion < 1.0)) {
        lines += "- noch keine sinnvolle Eingabe des Umsatzes (0 < U < 1)\r\n";
    }
    if (conversionGiven && (model == 4 || model == 9 || model == 10 || model == 13 || model == 18) &&
        in.conversion * in.c0[kSlotA] >= in.c0[kSlotB]) {
        lines += "Für den gewünschten Umsatz muss die Vorgabe-Konzentration von B > " +
                 formatDouble(in.conversion * in.c0[kSlotA], in.decimalSeparator) + " sein.\r\n";
    }
    lines += concentrationAndConstantChecks(in.kinetics, in.c0,
                                            "- Geschwindigkeitskonstante k2 muss größer Null sein");
    return lines;
}

BatchOutcome runBatchReactor(const BatchInputs& in) {
    BatchOutcome out;
    const std::string lines = checkBatchInputs(in);
    if (!lines.empty()) {
        out.status = BatchOutcome::Status::Refused;
        out.message = {kNoExecutionTitle, lines};
        return out;
    }
    const bool conversionGiven = in.choice == BatchInputChoice::Conversion;
    if (conversionGiven) {
        const ConversionLimitCheck limit =
            checkConversionLimit(in.kinetics.model, in.kinetics.k, in.c0, in.conversion, in.decimalSeparator);
        if (limit.refused) {
            out.status = BatchOutcome::Status::Refused;
            out.message = limit.message;
            return out;
        }
    }
    const ReactorMessage numericalFailure{routineMessageTitle(kBatchRoutineName), kBatchNumericalFailureText};
    if (conversionGiven) {
        const TimeSearchResult search =
            findReactionTime(in.kinetics, in.c0, in.conversion, batchTimeSearch());
        if (search.status == TimeSearchResult::Status::NumericalFailure) {
            out.status = BatchOutcome::Status::NumericalFailure;
            out.message = numericalFailure;
            return out;
        }
        if (search.status == TimeSearchResult::Status::NotConverged) {
            out.status = BatchOutcome::Status::IterationFailed;
            out.message = {kNotPossibleTitleText, kCalculationFailedText};
            return out;
        }
        out.conc = search.conc;
        out.reactionTime = search.time;
        out.conversion = in.conversion;
    } else {
        const BatchKesselResult r = CalcBatchKessel(in.kinetics, in.reactionTime, in.c0);
        if (r.errorFlag != 0) {
            out.status = BatchOutcome::Status::NumericalFailure;
            out.message = numericalFailure;
            return out;
        }
        out.conc = r.conc;
        out.reactionTime = in.reactionTime;
        out.conversion = conversionOfA(in.c0[kSlotA], r.conc[kSlotA]);
    }
    out.extents = ComputeExtents(in.kinetics.model, in.kinetics.order, in.c0, out.conc);
    fillProtocolCommon(out.protocol, in.kinetics, in.c0, out.conc);
    out.protocol[kProtocolConversion] = out.conversion;
    out.protocol[kProtocolTime] = out.reactionTime;
    out.protocol[kProtocolKsi1] = out.extents[1];
    out.protocol[kProtocolKsi2] = out.extents[2];
    return out;
}

}  // namespace zemtral
