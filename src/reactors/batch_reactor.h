#pragma once
// The isothermal, ideally mixed batch reactor: concentrations after a reaction time, the time
// that reaches a given conversion of A, and the input checks of its "Berechnen".
#include <cstdint>
#include <string>

#include "core/species.h"
#include "reactors/reactor_common.h"

namespace zemtral {

/// @brief Text of a numerical failure of CalcBatchKessel, shown under "Meldung von CalcBatchKessel".
inline constexpr const char* kBatchNumericalFailureText =
    "numerischer Fehler aufgetreten\r\nÜberprüfen Sie die die Eingabewerte";
inline constexpr const char* kBatchRoutineName = "CalcBatchKessel";

/// @brief Concentrations after the reaction time and the error flag (0, or −1 after a fault).
struct BatchKesselResult {
    std::int16_t errorFlag = 0;
    SpeciesArray conc{};  ///< c(A)..c(Q) at t [mol/l], slots 1..5
};

/// @brief Concentrations of the closed, isothermal vessel after time t [time unit of the
/// constants], starting from c0 [mol/l]. Closed forms for models 1-6, 8, 11, 12, 16, 17; the
/// others are integrated with the classical Runge-Kutta formula over 150 macro steps, each
/// refined by step doubling until every component agrees to 1 % (components below 1e-6 in sum
/// count as agreed). Arithmetic faults and non-finite results give errorFlag −1.
BatchKesselResult CalcBatchKessel(const ReactorKinetics& kinetics, double t, const SpeciesArray& c0);

/// @brief Settings of the secant search for the time of a given conversion.
struct TimeSearchSettings {
    double start = 5.0;       ///< first time tried [time unit]
    double probe = 0.005;     ///< step h of the difference quotient [time unit]
    double tolerance = 1e-5;  ///< stop when |δ/t| <= tolerance
    int maxIterations = 99;   ///< convergence must come within this many iterations
};

/// @brief The batch reactor's search: start 5, probe 5/1000, tolerance 1e-5, success only when it
/// converges before iteration 100.
TimeSearchSettings batchTimeSearch();

struct TimeSearchResult {
    enum class Status { Converged, NotConverged, NumericalFailure };
    Status status = Status::NotConverged;
    double time = 0.0;    ///< found t [time unit]
    SpeciesArray conc{};  ///< concentrations at the found t
    int iterations = 0;
};

/// @brief Finds t with U(A)(t) = conversion by a secant iteration with a fixed probe step:
/// f1 = U − U(t), f2 = U − U(t + h); δ = −f1·h/(f2 − f1); t = t + δ until |δ/t| <= tolerance; when
/// f1 = f2 the probe step is doubled. A step that would reach t <= 0 halves t instead, so that no
/// negative reaction time is ever computed.
TimeSearchResult findReactionTime(const ReactorKinetics& kinetics, const SpeciesArray& c0, double conversion,
                                  const TimeSearchSettings& settings);

/// @brief "Vorgabe einer Größe" of the batch reactor and the tube.
enum class BatchInputChoice : std::int16_t { ReactionTime = 0, Conversion = 1 };

/// @brief The input fields of the batch reactor's "Berechnen" as numbers.
struct BatchInputs {
    ReactorKinetics kinetics;
    SpeciesArray c0{};          ///< fields 0-4 [mol/l]
    double conversion = 0.0;    ///< field 13, U(A) [1]
    double reactionTime = 0.0;  ///< field 14 [time unit]
    BatchInputChoice choice = BatchInputChoice::ReactionTime;
    char decimalSeparator = '.';  ///< of the texts shown to the user
};

/// @brief The lines of the checks the batch reactor and the tube share: c(A)(0), c(B)(0) (c(S)(0)
/// for model 10) when the model has B, the autocatalysis start, k1 and the shown k2 and k3.
/// `k2Line` is the text of the k2 line (the tube words it without the "k2").
std::string concentrationAndConstantChecks(const ReactorKinetics& kinetics, const SpeciesArray& c0,
                                           const std::string& k2Line);

/// @brief The collected "- ..." lines (each ending with a line break) of "Berechnen"; empty when
/// the inputs can be computed. Visibility of c(B), k2 and k3 follows the model.
std::string checkBatchInputs(const BatchInputs& inputs);

/// @brief Outcome of the whole batch calculation after the input checks.
struct BatchOutcome {
    enum class Status { Ok, Refused, NumericalFailure, IterationFailed };
    Status status = Status::Ok;
    ReactorMessage message;       ///< what to show when not Ok
    SpeciesArray conc{};          ///< result concentrations [mol/l]
    double reactionTime = 0.0;    ///< given or found t [time unit]
    double conversion = 0.0;      ///< given or computed U(A) [1]
    ExtentsOfReaction extents{};  ///< ksi(1), ksi(2) [kmol/m^3]
    ReactorProtocolValues protocol{};
};

/// @brief The batch reactor's "Berechnen" without the window: checks, equilibrium limit, the
/// calculation or the time search, extents and the protocol row (entries 1-15 from the fields,
/// 19-20 the extents; fields the model does not show count 0).
BatchOutcome runBatchReactor(const BatchInputs& inputs);

}  // namespace zemtral
