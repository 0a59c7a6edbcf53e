// The Monte-Carlo window offscreen: Start, Stop, Go and Refresh, the board and the chart, the
// options applied to an open window, closing during a run, the ensemble overlay.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "session/session.h"
#include "support/recording_dialogs.h"
#include "ui/montecarlo/frm_monte_carlo.h"
#include "ui/montecarlo/molecule_board.h"
#include "ui/montecarlo/monte_carlo_windows.h"
#include "ui/shell/frm_option.h"
#include "ui/shell/mdizem.h"
#include "ui/shell/zem_settings.h"

using namespace zemtral;
using zemtral::test::RecordingDialogs;

namespace {

struct Window {
    QTemporaryDir home;
    Session session;
    RecordingDialogs dialogs;
    std::unique_ptr<frmMonteCarlo> w;

    explicit Window(int kind, int board = -1) {
        session.appHome = home.path().toStdString();
        session.shell.monteCarloKind = static_cast<std::uint8_t>(kind);
        w = std::make_unique<frmMonteCarlo>(session, dialogs);
        w->resize(1100, 650);
        w->show();
        if (board >= 0) {
            w->chooseBoard(board);
        }
    }
    QPushButton* button(const char* name) { return w->findChild<QPushButton*>(name); }
    /// Runs frames of a quarter second until the run or the ensemble ends.
    int runToEnd(int maxFrames = 100000) {
        int frames = 0;
        while (w->isRunning() && frames < maxFrames) {
            w->advanceFrame(0.25);
            ++frames;
        }
        return frames;
    }
};

bool boardShowsGame(const MoleculeBoard& board, const MonteCarloGame& game, const QColor& a,
                    const QColor& p) {
    for (std::int32_t j = 1; j <= game.n0(); ++j) {
        if (board.moleculeColour(j) != (game.isA(j) ? a : p)) {
            return false;
        }
    }
    return true;
}

}  // namespace

class MonteCarloWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { qputenv("ZEMTRAL_HOME", QDir::tempPath().toUtf8()); }

    void loadShowsTheStartState() {
        Window m(1);
        QCOMPARE(m.w->windowTitle(), QStringLiteral("Monte-Carlo-Simulation"));
        QVERIFY(m.w->findChild<QRadioButton*>("optN0_2")->isChecked());
        QVERIFY(m.w->findChild<QRadioButton*>("optN0_2")->font().bold());
        QCOMPARE(m.w->game().n0(), 1024);
        QVERIFY(m.w->findChild<QWidget*>("fraK")->isHidden());
        QCOMPARE(m.w->chart().pointCount(1, 1), 101);
        QCOMPARE(m.w->chart().pointCount(2, 1), 0);
        QVERIFY(!m.button("cmdStop")->isEnabled());
        QVERIFY(!m.button("cmdGo")->isEnabled());
        QVERIFY(boardShowsGame(*m.w->board(), m.w->game(), Qt::red, Qt::blue));

        // The equilibrium: K = 2 leaves N0/3 of A in the analytic curve.
        Window e(2);
        QVERIFY(!e.w->findChild<QWidget*>("fraK")->isHidden());
        QVERIFY(e.w->findChild<QWidget*>("chkEnsemble")->isHidden());
        e.w->chooseK(2);
        QVERIFY(std::fabs(e.w->chart().point(1, 1, 101).y - 100.0 / 3.0) < 0.5);
        QVERIFY(e.w->findChild<QRadioButton*>("optK_2")->font().bold());
        QVERIFY(!e.w->findChild<QRadioButton*>("optK_0")->font().bold());
    }

    // Start, Stop and Go keep the recorded points: the chart holds every one of them, in order.
    void startStopGoKeepTheRecordedPoints() {
        Window m(1, 2);
        m.button("cmdStart")->click();
        QVERIFY(m.w->isRunning());
        QVERIFY(!m.button("cmdStart")->isEnabled());
        QVERIFY(!m.w->findChild<QRadioButton*>("optN0_3")->isEnabled());
        for (int i = 0; i < 3; ++i) {
            m.w->advanceFrame(0.25);
        }
        m.button("cmdStop")->click();
        QVERIFY(!m.w->isRunning());
        QVERIFY(m.button("cmdGo")->isEnabled());
        const std::vector<RecordedPoint> before = m.w->game().recorded();
        QVERIFY(before.size() > 5);
        QCOMPARE(m.w->chart().pointCount(2, 1), static_cast<int>(before.size()));
        m.w->advanceFrame(0.25);  // a frame after Stop does nothing
        QCOMPARE(m.w->game().recorded().size(), before.size());

        m.button("cmdGo")->click();
        QVERIFY(m.w->isRunning());
        m.w->advanceFrame(0.25);
        m.button("cmdStop")->click();
        const auto& after = m.w->game().recorded();
        QVERIFY(after.size() > before.size());
        for (std::size_t i = 0; i < before.size(); ++i) {
            QCOMPARE(after[i].t, before[i].t);
            QCOMPARE(after[i].nA, before[i].nA);
        }
        QCOMPARE(m.w->chart().pointCount(2, 2), static_cast<int>(after.size()));
        const ChartPoint last = m.w->chart().point(2, 1, static_cast<int>(after.size()));
        QCOMPARE(last.y, after.back().nA / 10.24);
        QVERIFY(boardShowsGame(*m.w->board(), m.w->game(), Qt::red, Qt::blue));
        QCOMPARE(m.w->findChild<QLabel*>("lblZustand")->text(),
                 QString::fromStdString(monteCarloStateText(m.w->game())));
    }

    // After a finished run, Refresh brings the board and the chart back to the start state.
    void refreshAfterARunResetsTheBoard() {
        Window m(1, 0);
        m.w->findChild<QCheckBox*>("chkBlitz")->setChecked(true);
        m.button("cmdStart")->click();
        m.runToEnd();
        QCOMPARE(m.w->game().phase(), MonteCarloGame::Phase::Finished);
        QVERIFY(!m.button("cmdStop")->isEnabled());
        QVERIFY(m.w->game().countA() < 100);
        QVERIFY2(boardShowsGame(*m.w->board(), m.w->game(), Qt::red, Qt::blue), "no molecule stays white");
        m.button("cmdRefresh")->click();
        QCOMPARE(m.w->game().countA(), 100);
        QCOMPARE(m.w->game().steps(), std::int64_t{0});
        for (std::int32_t j = 1; j <= 100; ++j) {
            QCOMPARE(m.w->board()->moleculeColour(j), QColor(Qt::red));
        }
        QCOMPARE(m.w->chart().pointCount(2, 1), 0);
        QCOMPARE(m.w->chart().pointCount(1, 1), 101);
        QVERIFY(!m.button("cmdGo")->isEnabled());
    }

    // OK in the options window changes the points, their fill and the colours of an open window.
    void optionsApplyToTheOpenWindow() {
        QTemporaryDir home;
        ZemSettings::setShowTipsAtStartup(false);
        Session session;
        session.appHome = home.path().toStdString();
        RecordingDialogs dialogs;
        MDIZEM main(session, dialogs);
        registerMonteCarloWindow(main);
        main.show();
        main.findChild<QAction*>("mnuSubMonteCarlo_0")->trigger();
        auto* w = qobject_cast<frmMonteCarlo*>(main.window(WindowId::MonteCarlo));
        QVERIFY(w != nullptr);
        w->start();
        w->advanceFrame(0.25);
        QCOMPARE(w->chart().seriesStyle(2, 1).symbolSize, 7);

        session.shell.monteCarlo.colourA = 0x00A000;  // what the colour button would have chosen
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<frmOption*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            dialog->findChild<QSpinBox*>("txtPointSize")->setValue(12);
            dialog->findChild<QCheckBox*>("chkSolidPoints")->setChecked(true);
            dialog->findChild<QPushButton*>("cmdOK")->click();
        });
        main.findChild<QAction*>("mnuOption")->trigger();
        const SeriesStyle style = w->chart().seriesStyle(2, 1);
        QCOMPARE(style.symbolSize, 12);
        QCOMPARE(style.symbolShape, SymbolShape::FilledCircle);
        QCOMPARE(style.symbolColour, ChartColour{0x00A000});
        QVERIFY(boardShowsGame(*w->board(), w->game(), QColor(0, 0xA0, 0), Qt::blue));
        QVERIFY2(w->isRunning(), "the run goes on");
    }

    // Closing the window during a run stops the run first; reopening through the menu mid-run too.
    void closesCleanlyMidRun() {
        QTemporaryDir home;
        ZemSettings::setShowTipsAtStartup(false);
        Session session;
        session.appHome = home.path().toStdString();
        RecordingDialogs dialogs;
        MDIZEM main(session, dialogs);
        registerMonteCarloWindow(main);
        main.show();
        main.findChild<QAction*>("mnuSubMonteCarlo_0")->trigger();
        QPointer<frmMonteCarlo> first = qobject_cast<frmMonteCarlo*>(main.window(WindowId::MonteCarlo));
        first->findChild<QRadioButton*>("optN0_5")->click();
        first->findChild<QPushButton*>("cmdStart")->click();
        QTRY_VERIFY(first->game().steps() > 0);  // the timer runs the game
        QVERIFY(first->isRunning());
        // The equilibrium item reopens the window while the first-order run goes on.
        main.findChild<QAction*>("mnuSubMonteCarlo_1")->trigger();
        QTRY_VERIFY(first.isNull());
        QPointer<frmMonteCarlo> second = qobject_cast<frmMonteCarlo*>(main.window(WindowId::MonteCarlo));
        QVERIFY(second != nullptr);
        QVERIFY(!second->findChild<QWidget*>("fraK")->isHidden());
        second->findChild<QPushButton*>("cmdStart")->click();
        QTRY_VERIFY(second->game().steps() > 0);
        QVERIFY(second->isRunning());
        second->findChild<QPushButton*>("cmdClose")->click();
        QTRY_VERIFY(second.isNull());
        QTest::qWait(150);  // no timer fires into the closed window
        QVERIFY(main.window(WindowId::MonteCarlo) == nullptr);
    }

    // After a first-order run the ensemble of 50 runs overlays its mean and ±1σ band.
    void ensembleOverlaysMeanAndBand() {
        Window m(1, 1);
        auto* ensemble = m.w->findChild<QCheckBox*>("chkEnsemble");
        QVERIFY(!ensemble->isChecked());
        m.button("cmdStart")->click();
        m.runToEnd();
        QVERIFY2(m.w->ensemble() == nullptr, "off by default: the run alone");
        QVERIFY(!m.w->chart().seriesVisible(1, mc_series::kEnsembleMean));
        ensemble->setChecked(true);
        QVERIFY(m.w->isRunning());
        m.runToEnd();
        QVERIFY(m.w->ensemble() != nullptr);
        QCOMPARE(m.w->ensemble()->runsDone(), 50);
        QVERIFY(m.w->chart().seriesVisible(1, mc_series::kEnsembleMean));
        QVERIFY(m.w->chart().pointCount(1, mc_series::kEnsembleHigh) > 10);
        QVERIFY(m.w->findChild<QLabel*>("lblEnsemble")
                    ->text()
                    .startsWith(QStringLiteral("Ensemble aus 50 Läufen")));
        ensemble->setChecked(false);
        QVERIFY(!m.w->chart().seriesVisible(1, mc_series::kEnsembleMean));
        // A new run starts without the old band.
        ensemble->setChecked(true);
        m.runToEnd();
        m.button("cmdStart")->click();
        QVERIFY(!m.w->chart().seriesVisible(1, mc_series::kEnsembleMean));
    }

    // A run on the 9025 board through the real timer finishes quickly and keeps the window responsive.
    void largeBoardRunsOnTheTimer() {
        Window m(1, 4);
        QElapsedTimer clock;
        clock.start();
        m.button("cmdStart")->click();
        QTRY_VERIFY_WITH_TIMEOUT(!m.w->isRunning(), 10000);
        QCOMPARE(m.w->game().phase(), MonteCarloGame::Phase::Finished);
        QVERIFY(boardShowsGame(*m.w->board(), m.w->game(), Qt::red, Qt::blue));
        QCOMPARE(m.w->chart().pointCount(2, 1), static_cast<int>(m.w->game().recorded().size()));
        qInfo("9025 board: %lld ms", static_cast<long long>(clock.elapsed()));
    }

    /// Pictures for the README: set ZEMTRAL_SCREENSHOT_DIR to write them.
    void screenshots() {
        const QString dir = qEnvironmentVariable("ZEMTRAL_SCREENSHOT_DIR");
        if (dir.isEmpty()) {
            QSKIP("ZEMTRAL_SCREENSHOT_DIR not set");
        }
        // Both mid-run: about a fifth of the molecules is still A.
        Window small(1, 2);
        small.button("cmdStart")->click();
        for (int i = 0; i < 3; ++i) {
            small.w->advanceFrame(0.25);
        }
        QApplication::processEvents();
        QVERIFY(small.w->grab().save(dir + "/montecarlo-1024.png"));
        small.button("cmdStop")->click();

        Window large(1, 5);
        large.button("cmdStart")->click();
        for (int i = 0; i < 4; ++i) {
            large.w->advanceFrame(1.0 / 30.0);
        }
        QApplication::processEvents();
        QVERIFY(large.w->grab().save(dir + "/montecarlo-90000.png"));
        large.button("cmdStop")->click();
    }
};

QTEST_MAIN(MonteCarloWindowTest)
#include "monte_carlo_window_test.moc"
