#pragma once
// The axis window of the current diagram and the table of axis windows last used per family.
#include <array>
#include <string>

#include "core/engine.h"
#include "core/working_state.h"
#include "data/exp_data_set.h"
#include "diagrams/diagram_kind.h"

namespace zemtral {

/// @brief The axis window and texts of the current diagram.
struct DiagramFrame {
    float xMin = 0.0f;
    float yMin = 0.0f;
    float xMax = 0.0f;
    float yMax = 0.0f;
    std::string xCaption;
    std::string yCaption;
    std::string title;
};

/// @brief Slots of the axis-range table (lower/upper pairs; Wilkinson and ln(c(A)/c(B)) keep
/// the upper bound first).
enum AxisSlot : int {
    kSlotTimeLower = 0,
    kSlotTimeUpper = 1,
    kSlotConcLower = 2,
    kSlotConcUpper = 3,
    kSlotRateLower = 4,
    kSlotRateUpper = 5,
    kSlotTemperatureLower = 6,
    kSlotTemperatureUpper = 7,
    kSlotKLower = 8,
    kSlotKUpper = 9,
    kSlotInverseTLower = 10,
    kSlotInverseTUpper = 11,
    kSlotLnKLower = 12,
    kSlotLnKUpper = 13,
    kSlotLnKTLower = 14,
    kSlotLnKTUpper = 15,
    kSlotLnCALower = 16,
    kSlotLnCAUpper = 17,
    kSlotInverseCALower = 18,
    kSlotInverseCAUpper = 19,
    kSlotWilkinsonUpper = 20,
    kSlotWilkinsonLower = 21,
    kSlotLnCACBUpper = 22,
    kSlotLnCACBLower = 23,
    kSlotLambdaFirstLower = 24,
    kSlotLambdaFirstUpper = 25,
    kSlotLambdaSecondLower = 26,
    kSlotLambdaSecondUpper = 27,
    kSlotNormalisedRateLower = 28,
    kSlotNormalisedRateUpper = 29,
    kSlotS0Lower = 30,
    kSlotS0Upper = 31,
};

/// @brief 32 axis bounds [unit of the axis], 0 in every slot until a run or an evaluation fills them.
using AxisRangeTable = std::array<float, 32>;

/// @brief Copies the slots of `kind` into XMin..YMax of `frame`. The y window of −4 is widened by
/// 1 at each end; the Michaelis-Menten display of model 10 gets its fixed window (x 0..20 when
/// normalised by KM, else 0..S(0),max; y 0..1). Reads mmMode, modelId and mmSettings of `state`.
/// The residual plot (−12) has no slots: its frame stays as its command set it.
void RestoreAxisRange(DiagramKind kind, const AxisRangeTable& table, const WorkingState& state,
                      DiagramFrame& frame);

/// @brief Writes XMin..YMax of `frame` into the slots of `kind` (the reverse of RestoreAxisRange,
/// without the widening of −4). Afterwards fitting mode 6 sets slot 3 to 1, mode 7 to c0(A).
/// The residual plot (−12) stores nothing.
void StoreAxisRange(DiagramKind kind, const DiagramFrame& frame, const WorkingState& state,
                    AxisRangeTable& table);

/// @brief For a negative kind recomputes the time, concentration, temperature, k, 1/T, ln k,
/// ln(k/T), ln c(A), 1/c(A), Wilkinson and ln(c(A)/c(B)) ranges from the measured points, each
/// widened by a twentieth of its span; other kinds change nothing. Reads fittingMode and c0(A).
void AutoRangeFromData(DiagramKind kind, const ExpDataSet& data, const WorkingState& state,
                       AxisRangeTable& table);

/// @brief After a run that found new ranges: its time, concentration and rate windows into slots
/// 0 to 5, so that the next concentration-time or rate-time diagram shows the whole run.
void storeEngineAxisRanges(const SimulationResult& result, AxisRangeTable& table);

}  // namespace zemtral
