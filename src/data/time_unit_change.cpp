#include "data/time_unit_change.h"

#include "core/time_units.h"

namespace zemtral {

void SetTimeUnit(WorkingState& state, ExpDataSet& data, int newIndex, std::optional<int> oldIndex) {
    if (newIndex < 0 || newIndex >= kTimeUnitCount) {
        return;
    }
    state.timeUnit = std::string(timeUnitText(newIndex));
    state.timeUnitIndex = static_cast<std::int16_t>(newIndex);
    data.timeUnit = state.timeUnit;
    if (!oldIndex || *oldIndex == newIndex || *oldIndex < 0 || *oldIndex >= kTimeUnitCount) {
        return;
    }
    const double factor = timeUnitFactor(newIndex, *oldIndex);
    for (std::size_t i = 1; i < data.points.size(); ++i) {
        data.points[i].t *= factor;
    }
    for (int j = 1; j <= 3; ++j) {
        state.rateConst[j] /= factor;
    }
}

}  // namespace zemtral
