#pragma once
// Rate laws of the kinetic models: dc/dt of every species slot.
#include <array>

#include "core/species.h"

namespace zemtral {

/// @brief Rates r(1..5) = dc/dt [mol/l per time unit] of model `model` for concentrations c(1..5)
/// and constants k(1..3); r(0) is 0. Model 19 and unknown ids give all zeros. `order` is n of
/// model 20, whose rates are 0 once c(A) <= 0 (no power of a negative number).
SpeciesArray RateLaws(int model, const SpeciesArray& c, const std::array<double, 4>& k, double order);

}  // namespace zemtral
