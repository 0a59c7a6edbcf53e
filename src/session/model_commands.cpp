#include "session/model_commands.h"

#include <algorithm>

#include "core/model_catalogue.h"
#include "core/stoich_matrix.h"
#include "core/time_units.h"
#include "data/time_unit_change.h"
#include "numeric/number_text.h"
#include "session/project_commands.h"

namespace zemtral {
namespace {

constexpr std::int16_t kFittingStartKind = -9;

char decimalSeparator(const Session& session) {
    return session.decimalComma ? ',' : '.';
}

std::string singleText(const Session& session, double value) {
    return formatSingle(static_cast<float>(value), decimalSeparator(session));
}

}  // namespace

int modelForOption(int option) {
    return option == 0 ? kNthOrderModelId : option;
}

int optionForModel(int model) {
    return hasReactionOrder(model) ? 0 : model;
}

int optionAtLoad(const Session& session) {
    if (session.diagramKind == simulationDiagramKind(kNthOrderModelId, false) ||
        (session.diagramKind < 1 && hasReactionOrder(session.state.modelId))) {
        return 0;
    }
    return optionForModel(session.state.modelId);
}

int timeUnitIndexOf(const Session& session) {
    const int index = timeUnitIndex(session.state.timeUnit);
    return index < 0 ? 0 : index;
}

std::string recalcTimeWarning(const Session& session) {
    return session.data.pointCount > 0 ? kRecalcTimeWarning : "";
}

ModelChoiceResult selectModel(Session& session, int option, std::string_view orderText, bool atLoad) {
    WorkingState& state = session.state;
    state.mmMode = false;
    const auto model = static_cast<std::int16_t>(modelForOption(option));
    if (hasReactionOrder(model)) {
        state.reactionOrder = toSingle(parseNumber(orderText));
    }
    // The diagram kind of a running fitting start (-9) stays until the fitting window drew.
    const bool keepFittingStart =
        state.fittingMode != kFittingNone && session.diagramKind == kFittingStartKind;
    ModelSelection selection;
    if (atLoad) {
        // A project just loaded keeps its rate constants through the reselection at load.
        state.modelId = model;
        selection = applyModelOnReopen(session);
    } else {
        selection = applyModelDefaults(state, model);
    }
    if (selection.diagramKindChanged) {
        session.diagramKind = selection.diagramKind;
    } else if (!keepFittingStart) {
        session.diagramKind = model;
    }
    session.stoichMatrix = BuildStoichMatrix(model, state.reactionOrder);
    return {model, selection.orderBoxEnabled};
}

void setOrderFromText(Session& session, std::string_view orderText) {
    session.state.reactionOrder = toSingle(parseNumber(orderText));
}

void changeTimeUnit(Session& session, int newIndex) {
    const int oldIndex = timeUnitIndexOf(session);
    SetTimeUnit(session.state, session.data, newIndex, oldIndex);
}

bool isReactorWindow(CalcWindowKind kind) {
    return kind == CalcWindowKind::BatchReactor || kind == CalcWindowKind::TubeReactor ||
           kind == CalcWindowKind::StirredTank;
}

CalcWindowConfig buildCalcWindowConfig(const Session& session, CalcWindowKind kind,
                                       const CalcWindowExtras& extras) {
    const WorkingState& state = session.state;
    const int model = state.modelId;
    const std::uint8_t mode = state.fittingMode;
    CalcWindowConfig config;
    config.michaelisVisible = isEnzymeKinetics(model);
    config.reactor = isReactorWindow(kind);
    config.singleReaction = isSingleReaction(model);
    config.speciesMask = modelSpeciesMask(model, mode);
    for (int s = 1; s <= kSlotCount; ++s) {
        const bool shown = config.speciesMask[static_cast<std::size_t>(s - 1)] == '1';
        config.speciesVisible[static_cast<std::size_t>(s - 1)] = shown;
        config.speciesVisible[static_cast<std::size_t>(s + 4)] = shown && config.reactor;
        const std::string name(speciesName(model, s));
        config.speciesCaption[static_cast<std::size_t>(s - 1)] = name;
        config.speciesCaption[static_cast<std::size_t>(s + 4)] = name;
    }
    config.modelLabel = modelLabelText(state);

    const std::string parameterMask = modelParameterMask(model, mode);
    config.k2Visible = parameterMask[1] == '1';
    config.k3Visible = parameterMask[2] == '1';

    config.rateCaption = {"k1", "k2", "k3"};
    if (mode >= kFittingNonIsothermalFirst) {
        config.rateCaption[1] = "Arrhenius-A";
    } else if (mode == kFittingOrder) {
        config.rateCaption[1] = "n";
    }
    config.rateCaption = rateConstantCaptions(model, config.rateCaption);

    for (int s = 1; s <= kSlotCount; ++s) {
        config.inputText[static_cast<std::size_t>(s - 1)] =
            singleText(session, state.conc0[static_cast<std::size_t>(s)]);
    }
    const bool nonIsothermal = mode >= kFittingNonIsothermalFirst;
    config.inputText[10] =
        singleText(session, nonIsothermal && extras.nonIsothermalParam1 ? *extras.nonIsothermalParam1
                                                                        : state.rateConst[1]);
    double second = state.rateConst[2];
    if (mode == kFittingOrder) {
        second = state.reactionOrder;
    } else if (nonIsothermal && extras.nonIsothermalParam2) {
        second = *extras.nonIsothermalParam2;
    }
    config.inputText[11] = singleText(session, second);
    config.inputText[12] = singleText(session, state.rateConst[3]);
    switch (kind) {
        case CalcWindowKind::SimulationSetUp:
        case CalcWindowKind::Fitting:
            config.inputText[14] = singleText(session, state.tEnd);
            break;
        case CalcWindowKind::BatchReactor:
        case CalcWindowKind::TubeReactor:
            if (extras.reactionTime) {
                config.inputText[14] = singleText(session, *extras.reactionTime);
            }
            break;
        case CalcWindowKind::StirredTank:
            break;  // the stirred tank keeps its own time
    }
    config.units = UpdateUnitCaptions(model, state.timeUnit);
    return config;
}

std::string matrixText(const Session& session) {
    const int model = session.state.modelId;
    const int speciesCount = isEnzymeKinetics(model) ? 4 : kSlotCount;
    std::string text = modelDisplayText(model);
    if (hasReactionOrder(model)) {
        text += " (n = " + formatNumber(session.state.reactionOrder, "0.00", decimalSeparator(session)) + ")";
    }
    text += "\n\n        R1      R2      R3\n";
    for (int s = 1; s <= speciesCount; ++s) {
        const auto& m = session.stoichMatrix;
        std::string row(speciesName(model, s));
        row.resize(std::max<std::size_t>(row.size(), 4), ' ');
        for (int j = 1; j <= 3; ++j) {
            const std::string value = formatSingle(
                m[static_cast<std::size_t>(j)][static_cast<std::size_t>(s)], decimalSeparator(session));
            row += " " + std::string(value.size() < 7 ? 7 - value.size() : 0, ' ') + value;
        }
        text += row + "\n";
    }
    return text;
}

}  // namespace zemtral
