// The curves of the simulation kinds: series order, legends, the outside flag and the error path.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "diagrams/draw_diagram_curve.h"
#include "support/recording_chart.h"

namespace zemtral {
namespace {

// A run of 201 points whose values tell the slot apart: c = slot + t/1000, r = −slot − t/1000.
SimulationResult markedRun() {
    SimulationResult sim;
    sim.pointCount = 201;
    sim.simTime.resize(201);
    for (int s = 1; s <= 5; ++s) {
        sim.simConc[s].resize(201);
        sim.simRate[s].resize(201);
    }
    for (int i = 0; i < 201; ++i) {
        sim.simTime[i] = 0.5 * i;
        for (int s = 1; s <= 5; ++s) {
            sim.simConc[s][i] = s + sim.simTime[i] / 1000.0;
            sim.simRate[s][i] = static_cast<float>(-s - sim.simTime[i] / 1000.0);
        }
    }
    return sim;
}

struct Drawn {
    std::vector<std::string> legends;
    std::vector<int> slots;  // slot read back from the first value
};

// Walks the series of a kind down from its series count as the draw command does.
Drawn drawAll(DiagramKind kind, std::int16_t count, const WorkingState& state, const SimulationResult& sim) {
    const CurveTable table = simulationCurveTable();
    CurveBuffer buffer;
    Drawn drawn;
    std::int16_t seriesCount = count;
    while (seriesCount > 0) {
        CurveRequest request;
        request.kind = kind;
        request.series = seriesCount;
        request.frame = DiagramFrame{0, -100, 100, 100, "", "", ""};
        request.state = &state;
        request.simulation = &sim;
        const CurveResult result = DrawDiagramCurve(request, buffer, seriesCount, table);
        EXPECT_EQ(result.errorFlag, 0) << result.errorText;
        EXPECT_FALSE(result.outside);
        EXPECT_EQ(buffer.count(), 201);
        EXPECT_EQ(buffer[1].x, 0.0f);
        EXPECT_EQ(buffer[201].x, 100.0f);
        drawn.legends.push_back(result.legend);
        drawn.slots.push_back(static_cast<int>(std::lround(std::fabs(buffer[1].y))));
    }
    return drawn;
}

TEST(DrawDiagramCurve, SeriesOrderAndLegendsForSeveralModels) {
    const SimulationResult sim = markedRun();
    WorkingState state;
    struct Expected {
        DiagramKind kind;
        std::int16_t count;
        std::vector<std::string> legends;
        std::vector<int> slots;
    };
    const std::vector<Expected> expected = {
        {4, 3, {"c(A) ", "c(B) ", "c(P) "}, {1, 2, 4}},
        {2, 2, {"c(A) ", "c(P) "}, {1, 4}},
        {6, 3, {"c(A) ", "c(C) ", "c(P) "}, {1, 3, 4}},
        {9, 4, {"c(A) ", "c(B) ", "c(C) ", "c(P) "}, {1, 2, 3, 4}},
        {10, 4, {"c(E) ", "c(S) ", "c(ES) ", "c(P) "}, {1, 2, 3, 4}},
        {11, 3, {"c(A) ", "c(P) ", "c(Q) "}, {1, 4, 5}},
        {16, 3, {"c(A) ", "c(P) ", "c(Q) "}, {1, 4, 5}},
        {17, 3, {"c(A) ", "c(B) ", "c(P) "}, {1, 2, 4}},
        {20, 2, {"c(A) ", "c(P) "}, {1, 4}},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.kind);
        const Drawn drawn = drawAll(e.kind, e.count, state, sim);
        EXPECT_EQ(drawn.legends, e.legends);
        EXPECT_EQ(drawn.slots, e.slots);
    }
    // The rate kinds draw the rate arrays with r(...) legends.
    state.rateDiagram = true;
    const Drawn rates = drawAll(60, 4, state, sim);
    EXPECT_EQ(rates.legends, (std::vector<std::string>{"r(E) ", "r(S) ", "r(ES) ", "r(P) "}));
    EXPECT_EQ(rates.slots, (std::vector<int>{1, 2, 3, 4}));
    // Even when the flag disagrees, a rate kind shows rates.
    state.rateDiagram = false;
    EXPECT_EQ(drawAll(54, 3, state, sim).legends, (std::vector<std::string>{"r(A) ", "r(B) ", "r(P) "}));
}

TEST(DrawDiagramCurve, MichaelisMentenAndNonIsothermal) {
    SimulationResult sim = markedRun();
    sim.simRate[kSlotP][0] = 0.0f;
    sim.simTime[0] = 0.0;
    WorkingState state;
    state.modelId = 10;
    state.mmMode = true;
    const CurveTable table = simulationCurveTable();
    CurveBuffer buffer;
    std::int16_t seriesCount = 1;
    CurveRequest request;
    request.kind = 10;
    request.series = 1;
    request.frame = DiagramFrame{0, 0, 20, 1, "", "", ""};
    request.state = &state;
    request.simulation = &sim;
    CurveResult result = DrawDiagramCurve(request, buffer, seriesCount, table);
    EXPECT_EQ(result.legend, "r(P) ");
    EXPECT_EQ(buffer[1].x, 0.0f);
    EXPECT_EQ(buffer[1].y, 0.0f);
    EXPECT_EQ(seriesCount, 0);

    state = WorkingState{};
    state.fittingMode = kFittingNonIsothermalFirst;
    seriesCount = 2;
    request.kind = 2;
    request.series = 2;
    request.temperature = 1298.15f;
    result = DrawDiagramCurve(request, buffer, seriesCount, table);
    EXPECT_EQ(result.legend, "c(A) T/K = 1,298");
    EXPECT_EQ(seriesCount, 0);  // one curve per temperature
    EXPECT_EQ(std::lround(buffer[1].y), 1);
}

TEST(DrawDiagramCurve, OutsideFlagAndFailures) {
    const SimulationResult sim = markedRun();
    const WorkingState state;
    CurveTable table = simulationCurveTable();
    CurveBuffer buffer;
    CurveRequest request;
    request.kind = 2;
    request.series = 2;
    request.frame = DiagramFrame{0, 0, 100, 0.9f, "", "", ""};  // c(A) >= 1 lies wholly above
    request.state = &state;
    request.simulation = &sim;
    std::int16_t seriesCount = 2;
    CurveResult result = DrawDiagramCurve(request, buffer, seriesCount, table);
    EXPECT_EQ(result.errorFlag, 0);
    EXPECT_TRUE(result.outside);
    EXPECT_EQ(seriesCount, 1);

    // A fault inside a curve computation ends in the ABBRUCH message, and nothing is drawn.
    table.add(kKindFirstOrderLinear, [](const CurveRequest& r, CurveBuffer& b, CurveResult& res) {
        volatile double zero = r.frame.xMin;
        b.set(1, 1.0f, static_cast<float>(std::log(zero)));
        b.setCount(1);
        res.legend = "Fu(c)";
    });
    request.kind = kKindFirstOrderLinear;
    seriesCount = 1;
    result = DrawDiagramCurve(request, buffer, seriesCount, table);
    EXPECT_EQ(result.errorFlag, -1);
    EXPECT_FALSE(result.errorText.empty());
    EXPECT_EQ(buffer.count(), 0);
    EXPECT_EQ(curveFailureMessage(result.errorText),
              "Es ist ein kritischer Fehler aufgetreten:\n" + result.errorText);
    EXPECT_STREQ(kCurveFailureTitle, "ABBRUCH");

    // A kind without computation, a series the kind does not have, a missing run.
    request.kind = -7;
    EXPECT_EQ(DrawDiagramCurve(request, buffer, seriesCount, table).errorFlag, -1);
    request.kind = 2;
    request.series = 3;
    EXPECT_EQ(DrawDiagramCurve(request, buffer, seriesCount, table).errorFlag, -1);
    const SimulationResult empty;
    request.series = 1;
    request.simulation = &empty;
    EXPECT_EQ(DrawDiagramCurve(request, buffer, seriesCount, table).errorFlag, -1);
}

TEST(DrawDiagramCurve, EvaluationKindsPlugIntoTheTable) {
    CurveTable table = simulationCurveTable();
    CurveTable evaluation;
    evaluation.add(kKindWilkinson, [](const CurveRequest&, CurveBuffer& b, CurveResult& res) {
        b.set(1, 0.0f, 1.0f);
        b.set(2, 10.0f, 3.0f);
        b.setCount(2);
        res.slope = 0.2;
        res.intercept = 1.0;
        res.legend = "Ausgleichsgerade";
    });
    table.merge(evaluation);
    CurveBuffer buffer;
    CurveRequest request;
    request.kind = kKindWilkinson;
    request.series = 1;
    request.frame = DiagramFrame{0, 0, 10, 5, "", "", ""};
    std::int16_t seriesCount = 1;
    const CurveResult result = DrawDiagramCurve(request, buffer, seriesCount, table);
    EXPECT_EQ(result.errorFlag, 0);
    EXPECT_EQ(result.slope, 0.2);
    EXPECT_FALSE(result.outside);
    EXPECT_EQ(seriesCount, 0);

    // The buffer reaches the chart scaled as asked.
    test::RecordingChart chart;
    loadCurveBuffer(chart, 1, 3, buffer, 2.0, 0.5);
    EXPECT_EQ(chart.seriesCount(1), 3);
    ASSERT_EQ(chart.pointCount(1, 3), 2);
    EXPECT_EQ(chart.point(1, 3, 2), (ChartPoint{5.0, 6.0}));
}

}  // namespace
}  // namespace zemtral
