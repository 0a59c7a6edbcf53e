#pragma once
// The Monte-Carlo window "Monte-Carlo-Simulation": the board of molecules, the chart of the
// simulated particle numbers against the analytic curves, and Start/Stop/Go/Refresh. The run
// advances in blocks from a timer at about 30 frames per second, so the window never freezes.
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "montecarlo/ensemble.h"
#include "montecarlo/monte_carlo.h"
#include "session/monte_carlo_commands.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace zemtral {

struct Session;
class UserDialogs;
class ChartComponent;
class QtChartComponent;
class MoleculeBoard;

/// @brief frmMonteCarlo. Controls: optN0_0..5, optK_0..2, chkBlitz, chkEnsemble, cmdStart,
/// cmdStop, cmdGo, cmdRefresh, cmdClipboard, cmdHilfe, cmdClose, lblA, lblP, lblZustand, the
/// board picBrett and the chart Chart2D2.
class frmMonteCarlo : public QWidget {
    Q_OBJECT
  public:
    /// @brief The mode comes from the session's monteCarloKind; `showHelp` opens a help topic.
    frmMonteCarlo(Session& session, UserDialogs& dialogs, std::function<void(int topic)> showHelp = nullptr,
                  QWidget* parent = nullptr);
    ~frmMonteCarlo() override;

    void start();
    void stop();
    void go();
    void refresh();
    /// @brief Chooses board option 0..5 or K option 0..2, as a click does (only while no run goes on).
    void chooseBoard(int index);
    void chooseK(int index);
    /// @brief Takes the options window's speed, point size, fill and colours at once.
    Q_INVOKABLE void applyOptions();

    const MonteCarloGame& game() const { return *m_game; }
    ChartComponent& chart();
    MoleculeBoard* board() const { return m_board; }
    /// @brief True while the run or the ensemble advances on the timer.
    bool isRunning() const { return m_timer.isActive(); }
    /// @brief The ensemble of the last finished run (nullptr when none was computed).
    const MonteCarloEnsemble* ensemble() const { return m_ensemble.get(); }
    /// @brief One frame of the run, as the timer calls it; `elapsedSeconds` is the time since
    /// the previous frame.
    void advanceFrame(double elapsedSeconds);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void newGame();
    void runEnded();
    void setRunning(bool running);
    void startEnsemble();
    void cancelEnsemble();
    void updateStateLine();
    void updateOptionFonts();
    void onTimer();

    Session& m_session;
    UserDialogs& m_dialogs;
    std::function<void(int)> m_showHelp;
    MonteCarloKind m_kind;
    int m_boardIndex = kDefaultBoardIndex;
    int m_kIndex = kDefaultKIndex;
    std::unique_ptr<MonteCarloGame> m_game;
    MonteCarloPacer m_pacer;
    bool m_flash = false;
    std::unique_ptr<MonteCarloEnsemble> m_ensemble;
    QTimer m_timer;
    QElapsedTimer m_clock;
    std::vector<MoleculeChange> m_changes;

    MoleculeBoard* m_board = nullptr;
    QtChartComponent* m_chart = nullptr;
    std::array<QRadioButton*, 6> m_optN0{};
    std::array<QRadioButton*, 3> m_optK{};
    QWidget* m_kFrame = nullptr;
    QCheckBox* m_flashBox = nullptr;
    QCheckBox* m_ensembleBox = nullptr;
    QLabel* m_labelA = nullptr;
    QLabel* m_labelP = nullptr;
    QLabel* m_state = nullptr;
    QLabel* m_ensembleText = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_go = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_clipboard = nullptr;
};

}  // namespace zemtral
