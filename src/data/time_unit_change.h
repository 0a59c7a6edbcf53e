#pragma once
// Changing the time unit: the data-set times and the rate constants follow the new unit.
#include <optional>

#include "core/working_state.h"
#include "data/exp_data_set.h"

namespace zemtral {

/// @brief Makes index 0..4 ("s", "min", "h", "d", "a") the time unit of the working state and of
/// the data set. When an old index is given and differs, every point time is multiplied by
/// factor(new, old) and k(1..3) are divided by it; tEnd is not converted. Indices outside 0..4
/// are ignored.
void SetTimeUnit(WorkingState& state, ExpDataSet& data, int newIndex,
                 std::optional<int> oldIndex = std::nullopt);

}  // namespace zemtral
