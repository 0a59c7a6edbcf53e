#pragma once
// The tube window "  Rohrreaktor, volumenbeständige Reaktion": a fluid element reacts like the
// batch vessel during its residence time t = l/v; the tube shows the conversion along its length.
#include "ui/reactors/reactor_window.h"

namespace zemtral {

/// @brief frmRohrreaktor. Fields inp_0..inp_16 (0-4 inlet, 5-9 outlet, 10-12 k, 13 U(A), 14 t,
/// 15 l, 16 v), options optVorgabe_0..2, cmdBerechnen, cmdShowKsi, cmdProtocol, cmdClose.
class frmRohrreaktor : public ReactorWindow {
    Q_OBJECT
  public:
    frmRohrreaktor(Session& session, UserDialogs& dialogs, ReactorWindowLinks links,
                   QWidget* parent = nullptr);

    /// @brief Places along the tube at which the picture shows the conversion.
    static constexpr int kProfileSamples = 25;

  protected:
    bool runCommand(double& conversion) override;
    std::vector<int> givenFields(int option) const override;
    void optionChosen(int option) override;
    void resultsShown(double conversion) override;
};

}  // namespace zemtral
