#include "session/offscreen_diagram.h"

#include "session/diagram_opening.h"

namespace zemtral {

OffscreenDiagram::OffscreenDiagram(Session& session, UserDialogs& dialogs, char decimalSeparator)
    : m_session(session),
      m_dialogs(dialogs),
      m_curves(diagramCurveTable(session)),
      m_decimalSeparator(decimalSeparator) {}

OffscreenDiagram::~OffscreenDiagram() = default;

DiagramDocument& OffscreenDiagram::open() {
    m_document.reset();
    m_chart.setState(ChartModel().state());
    prepareFreshDiagram(m_session);
    m_setUp = setUpSessionDiagram(m_session, false, {}, m_decimalSeparator);
    m_document = std::make_unique<DiagramDocument>(m_session, m_dialogs, m_curves, m_chart);
    m_document->applySetUp(m_setUp);
    m_document->load();
    return *m_document;
}

int OffscreenDiagram::curveCount() const {
    return isLoaded() ? m_session.diagram.curveCount : 0;
}

void OffscreenDiagram::unload() {
    // A fresh window starts without curves: the counter goes with the window it counted.
    m_session.diagram.curveCount = 0;
    m_session.diagram.freeCurveSlots.fill(true);
    m_document.reset();
}

bool OffscreenDiagram::setUpDiagram() {
    if (!isLoaded()) {
        open();
        return true;
    }
    m_setUp = setUpSessionDiagram(m_session, true, m_setUp.tabs, m_decimalSeparator);
    m_document->applySetUp(m_setUp);
    return true;
}

void OffscreenDiagram::pressDraw() {
    if (m_document) {
        m_document->draw();
    }
}

}  // namespace zemtral
