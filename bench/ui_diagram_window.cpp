// The diagram window under load, offscreen: a whole simulation run from the draw button to the
// painted curves, and the repaint of a full diagram after a resize.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <memory>

#include "core/working_state.h"
#include "session/session.h"
#include "session/user_dialogs.h"
#include "support/ui_bench.h"
#include "ui/diagrams/diagram_windows.h"
#include "ui/diagrams/frm_graph2d.h"
#include "ui/diagrams/qt_chart_component.h"
#include "ui/simulation/frm_prepare_time_diagram.h"

namespace {

using namespace zemtral;

using bench::SilentDialogs;

// "c-t-Diagramm zeichnen" for A + B => C => P (four species, Runge-Kutta): read and check the
// inputs, run the engine, open a fresh diagram window, draw four curves and paint the chart.
void BM_DrawFourSpeciesNumericalModel(benchmark::State& st) {
    bench::offscreenApplication("bench_ui_diagram_window");
    Session session;
    session.diagramKind = applyModelDefaults(session.state, 9).diagramKind;
    session.state.tEnd = 100.0f;
    SilentDialogs dialogs;
    DiagramWindows diagrams(session, dialogs);
    frmPrepareTimeDiagram setUp(session, dialogs, diagrams);
    auto* draw = setUp.findChild<QPushButton*>("cmdDrawctDiagram");
    for (auto _ : st) {
        draw->click();
        QtChartComponent& chart = diagrams.window()->chartWidget();
        chart.resize(900, 600);
        QCoreApplication::sendPostedEvents();
        const QImage painted = chart.renderImage();
        benchmark::DoNotOptimize(painted.constBits());
    }
    if (diagrams.window() == nullptr || diagrams.window()->chart().pointCount(1, 4) != 201 ||
        dialogs.messages != 0) {
        st.SkipWithError("the diagram was not drawn");
    }
}
BENCHMARK(BM_DrawFourSpeciesNumericalModel)->Unit(benchmark::kMillisecond);

// A diagram of 24 curves of 201 points laid out and painted again at a new size.
void BM_RedrawTwentyFourCurvesOnResize(benchmark::State& st) {
    bench::offscreenApplication("bench_ui_diagram_window");
    QtChartComponent chart;
    chart.resize(900, 600);
    chart.show();
    {
        ChartModel& model = chart.model();
        ChartUpdateBatch batch(model);
        model.setSeriesCount(1, 24);
        for (int s = 1; s <= 24; ++s) {
            std::vector<ChartPoint> points;
            for (int i = 0; i <= 200; ++i) {
                const double t = i * 0.5;
                points.push_back({t, std::exp(-0.01 * s * t)});
            }
            model.setSeriesData(1, s, points);
            model.setSeriesLabel(1, s, "Kurve " + std::to_string(s));
        }
        AxisSettings x = model.axis(ChartAxis::X);
        x.maximum = 100.0;
        model.setAxis(ChartAxis::X, x);
    }
    if (chart.chart()->plotArea().width() < 100) {
        st.SkipWithError("the chart was not laid out");
    }
    bool wide = false;
    for (auto _ : st) {
        wide = !wide;
        chart.resize(wide ? 1000 : 900, wide ? 650 : 600);
        QCoreApplication::sendPostedEvents();
        const QImage painted = chart.renderImage();
        benchmark::DoNotOptimize(painted.constBits());
    }
    const double plotWidth = chart.chart()->plotArea().width();
    chart.resize(600, 400);
    QCoreApplication::sendPostedEvents();
    if (!(chart.chart()->plotArea().width() < plotWidth)) {
        st.SkipWithError("a resize did not lay the chart out again");
    }
}
BENCHMARK(BM_RedrawTwentyFourCurvesOnResize)->Unit(benchmark::kMillisecond);

}  // namespace
