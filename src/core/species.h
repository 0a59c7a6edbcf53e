#pragma once
// Species slots shared by every per-species array of the program.
#include <array>

namespace zemtral {

/// @brief Species slots 1..5 = A, B, C, P, Q (model 10: E, S, ES, P). Index 0 carries no species.
enum Slot : int { kSlotA = 1, kSlotB = 2, kSlotC = 3, kSlotP = 4, kSlotQ = 5 };

inline constexpr int kSlotCount = 5;

/// @brief A per-species array of doubles, 1-based (element 0 unused) [mol/l].
using SpeciesArray = std::array<double, 6>;

}  // namespace zemtral
