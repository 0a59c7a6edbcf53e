#include "diagrams/set_up_diagram.h"

#include <cstddef>

#include "core/model_catalogue.h"

namespace zemtral {

namespace {

constexpr std::array<const char*, 6> kSpeciesLetters{"", "A", "B", "C", "P", "Q"};

PointSetTab& tab(PointSetTabs& tabs, int index) {
    return tabs.tabs[static_cast<std::size_t>(index)];
}
std::string& legendText(PointSetTabs& tabs, int index) {
    return tabs.legendTexts[static_cast<std::size_t>(index)];
}

}  // namespace

DiagramSetUp SetUpDiagram(const DiagramSetUpInput& input) {
    DiagramSetUp out;
    out.frame = input.frame;
    out.seriesCount = input.seriesCount;
    out.masks = input.windowOpen ? input.masks : SetSpeciesMasks(input.kind, input.state.fittingMode);
    out.tabs = input.windowOpen ? input.previousTabs : PointSetTabs{};

    RestoreAxisRange(input.kind, input.axisRanges, input.state, out.frame);

    DiagramTextContext context = textContextFrom(input.state);
    context.selectedSpecies = input.selectedSpecies;
    context.equalStartConc = input.equalStartConc;
    context.lambda0 = input.lambda0;
    context.decimalSeparator = input.decimalSeparator;
    const DiagramKindTexts texts = diagramKindTexts(input.kind, context);
    if (texts.seriesCount) {
        out.seriesCount = *texts.seriesCount;
    }
    if (texts.title) {
        out.frame.title = *texts.title;
    }
    if (texts.xCaption) {
        out.frame.xCaption = *texts.xCaption;
    }
    if (texts.yCaption) {
        out.frame.yCaption = *texts.yCaption;
    }
    out.pointLegend = texts.pointLegend;

    const std::string& mask = out.masks.speciesMask;
    const int selected = input.selectedSpecies;
    bool singleSpecies = false;
    for (int d = 1; d <= 5; ++d) {
        if (input.kind == kKindSingleSpecies && d == selected) {
            singleSpecies = true;
            break;
        }
        const std::string label = "c(" + std::string(speciesName(input.state.modelId, d)) + ")";
        const bool inMask =
            static_cast<std::size_t>(d) <= mask.size() && mask[static_cast<std::size_t>(d - 1)] == '1';
        if (inMask && input.shownSpecies[static_cast<std::size_t>(d)]) {
            tab(out.tabs, d - 1) = PointSetTab{true, label};
            legendText(out.tabs, d) = label;
            out.chartLegend = out.pointLegend;
        } else {
            tab(out.tabs, d - 1).visible = false;
        }
        if (speciesMaskValue(mask) == 2 && input.shownSpecies[kSlotA]) {
            out.chartLegend = false;
            tab(out.tabs, 0) = PointSetTab{true, "Fu(c)"};
            legendText(out.tabs, 1) = "Fu(c)";
            if (d > 1) {
                tab(out.tabs, d - 1) = PointSetTab{false, ""};
            }
        }
    }

    if (singleSpecies) {
        for (int d = 0; d <= 4; ++d) {
            tab(out.tabs, d) = PointSetTab{false, ""};
        }
        out.chartLegend = false;
        const std::string letter = kSpeciesLetters[static_cast<std::size_t>(selected)];
        tab(out.tabs, selected - 1) =
            PointSetTab{true, "c(" + std::string(speciesName(input.state.modelId, selected)) + ")"};
        legendText(out.tabs, selected) = "c(" + letter + ")";
        out.selectedTab = selected - 1;
        return out;
    }

    if (out.masks.temperatureDiagram && input.hasKTData) {
        tab(out.tabs, 5) = PointSetTab{true, "k-T"};
        legendText(out.tabs, 6) = "k-T";
        out.chartLegend = false;
    } else {
        tab(out.tabs, 5) = PointSetTab{false, ""};
    }
    return out;
}

}  // namespace zemtral
