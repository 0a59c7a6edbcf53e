#pragma once
// The tangent window "Reakt.-geschw. r(i) berechnen": the rate dc/dt of one species at a typed
// time, read off the Akima spline through its measured points, with a smoothing slider.
#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace zemtral {

struct Session;
class UserDialogs;
class DiagramWindows;
class NumberField;

/// @brief frmCalcTangente (txtX, txtyResult, txtyStrichResult, lblr, SliderGlaettung, cmdCalc,
/// cmdClose).
class frmCalcTangente : public QWidget {
  public:
    frmCalcTangente(Session& session, UserDialogs& dialogs, DiagramWindows& diagrams,
                    QWidget* parent = nullptr);

    /// @brief "Berechnen": value and rate at the typed time, or a beep when it lies outside the
    /// time axis. False on the beep.
    bool calculate();
    /// @brief The smoothing slider moved: the spline is built anew and redrawn.
    void smoothingChanged(int value);
    /// @brief Labels for the session's species and time unit.
    void refreshLabels();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    Session& m_session;
    UserDialogs& m_dialogs;
    DiagramWindows& m_diagrams;
    NumberField* m_time = nullptr;
    QLabel* m_timeUnit = nullptr;
    QLineEdit* m_value = nullptr;
    QLineEdit* m_rate = nullptr;
    QLabel* m_rateLabel = nullptr;
    QLabel* m_valueLabel = nullptr;
    QLabel* m_rateUnit = nullptr;
    QSlider* m_smoothing = nullptr;
    QLabel* m_smoothingValue = nullptr;
};

}  // namespace zemtral
