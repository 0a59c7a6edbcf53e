#pragma once
// The working state every window reads and writes: the selected model, its constants, the
// initial concentrations, the time span and unit.
#include <array>
#include <cstdint>
#include <string>

#include "core/species.h"

namespace zemtral {

/// @brief Settings of the Michaelis-Menten diagram of model 10.
struct MichaelisMentenSettings {
    float km = 0.0f;         ///< Michaelis constant KM [mol/l]
    bool normalised = true;  ///< x axis normalised by KM (S(0)/KM from 0 to 20)
    float s0Max = 0.15f;     ///< largest S(0) when not normalised [mol/l]
};

/// @brief Fitting mode (0 none, 1 k fitting, 2 order fitting, 6/7 non-isothermal first/second order).
enum FittingModeValue : std::uint8_t {
    kFittingNone = 0,
    kFittingRateConstants = 1,
    kFittingOrder = 2,
    kFittingNonIsothermalFirst = 6,
    kFittingNonIsothermalSecond = 7,
};

/// @brief The shared working state. Start-up values are those before the model window applies
/// the defaults of model 2 (see startUpWorkingState()).
struct WorkingState {
    std::int16_t modelId = 2;
    std::array<double, 4> rateConst{0.0, 0.15, 0.0, 0.0};  ///< k(1..3) [per model]; k(0) unused
    SpeciesArray conc0{};                                  ///< c0(1..5) [mol/l]
    float reactionOrder = 1.5f;                            ///< n of model 20
    float tEnd = 0.0f;                                     ///< end of the time span [time unit]
    std::int16_t intervalCount = 200;                      ///< output intervals of a run
    double timeStep = 0.0;                                 ///< tEnd / intervalCount [time unit]
    std::string timeUnit = "s";                            ///< "s", "min", "h", "d" or "a"
    std::int16_t timeUnitIndex = 0;                        ///< 0..4
    SpeciesArray curConc{};                                ///< vector handed to RateLaws
    std::uint8_t fittingMode = kFittingNone;
    bool rateDiagram = false;  ///< the model choice was started by the rate-time command
    bool mmMode = false;       ///< Michaelis-Menten diagram/list requested
    MichaelisMentenSettings mmSettings;
    float halfLifeA = 0.0f;  ///< [time unit] from the last numerical run; 0 = none
    float halfLifeB = 0.0f;
    float smoothingExponent = 0.0f;   ///< Akima smoothing exponent q; 0 = none
    bool deleteOldCurves = true;      ///< "alte Kurven löschen" of the simulation set-up
    bool showMeasuredPoints = false;  ///< "mit exper. Punkten"
};

/// @brief What selecting a model decides beyond the working state.
struct ModelSelection {
    bool diagramKindChanged = false;  ///< only while fittingMode is 0
    std::int16_t diagramKind = 0;     ///< model id, or model id + 50 for a rate diagram
    bool orderBoxEnabled = false;     ///< true for model 20 only
};

/// @brief Applies the defaults of model `id` to the state and makes it the selected model.
ModelSelection applyModelDefaults(WorkingState& state, std::int16_t id);

/// @brief The state at start-up after the model window has selected model 2.
WorkingState startUpWorkingState();

}  // namespace zemtral
