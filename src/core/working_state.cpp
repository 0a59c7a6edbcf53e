#include "core/working_state.h"

#include "core/model_catalogue.h"

namespace zemtral {
namespace {

constexpr double kAutocatalysisSeed = 0.002;  // small c0(P) an autocatalytic reaction needs to start

void setIfZero(double& value, double replacement) {
    if (value == 0.0) {
        value = replacement;
    }
}

}  // namespace

ModelSelection applyModelDefaults(WorkingState& state, std::int16_t id) {
    auto& k = state.rateConst;
    auto& c0 = state.conc0;
    k[1] = 0.15;
    k[2] = 0.2;
    k[3] = 0.0;
    setIfZero(c0[kSlotA], 1.0);

    switch (id) {
        case 1:
            k[1] = 0.015;
            break;
        case 4:
            setIfZero(c0[kSlotB], 1.0);
            break;
        case 5:
        case 16:
            setIfZero(c0[kSlotP], kAutocatalysisSeed);
            break;
        case 7:
            k[1] = 0.15;
            k[2] = 0.05;
            setIfZero(c0[kSlotA], 2.0);
            setIfZero(c0[kSlotB], 1.0);
            break;
        case 8:
            k[1] = 0.5;
            k[2] = 0.1;
            break;
        case 11:
            k[2] = 0.05;
            break;
        case 12:
        case 17:
            setIfZero(c0[kSlotA], 0.5);
            setIfZero(c0[kSlotB], 0.5);
            k[2] = 0.01;
            break;
        default:
            break;
    }
    switch (id) {
        case 6:
        case 9:
        case 10:
        case 13:
        case 14:
        case 15:
        case 18:
            k[2] = 0.1;
            break;
        default:
            break;
    }
    switch (id) {
        case 10:
        case 13:
        case 14:
        case 15:
        case 18:
            k[3] = 0.005;
            break;
        default:
            break;
    }
    if (id == 9 || id == 13 || id == 18) {
        setIfZero(c0[kSlotB], 1.0);
    }
    if (isEnzymeKinetics(id)) {
        setIfZero(c0[kSlotB], 5.0);  // slot 2 is S in the enzyme model
    }
    if (!isAutocatalytic(id) && c0[kSlotP] == kAutocatalysisSeed) {
        c0[kSlotP] = 0.0;
    }
    if (hasReactionOrder(id) && state.fittingMode == kFittingOrder) {
        k[2] = state.reactionOrder;
    }

    state.modelId = id;
    ModelSelection selection;
    selection.orderBoxEnabled = hasReactionOrder(id);
    if (state.fittingMode == kFittingNone) {
        selection.diagramKindChanged = true;
        selection.diagramKind = simulationDiagramKind(id, state.rateDiagram);
        if (state.tEnd == 0.0f) {
            state.tEnd = state.rateDiagram ? 60.0f : 100.0f;
        }
    }
    return selection;
}

WorkingState startUpWorkingState() {
    WorkingState state;
    applyModelDefaults(state, 2);
    return state;
}

}  // namespace zemtral
