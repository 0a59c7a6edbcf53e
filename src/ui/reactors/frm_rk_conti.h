#pragma once
// The stirred-tank window "  Kontinuierlicher Rührreaktor": of conversion, volume, volume flow
// and residence time two are given, the window computes the others and the outlet; the stirrer
// of the tank turns while a current result is shown.
#include <QTimer>

#include "ui/reactors/reactor_window.h"

namespace zemtral {

/// @brief frmRKconti. Fields inp_0..inp_16 (0-4 inlet, 5-9 outlet, 10-12 k, 13 U(A), 14 V, 15 V*,
/// 16 t), options optVorgabe_0..4, cmdStart, cmdHilfe, cmdShowKsi, cmdProtocol, cmdClose.
class frmRKconti : public ReactorWindow {
    Q_OBJECT
  public:
    frmRKconti(Session& session, UserDialogs& dialogs, ReactorWindowLinks links, QWidget* parent = nullptr);

    /// @brief Interval of the stirrer [ms].
    static constexpr int kStirrerIntervalMs = 180;
    bool stirrerRunning() const { return m_stirrer.isActive(); }

  protected:
    bool runCommand(double& conversion) override;
    std::vector<int> givenFields(int option) const override;
    void optionChosen(int option) override;
    void resultsShown(double conversion) override;
    void resultsLost() override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QTimer m_stirrer;
    bool m_stirring = false;  ///< a current result is shown: the stirrer turns while visible
};

}  // namespace zemtral
