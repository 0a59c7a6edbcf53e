// The Monte-Carlo window offscreen: one repaint of the 90 000 board, and a whole first-order run
// on that board through the window's timer, board and chart included.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <optional>
#include <string>

#include "montecarlo/monte_carlo.h"
#include "session/session.h"
#include "session/user_dialogs.h"
#include "support/ui_bench.h"
#include "ui/montecarlo/frm_monte_carlo.h"
#include "ui/montecarlo/molecule_board.h"

namespace {

using namespace zemtral;

using bench::SilentDialogs;

// The whole 90 000 board half reacted, painted into an image of the widget's size.
void BM_RepaintLargestBoard(benchmark::State& st) {
    bench::offscreenApplication("bench_ui_monte_carlo");
    MonteCarloGame game(MonteCarloKind::FirstOrder, 5, 0, 17);
    game.start();
    game.advance(60'000);
    MoleculeBoard board;
    board.resize(600, 600);
    board.setGame(&game);
    QImage target(board.size(), QImage::Format_RGB32);
    for (auto _ : st) {
        board.render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_RepaintLargestBoard)->Unit(benchmark::kMillisecond);

// "Start" on the 90 000 board until the first-order run has finished: the window's timer, the
// molecule changes on the board, the recorded points in the chart, every paint.
void BM_FirstOrderRunLargestBoard(benchmark::State& st) {
    bench::offscreenApplication("bench_ui_monte_carlo");
    Session session;
    session.shell.monteCarloKind = 1;
    SilentDialogs dialogs;
    frmMonteCarlo window(session, dialogs);
    window.resize(1100, 650);
    window.show();
    window.chooseBoard(5);
    QCoreApplication::processEvents();
    for (auto _ : st) {
        window.findChild<QPushButton*>("cmdStart")->click();
        while (window.isRunning()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        if (window.game().phase() != MonteCarloGame::Phase::Finished) {
            st.SkipWithError("the run did not finish");
        }
    }
}
BENCHMARK(BM_FirstOrderRunLargestBoard)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
