// The evaluation kinds plugged into DrawDiagramCurve.
#include "session/evaluation_curves.h"

#include <gtest/gtest.h>

#include <cmath>

#ifdef ZEMTRAL_HAS_DIAGRAM_CURVES

namespace zemtral {
namespace {

TEST(EvaluationCurves, FirstOrderLineWritesK1AndTheStatusLine) {
    Session s;
    for (int i = 0; i < 3; ++i) {
        ExpPoint p;
        p.t = i;
        p.c[kSlotA] = std::pow(0.5, i);
        s.data.points.push_back(p);
    }
    s.data.pointCount = 3;
    s.state.conc0[kSlotA] = 1.0;
    CurveTable table = simulationCurveTable();
    table.merge(evaluationCurveTable(s));
    CurveRequest request;
    request.kind = kEvalFirstOrder;
    request.series = 1;
    request.frame.xMin = 0.0f;
    request.frame.xMax = 2.4f;
    request.frame.yMin = -2.0f;
    request.frame.yMax = 0.5f;
    request.state = &s.state;
    request.simulation = &s.simulation;
    request.data = &s.data;
    CurveBuffer buffer;
    std::int16_t series = 1;
    const CurveResult r = DrawDiagramCurve(request, buffer, series, table);
    ASSERT_EQ(r.errorFlag, 0) << r.errorText;
    EXPECT_EQ(buffer.count(), 122);
    EXPECT_NEAR(s.state.rateConst[1], std::log(2.0), 1e-6);
    EXPECT_EQ(r.statusText, "Berechnungsergebnis: {k} = 0.6931472   (R^2 = 1.00000)");
    EXPECT_FALSE(r.outside);
    EXPECT_EQ(series, 0);

    // A point with cA = 1 at t = 1 and all ordinates equal: R² divides by zero.
    for (int i = 1; i <= 3; ++i) {
        s.data.points[i].c[kSlotA] = 1.0;
    }
    series = 1;
    const CurveResult f = DrawDiagramCurve(request, buffer, series, table);
    EXPECT_EQ(f.errorFlag, -1);
    EXPECT_FALSE(f.errorText.empty());
}

TEST(EvaluationCurves, SplineOfTheTangentSpecies) {
    Session s;
    for (int i = 0; i <= 4; ++i) {
        ExpPoint p;
        p.t = 10.0 * i;
        p.c[kSlotB] = 0.8 - 0.1 * i;
        s.data.points.push_back(p);
    }
    s.data.pointCount = 5;
    s.evaluation.tangentSpecies = kSlotB;
    CurveTable table = evaluationCurveTable(s, 50);
    CurveRequest request;
    request.kind = kEvalSingleSpecies;
    request.series = 1;
    request.frame.xMax = 42.0f;
    request.frame.yMax = 0.84f;
    request.state = &s.state;
    request.simulation = &s.simulation;
    request.data = &s.data;
    CurveBuffer buffer;
    std::int16_t series = 1;
    const CurveResult r = DrawDiagramCurve(request, buffer, series, table);
    ASSERT_EQ(r.errorFlag, 0) << r.errorText;
    EXPECT_EQ(buffer.count(), 101);
    EXPECT_NEAR(buffer[buffer.count()].y, 0.8 - 0.01 * 42.0, 1e-5);
    EXPECT_TRUE(s.evaluation.tangent.status.ok);
}

}  // namespace
}  // namespace zemtral

#endif
