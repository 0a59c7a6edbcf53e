#pragma once
// The batch-reactor window "  Batch-Reaktor, isotherm": final concentrations after a given time,
// or the time that reaches a given conversion of A, with the vessel whose colour follows U(A).
#include "ui/reactors/reactor_window.h"

namespace zemtral {

/// @brief frmBatch. Fields inp_0..inp_14 (0-4 c(0), 5-9 c, 10-12 k, 13 U(A), 14 t), options
/// optVorgabe_0 (time given) and optVorgabe_1 (conversion given), cmdBerechnen, cmdShowKsi,
/// cmdProtocol, cmdClose, fraKsi.
class frmBatch : public ReactorWindow {
    Q_OBJECT
  public:
    frmBatch(Session& session, UserDialogs& dialogs, ReactorWindowLinks links, QWidget* parent = nullptr);

  protected:
    bool runCommand(double& conversion) override;
    std::vector<int> givenFields(int option) const override;
    void optionChosen(int option) override;
};

}  // namespace zemtral
