// The evaluation windows through the main window, offscreen: fitting (by hand, Auto-Fitting on a
// worker thread, statistics), tangent rates and the k-T calculator.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cmath>

#include "core/engine.h"
#include "core/model_catalogue.h"
#include "numeric/number_text.h"
#include "session/data_commands.h"
#include "session/session.h"
#include "support/recording_dialogs.h"
#include "support/screen_number.h"
#include "test_paths.h"
#include "ui/diagrams/diagram_windows.h"
#include "ui/diagrams/frm_graph2d.h"
#include "ui/evaluation/evaluation_windows.h"
#include "ui/evaluation/frm_fitting.h"
#include "ui/shell/mdizem.h"
#include "ui/shell/zem_settings.h"
#include "ui/simulation/simulation_windows.h"

using namespace zemtral;
using zemtral::test::onScreen;
using zemtral::test::RecordingDialogs;

namespace {

struct MainHarness {
    QTemporaryDir home;
    Session session = sessionAt(home);
    RecordingDialogs dialogs;
    DiagramWindows diagrams{session, dialogs};
    MDIZEM main{session, dialogs};

    static Session sessionAt(const QTemporaryDir& dir) {
        ZemSettings::setShowTipsAtStartup(false);
        Session s;
        s.appHome = dir.path().toStdString();
        return s;
    }
    MainHarness() {
        registerSimulationWindows(main, diagrams);
        registerEvaluationWindows(main, diagrams);
        main.resize(1366, 768);
        main.show();
    }
    bool load(const char* sample) {
        const std::string path = std::string(ZEMTRAL_SOURCE_DIR "/resources/samples/") + sample;
        if (!LoadDataFile(session, dialogs, path, false)) {
            return false;
        }
        SurveyDataSet(session);
        session.dataC0 = InitialConcFromData(session.data);
        for (int slot = 1; slot <= 5; ++slot) {
            session.state.conc0[slot] = session.dataC0[static_cast<std::size_t>(slot)];
        }
        return true;
    }
    void trigger(const char* action) { main.findChild<QAction*>(action)->trigger(); }
    frmFitting* fitting() { return dynamic_cast<frmFitting*>(main.window(WindowId::Fitting)); }
    template <typename T>
    T* in(WindowId id, const char* name) {
        QWidget* w = main.window(id);
        return w ? w->findChild<T*>(name) : nullptr;
    }
    void chooseModel(int model) {
        in<QRadioButton>(WindowId::Model, QStringLiteral("optTyp_%1").arg(model).toUtf8().constData())
            ->click();
    }
    frmGraph2D* diagram() { return diagrams.window(); }
    int drawnCurves() {
        int n = 0;
        for (int s = 1; s <= diagram()->chart().seriesCount(1); ++s) {
            n += diagram()->chart().pointCount(1, s) > 0 ? 1 : 0;
        }
        return n;
    }
};

/// The number that starts at `at` of a JSON text, read without the C locale (de_DE writes commas).
double numberAt(const QByteArray& json, qsizetype at) {
    qsizetype end = at;
    while (end < json.size() && QByteArrayView("+-.0123456789eE").contains(json[end])) {
        ++end;
    }
    return json.mid(at, end - at).toDouble();
}

/// The value of "key": in a JSON text.
double jsonNumber(const QByteArray& json, const char* key) {
    const int at = json.indexOf(QByteArray("\"") + key + "\":");
    return at < 0 ? std::nan("") : numberAt(json, at + qsizetype(std::strlen(key)) + 3);
}

}  // namespace

class EvaluationWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { qputenv("ZEMTRAL_HOME", QDir::tempPath().toUtf8()); }

    // Model 4 on the saponification sample through the window gives what zemtral-cli fit gives.
    void autoFittingEqualsTheCommandLine() {
        MainHarness h;
        QVERIFY(h.load("verseifung.ZD3"));
        h.trigger("mnuCtFitting");
        QVERIFY(h.fitting() != nullptr);
        h.chooseModel(4);
        QCOMPARE(int(h.session.state.modelId), 4);
        auto* autoFit = h.in<QPushButton>(WindowId::Fitting, "cmdAutoFitting");
        autoFit->click();
        QCOMPARE(autoFit->text(), QStringLiteral("warte..."));
        autoFit->click();  // a fit still running is not started twice
        QCOMPARE(h.dialogs.beeps, 1);
        QTRY_VERIFY_WITH_TIMEOUT(!h.fitting()->isFitting(), 20000);
        QCOMPARE(autoFit->text(), QStringLiteral("Auto-   Fitting"));
        QVERIFY2(h.dialogs.shown.empty(), h.dialogs.shown.empty() ? "" : h.dialogs.last().text.c_str());

        QProcess cli;
        cli.start(
            QStringLiteral(ZEMTRAL_BINARY_DIR "/zemtral-cli"),
            {QStringLiteral("fit"), QStringLiteral(ZEMTRAL_SOURCE_DIR "/resources/samples/verseifung.ZD3"),
             QStringLiteral("--model"), QStringLiteral("4")});
        QVERIFY(cli.waitForFinished(30000));
        const QByteArray json = cli.readAllStandardOutput();
        const double k1 = jsonNumber(json, "k1");
        QVERIFY2(std::fabs(h.session.state.rateConst[1] - k1) <= 1e-12 * k1,
                 (QByteArray::number(h.session.state.rateConst[1], 'g', 17) + " " + json).constData());
        QCOMPARE(
            h.in<QLineEdit>(WindowId::Fitting, "inp_10")->text(),
            QString::fromStdString(formatSingle(float(k1), QLocale().decimalPoint() == "," ? ',' : '.')));
        QVERIFY(h.in<QLabel>(WindowId::Fitting, "lblStdDev_1")->isVisible());

        // The statistics: intervals and species, copied as tab-separated text.
        auto* table = h.in<QTableWidget>(WindowId::Fitting, "tblStatistik");
        QVERIFY(table->rowCount() > 8);
        QCOMPARE(table->item(1, 0)->text(), QStringLiteral("k1"));
        const int ci = json.indexOf("\"ci95\":{\"k1\":[");
        const double ciLow = numberAt(json, ci + 14);
        QCOMPARE(table->item(1, 3)->text(), onScreen(QString::fromStdString(formatSingle(float(ciLow)))));
        h.in<QPushButton>(WindowId::Fitting, "cmdCopyStatistik")->click();
        QVERIFY(h.dialogs.clipboard.find("Parameter\tWert") == 0);
        // The fitted curve is drawn over the points with the caption of the fit.
        QCOMPARE(h.drawnCurves(), 1);
        QVERIFY(h.diagram()->chart().header().find("kinet. Modell: ") == 0);
    }

    // "Residuen" draws measured − model of each fitted species around a zero line in a plot of its
    // own; "Zeichne Kurve" brings the curves over the points back. The diagram window's "Calc"
    // reads the drawn simulation at a time, "k-T-Rechner" opens the calculator.
    void residualPlotAndDiagramCalculators() {
        MainHarness h;
        QVERIFY(h.load("verseifung.ZD3"));
        h.trigger("mnuCtFitting");
        h.chooseModel(4);
        h.fitting()->startAutoFitting();
        QTRY_VERIFY_WITH_TIMEOUT(!h.fitting()->isFitting(), 20000);
        h.dialogs.shown.clear();
        h.in<QPushButton>(WindowId::Fitting, "cmdResiduen")->click();
        QVERIFY2(h.dialogs.shown.empty(), h.dialogs.shown.empty() ? "" : h.dialogs.last().text.c_str());
        QCOMPARE(int(h.session.diagramKind), int(kKindFitResiduals));
        ChartComponent& chart = h.diagram()->chart();
        const int species = static_cast<int>(h.session.evaluation.residuals.size());
        QVERIFY(species >= 1);
        QCOMPARE(h.drawnCurves(), species + 1);
        QCOMPARE(chart.header(), std::string("Residuen (Messwert - Modell) vs. Zeit"));
        double sum = 0.0;
        for (int slot = 1; slot <= species + 1; ++slot) {
            const std::string legend = chart.seriesLabel(1, slot);
            if (legend == "Nulllinie ") {
                QCOMPARE(chart.pointCount(1, slot), 2);
                QCOMPARE(chart.point(1, slot, 1).y, 0.0);
                continue;
            }
            QCOMPARE(chart.seriesStyle(1, slot).linePattern, LinePattern::None);
            QVERIFY(chart.seriesStyle(1, slot).symbolShape != SymbolShape::None);
            for (int i = 1; i <= chart.pointCount(1, slot); ++i) {
                sum += chart.point(1, slot, i).y * chart.point(1, slot, i).y;
            }
        }
        // The plotted residuals are those of the fit: their squares add up to its objective.
        const ParameterStatistics& st = h.session.evaluation.statistics.parameters;
        QVERIFY(std::fabs(sum / (st.residualSd * st.residualSd * st.degreesOfFreedom) - 1.0) < 1e-4);
        for (int set = 1; set <= chart.seriesCount(2); ++set) {
            QCOMPARE(chart.pointCount(2, set), 0);  // no measured points on the residual axes
        }

        h.in<QPushButton>(WindowId::Fitting, "cmdDrawNewCurve")->click();
        QCOMPARE(int(h.session.diagramKind), 4);
        QCOMPARE(h.drawnCurves(), 1);
        // The diagram window may have been set up anew for the curves: its chart, not the old one.
        ChartComponent& curves = h.diagram()->chart();
        QVERIFY(curves.seriesCount(2) > 0 && curves.pointCount(2, 1) > 0);

        // "Calc": the concentrations of the drawn simulation at t = 12.
        frmGraph2D* diagram = h.diagram();
        diagram->findChild<QPushButton*>("cmdSingleCalc")->click();
        QVERIFY(h.main.isOpen(WindowId::SinglePointCalculator));
        h.in<QLineEdit>(WindowId::SinglePointCalculator, "txtX")->setText(QStringLiteral("12"));
        h.in<QPushButton>(WindowId::SinglePointCalculator, "cmdCalc")->click();
        std::int16_t flag = 0;
        const SpeciesArray c = ConcAtTime(4, 12.0, h.session.state, h.session.simulation, flag);
        QCOMPARE(h.in<QLabel>(WindowId::SinglePointCalculator, "lblResult_1")->text(),
                 onScreen(QString::fromStdString(formatSingle(float(c[kSlotA])))));
        QVERIFY(!h.in<QLabel>(WindowId::SinglePointCalculator, "lblResult_3")
                     ->isVisibleTo(h.main.window(WindowId::SinglePointCalculator)));  // model 4 has no C
        h.in<QLineEdit>(WindowId::SinglePointCalculator, "txtX")->setText(QStringLiteral("1e6"));
        const int beeps = h.dialogs.beeps;
        h.in<QPushButton>(WindowId::SinglePointCalculator, "cmdCalc")->click();
        QCOMPARE(h.dialogs.beeps, beeps + 1);  // beyond the drawn time axis

        diagram->findChild<QPushButton*>("cmdArrhRechner")->click();
        QVERIFY(h.main.isOpen(WindowId::Calculator));
    }

    // Sliders move by p·v/1000 (fine) and p·v/100 (coarse) and return to 0; a fixed parameter
    // keeps its value exactly through Auto-Fitting; Esc stops a running fit.
    void manualAdjustmentAndFixedParameters() {
        MainHarness h;
        QVERIFY(h.load("verseifung.ZD3"));
        h.trigger("mnuCtFitting");
        h.chooseModel(6);  // A => C => P: k1 and k2 on the data of A and B
        frmFitting* window = h.fitting();
        QVERIFY(window != nullptr);
        h.in<QLineEdit>(WindowId::Fitting, "inp_10")->setText(QStringLiteral("0.2"));
        QTest::keyClick(h.in<QLineEdit>(WindowId::Fitting, "inp_10"), Qt::Key_0);  // typed: 0.20
        QCOMPARE(h.session.state.rateConst[1], 0.2);
        auto* fine = h.in<QSlider>(WindowId::Fitting, "Sliderk1_fein");
        fine->setValue(50);
        QCOMPARE(fine->value(), 0);
        QCOMPARE(h.session.state.rateConst[1], 0.2 + 50 * 0.2 / 1000);
        const double before = h.session.state.rateConst[1];
        h.in<QSlider>(WindowId::Fitting, "Sliderk1_grob")->setValue(-50);
        QCOMPARE(h.session.state.rateConst[1], before - 50 * before / 100);
        QCOMPARE(h.drawnCurves(), 1);  // each redraw replaces the curve

        h.in<QLineEdit>(WindowId::Fitting, "inp_11")->setText(QStringLiteral("0.0"));
        QTest::keyClicks(h.in<QLineEdit>(WindowId::Fitting, "inp_11"), QStringLiteral("37"));
        QCOMPARE(h.session.state.rateConst[2], 0.037);
        h.in<QCheckBox>(WindowId::Fitting, "chkFixed_2")->setChecked(true);
        window->startAutoFitting();
        QTRY_VERIFY_WITH_TIMEOUT(!window->isFitting(), 20000);
        QCOMPARE(h.session.state.rateConst[2], 0.037);
        QVERIFY(h.session.state.rateConst[1] != before - 50 * before / 100);

        // Esc during a fit stops it; the window stays.
        h.in<QCheckBox>(WindowId::Fitting, "chkFixed_2")->setChecked(false);
        QVERIFY(window->startAutoFitting());
        QTest::keyClick(window, Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(!window->isFitting(), 20000);
        QVERIFY(h.main.isOpen(WindowId::Fitting));
        QVERIFY(std::isfinite(h.session.state.rateConst[1]) && h.session.state.rateConst[1] > 0);
    }

    // The non-isothermal fitting draws one curve per temperature, legends with T.
    void nonIsothermalFittingDrawsOneCurvePerTemperature() {
        MainHarness h;
        QVERIFY(h.load("nichtisotherm_n2o5.ZD3"));
        // Low start values, as the window's tool tip advises.
        h.session.evaluation.activation.arrheniusA = 1.0;
        h.session.evaluation.activation.activationEnergy = 1.0;
        h.trigger("mnuNonIsothermFitting_1");
        QVERIFY2(h.dialogs.shown.empty(), h.dialogs.shown.empty() ? "" : h.dialogs.last().text.c_str());
        QVERIFY(h.fitting() != nullptr);
        const int temperatures = h.session.survey.temperatureCount;
        QVERIFY(temperatures >= 3);
        QCOMPARE(h.drawnCurves(), temperatures);
        QCOMPARE(h.diagram()->chart().seriesLabel(1, 1), std::string("c(A) T/K = 308"));
        QVERIFY(h.in<QWidget>(WindowId::Fitting, "fraKTFunktion")->isVisible());
        h.fitting()->startAutoFitting();
        QTRY_VERIFY_WITH_TIMEOUT(!h.fitting()->isFitting(), 20000);
        QCOMPARE(h.drawnCurves(), temperatures);
        QVERIFY2(h.dialogs.shown.empty(), h.dialogs.shown.empty() ? "" : h.dialogs.last().text.c_str());
        QVERIFY(std::fabs(h.session.evaluation.activation.activationEnergy / 101095.0 - 1.0) < 1e-3);

        // The calculator opened from the diagram window follows every "Zeichne Kurve".
        h.diagram()->findChild<QPushButton*>("cmdArrhRechner")->click();
        auto* a = h.in<QLineEdit>(WindowId::Calculator, "txtInpArrh_0");
        QVERIFY(a != nullptr);
        QCOMPARE(float(parseNumber(a->text().toStdString())),
                 float(h.session.evaluation.activation.arrheniusA));
        h.in<QLineEdit>(WindowId::Fitting, "inp_10")->setText(QStringLiteral("12345"));
        QTest::keyClick(h.in<QLineEdit>(WindowId::Fitting, "inp_10"), Qt::Key_6);
        h.in<QPushButton>(WindowId::Fitting, "cmdDrawNewCurve")->click();
        QCOMPARE(a->text(), QStringLiteral("123456"));
    }

    // EA = 0 gives k = A at every temperature; an arithmetic fault shows "Err".
    void calculatorWithoutActivationEnergyGivesA() {
        MainHarness h;
        h.trigger("mnuToolArrhenius");
        QWidget* calc = h.main.window(WindowId::Calculator);
        QVERIFY(calc != nullptr);
        QCOMPARE(calc->windowTitle(), QStringLiteral("Arrhenius-Rechner"));
        QCOMPARE(h.in<QLineEdit>(WindowId::Calculator, "txtInpArrh_2")->text(), QStringLiteral("298.15"));
        for (const char* temperature : {"250", "298.15", "1000"}) {
            h.in<QLineEdit>(WindowId::Calculator, "txtInpArrh_0")->setText(QStringLiteral("2.5"));
            h.in<QLineEdit>(WindowId::Calculator, "txtInpArrh_1")->setText(QStringLiteral("0"));
            h.in<QLineEdit>(WindowId::Calculator, "txtInpArrh_2")->setText(QLatin1String(temperature));
            h.in<QPushButton>(WindowId::Calculator, "cmdCalc")->click();
            QCOMPARE(h.in<QLineEdit>(WindowId::Calculator, "txtkResult")->text(),
                     onScreen(QStringLiteral("2.5")));
        }
        h.in<QLineEdit>(WindowId::Calculator, "txtInpArrh_2")->setText(QStringLiteral("0"));
        h.in<QLineEdit>(WindowId::Calculator, "txtInpArrh_1")->setText(QStringLiteral("1000"));
        h.in<QPushButton>(WindowId::Calculator, "cmdCalc")->click();
        QCOMPARE(h.in<QLineEdit>(WindowId::Calculator, "txtkResult")->text(), QStringLiteral("Err"));
    }

    // The tangent window: the spline's value at a measured point is the point; the smoothing
    // slider redraws the one spline curve.
    void tangentWindowAndSmoothing() {
        MainHarness h;
        QVERIFY(h.load("zerfall_n2o5.ZD3"));
        h.trigger("mnuSubTangente_1");
        QVERIFY(h.main.isOpen(WindowId::Tangent));
        QCOMPARE(h.drawnCurves(), 1);
        const ExpPoint& p = h.session.data.points[3];
        h.in<QLineEdit>(WindowId::Tangent, "txtX")->setText(QString::number(p.t));
        h.in<QPushButton>(WindowId::Tangent, "cmdCalc")->click();
        QCOMPARE(h.in<QLineEdit>(WindowId::Tangent, "txtyResult")->text(),
                 QString::fromStdString(
                     formatSingle(float(p.c[kSlotA]), QLocale().decimalPoint() == "," ? ',' : '.')));
        QVERIFY(h.in<QLineEdit>(WindowId::Tangent, "txtyStrichResult")->text().startsWith('-'));
        const ChartPoint before = h.diagram()->chart().point(1, 1, 40);
        h.in<QSlider>(WindowId::Tangent, "SliderGlaettung")->setValue(60);
        QCOMPARE(h.session.state.smoothingExponent, 0.3f);
        QCOMPARE(h.drawnCurves(), 1);
        QVERIFY(!(h.diagram()->chart().point(1, 1, 40) == before));
        h.in<QLineEdit>(WindowId::Tangent, "txtX")->setText(QStringLiteral("-1"));
        h.in<QPushButton>(WindowId::Tangent, "cmdCalc")->click();
        QCOMPARE(h.dialogs.beeps, 1);
    }

    // The window's event loop keeps running while a stiff enzyme model is fitted.
    void eventLoopRunsDuringAFit() {
        MainHarness h;
        // E + S <=> ES => P + E, 30 points of S and P made with k> = 1000, k< = 10, k3 = 50.
        Session& s = h.session;
        applyModelDefaults(s.state, 10);
        s.state.conc0 = {0, 1e-3, 0.1, 0, 0, 0};
        s.state.rateConst = {0, 1000.0, 10.0, 50.0};
        s.state.tEnd = 60.0f;
        SimulationResult truth;
        calc_diagramfunctioncT(10, s.state, truth);
        s.data.points.assign(1, ExpPoint{});
        for (int i = 1; i <= 30; ++i) {
            std::int16_t flag = 0;
            ExpPoint p;
            p.t = 2.0 * i;
            const SpeciesArray c = ConcAtTime(10, p.t, s.state, truth, flag);
            p.c[kSlotA] = c[kSlotA];
            p.c[kSlotB] = c[kSlotB] * (1 + 0.005 * std::sin(i));
            p.c[kSlotP] = c[kSlotP] * (1 + 0.005 * std::cos(i));
            s.data.points.push_back(p);
        }
        s.data.pointCount = 30;
        SurveyDataSet(s);
        h.trigger("mnuCtFitting");
        QVERIFY2(h.dialogs.shown.empty(), h.dialogs.shown.empty() ? "" : h.dialogs.last().text.c_str());
        h.chooseModel(10);
        s.state.conc0 = {0, 1e-3, 0.1, 0, 0, 0};
        frmFitting* window = h.fitting();
        for (int j = 1; j <= 3; ++j) {
            const double start[4] = {0, 600.0, 20.0, 30.0};
            h.in<QLineEdit>(WindowId::Fitting, QStringLiteral("inp_%1").arg(9 + j).toUtf8().constData())
                ->clear();
            QTest::keyClicks(
                h.in<QLineEdit>(WindowId::Fitting, QStringLiteral("inp_%1").arg(9 + j).toUtf8().constData()),
                QString::number(start[j]));
        }
        // Every gap between two timer ticks from the start of the fit until its result is drawn.
        int ticks = 0;
        qint64 longestGap = 0;      // while the worker fits
        qint64 longestOverall = 0;  // including taking the result over and drawing it
        qint64 fitEnded = -1;
        QElapsedTimer sinceTick;
        QElapsedTimer fitTime;
        QTimer timer;
        timer.setInterval(5);
        connect(&timer, &QTimer::timeout, [&] {
            const qint64 gap = sinceTick.restart();
            longestOverall = std::max(longestOverall, gap);
            if (fitEnded < 0) {
                ++ticks;
                longestGap = std::max(longestGap, gap);
                if (!window->isFitting()) {
                    fitEnded = fitTime.elapsed();
                }
            }
        });
        fitTime.start();
        sinceTick.start();
        timer.start();
        QVERIFY(window->startAutoFitting());
        QTRY_VERIFY_WITH_TIMEOUT(fitEnded >= 0, 60000);
        QTest::qWait(50);
        qInfo(
            "enzyme fit (model 10, 3 parameters, 90 values): ended after %lld ms, %d ticks; longest "
            "event-loop gap "
            "%lld ms while fitting, %lld ms including the drawing of the result",
            fitEnded, ticks, longestGap, longestOverall);
        QVERIFY(ticks > 0);
        QVERIFY(std::fabs(s.state.rateConst[3] / 50.0 - 1.0) < 0.05);
    }

    /// Pictures for the README: set ZEMTRAL_SCREENSHOT_DIR to write them.
    void screenshots() {
        const QString dir = qEnvironmentVariable("ZEMTRAL_SCREENSHOT_DIR");
        if (dir.isEmpty()) {
            QSKIP("ZEMTRAL_SCREENSHOT_DIR not set");
        }
        MainHarness h;
        QVERIFY(h.load("verseifung.ZD3"));
        h.trigger("mnuCtFitting");
        h.chooseModel(4);
        h.fitting()->startAutoFitting();
        QTRY_VERIFY_WITH_TIMEOUT(!h.fitting()->isFitting(), 20000);
        QApplication::processEvents();
        QVERIFY(h.main.grab().save(dir + "/fitting.png"));
        QVERIFY(h.fitting()->grab().save(dir + "/fitting-window.png"));
        h.in<QPushButton>(WindowId::Fitting, "cmdResiduen")->click();
        QApplication::processEvents();
        QVERIFY(h.diagram()->grab().save(dir + "/residual-plot.png"));
        QVERIFY(h.main.grab().save(dir + "/fitting-residuals.png"));
        h.in<QPushButton>(WindowId::Fitting, "cmdDrawNewCurve")->click();
        h.diagram()->findChild<QPushButton*>("cmdSingleCalc")->click();
        h.in<QLineEdit>(WindowId::SinglePointCalculator, "txtX")->setText(QStringLiteral("12"));
        h.in<QPushButton>(WindowId::SinglePointCalculator, "cmdCalc")->click();
        QApplication::processEvents();
        QVERIFY(h.main.window(WindowId::SinglePointCalculator)
                    ->grab()
                    .save(dir + "/single-point-calculator.png"));

        MainHarness t;
        QVERIFY(t.load("zerfall_n2o5.ZD3"));
        t.trigger("mnuSubTangente_1");
        t.in<QLineEdit>(WindowId::Tangent, "txtX")->setText(QStringLiteral("30"));
        t.in<QPushButton>(WindowId::Tangent, "cmdCalc")->click();
        t.trigger("mnuToolArrhenius");
        QApplication::processEvents();
        QVERIFY(t.main.window(WindowId::Tangent)->grab().save(dir + "/tangent-window.png"));
        QVERIFY(t.main.window(WindowId::Calculator)->grab().save(dir + "/arrhenius-calculator.png"));
    }
};

QTEST_MAIN(EvaluationWindowsTest)
#include "evaluation_windows_test.moc"
