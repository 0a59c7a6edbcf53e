#include "reactors/reactor_common.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/half_life.h"
#include "core/model_catalogue.h"
#include "numeric/number_text.h"

namespace zemtral {

ReactorFieldVisibility reactorFieldVisibility(int model) {
    ReactorFieldVisibility v;
    const std::string species = modelSpeciesMask(model);
    for (int s = 1; s <= kSlotCount; ++s) {
        v.species[static_cast<std::size_t>(s)] = species[static_cast<std::size_t>(s - 1)] == '1';
    }
    const std::string parameters = modelParameterMask(model);
    v.k2 = parameters[1] == '1';
    v.k3 = parameters[2] == '1';
    return v;
}

StoichMatrix reactorStoichiometry(int model, double order) {
    StoichMatrix nu = BuildStoichMatrix(model, static_cast<float>(order));
    if (hasReactionOrder(model)) {
        nu[1][kSlotA] = -1.0f;
    }
    return nu;
}

ExtentsOfReaction ComputeExtents(int model, double order, const SpeciesArray& c0, const SpeciesArray& c) {
    ExtentsOfReaction ksi{};
    const StoichMatrix nu = reactorStoichiometry(model, order);
    const double nuA = nu[1][kSlotA];
    if (nuA != 0.0) {
        ksi[1] = -(c0[kSlotA] - c[kSlotA]) / nuA;
    }
    switch (model) {
        case 6:
        case 9:
        case 10:
        case 13:
        case 14:
        case 15:
        case 18:
            ksi[2] = c[kSlotP] - c0[kSlotP];
            break;
        case 7:
            // C is formed by the first reaction and used by the second: ksi(2) = ksi(1) − (cC − c0).
            ksi[1] = c0[kSlotB] - c[kSlotB];
            ksi[2] = ksi[1] - (c[kSlotC] - c0[kSlotC]);
            break;
        case 11:
            ksi[1] = c[kSlotP] - c0[kSlotP];
            ksi[2] = c[kSlotQ] - c0[kSlotQ];
            break;
        default:
            break;
    }
    return ksi;
}

double conversionOfA(double a0, double cA) {
    return a0 != 0.0 ? (a0 - cA) / a0 : 0.0;
}

FillColour conversionColour(double conversion) {
    const double u = std::isfinite(conversion) ? std::clamp(conversion, 0.0, 1.0) : 0.0;
    FillColour colour;
    colour.red = static_cast<int>(std::lround((1.0 - u) * 255.0));
    colour.green = 255;
    colour.blue = static_cast<int>(std::lround(u * 255.0));
    return colour;
}

std::string reactorSchemeLabel(int model, double order, char decimalSeparator) {
    std::string label = "kinet. Modell:  " + modelDisplayText(model);
    if (hasReactionOrder(model)) {
        label += " (n = " + formatNumber(order, "0.00", decimalSeparator) + ")";
    }
    return label;
}

ConversionLimit equilibriumConversionLimit(int model, const std::array<double, 4>& k,
                                           const SpeciesArray& c0) {
    ConversionLimit limit;
    if (!isSingleEquilibrium(model)) {
        return limit;
    }
    const double a0 = c0[kSlotA], b0 = c0[kSlotB], p0 = c0[kSlotP];
    if (a0 <= 0.0 || k[1] <= 0.0 || k[2] <= 0.0) {
        limit.status = ConversionLimit::Status::NumericalError;
        return limit;
    }
    const double K = k[1] / k[2];
    limit.status = ConversionLimit::Status::Limited;
    if (model == 8) {
        limit.maxConversion = (K * a0 - p0) / (K + 1.0) / a0;
        return limit;
    }
    double p = 0.0, q = 0.0;
    if (model == 12) {
        if (K == 4.0) {
            // The quadratic term vanishes: (K − 4)·x² − (K·a0 + K·b0 + 4·p0)·x + K·a0·b0 − p0² = 0.
            limit.maxConversion = (4.0 * a0 * b0 - p0 * p0) / (4.0 * (a0 + b0 + p0)) / a0;
            return limit;
        }
        p = (K * a0 + 4.0 * p0 + K * b0) / (4.0 - K);
        q = (p0 * p0 - K * a0 * b0) / (4.0 - K);
    } else {
        p = -a0 - b0 - 1.0 / K;
        q = b0 * a0 - p0 / K;
    }
    const double discriminant = p * p / 4.0 - q;
    if (!(discriminant >= 0.0)) {
        limit.status = ConversionLimit::Status::NumericalError;
        return limit;
    }
    // The root that is a possible extent (0 <= x <= min(a0, b0), or the backward extent when P
    // was present from the start), as the half-life routines choose it.
    const std::optional<double> x = equilibriumExtent(model, a0, b0, p0, k[1], k[2]);
    if (!x) {
        limit.status = ConversionLimit::Status::NumericalError;
        return limit;
    }
    limit.maxConversion = *x / a0;
    return limit;
}

std::string conversionLimitText(double maxConversion, char decimalSeparator) {
    return "- der Vorgabe-Umsatz U(A) kann bei dieser Gleichgewichtsreaktion\r\n"
           "  mit den gegebenen Anfangskonzentrationen nicht erreicht werden.\r\n\r\n"
           "  (U(A)(max) = " +
           formatNumber(maxConversion, "0.000#", decimalSeparator) + ")";
}

ConversionLimitCheck checkConversionLimit(int model, const std::array<double, 4>& k, const SpeciesArray& c0,
                                          double conversion, char decimalSeparator) {
    ConversionLimitCheck check;
    const ConversionLimit limit = equilibriumConversionLimit(model, k, c0);
    switch (limit.status) {
        case ConversionLimit::Status::NotApplicable:
            break;
        case ConversionLimit::Status::NumericalError:
            check.refused = true;
            check.message = {kNotPossibleTitleText, kEquilibriumNumericalErrorText};
            break;
        case ConversionLimit::Status::Limited:
            if (conversion > limit.maxConversion) {
                check.refused = true;
                check.message = {kNoExecutionTitle,
                                 conversionLimitText(limit.maxConversion, decimalSeparator)};
            }
            break;
    }
    return check;
}

void fillProtocolCommon(ReactorProtocolValues& row, const ReactorKinetics& kin, const SpeciesArray& c0,
                        const SpeciesArray& conc) {
    const ReactorFieldVisibility visible = reactorFieldVisibility(kin.model);
    for (int s = 1; s <= kSlotCount; ++s) {
        if (visible.species[static_cast<std::size_t>(s)]) {
            row[static_cast<std::size_t>(kProtocolInitialA + s - 1)] = c0[s];
            row[static_cast<std::size_t>(kProtocolFinalA + s - 1)] = conc[s];
        }
    }
    row[kProtocolK1] = kin.k[1];
    row[kProtocolK1 + 1] = visible.k2 ? kin.k[2] : 0.0;
    row[kProtocolK1 + 2] = visible.k3 ? kin.k[3] : 0.0;
}

bool allFinite(const SpeciesArray& c) {
    return std::all_of(c.begin(), c.end(), [](double v) { return std::isfinite(v); });
}

}  // namespace zemtral
