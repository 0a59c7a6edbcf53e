// Odd inputs through the simulation set-up window and the diagram window, for every model: each
// is refused with a message or handled, and nothing crashes, hangs or leaves a non-finite value
// in the chart.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cmath>

#include "core/working_state.h"
#include "diagrams/design_file.h"
#include "session/data_commands.h"
#include "session/project_commands.h"
#include "session/session.h"
#include "support/recording_dialogs.h"
#include "test_paths.h"
#include "ui/diagrams/diagram_windows.h"
#include "ui/diagrams/frm_graph2d.h"
#include "ui/diagrams/qt_chart_component.h"
#include "ui/shell/mdizem.h"
#include "ui/shell/zem_settings.h"
#include "ui/simulation/frm_prepare_time_diagram.h"
#include "ui/simulation/frm_sim_tabelle.h"
#include "ui/simulation/simulation_windows.h"

using namespace zemtral;
using zemtral::test::RecordingDialogs;

namespace {

const char* const kOddTexts[] = {"", "abc", "1e38", "1e-38", "-5", "0", "1e400", "1,5e3", "NaN"};

bool chartIsFinite(const ChartComponent& chart) {
    for (int group = 1; group <= 2; ++group) {
        for (int s = 1; s <= chart.seriesCount(group); ++s) {
            for (int i = 1; i <= chart.pointCount(group, s); ++i) {
                const ChartPoint p = chart.point(group, s, i);
                if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
                    return false;
                }
            }
        }
    }
    return true;
}

}  // namespace

class RobustnessTest : public QObject {
    Q_OBJECT

  private slots:
    void oddSetUpInputsForEveryModel() {
        const std::int16_t models[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 20};
        for (const std::int16_t model : models) {
            QTemporaryDir home;
            Session session;
            session.appHome = home.path().toStdString();
            RecordingDialogs dialogs;
            DiagramWindows diagrams(session, dialogs);
            applyModelDefaults(session.state, model);
            session.diagramKind = model;
            frmPrepareTimeDiagram setUp(session, dialogs, diagrams);
            setUp.setTablePresenter([](frmSimTabelle&) {});
            for (const int field : {0, 1, 10, 11, 12, 14}) {
                auto* input = setUp.findChild<QLineEdit*>(QStringLiteral("inp_%1").arg(field));
                if (input == nullptr || input->isHidden()) {
                    continue;
                }
                const QString original = input->text();
                for (const char* text : kOddTexts) {
                    input->setText(QString::fromLatin1(text));
                    setUp.findChild<QPushButton*>("cmdDrawctDiagram")->click();
                    setUp.findChild<QPushButton*>("cmdListe")->click();
                    if (diagrams.isLoaded()) {
                        QVERIFY2(chartIsFinite(diagrams.window()->chart()),
                                 qPrintable(
                                     QStringLiteral("model %1 inp_%2 = %3").arg(model).arg(field).arg(text)));
                    }
                }
                input->setText(original);
            }
        }
    }

