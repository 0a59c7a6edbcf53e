#include "session/diagram_opening.h"

#include "diagrams/axis_range.h"
#include "session/evaluation_curves.h"

namespace zemtral {

void prepareFreshDiagram(Session& session) {
    // A fresh window starts without curves, even when the old one is still being deleted.
    session.diagram.curveCount = 0;
    session.diagram.freeCurveSlots.fill(true);
    const DiagramKind kind = session.diagramKind;
    if (session.evaluationAxisWindow && kind == kKindFitResiduals) {
        // The residual plot has no remembered window: the frame is the one its command computed.
        const PlotWindow& w = *session.evaluationAxisWindow;
        session.diagram.frame.xMin = w.xMin;
        session.diagram.frame.xMax = w.xMax;
        session.diagram.frame.yMin = w.yMin;
        session.diagram.frame.yMax = w.yMax;
    } else if (session.evaluationAxisWindow && (kind == -10 || kind == -11 || kind == kKindSingleSpecies)) {
        const PlotWindow& w = *session.evaluationAxisWindow;
        DiagramFrame frame = session.diagram.frame;
        frame.xMin = w.xMin;
        frame.xMax = w.xMax;
        frame.yMin = w.yMin;
        frame.yMax = w.yMax;
        StoreAxisRange(kind, frame, session.state, session.diagram.axisRanges);
    } else {
        AutoRangeFromData(kind, session.data, session.state, session.diagram.axisRanges);
    }
}

DiagramSetUp setUpSessionDiagram(Session& session, bool windowOpen, const PointSetTabs& previousTabs,
                                 char decimalSeparator) {
    DiagramSetUpInput in;
    in.kind = session.diagramKind;
    in.frame = session.diagram.frame;
    in.seriesCount = session.diagram.seriesCount;
    in.axisRanges = session.diagram.axisRanges;
    in.state = session.state;
    in.masks = session.diagram.masks;
    in.windowOpen = windowOpen;
    in.shownSpecies = session.survey.shownSpecies;
    in.hasKTData = session.survey.hasKTData;
    in.selectedSpecies =
        static_cast<std::uint8_t>(session.shell.selectedSpecies > 0 ? session.shell.selectedSpecies
                                                                    : session.evaluation.tangentSpecies);
    in.equalStartConc = session.evaluation.equalStartConc;
    in.lambda0 = session.data.lambda0;
    in.decimalSeparator = decimalSeparator;
    in.previousTabs = windowOpen ? previousTabs : PointSetTabs{};
    const DiagramSetUp setUp = SetUpDiagram(in);
    session.diagram.frame = setUp.frame;
    session.diagram.seriesCount = setUp.seriesCount;
    session.diagram.masks = setUp.masks;
    return setUp;
}

CurveTable diagramCurveTable(Session& session) {
    CurveTable curves = simulationCurveTable();
    // The evaluations draw their straight lines and splines through the same window.
    curves.merge(evaluationCurveTable(session, session.diagram.pointsPerCurve));
    return curves;
}

}  // namespace zemtral
