#include "evaluation/half_life_marks.h"

#include "core/model_catalogue.h"
#include "numeric/number_text.h"

namespace zemtral {

bool halfLifeFromSimulation(HalfLifeSpecies species, int model) {
    switch (model) {
        case 7:
        case 9:
        case 10:
        case 13:
        case 18:
            return true;
        case 14:
        case 15:
        case 20:
            return species == HalfLifeSpecies::A;
        default:
            return false;
    }
}

HalfLifeMenu halfLifeMenu(int diagramKind, int modelId, bool michaelisMenten) {
    HalfLifeMenu menu;
    if (isEnzymeKinetics(modelId)) {
        menu.aCaption = "Halbwertszeit E";
        menu.bCaption = "Halbwertszeit S";
    }
    const int model = modelOfKind(diagramKind);
    const bool modelDiagram = model != 0;
    if (modelDiagram && isMichaelisMenten(modelId, michaelisMenten)) {
        return menu;
    }
    menu.aEnabled = modelDiagram || (diagramKind >= -8 && diagramKind <= -5);
    menu.bEnabled = (modelDiagram && hasSpeciesB(model)) || diagramKind == -8;
    return menu;
}

SpeciesArray halfLifeInitialConcentrations(int diagramKind, const WorkingState& state,
                                           const SimulationResult& last) {
    if (diagramKind < 0) {
        return state.conc0;
    }
    SpeciesArray c0{};
    for (int s = 1; s <= kSlotCount; ++s) {
        c0[s] = last.simConc[s].empty() ? state.conc0[s] : last.simConc[s][0];
    }
    return c0;
}

HalfLifeMark halfLifeMark(HalfLifeSpecies species, int model, float tau, const std::string& timeUnit,
                          char decimalSeparator) {
    HalfLifeMark mark;
    const std::string name = species == HalfLifeSpecies::A ? "tau(A)" : "tau(B)";
    mark.series = species == HalfLifeSpecies::A ? 26 : 27;
    if (tau < 0.0f) {
        mark.act = false;
        return mark;
    }
    if (tau == 0.0f) {
        mark.statusText = isNumericModel(model) ? "Halbwertszeit liegt nicht im Diagramm-Bereich"
                                                : "Halbwertszeit " + name +
                                                      " kann unter diesen Bedingungen nicht erreicht werden";
        return mark;
    }
    mark.show = true;
    mark.line = {PlotPoint{tau, -10000.0f}, PlotPoint{tau, 10000.0f}};
    mark.statusText =
        "Halbwertszeit " + name + " = " + formatNumber(tau, "#######0.00", decimalSeparator) + " " + timeUnit;
    return mark;
}

}  // namespace zemtral
