#include "ui/diagrams/diagram_windows.h"

#include <QLocale>
#include <QMdiSubWindow>

#include "diagrams/axis_range.h"
#include "session/evaluation_curves.h"
#include "session/session.h"
#include "session/user_dialogs.h"
#include "ui/diagrams/frm_graph2d.h"

namespace zemtral {

DiagramWindows::DiagramWindows(Session& session, UserDialogs& dialogs, QObject* parent)
    : QObject(parent), m_session(session), m_dialogs(dialogs), m_curves(simulationCurveTable()) {
    // The evaluations draw their straight lines and splines through the same window.
    m_curves.merge(evaluationCurveTable(m_session, m_session.diagram.pointsPerCurve));
    m_present = [](frmGraph2D& window) {
        window.show();
        window.raise();
    };
}

DiagramWindows::~DiagramWindows() {
    unload();
}

frmGraph2D* DiagramWindows::window() const {
    return m_window.data();
}

bool DiagramWindows::isLoaded() const {
    return !m_window.isNull();
}

int DiagramWindows::curveCount() const {
    return isLoaded() ? m_session.diagram.curveCount : 0;
}

void DiagramWindows::unload() {
    // A fresh window starts without curves: the counter goes with the window it counted.
    m_session.diagram.curveCount = 0;
    m_session.diagram.freeCurveSlots.fill(true);
    if (m_window.isNull()) {
        return;
    }
    frmGraph2D* window = m_window.data();
    m_window.clear();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget())) {
        delete sub;
    } else {
        delete window;
    }
}

DiagramSetUp DiagramWindows::runSetUp(bool windowOpen) {
    DiagramSetUpInput in;
    in.kind = m_session.diagramKind;
    in.frame = m_session.diagram.frame;
    in.seriesCount = m_session.diagram.seriesCount;
    in.axisRanges = m_session.diagram.axisRanges;
    in.state = m_session.state;
    in.masks = m_session.diagram.masks;
    in.windowOpen = windowOpen;
    in.shownSpecies = m_session.survey.shownSpecies;
    in.hasKTData = m_session.survey.hasKTData;
    in.selectedSpecies = static_cast<std::uint8_t>(
        m_session.shell.selectedSpecies > 0 ? m_session.shell.selectedSpecies : m_session.evaluation.tangentSpecies);
    in.equalStartConc = m_session.evaluation.equalStartConc;
    in.lambda0 = m_session.data.lambda0;
    in.decimalSeparator = QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
    in.previousTabs = windowOpen ? m_setUp.tabs : PointSetTabs{};
    m_setUp = SetUpDiagram(in);
    m_session.diagram.frame = m_setUp.frame;
    m_session.diagram.seriesCount = m_setUp.seriesCount;
    m_session.diagram.masks = m_setUp.masks;
    return m_setUp;
}

frmGraph2D* DiagramWindows::createWindow() {
    // A fresh window starts without curves, even when the old one is still being deleted.
    m_session.diagram.curveCount = 0;
    m_session.diagram.freeCurveSlots.fill(true);
    // The axis ranges of the measured-data diagrams come from the data, or from the window the
    // evaluation command computed itself (lambda kinds and kind 100).
    const DiagramKind kind = m_session.diagramKind;
    if (m_session.evaluationAxisWindow && (kind == -10 || kind == -11 || kind == kKindSingleSpecies)) {
        const PlotWindow& w = *m_session.evaluationAxisWindow;
        DiagramFrame frame = m_session.diagram.frame;
        frame.xMin = w.xMin;
        frame.xMax = w.xMax;
        frame.yMin = w.yMin;
        frame.yMax = w.yMax;
        StoreAxisRange(kind, frame, m_session.state, m_session.diagram.axisRanges);
    } else {
        AutoRangeFromData(kind, m_session.data, m_session.state, m_session.diagram.axisRanges);
    }
    const DiagramSetUp setUp = runSetUp(false);
    auto* window = new frmGraph2D(m_session, m_dialogs, m_curves);
    m_window = window;
    window->applySetUp(setUp);
    window->load();
    return window;
}

bool DiagramWindows::setUpDiagram() {
    if (isLoaded()) {
        m_window->applySetUp(runSetUp(true));
        if (m_openThroughHost) {
            m_openThroughHost();  // to the front
        } else {
            m_window->show();
            m_window->raise();
        }
        return true;
    }
    if (m_openThroughHost) {
        if (!m_openThroughHost() || !isLoaded()) {
            m_dialogs.showMessage(kNotPossibleTitle, kChartModuleMissingText, MessageIcon::Critical);
            return false;
        }
        return true;
    }
    frmGraph2D* window = createWindow();
    m_present(*window);
    return true;
}

void DiagramWindows::pressDraw() {
    if (isLoaded()) {
        m_window->cmdDraw();
    }
}

}  // namespace zemtral
