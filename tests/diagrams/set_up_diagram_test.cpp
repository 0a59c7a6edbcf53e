// The set-up of a diagram: texts, series counts, point-set tabs and legend.
#include <gtest/gtest.h>

#include "diagrams/set_up_diagram.h"

namespace zemtral {
namespace {

DiagramSetUpInput inputFor(DiagramKind kind, std::int16_t model) {
    DiagramSetUpInput input;
    input.kind = kind;
    input.state.modelId = model;
    input.state.timeUnit = "s";
    for (std::size_t i = 0; i < input.axisRanges.size(); ++i) {
        input.axisRanges[i] = static_cast<float>(i);
    }
    return input;
}

TEST(SetUpDiagram, SimulationKindWithMeasuredPoints) {
    DiagramSetUpInput input = inputFor(4, 4);
    input.shownSpecies = {false, true, false, false, true, false};
    const DiagramSetUp out = SetUpDiagram(input);
    EXPECT_EQ(out.seriesCount, 3);
    EXPECT_EQ(out.frame.title, "Konzentrationsverlauf für die Reaktion 2. Ordnung A + B => P");
    EXPECT_EQ(out.frame.xCaption, "t/ s");
    EXPECT_EQ(out.frame.yCaption, "c(A), c(B), c(P)/ (mol/l)");
    EXPECT_EQ(out.frame.xMin, 0.0f);
    EXPECT_EQ(out.frame.xMax, 1.0f);
    EXPECT_EQ(out.frame.yMin, 2.0f);
    EXPECT_EQ(out.frame.yMax, 3.0f);
    EXPECT_EQ(out.masks.speciesMask, "11010");  // the freshly loaded window sets the kind's masks
    // A and P have data and are in the mask; B is in the mask without data.
    EXPECT_TRUE(out.tabs.tabs[0].visible);
    EXPECT_EQ(out.tabs.tabs[0].caption, "c(A)");
    EXPECT_FALSE(out.tabs.tabs[1].visible);
    EXPECT_FALSE(out.tabs.tabs[2].visible);
    EXPECT_TRUE(out.tabs.tabs[3].visible);
    EXPECT_EQ(out.tabs.legendTexts[4], "c(P)");
    EXPECT_FALSE(out.tabs.tabs[5].visible);
    ASSERT_TRUE(out.chartLegend);
    EXPECT_FALSE(*out.chartLegend);  // kind 4 has no point legend
    EXPECT_FALSE(out.selectedTab);

    input.kind = 1;
    input.state.modelId = 1;
    const DiagramSetUp zeroOrder = SetUpDiagram(input);
    EXPECT_TRUE(zeroOrder.pointLegend);
    EXPECT_TRUE(*zeroOrder.chartLegend);
}

TEST(SetUpDiagram, EnzymeLabelsAndRateCaption) {
    DiagramSetUpInput input = inputFor(60, 10);
    input.state.timeUnit = "min";
    input.windowOpen = true;
    input.masks = SetSpeciesMasks(10, 0);
    input.shownSpecies = {false, true, true, true, true, false};
    const DiagramSetUp out = SetUpDiagram(input);
    EXPECT_EQ(out.seriesCount, 4);
    EXPECT_EQ(out.frame.yCaption, "r(E), r(S), r(ES), r(P) / (mol/l/min)");
    EXPECT_EQ(out.frame.yMin, 4.0f);  // the rate axis
    EXPECT_EQ(out.tabs.tabs[0].caption, "c(E)");
    EXPECT_EQ(out.tabs.tabs[1].caption, "c(S)");
    EXPECT_EQ(out.tabs.tabs[2].caption, "c(ES)");
    EXPECT_EQ(out.tabs.legendTexts[3], "c(ES)");

    input.state.mmMode = true;
    input.state.mmSettings.km = 0.5f;
    const DiagramSetUp mm = SetUpDiagram(input);
    EXPECT_EQ(mm.seriesCount, 1);
    EXPECT_EQ(mm.frame.xMax, 20.0f);
    EXPECT_EQ(mm.frame.yMax, 1.0f);
}

TEST(SetUpDiagram, SingleSpeciesKind) {
    DiagramSetUpInput input = inputFor(100, 7);
    input.selectedSpecies = 4;
    input.seriesCount = 1;
    input.windowOpen = true;
    input.masks = SetSpeciesMasks(7, 0);
    input.shownSpecies = {false, true, true, true, true, true};
    input.previousTabs.tabs[0] = {true, "c(A)"};
    const DiagramSetUp out = SetUpDiagram(input);
    EXPECT_EQ(out.frame.title, "Konzentration c(P) vs. Zeit");
    EXPECT_EQ(out.seriesCount, 1);  // kept as the caller set it
    for (int d = 0; d < 5; ++d) {
        EXPECT_EQ(out.tabs.tabs[d].visible, d == 3) << d;
    }
    EXPECT_EQ(out.tabs.tabs[3].caption, "c(P)");
    EXPECT_EQ(out.tabs.tabs[0].caption, "");
    EXPECT_EQ(out.tabs.legendTexts[4], "c(P)");
    ASSERT_TRUE(out.selectedTab);
    EXPECT_EQ(*out.selectedTab, 3);
    EXPECT_FALSE(*out.chartLegend);
}

TEST(SetUpDiagram, EvaluationAndTemperatureKinds) {
    DiagramSetUpInput input = inputFor(-5, 2);
    input.seriesCount = 1;
    input.shownSpecies = {false, true, false, false, true, false};
    input.previousTabs.tabs[3] = {true, "c(P)"};
    input.windowOpen = false;
    const DiagramSetUp linear = SetUpDiagram(input);
    EXPECT_EQ(linear.masks.speciesMask, "00002");
    EXPECT_TRUE(linear.tabs.tabs[0].visible);
    EXPECT_EQ(linear.tabs.tabs[0].caption, "Fu(c)");
    EXPECT_EQ(linear.tabs.legendTexts[1], "Fu(c)");
    for (int d = 1; d < 6; ++d) {
        EXPECT_FALSE(linear.tabs.tabs[d].visible) << d;
        EXPECT_EQ(linear.tabs.tabs[d].caption, "") << d;
    }
    EXPECT_FALSE(*linear.chartLegend);
    EXPECT_EQ(linear.frame.yMin, 16.0f);
    EXPECT_EQ(linear.seriesCount, 1);

    input.kind = kKindMeasuredRateConstants;
    input.hasKTData = true;
    const DiagramSetUp kt = SetUpDiagram(input);
    EXPECT_TRUE(kt.masks.temperatureDiagram);
    EXPECT_TRUE(kt.tabs.tabs[5].visible);
    EXPECT_EQ(kt.tabs.tabs[5].caption, "k-T");
    EXPECT_EQ(kt.tabs.legendTexts[6], "k-T");
    EXPECT_EQ(kt.frame.xMin, 6.0f);
    EXPECT_EQ(kt.frame.yMax, 9.0f);
    EXPECT_EQ(kt.frame.xCaption, "T/ K ");

    // Kinds the table does not know keep the texts of the previous diagram.
    input.kind = 19;
    input.frame.title = "vorher";
    EXPECT_EQ(SetUpDiagram(input).frame.title, "vorher");
}

}  // namespace
}  // namespace zemtral
