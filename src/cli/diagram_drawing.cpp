#include "cli/diagram_drawing.h"

#include "cli/cli.h"
#include "diagrams/axis_range.h"
#include "session/main_commands.h"

namespace zemtral::cli {
namespace {

// The curves of "Zeichne Kurve" in the fitting window after Auto-Fitting: one simulation per
// curve, each drawn over the measured points; the caption shows the fitted constants.
int drawFittedCurves(Session& session, OffscreenDiagram& diagram, UserDialogs& dialogs) {
    const AutoFitOutcome outcome = autoFitting(session, dialogs);
    if (outcome.refused) {
        return kExitRefused;
    }
    const auto curves = drawFittingCurve(session, dialogs);
    if (!curves) {
        return kExitRefused;
    }
    const bool nonIsothermal = session.state.fittingMode == kFittingNonIsothermalFirst ||
                               session.state.fittingMode == kFittingNonIsothermalSecond;
    for (const FittingCurve& curve : *curves) {
        if (!simulateFittingCurve(session, curve, dialogs)) {
            return kExitRefused;
        }
        if (nonIsothermal) {
            session.diagram.seriesCount = 1;
        } else {
            diagram.setUpDiagram();
        }
        diagram.pressDraw();
    }
    ChartModel& chart = diagram.chart();
    chart.setHeader(fitResultCaption(session), chart.headerFont(), chart.headerFramed());
    return kExitOk;
}

}  // namespace

bool OffscreenWindowHost::isOpen(WindowId id) const {
    return id == WindowId::Diagram && m_diagram.isLoaded();
}

bool OffscreenWindowHost::open(WindowId id) {
    if (id != WindowId::Diagram) {
        return false;
    }
    if (!m_diagram.isLoaded()) {
        m_diagram.open();
    }
    return true;
}

void OffscreenWindowHost::close(WindowId id) {
    if (id == WindowId::Diagram) {
        m_diagram.unload();
    }
}

// As in the main window: the diagram is built anew for the session's kind, which recomputes its
// axis ranges.
void OffscreenWindowHost::setUpDiagram() {
    m_diagram.unload();
    m_diagram.open();
}

int drawSourceDiagram(Session& session, const DiagramSource& source, OffscreenDiagram& diagram,
                      UserDialogs& dialogs) {
    if (source.route == DiagramRoute::Simulation || source.route == DiagramRoute::HalfLives) {
        storeEngineAxisRanges(session.simulation, session.diagram.axisRanges);
        AutoRangeFromData(session.diagramKind, session.data, session.state, session.diagram.axisRanges);
        DiagramDocument& document = diagram.open();
        if (source.route == DiagramRoute::HalfLives) {
            // "Halbwertszeit A" and "Halbwertszeit B" from the window's menu; a half-life that
            // cannot be reached gives no mark, as in the window.
            document.markHalfLife(HalfLifeSpecies::A);
            document.markHalfLife(HalfLifeSpecies::B);
        }
        return kExitOk;
    }
    OffscreenWindowHost host(diagram);
    runEvaluationWindows(session, host, source.started);
    if (!diagram.isLoaded()) {
        return kExitRefused;
    }
    return source.route == DiagramRoute::Fitting ? drawFittedCurves(session, diagram, dialogs) : kExitOk;
}

}  // namespace zemtral::cli
