#pragma once
// The isothermal plug-flow tube with a constant-volume reaction: a fluid element reacts like the
// batch reactor during its residence time t = l/v.
#include <cstdint>
#include <string>
#include <vector>

#include "core/species.h"
#include "reactors/batch_reactor.h"
#include "reactors/reactor_common.h"

namespace zemtral {

/// @brief "Vorgabe einer Größe" of the tube.
enum class TubeInputChoice : std::int16_t { ReactionTime = 0, Length = 1, Conversion = 2 };

/// @brief The input fields of the tube's "Berechnen" as numbers.
struct TubeInputs {
    ReactorKinetics kinetics;
    SpeciesArray c0{};          ///< fields 0-4, inlet [mol/l]
    double conversion = 0.0;    ///< field 13, U(A) [1]
    double reactionTime = 0.0;  ///< field 14 [time unit]
    double length = 0.0;        ///< field 15, l [m]
    double velocity = 0.0;      ///< field 16, v [m per time unit]
    TubeInputChoice choice = TubeInputChoice::ReactionTime;
    char decimalSeparator = '.';
};

/// @brief The tube's search for the time of a given conversion: start 5, probe 5/10000,
/// tolerance 1e-6, convergence within 99 iterations.
TimeSearchSettings tubeTimeSearch();

/// @brief The collected "- ..." lines of "Berechnen" (each ending with a line break).
std::string checkTubeInputs(const TubeInputs& inputs);

/// @brief Outcome of the tube's "Berechnen" after the checks.
struct TubeOutcome {
    enum class Status { Ok, Refused, NumericalFailure, IterationFailed };
    Status status = Status::Ok;
    std::vector<ReactorMessage> messages;  ///< in the order they are shown
    SpeciesArray conc{};                   ///< outlet [mol/l]
    double reactionTime = 0.0;             ///< t = l/v [time unit]
    double length = 0.0;                   ///< l [m]
    double conversion = 0.0;               ///< U(A) [1]
    ExtentsOfReaction extents{};
    ReactorProtocolValues protocol{};  ///< entries 1-16 (16 = l), 19-20 ksi; V, V* stay 0
};

/// @brief "Berechnen" without the window: option 0 l = v·t, option 1 t = l/v, option 2 the time
/// search and l = t·v; CalcBatchKessel with t; extents and the protocol row.
TubeOutcome runTubeReactor(const TubeInputs& inputs);

}  // namespace zemtral
