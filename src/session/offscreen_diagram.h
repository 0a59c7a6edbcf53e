#pragma once
// The diagram window without a screen: the same set-up, loading and drawing on a chart model
// that nothing shows. The command-line tool draws its pictures through it, and tests check the
// window's behaviour with it.
#include <memory>

#include "diagrams/chart_model.h"
#include "session/diagram_document.h"
#include "session/diagram_window_control.h"

namespace zemtral {

/// @brief A DiagramWindowControl whose window is a DiagramDocument on a ChartModel.
class OffscreenDiagram : public DiagramWindowControl {
  public:
    /// @brief `decimalSeparator` is the one of the texts the set-up writes (the Michaelis-Menten title).
    OffscreenDiagram(Session& session, UserDialogs& dialogs, char decimalSeparator = '.');
    ~OffscreenDiagram() override;

    /// @brief A fresh "window" for the session's diagram kind: set up and loaded (it draws).
    DiagramDocument& open();
    /// @brief The open window's document, or nullptr.
    DiagramDocument* document() { return m_document.get(); }
    /// @brief The chart of the open window (empty while none is open).
    ChartModel& chart() { return m_chart; }
    /// @brief The curve computations by kind.
    CurveTable& curveTable() { return m_curves; }

    bool isLoaded() const override { return m_document != nullptr; }
    int curveCount() const override;
    void unload() override;
    bool setUpDiagram() override;
    void pressDraw() override;

  private:
    Session& m_session;
    UserDialogs& m_dialogs;
    CurveTable m_curves;
    ChartModel m_chart;
    std::unique_ptr<DiagramDocument> m_document;
    DiagramSetUp m_setUp;
    char m_decimalSeparator;
};

}  // namespace zemtral
