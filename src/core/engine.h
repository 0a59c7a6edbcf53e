#pragma once
// The simulation engine: concentration-time and rate-time tables on 201 points, axis ranges,
// half-lives and the splines behind ConcAtTime.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/species.h"
#include "core/working_state.h"
#include "numeric/akima_spline.h"

namespace zemtral {

/// @brief The first six entries of the axis-range table that a run computes.
struct EngineAxisRanges {
    float tMin = 0, tMax = 0;  ///< [time unit]
    float cMin = 0, cMax = 0;  ///< [mol/l]
    float rMin = 0, rMax = 0;  ///< [mol/l per time unit]
};

/// @brief Result arrays of the last run, re-dimensioned in place by every run.
struct SimulationResult {
    std::int16_t model = 0;
    bool michaelisMenten = false;                ///< the run tabulated r(P)/r(P),max over S(0)
    int pointCount = 0;                          ///< stored grid points (201 for a normal run)
    std::vector<double> simTime;                 ///< t(i) [time unit]; S(0) values in MM mode
    std::array<std::vector<double>, 6> simConc;  ///< [slot][i] c at t(i) [mol/l]; slot 0 unused
    std::array<std::vector<float>, 6> simRate;   ///< [slot][i] r at t(i); MM mode: rP = r/rmax
    std::string speciesMask = "00000";           ///< slots whose curves carry meaning
    std::array<AkimaCoefficients, 6> splines;    ///< per slot, numerical models only
    bool rangesUpdated = false;                  ///< false while a fitting mode is active
    EngineAxisRanges ranges;
};

/// @brief Outcome of a run: errorFlag 0, or −1 with the description that the caller shows under
/// the title "Meldung von calc_diagramfunctioncT".
struct EngineStatus {
    std::int16_t errorFlag = 0;
    std::string message;
};

/// @brief Runs model `model` from the working state (k, c0, n, tEnd, mmMode, fittingMode,
/// smoothingExponent). Sets intervalCount, timeStep, curConc, halfLifeA and halfLifeB of the state.
EngineStatus calc_diagramfunctioncT(std::int16_t model, WorkingState& state, SimulationResult& result);

/// @brief Concentrations c(1..5) at time t [time unit]: closed forms for the closed-form models,
/// the splines of the last run (`last`) for the numerical models. errorFlag −1 on a fault.
SpeciesArray ConcAtTime(std::int16_t model, double t, const WorkingState& state, const SimulationResult& last,
                        std::int16_t& errorFlag);

/// @brief Time at which the line through (t0, c0) and (t1, c1) reaches y:
/// @f$ t_1 + (y - c_1)(t_0 - t_1)/(c_0 - c_1) @f$.
float InterpolateTime(double y, double t1, double c1, double t0, double c0);

}  // namespace zemtral
