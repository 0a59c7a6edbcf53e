#pragma once
// The simulation set-up window: initial concentrations, rate constants and time span of the
// chosen model; draws the concentration-time or rate-time diagram or lists the result table.
#include <QWidget>
#include <array>
#include <functional>

#include "session/simulation_run.h"
#include "session/simulation_setup.h"
#include "ui/shell/calculation_window.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace zemtral {

struct Session;
struct EngineStatus;
class UserDialogs;
class DiagramWindowControl;
class NumberField;
class frmSimTabelle;

/// @brief frmPrepareTimeDiagram. Controls carry the names of the original window (inp_0..inp_4,
/// inp_10..inp_12, inp_14, lblStoff_0.., Bz_5..Bz_7, cmdDrawctDiagram, cmdListe, chkDelDiagram,
/// chkMitPunkten, fraMichaelis, txtS0max, chkNormiert, cmdMMdiagram, cmdMichaelisListe, cmdClose).
class frmPrepareTimeDiagram : public QWidget, public CalculationWindow {
  public:
    frmPrepareTimeDiagram(Session& session, UserDialogs& dialogs, DiagramWindowControl& diagram,
                          QWidget* parent = nullptr);

    /// @brief What the model window does to this window when a model is chosen: input and label
    /// visibility from the species and parameter masks, captions, input texts from the state.
    void applyModel();
    /// @brief The activation rules: unit captions, captions and tool tips for concentration or
    /// rate diagrams, the enabling of "alte Kurven löschen" and "mit exper. Punkten".
    void activate();

    /// @brief "c-t-Diagramm zeichnen" / "r-t-Diagramm zeichnen". False when nothing was drawn.
    bool drawDiagram();
    /// @brief "Werte- Tabelle ": runs the engine and shows the result table. False on a refusal.
    bool listTable();
    /// @brief "Diagramm  r(P)_=_Fu(S(0)) " of the Michaelis-Menten frame.
    bool drawMichaelisMenten();
    /// @brief "Werte- Tabelle " of the Michaelis-Menten frame.
    bool listMichaelisMenten();

    // CalculationWindow: the model window's reconfiguration.
    CalcWindowKind calcWindowKind() const override { return CalcWindowKind::SimulationSetUp; }
    QWidget* calcWidget() override { return this; }
    void applyModelConfig(const CalcWindowConfig& config) override;
    void applyUnitCaptions(const UnitCaptions& units) override;

    /// @brief How the result table is shown; by default modally. Tests replace it.
    void setTablePresenter(std::function<void(frmSimTabelle&)> presenter) {
        m_presentTable = std::move(presenter);
    }

  protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    SimulationInputs currentInputs() const;
    /// Reads the fields into the working state and, when they pass the command's check, runs the
    /// model under the wait cursor (Esc stops it). The draw command shows the model's diagram and
    /// keeps the run's axis ranges. Shows the problem lines or the engine's message, except after Esc.
    SimulationRunResult runFromFields(SimulationCommand command);
    void onRateConstantChanged();
    void onNormalisedToggled(bool checked);
    void focusNextField(int index);

    Session& m_session;
    UserDialogs& m_dialogs;
    DiagramWindowControl& m_diagram;
    std::function<void(frmSimTabelle&)> m_presentTable;

    std::array<NumberField*, 15> m_inp{};
    std::array<QLabel*, 5> m_lblStoff{};
    std::array<QLabel*, 8> m_bz{};    ///< Bz_5..Bz_7
    std::array<QLabel*, 4> m_unit{};  ///< unit1..unit3
    QLabel* m_modelLabel = nullptr;   ///< Label7
    QLabel* m_timeLabel = nullptr;
    QLabel* m_michaelisK = nullptr;
    QGroupBox* m_michaelisFrame = nullptr;
    NumberField* m_s0max = nullptr;
    QLabel* m_s0maxLabel = nullptr;
    QCheckBox* m_normalised = nullptr;
    QPushButton* m_mmDiagram = nullptr;
    QPushButton* m_mmList = nullptr;
    QPushButton* m_draw = nullptr;
    QPushButton* m_list = nullptr;
    QCheckBox* m_deleteOld = nullptr;
    QCheckBox* m_withPoints = nullptr;
    QPushButton* m_close = nullptr;
    bool m_updating = false;
    bool m_watchingSubWindow = false;
};

}  // namespace zemtral
