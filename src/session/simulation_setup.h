#pragma once
// The checks and texts of the simulation set-up window, apart from its widgets.
#include <array>
#include <string>
#include <vector>

#include "core/working_state.h"

namespace zemtral {

enum class SimulationCommand { Draw, List };

/// @brief The texts of the set-up window's input fields inp(0..14) (5..9 and 13 unused) and which
/// of the optional inputs are visible for the model.
struct SimulationInputs {
    std::array<std::string, 15> inp;
    bool bVisible = false;   ///< inp(1): c0(B), c0(S) in model 10
    bool k2Visible = false;  ///< inp(11)
    bool k3Visible = false;  ///< inp(12)
};

/// @brief Fills the visibility flags from the model's species and parameter masks and the input
/// texts from the working state (each as single-precision text with `decimalSeparator`), as the model
/// window does.
SimulationInputs simulationInputsFor(const WorkingState& state, char decimalSeparator = '.');

/// @brief Reads c0(A..Q), k(1..3) and tEnd from the texts (numeric value, comma as point, empty = 0)
/// into the state; intervalCount = 200.
void readSimulationInputs(const SimulationInputs& inputs, WorkingState& state);

/// @brief The problem lines of the draw or list command, in order, each starting with "- ".
/// `diagramKind` is the current diagram kind (the order check applies to kind 20).
std::vector<std::string> simulationInputProblems(SimulationCommand command, const WorkingState& state,
                                                 int diagramKind, const SimulationInputs& inputs);

/// @brief Problem lines joined into one message text, each line followed by CR LF.
std::string problemText(const std::vector<std::string>& lines);

/// @brief "kinet. Modell:  " + model text, for model 20 followed by " (n = " n "0.00" ")".
std::string modelLabelText(const WorkingState& state, char decimalSeparator = '.');

/// @brief The Michaelis-constant label after a rate-constant change; empty when k(1) <= 0.
std::string michaelisLabelText(const WorkingState& state, char decimalSeparator = '.');

/// @brief KM = (k(2) + k(3))/k(1) stored in the MM settings when k(1) > 0.
void updateMichaelisConstant(WorkingState& state);

}  // namespace zemtral
