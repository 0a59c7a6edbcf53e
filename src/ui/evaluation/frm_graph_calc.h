#pragma once
// The single-point calculator "  Einzelpunkt-Rechner" of the diagram window: the simulated
// concentrations of every species at a typed time.
#include <QWidget>
#include <array>

class QLabel;

namespace zemtral {

struct Session;
class UserDialogs;
class NumberField;

/// @brief frmGraphCalc (txtX, lblResult_1..5 with their captions lblSpecies_1..5, lblZeiteinheit,
/// cmdCalc, cmdClose).
class frmGraphCalc : public QWidget {
  public:
    frmGraphCalc(Session& session, UserDialogs& dialogs, QWidget* parent = nullptr);

    /// @brief "Berechnen": the five concentrations at the typed time, or a beep. False on the beep.
    bool calculate();
    /// @brief Captions, their visibility and the time unit from the session's model and masks.
    void refreshLabels();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    Session& m_session;
    UserDialogs& m_dialogs;
    NumberField* m_time = nullptr;
    QLabel* m_timeUnit = nullptr;
    std::array<QLabel*, 6> m_caption{};
    std::array<QLabel*, 6> m_result{};
    std::array<QLabel*, 6> m_unit{};
};

}  // namespace zemtral
