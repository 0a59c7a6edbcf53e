#pragma once
// The single-point calculator "  Einzelpunkt-Rechner" of the diagram window apart from its
// widgets: the concentrations of the last simulation at a typed time.
#include <array>
#include <optional>
#include <string>

#include "core/working_state.h"
#include "session/session.h"
#include "session/user_dialogs.h"

namespace zemtral {

/// @brief Captions of the result labels 1..5: "c(A)" .. "c(Q)", for model 10 "c(E)", "c(S)",
/// "c(ES)", "c(P)", "c(Q)" (element 0 unused).
std::array<std::string, 6> singlePointCaptions(int modelId);

/// @brief Result label d is shown when the species mask marks slot d with "1" (element 0 unused).
std::array<bool, 6> singlePointVisible(const std::string& speciesMask);

/// @brief "Berechnen": the concentrations c(1..5) of the last simulation at the typed time. A
/// time below 0 or beyond the time axis end of the last curve drawing, or a simulation that has
/// no values there, gives a beep and nothing.
std::optional<SpeciesArray> calculateSinglePoint(Session& session, const std::string& timeText,
                                                 UserDialogs& dialogs);

}  // namespace zemtral
