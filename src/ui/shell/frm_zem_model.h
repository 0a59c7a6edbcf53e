#pragma once
// The model window "  kinetisches Modell": the 19 model options, the order box, the time units.
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "session/session.h"
#include "ui/shell/calculation_window.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace zemtral {

/// @brief What the model window reaches outside itself.
struct ModelWindowLinks {
    std::function<std::vector<CalculationWindow*>()> calculationWindows;  ///< the open ones
    std::function<bool()> matrixOpen;
    std::function<void()> openMatrix;
    std::function<void()> closeMatrix;
    std::function<void()> timeUnitChanged;  ///< the data editor refreshes its table
    std::function<void(int topic)> showHelp;
};

class frmZemModel : public QWidget {
    Q_OBJECT
  public:
    frmZemModel(Session& session, ModelWindowLinks links, QWidget* parent = nullptr);

    /// @brief Clicks model option `option` (0 = model 20, 1..18).
    void chooseOption(int option);
    /// @brief Clicks time-unit option 0..4.
    void chooseTimeUnit(int index);
    /// @brief Shows the working state's model and order without choosing anew (a command such as
    /// an evaluation changed them) and reconfigures the open calculation windows.
    void showCurrentModel();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void reconfigureCalculationWindows();
    void updateFonts(int option);

    Session& m_session;
    ModelWindowLinks m_links;
    std::array<QRadioButton*, 19> m_optTyp{};
    QButtonGroup* m_models = nullptr;  ///< the nineteen options across both frames are one choice
    std::array<QRadioButton*, 5> m_optZeit{};
    std::array<QLabel*, 19> m_schemeLabel{};  ///< beside options 7, 10, 13, 18
    QLineEdit* m_txtOrdnung = nullptr;
    QLabel* m_lblRecalcTime = nullptr;
};

}  // namespace zemtral
