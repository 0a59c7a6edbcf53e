#pragma once
// The k-T calculator "Arrhenius-Rechner" / "Eyring-Rechner": k at a temperature from A and EA,
// or from the activation entropy and enthalpy.
#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;

namespace zemtral {

struct Session;
class NumberField;

/// @brief frmArrheniusRechner (txtInpArrh_0..2, txtkResult, txtksecResult, cmdCalc, cmdClose).
class frmArrheniusRechner : public QWidget {
  public:
    explicit frmArrheniusRechner(Session& session, QWidget* parent = nullptr);

    /// @brief The texts of the session's form and fitting mode, the stored parameters as inputs,
    /// T = 298.15 and empty results (what the window shows when it comes up or after a fit).
    void refresh();
    /// @brief "Berechnen": k in the data's time unit and per second ("Err" on an arithmetic fault).
    void calculate();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    Session& m_session;
    QLabel* m_formula = nullptr;
    std::array<QLabel*, 4> m_explanation{};
    std::array<QLabel*, 3> m_inputLabel{};
    std::array<NumberField*, 3> m_input{};
    QLineEdit* m_k = nullptr;
    QLineEdit* m_kPerSecond = nullptr;
    QLabel* m_kUnit = nullptr;
    QLabel* m_kPerSecondUnit = nullptr;
};

}  // namespace zemtral
