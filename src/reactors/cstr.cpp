#include "reactors/cstr.h"

#include <cmath>

#include "core/model_catalogue.h"
#include "core/rate_laws.h"
#include "numeric/fp_guard.h"

namespace zemtral {
namespace {

constexpr const char* kLineBreak = "\r\n";
constexpr double kNewtonProbeA = 1e-7;
constexpr double kNewtonProbeC = 1e-6;
constexpr int kNewtonLimit = 10000;
constexpr int kNewtonValidIterations = 500;

bool givenConversion(CstrInputChoice choice) {
    return choice == CstrInputChoice::ConversionAndVolume || choice == CstrInputChoice::ConversionAndFlow;
}

/// Models whose rate of A depends on the intermediate: their balances are closed together.
bool isCoupled(int model) {
    return model == 7 || model == 10 || model == 15 || model == 18;
}

double rateOf(const ReactorKinetics& kin, const SpeciesArray& c, int slot) {
    return RateLaws(kin.model, c, kin.k, kin.order)[static_cast<std::size_t>(slot)];
}

/// The outlet of models 7, 10, 15 and 18 for a trial c(A) = x and residence time tau: every
/// balance except that of A solved exactly (each is linear in its own species).
void closeCoupled(const ReactorKinetics& kin, const SpeciesArray& c0, double x, double tau, SpeciesArray& c) {
    const double k1 = kin.k[1], k2 = kin.k[2], k3 = kin.k[3];
    c[kSlotA] = x;
    switch (kin.model) {
        case 7:  // A + B => C; A + C => P
            c[kSlotB] = c0[kSlotB] / (1.0 + k1 * x * tau);
            c[kSlotC] = (c0[kSlotC] + k1 * x * c[kSlotB] * tau) / (1.0 + k2 * x * tau);
            c[kSlotP] = c0[kSlotP] + k2 * x * c[kSlotC] * tau;
            break;
        case 10:  // E + S <=> ES => P + E; E + ES keeps its inlet total
            c[kSlotC] = c0[kSlotA] + c0[kSlotC] - x;
            c[kSlotB] = (c0[kSlotB] + k2 * c[kSlotC] * tau) / (1.0 + k1 * x * tau);
            c[kSlotP] = c0[kSlotP] + k3 * c[kSlotC] * tau;
            break;
        case 15:  // A <=> C => P
            c[kSlotC] = (c0[kSlotC] + k1 * x * tau) / (1.0 + (k2 + k3) * tau);
            c[kSlotP] = c0[kSlotP] + k3 * c[kSlotC] * tau;
            break;
        case 18:  // A + B <=> C => P; B is used exactly as A
            c[kSlotB] = c0[kSlotB] - c0[kSlotA] + x;
            c[kSlotC] = (c0[kSlotC] + k1 * x * c[kSlotB] * tau) / (1.0 + (k2 + k3) * tau);
            c[kSlotP] = c0[kSlotP] + k3 * c[kSlotC] * tau;
            break;
        default:
            break;
    }
}

/// The stoichiometric closure of the first reaction for a trial c(A) = x.
void closeByFirstReaction(const StoichMatrix& nu, const SpeciesArray& c0, double x, SpeciesArray& c) {
    const double xi = (c0[kSlotA] - x) / (-nu[1][kSlotA]);
    c[kSlotA] = x;
    c[kSlotB] = nu[1][kSlotB] * xi + c0[kSlotB];
    c[kSlotP] = nu[1][kSlotP] * xi + c0[kSlotP];
}

/// Newton iteration on x = c(A) for the A balance a0 − x + r(A)·tau = 0, the other
/// concentrations following x through `close`. Start a0/1.5, derivative by a difference of 1e-7;
/// a negative x is replaced by −0.1·x. Valid only within 500 iterations and with 0 <= U <= 1.
template <typename Close>
bool newtonOnA(const ReactorKinetics& kin, double a0, double tau, SpeciesArray& c, Close close) {
    double x = a0 / 1.5;
    double delta = 0.0;
    int iteration = 0;
    do {
        ++iteration;
        close(x, c);
        const double f = a0 - x + rateOf(kin, c, kSlotA) * tau;
        SpeciesArray probe = c;
        close(x + kNewtonProbeA, probe);
        const double f2 = a0 - (x + kNewtonProbeA) + rateOf(kin, probe, kSlotA) * tau;
        const double derivative = (f2 - f) / kNewtonProbeA;
        delta = derivative != 0.0 ? -f / derivative : 0.1;
        x += delta;
        if (x < 0.0) {
            x = -0.1 * x;
        }
    } while (std::fabs(delta) >= 1e-8 * std::fabs(x) && iteration < kNewtonLimit);
    const double u = conversionOfA(a0, x);
    if (iteration > kNewtonValidIterations || !(u >= 0.0 && u <= 1.0)) {
        return false;
    }
    close(x, c);
    return true;
}

/// The balance of the intermediate C of models 6, 9, 11, 13 and 14 with c(A), c(B) known:
/// c0 − y + r(C)·tau = 0 by Newton on y = c(C); c(P) closes the sum A + C + P (model 11: c(Q)
/// from its own balance and c(P) the rest).
void secondBalance(const ReactorKinetics& kin, const SpeciesArray& c0, double tau, SpeciesArray& c) {
    const double a0 = c0[kSlotA], cc0 = c0[kSlotC], p0 = c0[kSlotP], q0 = c0[kSlotQ];
    auto close = [&](double y, SpeciesArray& cc) {
        cc[kSlotC] = y;
        cc[kSlotP] = cc0 + a0 + p0 - cc[kSlotA] - y;
        if (kin.model == 11) {
            cc[kSlotQ] = q0 + rateOf(kin, cc, kSlotQ) * tau;
            cc[kSlotP] = a0 + p0 + q0 - cc[kSlotA] - cc[kSlotQ];
        }
    };
    double y = cc0;
    double previous = 0.0;
    close(y, c);
    for (int iteration = 0; iteration < kNewtonLimit; ++iteration) {
        const double f = cc0 - y + rateOf(kin, c, kSlotC) * tau;
        SpeciesArray probe = c;
        close(y + kNewtonProbeC, probe);
        const double f2 = cc0 - (y + kNewtonProbeC) + rateOf(kin, probe, kSlotC) * tau;
        const double derivative = (f2 - f) / kNewtonProbeC;
        const double delta = derivative != 0.0 ? -f / derivative : previous / 2.0;
        y += delta;
        previous = delta;
        close(y, c);
        if (std::fabs(delta) <= 1e-5 * std::fabs(y)) {
            break;
        }
    }
}

/// Conversion given for the coupled models: c(A) is fixed, the residence time tau is searched so
/// that the A balance holds, by regula falsi (Illinois) on a bracket that starts at tau = 0.
bool searchResidenceTime(const ReactorKinetics& kin, const SpeciesArray& c0, double cA, double& tau,
                         SpeciesArray& c) {
    const double a0 = c0[kSlotA];
    auto balance = [&](double t) {
        closeCoupled(kin, c0, cA, t, c);
        return a0 - cA + rateOf(kin, c, kSlotA) * t;
    };
    closeCoupled(kin, c0, cA, 0.0, c);
    const double rate0 = rateOf(kin, c, kSlotA);
    double lo = 0.0, gLo = a0 - cA;
    double hi = rate0 < 0.0 ? (a0 - cA) / -rate0 : 1.0;
    double gHi = balance(hi);
    for (int doubling = 0; gHi > 0.0; ++doubling) {
        if (doubling >= 200 || !std::isfinite(gHi)) {
            return false;
        }
        lo = hi;
        gLo = gHi;
        hi *= 2.0;
        gHi = balance(hi);
    }
    int side = 0;
    for (int iteration = 0; iteration < 300; ++iteration) {
        const double t = (lo * gHi - hi * gLo) / (gHi - gLo);
        const double g = balance(t);
        if (g == 0.0 || hi - lo <= 1e-14 * hi) {
            lo = hi = t;
            break;
        }
        if (g > 0.0) {
            lo = t;
            gLo = g;
            if (side == 1) {
                gHi /= 2.0;
            }
            side = 1;
        } else {
            hi = t;
            gHi = g;
            if (side == -1) {
                gLo /= 2.0;
            }
            side = -1;
        }
    }
    tau = 0.5 * (lo + hi);
    const double residual = balance(tau);
    return std::fabs(residual) <= 1e-9 * a0;
}

bool modelSpeciesNonNegative(int model, const SpeciesArray& c) {
    const std::string mask = modelSpeciesMask(model);
    for (int s = 1; s <= kSlotCount; ++s) {
        if (mask[static_cast<std::size_t>(s - 1)] == '1' && c[s] < -1e-12) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string cstrOptionCaption(CstrInputChoice choice) {
    switch (choice) {
        case CstrInputChoice::ConversionAndVolume:
            return "Umsatz U(A) und Reaktionsvolumen V";
        case CstrInputChoice::ConversionAndFlow:
            return "Umsatz U(A) und Volumenstrom V*";
        case CstrInputChoice::VolumeAndFlow:
            return "Reakt.-volumen V und Volumenstrom V*";
        case CstrInputChoice::VolumeAndResidenceTime:
            return "Reaktionsvolumen V und mittl. Verweilzeit t";
        case CstrInputChoice::FlowAndResidenceTime:
            return "Volumenstrom V* und mittlere Verweilzeit t";
    }
    return "";
}

std::array<int, 2> cstrGivenFields(CstrInputChoice choice) {
    switch (choice) {
        case CstrInputChoice::ConversionAndVolume:
            return {13, 14};
        case CstrInputChoice::ConversionAndFlow:
            return {13, 15};
        case CstrInputChoice::VolumeAndFlow:
            return {14, 15};
        case CstrInputChoice::VolumeAndResidenceTime:
            return {14, 16};
        case CstrInputChoice::FlowAndResidenceTime:
            return {15, 16};
    }
    return {13, 14};
}

namespace {

// Marks the result as failed with the reason shown after "Berechnungsfehler aufgetreten.".
CstrResult& failed(CstrResult& out, std::string reason) {
    out.calculationFailed = true;
    out.failureReason = std::move(reason);
    return out;
}

}  // namespace

CstrResult CalcCstr(const CstrInputs& in) {
    CstrResult out;
    FpGuard guard;
    const ReactorKinetics& kin = in.kinetics;
    const int model = kin.model;
    const SpeciesArray& c0 = in.c0;
    const double a0 = c0[kSlotA], b0 = c0[kSlotB];
    const StoichMatrix nu = reactorStoichiometry(model, kin.order);
    const double nuA = nu[1][kSlotA];
    const bool single = isSingleReaction(model);

    out.conversion = in.conversion;
    out.volume = in.volume;
    out.flow = in.flow;
    out.residenceTime = in.residenceTime;
    switch (in.choice) {
        case CstrInputChoice::VolumeAndFlow:
            out.residenceTime = in.volume / in.flow;
            break;
        case CstrInputChoice::VolumeAndResidenceTime:
            out.flow = in.volume / in.residenceTime;
            break;
        case CstrInputChoice::FlowAndResidenceTime:
            out.volume = in.flow * in.residenceTime;
            break;
        default:
            break;
    }
    // Species the model does not have pass the tank unchanged.
    SpeciesArray& c = out.conc;
    c = c0;
    if (nuA == 0.0) {
        return failed(out, "Stoff A wird in diesem Modell nicht umgesetzt.");
    }
    double& tau = out.residenceTime;

    if (givenConversion(in.choice)) {
        const double u = in.conversion;
        const double xi = u * a0 / -nuA;
        c[kSlotA] = (1.0 - u) * a0;
        c[kSlotB] = nu[1][kSlotB] * xi + b0;
        const bool needsB =
            model == 4 || model == 9 || model == 10 || model == 12 || model == 13 || model == 18;
        if (c[kSlotB] <= 0.0 && needsB) {
            out.inputRefused = true;
            std::string text =
                "Die Anfangskonzentration von B ist für den gewünschten Umsatz nicht ausreichend.";
            if (c[kSlotB] == 0.0) {
                text += kLineBreak;
                text += "(Die Endkonzentration von B darf nicht bis auf Null absinken.)";
            }
            out.message = {kNotPossibleTitleText, text};
            return out;
        }
        if (isCoupled(model)) {
            if (!searchResidenceTime(kin, c0, c[kSlotA], tau, c)) {
                return failed(
                    out,
                    "Mit keiner Verweilzeit wird im stationären Zustand der gewünschte Umsatz erreicht.");
            }
        } else {
            if (single) {
                c[kSlotP] = nu[1][kSlotP] * xi + c0[kSlotP];
                c[kSlotQ] = nu[1][kSlotQ] * xi + c0[kSlotQ];
            }
            const double rA = rateOf(kin, c, kSlotA);
            // A rate that does not consume A can reach no conversion at any residence time.
            if (!(rA < 0.0)) {
                return failed(out,
                              "Beim gewünschten Umsatz wird A nicht mehr verbraucht; kein Volumenstrom "
                              "erreicht ihn.");
            }
            tau = u * a0 / -rA;
            if (!single) {
                secondBalance(kin, c0, tau, c);
            }
        }
        if (in.choice == CstrInputChoice::ConversionAndFlow) {
            out.volume = tau * in.flow;
        } else {
            out.flow = in.volume / tau;
        }
    } else if (model == 4 || model == 12) {
        const double k1 = kin.k[1], k2 = kin.k[2], p0 = c0[kSlotP];
        double xi = 0.0;
        const double alpha = model == 4 ? k1 : k1 - 4.0 * k2;
        const double linear =
            model == 4 ? -k1 * a0 - k1 * b0 - 1.0 / tau : -k1 * a0 - k1 * b0 - 4.0 * k2 * p0 - 1.0 / tau;
        const double constant = model == 4 ? k1 * a0 * b0 : k1 * a0 * b0 - k2 * p0 * p0;
        if (alpha == 0.0) {
            // k1 = 4·k2: the balance of model 12 is linear in the extent.
            xi = -constant / linear;
        } else {
            const double p = linear / alpha, q = constant / alpha;
            const double discriminant = p * p / 4.0 - q;
            if (!(discriminant > 0.0)) {
                return failed(out, "Die Bilanzgleichung hat keine reelle Lösung.");
            }
            const double root = std::sqrt(discriminant);
            const double x1 = -p / 2.0 + root, x2 = -p / 2.0 - root;
            // The extent cannot exceed the smaller of the inlet concentrations of A and B.
            xi = x1 > std::min(a0, b0) ? x2 : x1;
        }
        c[kSlotA] = a0 - xi;
        c[kSlotB] = nu[1][kSlotB] * xi + b0;
        c[kSlotP] = nu[1][kSlotP] * xi + c0[kSlotP];
        out.conversion = conversionOfA(a0, c[kSlotA]);
    } else {
        bool ok = false;
        if (isCoupled(model)) {
            ok = newtonOnA(kin, a0, tau, c,
                           [&](double x, SpeciesArray& cc) { closeCoupled(kin, c0, x, tau, cc); });
        } else {
            ok = newtonOnA(kin, a0, tau, c, [&](double x, SpeciesArray& cc) {
                closeByFirstReaction(nu, c0, x, cc);
                if (single) {
                    const double xi = (a0 - x) / -nuA;
                    cc[kSlotQ] = nu[1][kSlotQ] * xi + c0[kSlotQ];
                }
            });
            if (ok && !single) {
                secondBalance(kin, c0, tau, c);
            }
        }
        if (!ok) {
            return failed(out, "Die Iteration fand keinen stationären Zustand mit 0 <= U(A) <= 1.");
        }
        out.conversion = conversionOfA(a0, c[kSlotA]);
    }
    if (guard.failed()) {
        return failed(out, faultDescription(guard.fault()));
    }
    if (!allFinite(c) || !std::isfinite(out.conversion) || !std::isfinite(out.volume) ||
        !std::isfinite(out.flow) || !std::isfinite(out.residenceTime)) {
        return failed(out, faultDescription(FpFault::Overflow));
    }
    if (isCoupled(model) && !modelSpeciesNonNegative(model, c)) {
        return failed(out, "Der stationäre Zustand hätte negative Konzentrationen.");
    }
    return out;
}

std::string checkCstrInputs(const CstrInputs& in) {
    const int model = in.kinetics.model;
    const SpeciesArray& c0 = in.c0;
    const std::array<double, 4>& k = in.kinetics.k;
    const ReactorFieldVisibility visible = reactorFieldVisibility(model);
    std::string lines;
    auto add = [&](const char* line) {
        lines += line;
        lines += kLineBreak;
    };
    if (!(c0[kSlotA] > 0.0)) {
        add("- Eingangskonzentration für Stoff A angeben!");
    }
    if (!(c0[kSlotB] > 0.0)) {
        if (model == 4 || model == 7 || model == 9 || model == 12 || model == 13 || model == 18) {
            add("- Eingangskonzentration für Stoff B angeben!");
        } else if (isEnzymeKinetics(model)) {
            add("- Eingangskonzentration für Stoff S angeben!");
        }
    }
    if (isAutocatalytic(model) && !(c0[kSlotP] > 0.0)) {
        add("- für Autokatalyse muss ein (geringes) c(P)(0) gegeben sein, sonst springt die Reaktion nicht "
            "an");
    }
    if (!(k[1] > 0.0)) {
        add("- Geschwindigkeitskonstante k1 muss größer Null sein");
    }
    if (visible.k2 && !(k[2] > 0.0)) {
        add("- Geschwindigkeitskonstante k2 muss größer Null sein");
    }
    if (visible.k3 && !(k[3] > 0.0)) {
        add("- Geschwindigkeitskonstante k3 muss größer Null sein");
    }
    const int option = static_cast<int>(in.choice);
    if ((option == 0 || option == 1) && !(in.conversion > 0.0 && in.conversion < 1.0)) {
        add("- Der Umsatz muss (0 < U <= 1) sein.");
    }
    if ((option == 0 || option == 2 || option == 3) && !(in.volume > 0.0)) {
        add("- Das Reaktionsvolumen muss größer Null sein.");
    }
    if ((option == 1 || option == 2 || option == 4) && !(in.flow > 0.0)) {
        add("- Der Volumenstrom muss größer Null sein.");
    }
    if ((option == 3 || option == 4) && !(in.residenceTime > 0.0)) {
        add("- Die Zeitangabe muss größer Null sein.");
    }
    return lines;
}

CstrOutcome runCstr(const CstrInputs& in) {
    CstrOutcome out;
    const std::string lines = checkCstrInputs(in);
    if (!lines.empty()) {
        out.status = CstrOutcome::Status::Refused;
        out.messages.push_back({kNotPossibleTitleText, lines});
        return out;
    }
    if (givenConversion(in.choice)) {
        const ConversionLimitCheck limit =
            checkConversionLimit(in.kinetics.model, in.kinetics.k, in.c0, in.conversion, in.decimalSeparator);
        if (limit.refused) {
            out.status = CstrOutcome::Status::Refused;
            out.messages.push_back(limit.message);
            return out;
        }
    }
    out.result = CalcCstr(in);
    if (out.result.inputRefused) {
        out.status = CstrOutcome::Status::Refused;
        out.messages.push_back(out.result.message);
        return out;
    }
    if (out.result.calculationFailed) {
        out.status = CstrOutcome::Status::Failed;
        std::string text = kCalculationFailedText;
        if (!out.result.failureReason.empty()) {
            text += kLineBreak + out.result.failureReason;
        }
        out.messages.push_back({kNotPossibleTitleText, text});
        return out;
    }
    const CstrResult& r = out.result;
    out.extents = ComputeExtents(in.kinetics.model, in.kinetics.order, in.c0, r.conc);
    fillProtocolCommon(out.protocol, in.kinetics, in.c0, r.conc);
    out.protocol[kProtocolConversion] = r.conversion;
    out.protocol[kProtocolTime] = r.residenceTime;
    out.protocol[kProtocolVolume] = r.volume;
    out.protocol[kProtocolFlow] = r.flow;
    out.protocol[kProtocolKsi1] = out.extents[1];
    out.protocol[kProtocolKsi2] = out.extents[2];
    if (in.kinetics.model == 7 && r.conc[kSlotB] < 0.0) {
        out.messages.push_back({kFaultyResultTitle, kLowInletBText});
    }
    return out;
}

}  // namespace zemtral
