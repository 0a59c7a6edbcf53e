#pragma once
// The shared diagram state: what every diagram computation sets before the diagram window draws.
#include <array>
#include <cstdint>

#include "diagrams/axis_range.h"
#include "diagrams/curve_buffer.h"
#include "diagrams/species_masks.h"

namespace zemtral {

/// @brief Diagram state alive from start-up to exit (the diagram window itself may come and go).
struct DiagramState {
    DiagramFrame frame;            ///< axis window and texts of the current diagram
    AxisRangeTable axisRanges{};   ///< axis windows last used per family of diagrams
    std::int16_t seriesCount = 0;  ///< curves still to be drawn by the draw command
    SpeciesMasks masks;            ///< masks of the current model or kind
    CurveBuffer curveBuffer;       ///< through which every computed curve reaches the chart
    std::int16_t curveCount = 0;   ///< CurveCount: curves in the diagram window (at most 24)
    /// Free flags of the curve slots 1..24 (element 0 unused); reset when CurveCount is 0.
    std::array<bool, 25> freeCurveSlots{};
    int pointsPerCurve = 200;  ///< "berechnete Punkte pro Kurve " of the resolution slider
    /// XMax of the axis window when the last curve was drawn: the single-point calculator reads
    /// the simulation no further [time unit].
    float lastCurveXMax = 0.0f;
};

}  // namespace zemtral
