#pragma once
// The curve computations of the evaluation kinds for the diagram window's DrawDiagramCurve: the
// regression lines of −3 to −8, −10 and −11 (which also write their results), the residual plot
// −12 and the spline of 100.
// Active once the diagram curve computation is part of the build.
#if __has_include("diagrams/draw_diagram_curve.h")
#define ZEMTRAL_HAS_DIAGRAM_CURVES 1
#include "diagrams/draw_diagram_curve.h"
#include "evaluation/linearised_evaluation.h"
#include "session/session.h"

namespace zemtral {

/// @brief Curve functions for the kinds −3 to −8, −10 to −12 and 100. They read the session's data
/// set and evaluation switches and write k1 of the working state (straight-line kinds), the
/// result line and fields, and the tangent spline (kind 100, rebuilt with the current smoothing
/// exponent for the tangent species). `pointDensity` is the window's point density of kind 100.
CurveTable evaluationCurveTable(Session& session, int pointDensity = 200);

/// @brief The axis window of a diagram frame.
PlotWindow plotWindowOf(const DiagramFrame& frame);

/// @brief Copies points into the curve buffer (points 1..n, count in entry 0).
void fillCurveBuffer(const std::vector<PlotPoint>& points, CurveBuffer& buffer);

}  // namespace zemtral

#endif
