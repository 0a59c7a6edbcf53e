#pragma once
// The stoichiometric matrix of the selected model: reactions j = 1..3 by species slots s = 1..5.
#include <array>

namespace zemtral {

/// @brief ν(j, s), 1-based in both indices (row 0 and column 0 unused): negative for consumed,
/// positive for formed species.
using StoichMatrix = std::array<std::array<float, 6>, 4>;

/// @brief The matrix of model `modelId`; n is the order of model 20 (A −n, P +1).
StoichMatrix BuildStoichMatrix(int modelId, float order);

}  // namespace zemtral
