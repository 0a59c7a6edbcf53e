#pragma once
// The text of the simulation result table: time and up to four concentrations or rates, or the
// Michaelis-Menten table.
#include <string>

#include "core/engine.h"
#include "core/working_state.h"

namespace zemtral {

/// @brief Builds the table text of the last run: a leading CR LF, the header line, one empty line
/// (two for the rate and Michaelis-Menten tables), then one line per grid point 0..intervalCount.
/// Every line holds six blanks and five tab-separated fields of exactly 14 characters; field 1 is
/// formatted "#####0.00", the others in the general single-precision format with the given decimal
/// separator; an empty column is 14 blanks.
std::string buildSimulationTable(const SimulationResult& result, const WorkingState& state,
                                 char decimalSeparator = '.');

/// @brief The species slots of the table columns 2..5 for a model; 0 = empty column.
std::array<int, 4> simulationTableColumns(int modelId);

}  // namespace zemtral