    void everyMainWindowCommandTwiceWithAndWithoutData() {
        for (const bool withData : {false, true}) {
            QTemporaryDir home;
            ZemSettings::setShowTipsAtStartup(false);
            Session session;
            session.appHome = home.path().toStdString();
            RecordingDialogs dialogs;
            DiagramWindows diagrams(session, dialogs);
            MDIZEM main(session, dialogs);
            registerSimulationWindows(main, diagrams);
            main.resize(1500, 950);
            main.show();
            if (withData) {
                QVERIFY(LoadDataFile(session, dialogs, ZEMTRAL_SOURCE_DIR "/resources/samples/verseifung.ZD3",
                                     false));
                SurveyDataSet(session);
                InitialConcFromData(session);
            }
            // Modal windows (the options) are closed as soon as they show.
            QTimer closer;
            connect(&closer, &QTimer::timeout, [] {
                if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                    modal->reject();
                }
            });
            closer.start(20);
            for (int round = 0; round < 2; ++round) {
                // A dialog's own event loop (printing) may delete windows closed before it, and
                // their actions with them.
                QList<QPointer<QAction>> actions;
                for (QAction* action : main.findChildren<QAction*>()) {
                    actions << action;
                }
                for (const QPointer<QAction>& action : actions) {
                    // Exit ends the program; the rest may open, refuse or ask (answered Yes/Ok,
                    // file choosers cancelled).
                    if (action.isNull() || action->objectName() == QLatin1String("mnuExit") ||
                        !action->isEnabled() || action->menu() != nullptr) {
                        continue;
                    }
                    action->trigger();
                    QApplication::processEvents();
                }
            }
            QVERIFY(!main.grab().isNull());
            main.close();
        }
    }

    void aDamagedDesignFileGivesValuesTheWindowCouldHaveSet() {
        const std::string json = R"({"format": "ZEMTRAL-Diagramm", "version": 1,
            "groups": [[{"points": [[0, 1], [2, "x"], [4], [3, 0.5]],
                         "style": {"linePattern": 99, "lineWidth": 100000, "symbolShape": -3,
                                   "symbolSize": 1e9}}]],
            "labels": [{"id": 5, "text": "a", "group": 7, "series": 1e12, "x": "q"},
                       {"id": 5, "text": "b"}, {"id": -2, "text": "c"}],
            "header": {"text": "T", "font": {"family": "Arial", "pointSize": 1e6}},
            "axisX": {"minimum": "low", "maximum": 10, "gridSpacing": -1, "origin": 42},
            "axisY": {"minimum": 0, "maximum": 1, "tickSpacing": 0, "titleOrientation": 9},
            "legend": {"orientation": 5, "left": -100, "top": 99999999},
            "areas": {"marginLeft": 100000, "border": 17, "borderWidth": -4, "plotWidth": 7}})";
        const auto state = chartStateFromJson(json);
        QVERIFY(state.has_value());
        const ChartState::Series& s = state->groups[0].at(0);
        QCOMPARE(s.points.size(), std::size_t{2});  // a text and a missing ordinate are dropped
        QCOMPARE(s.style, defaultSeriesStyle(1));
        QCOMPARE(state->labels.size(), std::size_t{1});
        QCOMPARE(state->labels[0].second.text, std::string("a"));
        QCOMPARE(state->labels[0].second.group, 1);
        QCOMPARE(state->labels[0].second.x, 0.0);
        QCOMPARE(state->headerFont.pointSize, ChartFont{}.pointSize);
        QCOMPARE(state->axes[0].minimum, AxisSettings{}.minimum);
        QVERIFY(!state->axes[0].gridSpacing.has_value());
        QVERIFY(!state->axes[1].tickSpacing.has_value());
        QVERIFY(state->axes[0].origin == AxisOrigin::AutomaticAtMinimum);
        QVERIFY(state->axes[1].titleOrientation == TextOrientation::Horizontal);
        QVERIFY(state->legend.orientation == TextOrientation::Vertical);
        QVERIFY(!state->legend.left && !state->legend.top);
        QCOMPARE(state->areas.margins.left, 0);
        QVERIFY(state->areas.border == BorderType::None);
        QCOMPARE(state->areas.borderWidth, 1);
        QVERIFY(!state->areas.plotWidth.has_value());
        QtChartComponent chart;
        chart.resize(640, 480);
        chart.setState(*state);
        QVERIFY(!chart.renderImage().isNull());
    }

    void oddCoordinatesAndCommandsInTheDiagramWindow() {
        for (const std::int16_t model : {2, 9, 10}) {
            QTemporaryDir home;
            Session session;
            session.appHome = home.path().toStdString();
            RecordingDialogs dialogs;
            DiagramWindows diagrams(session, dialogs);
            applyModelDefaults(session.state, model);
            session.diagramKind = model;
            frmPrepareTimeDiagram setUp(session, dialogs, diagrams);
            setUp.findChild<QPushButton*>("cmdDrawctDiagram")->click();
            QVERIFY(diagrams.isLoaded());
            frmGraph2D& window = *diagrams.window();
            const char* const names[] = {"txtXMin", "txtXMax", "txtYMin", "txtYMax"};
            for (const char* name : names) {
                auto* field = window.findChild<QLineEdit*>(name);
                QVERIFY2(field != nullptr, name);
                const QString original = field->text();
                for (const char* text : kOddTexts) {
                    field->setText(QString::fromLatin1(text));
                    window.findChild<QPushButton*>("cmdCoordOK")->click();
                    for (const char* button : {"cmdXLog", "cmdYLog", "cmdDraw", "cmdXLog", "cmdYLog"}) {
                        window.findChild<QPushButton*>(button)->click();
                    }
                    QApplication::processEvents();
                    QVERIFY(chartIsFinite(window.chart()));
                }
                field->setText(original);
                window.findChild<QPushButton*>("cmdCoordOK")->click();
            }
            // The resolution slider at both ends, the half-life marks and every delete command.
            auto* slider = window.findChild<QSlider*>("Slider1_PunktDichte");
            for (const int v : {slider->minimum(), slider->maximum()}) {
                slider->setValue(v);
                window.findChild<QPushButton*>("cmdDraw")->click();
            }
            for (const char* action :
                 {"mnuHalbA", "mnuHalbB", "mnuDelHalfLives", "mnuDelMarkTexts", "mnuDelLegendLines",
                  "mnuDelLegend", "mnuDelLabels", "mnuDelAll", "mnuInsLegend", "mnuInsLabels"}) {
                auto* a = window.findChild<QAction*>(action);
                QVERIFY2(a != nullptr, action);
                a->trigger();
            }
            window.findChild<QPushButton*>("cmdDraw")->click();
            QVERIFY(chartIsFinite(window.chart()));
            QApplication::processEvents();
            QVERIFY(!window.grab().isNull());
        }
    }
};

QTEST_MAIN(RobustnessTest)
#include "robustness_test.moc"
