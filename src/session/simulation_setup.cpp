#include "session/simulation_setup.h"

#include <cmath>
#include <limits>

#include "core/model_catalogue.h"
#include "numeric/number_text.h"

namespace zemtral {
namespace {

constexpr float kSingleLargest = std::numeric_limits<float>::max();

}  // namespace

SimulationInputs simulationInputsFor(const WorkingState& state, char decimalSeparator) {
    SimulationInputs inputs;
    const std::string species = modelSpeciesMask(state.modelId, state.fittingMode);
    const std::string parameters = modelParameterMask(state.modelId, state.fittingMode);
    inputs.bVisible = species[1] == '1';
    inputs.k2Visible = parameters[1] == '1';
    inputs.k3Visible = parameters[2] == '1';
    for (int s = 1; s <= 5; ++s) {
        inputs.inp[static_cast<std::size_t>(s - 1)] =
            formatSingle(static_cast<float>(state.conc0[s]), decimalSeparator);
    }
    for (int j = 1; j <= 3; ++j) {
        inputs.inp[static_cast<std::size_t>(9 + j)] =
            formatSingle(static_cast<float>(state.rateConst[j]), decimalSeparator);
    }
    inputs.inp[14] = formatSingle(state.tEnd, decimalSeparator);
    return inputs;
}

void readSimulationInputs(const SimulationInputs& inputs, WorkingState& state) {
    for (int s = 1; s <= 5; ++s) {
        state.conc0[s] = parseNumber(inputs.inp[static_cast<std::size_t>(s - 1)]);
    }
    for (int j = 1; j <= 3; ++j) {
        state.rateConst[j] = parseNumber(inputs.inp[static_cast<std::size_t>(9 + j)]);
    }
    state.tEnd = toSingle(parseNumber(inputs.inp[14]));
    state.intervalCount = 200;
}

std::vector<std::string> simulationInputProblems(SimulationCommand command, const WorkingState& state,
                                                 int diagramKind, const SimulationInputs& inputs) {
    std::vector<std::string> lines;
    const auto& c0 = state.conc0;
    const auto& k = state.rateConst;
    const bool list = command == SimulationCommand::List;
    // Start values and constants are shown and stored as 4-byte numbers: a typed number beyond that
    // range (1e400 reads as infinity) is named as such instead of failing later in the engine.
    const std::string tooLarge = " zu groß (höchstens " + formatSingle(kSingleLargest) + ")";
    for (int s = 1; s <= 5; ++s) {
        if (std::abs(c0[s]) > kSingleLargest) {
            lines.push_back("- Anfangskonzentration c(" + std::string(speciesName(state.modelId, s)) +
                            ")(0)" + tooLarge);
        }
    }
    for (int j = 1; j <= 3; ++j) {
        if (std::abs(k[j]) > kSingleLargest) {
            lines.push_back("- Geschwindigkeitskonstante k" + std::to_string(j) + tooLarge);
        }
    }
    if (!(c0[kSlotA] > 0.0)) {
        lines.emplace_back("- noch keine Eingabe einer Anfangskonzentration c(A)(0)");
    }
    if (inputs.bVisible && !(c0[kSlotB] > 0.0)) {
        lines.emplace_back(isEnzymeKinetics(state.modelId)
                               ? "- noch keine Eingabe einer Anfangskonzentration c(S)(0)"
                               : "- noch keine Eingabe einer Anfangskonzentration c(B)(0)");
    }
    if (isAutocatalytic(state.modelId) && !(c0[kSlotP] > 0.0)) {
        lines.emplace_back(
            list ? "- für Autokatalyse muss eine (geringe) Anfangskonzentration für P gegeben sein"
                 : "- für Autokatalyse muss ein (geringes) c(P)(0) gegeben sein, sonst springt "
                   "die Reaktion nicht an ");
    }
    if (diagramKind == simulationDiagramKind(kNthOrderModelId, false) && state.reactionOrder < 0.0f) {
        lines.emplace_back("- nur n > 0 erlaubt");
    }
    // The order and the time are 4-byte values: a typed number beyond their range cannot be held.
    if (diagramKind == simulationDiagramKind(kNthOrderModelId, false) && std::isinf(state.reactionOrder)) {
        lines.emplace_back("- Reaktionsordnung n zu groß (höchstens " + formatSingle(kSingleLargest) + ")");
    }
    if (!(state.tEnd > 0.0f)) {
        lines.emplace_back("- Zeit-Vorgabe nicht in Ordnung");
    } else if (std::isinf(state.tEnd)) {
        lines.emplace_back("- Zeit-Vorgabe zu groß (höchstens " + formatSingle(kSingleLargest) + ")");
    }
    if (!(k[1] > 0.0)) {
        lines.emplace_back("- Geschwindigkeitskonstante k1 muss größer Null sein");
    }
    const bool checkK2 =
        list ? inputs.k2Visible : (state.fittingMode == kFittingRateConstants && inputs.k2Visible);
    if (checkK2 && !(k[2] > 0.0)) {
        lines.emplace_back("- Geschwindigkeitskonstante k2 muss größer Null sein");
    }
    if (inputs.k3Visible && !(k[3] > 0.0)) {
        lines.emplace_back("- Geschwindigkeitskonstante k3 muss größer Null sein");
    }
    return lines;
}

std::string problemText(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string modelLabelText(const WorkingState& state, char decimalSeparator) {
    std::string text = "kinet. Modell:  " + modelDisplayText(state.modelId);
    if (hasReactionOrder(state.modelId)) {
        text += " (n = " + formatNumber(state.reactionOrder, "0.00", decimalSeparator) + ")";
    }
    return text;
}

void updateMichaelisConstant(WorkingState& state) {
    if (state.rateConst[1] > 0.0) {
        state.mmSettings.km =
            static_cast<float>((state.rateConst[2] + state.rateConst[3]) / state.rateConst[1]);
    }
}

std::string michaelisLabelText(const WorkingState& state, char decimalSeparator) {
    if (!(state.rateConst[1] > 0.0)) {
        return "";
    }
    const double km = (state.rateConst[2] + state.rateConst[3]) / state.rateConst[1];
    return "Michaelis-Konstante KM = (k< + k3) / k> =" +
           formatSingle(static_cast<float>(km), decimalSeparator) +
           "\r\n(reale Größenordnung KM = 1E-2...1E-5)";
}

}  // namespace zemtral
