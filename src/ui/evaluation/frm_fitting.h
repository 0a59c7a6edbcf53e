#pragma once
// The fitting window "k-Fitting": the parameters of the chosen model (or of the order, or of the
// temperature law) by hand with text boxes and sliders, or by Auto-Fitting, with the curves drawn
// over the measured points and the statistics of the last fit.
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "ui/shell/calculation_window.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QTableWidget;
class QThread;
class QTimer;

namespace zemtral {

struct Session;
class UserDialogs;
class DiagramWindows;
class AutoFitJob;
class NumberField;

/// @brief What the fitting window asks of the main window.
struct FittingWindowLinks {
    std::function<void()> closeWithDiagram;   ///< "Schließen <Esc>": this window and the diagram
    std::function<void(int)> showHelp;        ///< "Hilfe"
    std::function<void()> refreshCalculator;  ///< the k-T calculator, when loaded, shows the new values
};

/// @brief frmFitting. Controls carry the names of the original window (inp_0..inp_4, inp_10..inp_12,
/// inp_14, Sliderk1_fein, Sliderk1_grob ..., chkFixed_1..3, lblPlusMinus_1..3, lblStdDev_1..3,
/// chkConcFQS_1..5, lblFQS, lblAktEntropie, optkTFunktion_0/1, cmdDrawNewCurve, cmdAutoFitting,
/// cmdClose, cmdHelp) plus cmdStopFitting, cmdResiduen, fraStatistik, tblStatistik, cmdCopyStatistik.
class frmFitting : public QWidget, public CalculationWindow {
  public:
    frmFitting(Session& session, UserDialogs& dialogs, DiagramWindows& diagrams, FittingWindowLinks links,
               QWidget* parent = nullptr);
    ~frmFitting() override;

    /// @brief "Zeichne Kurve": the checks, then one curve (one per temperature in the
    /// non-isothermal modes) over the measured points, and ShowFitResult. False on a refusal.
    bool drawCurve();
    /// @brief "Residuen": measured − model of every fitted species against t in the diagram
    /// window, a plot of its own with a zero line. False when refused.
    bool showResiduals();
    /// @brief "Auto-Fitting": starts the fit on a worker thread; the window stays usable and shows
    /// the best sum of squares so far. False when refused (too few points, a fit still running).
    bool startAutoFitting();
    /// @brief "Stop" (and Esc while fitting): the fit ends after its current step with the best
    /// parameters found so far.
    void stopAutoFitting();
    /// @brief True while an Auto-Fitting runs.
    bool isFitting() const;
    /// @brief ShowFitResult: lblFQS and the diagram's caption.
    void showFitResult();
    /// @brief Every control from the session: parameters, labels of the mode, species boxes,
    /// standard deviations and statistics.
    void refreshFromSession();

    // CalculationWindow: the model window's reconfiguration.
    CalcWindowKind calcWindowKind() const override { return CalcWindowKind::Fitting; }
    QWidget* calcWidget() override { return this; }
    CalcWindowExtras calcWindowExtras() const override;
    void applyModelConfig(const CalcWindowConfig& config) override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QWidget* buildParameterRow(int j);
    void onSliderReleased(int j, bool fine);
    void onParameterTyped(int j);
    void onFitFinished();
    void finishRunningFit();
    void onProgressTick();
    void showParameterTexts();
    void showStandardDeviations();
    void showStatistics();
    void applyModeTexts();
    void setFitControlsEnabled(bool enabled);
    void copyStatistics();
    char decimalSeparator() const;

    Session& m_session;
    UserDialogs& m_dialogs;
    DiagramWindows& m_diagrams;
    FittingWindowLinks m_links;

    std::array<NumberField*, 15> m_inp{};
    std::array<QLabel*, 5> m_lblStoff{};
    std::array<QLabel*, 8> m_bz{};
    std::array<QLabel*, 4> m_unit{};
    std::array<QSlider*, 4> m_fine{};
    std::array<QSlider*, 4> m_coarse{};
    std::array<QCheckBox*, 4> m_fixed{};
    std::array<QLabel*, 4> m_plusMinus{};
    std::array<QLabel*, 4> m_stdDev{};
    std::array<QWidget*, 4> m_paramRow{};
    std::array<QCheckBox*, 6> m_species{};
    QLabel* m_modelLabel = nullptr;
    QGroupBox* m_paramFrame = nullptr;
    QLabel* m_fqs = nullptr;
    QLabel* m_entropy = nullptr;
    QLabel* m_timeLabel = nullptr;
    QGroupBox* m_kTFrame = nullptr;
    QRadioButton* m_eyring = nullptr;
    QRadioButton* m_arrhenius = nullptr;
    QPushButton* m_draw = nullptr;
    QPushButton* m_autoFit = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_residuals = nullptr;
    QPushButton* m_close = nullptr;
    QGroupBox* m_statisticsFrame = nullptr;
    QTableWidget* m_statistics = nullptr;
    QPushButton* m_copyStatistics = nullptr;

    std::unique_ptr<AutoFitJob> m_job;
    QPointer<QThread> m_thread;
    QTimer* m_progress = nullptr;
    bool m_updating = false;
};

}  // namespace zemtral
