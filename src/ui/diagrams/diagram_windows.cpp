#include "ui/diagrams/diagram_windows.h"

#include <QLocale>
#include <QMdiSubWindow>

#include "session/diagram_opening.h"
#include "session/session.h"
#include "session/user_dialogs.h"
#include "ui/diagrams/frm_graph2d.h"

namespace zemtral {

DiagramWindows::DiagramWindows(Session& session, UserDialogs& dialogs, QObject* parent)
    : QObject(parent), m_session(session), m_dialogs(dialogs), m_curves(diagramCurveTable(session)) {
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
    const char separator = QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
    m_setUp = setUpSessionDiagram(m_session, windowOpen, m_setUp.tabs, separator);
    return m_setUp;
}

frmGraph2D* DiagramWindows::createWindow() {
    prepareFreshDiagram(m_session);
    const DiagramSetUp setUp = runSetUp(false);
    auto* window = new frmGraph2D(m_session, m_dialogs, m_curves);
    m_window = window;
    if (m_openXyEditor) {
        window->setXyEditorOpener(m_openXyEditor);
    }
    window->setCalculatorButtons(m_openKTCalculator, m_openSinglePoint);
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
