#pragma once
// The one diagram window of the program: created by the set-up of a diagram, unloaded when a
// caller wants a fresh one.
#include <QObject>
#include <QPointer>
#include <functional>

#include "diagrams/draw_diagram_curve.h"
#include "diagrams/set_up_diagram.h"
#include "ui/diagrams/diagram_window_control.h"

class QWidget;

namespace zemtral {

struct Session;
class UserDialogs;
class frmGraph2D;

/// @brief Owns frmGraph2D and carries out SetUpDiagram for the session's diagram kind.
class DiagramWindows : public QObject, public DiagramWindowControl {
  public:
    DiagramWindows(Session& session, UserDialogs& dialogs, QObject* parent = nullptr);
    ~DiagramWindows() override;

    /// @brief How a new window is shown (the main window puts it into its window area); by
    /// default as a window of its own.
    void setPresenter(std::function<void(frmGraph2D&)> presenter) { m_present = std::move(presenter); }
    /// @brief How the window is opened through the main window: the host's open() calls
    /// createWindow() from its window factory. Without a host the window opens on its own.
    void setHost(std::function<bool()> openThroughHost) { m_openThroughHost = std::move(openThroughHost); }
    /// @brief What the insert menu's "manuelle Kurve / Punkte (XY-Editor)" of every new window does.
    void setXyEditorOpener(std::function<void()> open) { m_openXyEditor = std::move(open); }
    /// @brief What the diagram window's "k-T-Rechner" and "Calc" open (given to every new window).
    void setCalculatorOpeners(std::function<void()> kTCalculator, std::function<void()> singlePoint) {
        m_openKTCalculator = std::move(kTCalculator);
        m_openSinglePoint = std::move(singlePoint);
    }
    /// @brief Sets up the session's diagram kind in a new window and loads it (the load draws).
    frmGraph2D* createWindow();
    /// @brief The curve computations of the draw command by kind; evaluations add theirs.
    CurveTable& curveTable() { return m_curves; }

    /// @brief The window, or nullptr while it is not loaded.
    frmGraph2D* window() const;

    bool isLoaded() const override;
    int curveCount() const override;
    void unload() override;
    bool setUpDiagram() override;
    void pressDraw() override;

    /// @brief The set-up of the last call (what the window shows).
    const DiagramSetUp& lastSetUp() const { return m_setUp; }

  private:
    DiagramSetUp runSetUp(bool windowOpen);

    Session& m_session;
    UserDialogs& m_dialogs;
    CurveTable m_curves;
    QPointer<frmGraph2D> m_window;
    std::function<void(frmGraph2D&)> m_present;
    std::function<bool()> m_openThroughHost;
    std::function<void()> m_openXyEditor;
    std::function<void()> m_openKTCalculator;
    std::function<void()> m_openSinglePoint;
    DiagramSetUp m_setUp;
};

}  // namespace zemtral
