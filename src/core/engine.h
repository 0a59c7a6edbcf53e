#pragma once
// The simulation engine: concentration-time and rate-time tables on 201 points, axis ranges,
// half-lives and the splines behind ConcAtTime.
#include <array>
#include <cstdint>
#include <functional>
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
/// Only the points 0..pointCount−1 are valid. Slots outside the model's species mask hold the
/// constant initial concentration and rate 0 (the model does not touch them).
struct SimulationResult {
    std::int16_t model = 0;
    bool michaelisMenten = false;                ///< the run tabulated r(P)/r(P),max over S(0)
    int pointCount = 0;                          ///< stored grid points (201 for a normal run)
    std::vector<double> simTime;                 ///< t(i) [time unit]; S(0) values in MM mode
    std::array<std::vector<double>, 6> simConc;  ///< [slot][i] c at t(i) [mol/l]; slot 0 unused
    std::array<std::vector<float>, 6> simRate;   ///< [slot][i] r at t(i); MM mode: rP = r/rmax
    std::string speciesMask = "00000";           ///< slots whose curves carry meaning
    std::array<AkimaCoefficients, 6> splines;    ///< per slot, numerical models only (else n = 0)
    bool rangesUpdated = false;                  ///< false while a fitting mode is active or on a fault
    EngineAxisRanges ranges;
    /// Grid point from which a stiff run went on with the implicit method; −1 when the run took
    /// the Runge-Kutta steps throughout (every closed-form and every non-stiff run).
    int implicitFrom = -1;
};

/// @brief Steps a run may take before it is given up (Runge-Kutta sub-steps plus implicit
/// steps): about a second of work. Ordinary runs need a few thousand; stiff runs on the
/// implicit path a few thousand more.
inline constexpr long kEngineStepBudget = 4'000'000;

/// @brief Limits of one run: the step budget and a hook through which a window can stop it.
struct EngineControl {
    long stepBudget = kEngineStepBudget;
    std::function<bool()> keepGoing;  ///< asked every few thousand steps; false stops the run
};

/// @brief Outcome of a run: errorFlag 0, or −1 with the description (message) that the caller
/// shows in a critical message box under `title` = "Meldung von calc_diagramfunctioncT".
struct EngineStatus {
    std::int16_t errorFlag = 0;
    std::string message;
    std::string title;
    bool cancelled = false;  ///< the control's keepGoing hook stopped the run (errorFlag −1)
};

/// @brief Runs model `model` from the working state (k, c0, n, tEnd, mmMode, mmSettings,
/// fittingMode, smoothingExponent). Sets intervalCount (200), timeStep (tEnd/200 on the
/// closed-form path, the last Runge-Kutta sub-step width on the numerical path), curConc (the
/// last valid point), halfLifeA and halfLifeB (reset to 0 first; found on the numerical path).
/// The axis ranges are computed only while fittingMode is 0. On an arithmetic fault the run
/// stops: errorFlag −1, pointCount = points computed before the fault, no splines, no ranges.
/// A numerical run that turns out to be stiff finishes with the implicit method (timeStep then
/// holds its last step width); one that would exceed the control's step budget, or that the
/// control's hook stops, ends in the same way as a fault (the budget's message names the
/// constants that make the model stiff).
EngineStatus calc_diagramfunctioncT(std::int16_t model, WorkingState& state, SimulationResult& result,
                                    const EngineControl& control = {});

/// @brief Concentrations c(1..5) at time t [time unit]: closed forms for the closed-form models,
/// the splines of the last run (`last`) for the numerical models (slots of the model's mask;
/// the others keep c0). For model 10 in Michaelis-Menten mode nothing is computed (all zeros).
/// errorFlag is set to 0, or to −1 on an arithmetic fault or when `last` holds no run of `model`.
SpeciesArray ConcAtTime(std::int16_t model, double t, const WorkingState& state, const SimulationResult& last,
                        std::int16_t& errorFlag);

/// @brief Time at which the line through (t0, c0) and (t1, c1) reaches y:
/// @f$ t_1 + (y - c_1)(t_0 - t_1)/(c_0 - c_1) @f$; t1 when c0 = c1 (no crossing is defined).
float InterpolateTime(double y, double t1, double c1, double t0, double c0);

/// @brief True for the models whose c(t) is a closed form (1-6, 8, 11, 12, 16, 17).
bool hasClosedForm(int model);

/// @brief The closed-form concentrations of a closed-form model at time t [time unit] for the
/// constants k(1..3) and initial concentrations c0(1..5); slots the model does not touch keep c0.
/// Model 1 clamps c(A) at 0, model 6 shifts k2 by 1e-12, model 12 replaces q = k> − 4·k< = 0 by
/// 1e-8. The values may be NaN or infinite for impossible parameters; callers guard the call.
SpeciesArray closedFormConc(int model, double t, const std::array<double, 4>& k, const SpeciesArray& c0);

}  // namespace zemtral
