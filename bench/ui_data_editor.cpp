// The data editor under load, offscreen: opening it on a set of 10 000 points (grid, fields,
// first paint) and pasting a spreadsheet block of 10 000 rows into an empty set.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <string>

#include "numeric/number_text.h"
#include "session/session.h"
#include "session/user_dialogs.h"
#include "support/ui_bench.h"
#include "ui/data/frm_datedit.h"

namespace {

using namespace zemtral;

constexpr int kPoints = 10000;

using bench::SilentDialogs;

ExpDataSet firstOrderSet(int count) {
    ExpDataSet set;
    for (int i = 0; i < count; ++i) {
        ExpPoint p;
        p.t = 0.5 * i;
        p.c[1] = 0.0125 * (1.0 + 1.0 / (1.0 + i));
        p.c[4] = 0.0125 - p.c[1] / 2.0;
        p.T = 298.15 + i % 7;
        p.k = 1e-3 * (1 + i % 5);
        set.points.push_back(p);
    }
    set.pointCount = static_cast<std::int16_t>(count);
    return set;
}

// "exper. Daten    Sichten / Editieren" on 10 000 points: the window built, shown and painted.
void BM_OpenEditorOn10000Points(benchmark::State& st) {
    bench::offscreenApplication("bench_ui_data_editor");
    Session session;
    session.data = firstOrderSet(kPoints);
    SilentDialogs dialogs;
    for (auto _ : st) {
        auto editor = std::make_unique<frmDatedit>(session, dialogs, DataEditorLinks{});
        editor->resize(1040, 620);
        editor->show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(editor->grab());
    }
}
BENCHMARK(BM_OpenEditorOn10000Points)->Unit(benchmark::kMillisecond);

// Ctrl+V of a spreadsheet block of 10 000 rows (t, cA .. cQ) into an empty set, with the refill
// of the grid.
void BM_Paste10000Rows(benchmark::State& st) {
    bench::offscreenApplication("bench_ui_data_editor");
    Session session;
    SilentDialogs dialogs;
    // The block as a German spreadsheet copies it: decimal commas, Tabs, CR LF.
    const ExpDataSet source = firstOrderSet(kPoints);
    std::string text;
    for (int i = 1; i <= kPoints; ++i) {
        const ExpPoint& p = source.points[static_cast<std::size_t>(i)];
        text += formatDouble(p.t, ',') + "\t" + formatDouble(p.c[1], ',') + "\t0\t0\t" +
                formatDouble(p.c[4], ',') + "\t0\r\n";
    }
    frmDatedit editor(session, dialogs, DataEditorLinks{});
    editor.resize(1040, 620);
    editor.show();
    QApplication::processEvents();
    for (auto _ : st) {
        st.PauseTiming();
        session.data = ExpDataSet{};
        editor.refreshTable();
        QApplication::processEvents();
        st.ResumeTiming();
        editor.pasteText(text);
        QApplication::processEvents();
        if (session.data.pointCount != kPoints || dialogs.messages != 0) {
            st.SkipWithError("the paste did not take every row");
            break;
        }
    }
}
BENCHMARK(BM_Paste10000Rows)->Unit(benchmark::kMillisecond);

}  // namespace
