#pragma once
// Opening a diagram for the session's diagram kind: the steps that come before the diagram
// window draws, the same for the desktop window and the command-line tool.
#include "diagrams/draw_diagram_curve.h"
#include "diagrams/set_up_diagram.h"
#include "session/session.h"

namespace zemtral {

/// @brief Before a fresh diagram window: no curves yet, and the axis ranges of the kind from the
/// measured data (AutoRangeFromData), or from the axis window an evaluation command computed
/// itself (the lambda kinds −10, −11 and kind 100).
void prepareFreshDiagram(Session& session);

/// @brief SetUpDiagram for the session's diagram kind; the frame, series count and masks it
/// decides are written back into the session. `previousTabs` are the point-set tabs of the open
/// window (ignored when `windowOpen` is false).
DiagramSetUp setUpSessionDiagram(Session& session, bool windowOpen, const PointSetTabs& previousTabs,
                                 char decimalSeparator);

/// @brief The curve computations of the diagram window: the simulation kinds and the evaluations.
CurveTable diagramCurveTable(Session& session);

}  // namespace zemtral
