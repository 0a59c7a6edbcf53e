#pragma once
// Helpers of the reactor tests: an independent reference integration and the parameter sets
// used for every model.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/model_catalogue.h"
#include "core/rate_laws.h"
#include "core/species.h"
#include "reactors/reactor_common.h"

namespace zemtral::test {

/// @brief Every model of the catalogue.
inline std::vector<std::int16_t> allModels() {
    return {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 20};
}

/// @brief Constants and initial concentrations that make every model react noticeably within
/// a few time units; concentrations above 1 mol/l on purpose (root choices).
struct ModelCase {
    ReactorKinetics kinetics;
    SpeciesArray c0{};
};

inline ModelCase caseFor(std::int16_t model) {
    ModelCase mc;
    mc.kinetics.model = model;
    mc.kinetics.order = 1.5;
    mc.kinetics.k = {0.0, 0.3, 0.1, 0.05};
    mc.c0 = {0.0, 2.0, 0.0, 0.0, 0.0, 0.0};
    const std::string species = modelSpeciesMask(model);
    if (species[1] == '1') {
        mc.c0[kSlotB] = 3.0;
    }
    switch (model) {
        case 1:
            mc.kinetics.k[1] = 0.05;
            break;
        case 5:
        case 16:
            mc.c0[kSlotP] = 0.05;
            break;
        case 8:
            mc.kinetics.k = {0.0, 0.4, 0.1, 0.0};
            mc.c0[kSlotP] = 0.3;
            break;
        case 10:
            mc.c0 = {0.0, 0.2, 2.0, 0.0, 0.0, 0.0};
            mc.kinetics.k = {0.0, 1.0, 0.2, 0.3};
            break;
        case 12:
            mc.kinetics.k = {0.0, 0.3, 0.02, 0.0};
            mc.c0[kSlotP] = 0.1;
            break;
        case 17:
            mc.kinetics.k = {0.0, 0.3, 0.05, 0.0};
            mc.c0[kSlotP] = 0.2;
            break;
        default:
            break;
    }
    return mc;
}

/// @brief Fixed-step classical Runge-Kutta over [0, t] with many steps: an oracle that shares
/// nothing with the reactor code but the rate laws.
inline SpeciesArray referenceIntegration(const ReactorKinetics& kin, const SpeciesArray& c0, double t,
                                         int steps = 20000) {
    SpeciesArray y = c0;
    const double h = t / steps;
    auto f = [&](const SpeciesArray& c) { return RateLaws(kin.model, c, kin.k, kin.order); };
    for (int i = 0; i < steps; ++i) {
        SpeciesArray a = f(y), tmp{};
        for (int s = 1; s <= 5; ++s)
            tmp[s] = y[s] + 0.5 * h * a[s];
        SpeciesArray b = f(tmp);
        for (int s = 1; s <= 5; ++s)
            tmp[s] = y[s] + 0.5 * h * b[s];
        SpeciesArray c = f(tmp);
        for (int s = 1; s <= 5; ++s)
            tmp[s] = y[s] + h * c[s];
        SpeciesArray d = f(tmp);
        for (int s = 1; s <= 5; ++s)
            y[s] += h * (a[s] + 2 * b[s] + 2 * c[s] + d[s]) / 6.0;
    }
    return y;
}

/// @brief True for the slots the model works on.
inline bool hasSpecies(std::int16_t model, int slot) {
    return modelSpeciesMask(model)[static_cast<std::size_t>(slot - 1)] == '1';
}

}  // namespace zemtral::test
