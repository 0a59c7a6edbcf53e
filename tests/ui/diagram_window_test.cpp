// The simulation path through the real windows, offscreen: set-up window, engine, diagram window,
// chart; the result table; curve export and design files.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGraphicsTextItem>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <clocale>
#include <cmath>

#include "core/working_state.h"
#include "numeric/number_text.h"
#include "session/data_commands.h"
#include "session/diagram_window_draw.h"
#include "session/model_commands.h"
#include "session/project_commands.h"
#include "session/session.h"
#include "support/recording_dialogs.h"
#include "support/screen_number.h"
#include "test_paths.h"
#include "ui/diagrams/diagram_windows.h"
#include "ui/diagrams/frm_graph2d.h"
#include "ui/diagrams/qt_chart_component.h"
#include "ui/shell/frm_zem_model.h"
#include "ui/shell/mdizem.h"
#include "ui/shell/zem_settings.h"
#include "ui/simulation/frm_prepare_time_diagram.h"
#include "ui/simulation/frm_sim_tabelle.h"
#include "ui/simulation/simulation_windows.h"

using namespace zemtral;
using zemtral::test::onScreen;
using zemtral::test::onScreenStd;
using zemtral::test::RecordingDialogs;

namespace {

/// One program's worth of windows around a fresh session.
struct Harness {
    QTemporaryDir home;
    Session session;
    RecordingDialogs dialogs;
    DiagramWindows diagrams{session, dialogs};
    std::unique_ptr<frmPrepareTimeDiagram> setUp;
    std::string lastTable;

    explicit Harness(std::int16_t model, bool rateDiagram = false) {
        session.appHome = home.path().toStdString();
        session.state.rateDiagram = rateDiagram;
        const ModelSelection selection = applyModelDefaults(session.state, model);
        session.diagramKind = selection.diagramKind;
        if (session.state.tEnd == 0.0f) {
            session.state.tEnd = 100.0f;
        }
        setUp = std::make_unique<frmPrepareTimeDiagram>(session, dialogs, diagrams);
        setUp->setTablePresenter([this](frmSimTabelle& table) { lastTable = table.tableText(); });
    }
    template <typename T>
    T* child(const char* name) {
        T* w = setUp->findChild<T*>(name);
        if (w == nullptr && diagrams.window() != nullptr) {
            w = diagrams.window()->findChild<T*>(name);
        }
        return w;
    }
    void press(const char* name) {
        auto* button = child<QPushButton>(name);
        QVERIFY2(button != nullptr, name);
        button->click();
    }
    ChartComponent& chart() { return diagrams.window()->chart(); }
    int drawnCurves() {
        int n = 0;
        for (int s = 1; s <= chart().seriesCount(1); ++s) {
            n += chart().pointCount(1, s) > 0 ? 1 : 0;
        }
        return n;
    }
};

/// The main window with the diagram and simulation windows registered, shown, tips off.
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
    explicit MainHarness(QSize size = {1500, 950}) {
        registerSimulationWindows(main, diagrams);
        main.resize(size);
        main.show();
    }
};

QString pad(const QString& s) {
    return s.leftJustified(14, QLatin1Char(' '), true);
}

}  // namespace

class DiagramWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { qputenv("ZEMTRAL_HOME", QDir::tempPath().toUtf8()); }

    void closedFormModelDrawsItsCurvesFromTheEngineArrays() {
        Harness h(2);
        h.press("cmdDrawctDiagram");
        QVERIFY(h.dialogs.shown.empty());
        QVERIFY(h.diagrams.isLoaded());
        QCOMPARE(h.drawnCurves(), 2);
        // Series count 2 is walked down: series 2 (A) lands in slot 1, series 1 (P) in slot 2.
        QCOMPARE(h.chart().seriesLabel(1, 1), std::string("c(A) "));
        QCOMPARE(h.chart().seriesLabel(1, 2), std::string("c(P) "));
        const SimulationResult& r = h.session.simulation;
        QCOMPARE(h.chart().pointCount(1, 1), 201);
        for (int i = 0; i <= 200; ++i) {
            const ChartPoint a = h.chart().point(1, 1, i + 1);
            const ChartPoint p = h.chart().point(1, 2, i + 1);
            QCOMPARE(a.x, static_cast<double>(static_cast<float>(r.simTime[static_cast<std::size_t>(i)])));
            QCOMPARE(a.y,
                     static_cast<double>(static_cast<float>(r.simConc[kSlotA][static_cast<std::size_t>(i)])));
            QCOMPARE(p.y,
                     static_cast<double>(static_cast<float>(r.simConc[kSlotP][static_cast<std::size_t>(i)])));
        }
        // The closed form itself: c(A) = exp(-k1 t) at t = 50 (point 101).
        QVERIFY(std::fabs(h.chart().point(1, 1, 101).y - std::exp(-0.15 * 50.0)) < 1e-6);
        QCOMPARE(h.chart().header(), std::string("Konzentrationsverlauf für die Reaktion 1. Ordnung A => P"));
        QCOMPARE(h.chart().axis(ChartAxis::Y).title, std::string("c(A), c(P)/ (mol/l)"));
        QCOMPARE(h.chart().axis(ChartAxis::X).maximum, static_cast<double>(h.session.diagram.frame.xMax));
    }

    // The chart lays its texts out as rich text: "<" and ">" of the program's texts must survive.
    void chartTextsAreShownLiterally() {
        Harness h(8);
        h.press("cmdDrawctDiagram");
        QVERIFY(h.dialogs.shown.empty());
        const QString header = QString::fromStdString(h.chart().header());
        QVERIFY2(header.contains(QStringLiteral("<=>")), qPrintable(header));
        h.diagrams.window()->resize(900, 700);
        h.diagrams.window()->show();
        QApplication::processEvents();
        QStringList shown;
        for (QGraphicsView* view : h.diagrams.window()->findChildren<QGraphicsView*>()) {
            for (QGraphicsItem* item : view->scene()->items()) {
                if (auto* text = dynamic_cast<QGraphicsTextItem*>(item); text && text->isVisible()) {
                    shown << text->toPlainText().simplified();
                }
            }
        }
        QVERIFY2(shown.contains(header.simplified()), qPrintable(shown.join(QLatin1Char('|'))));
    }

    void numericalModelDrawsFourCurves() {
        Harness h(9);
        h.press("cmdDrawctDiagram");
        QVERIFY(h.dialogs.shown.empty());
        QCOMPARE(h.drawnCurves(), 4);
        const std::array<std::pair<const char*, int>, 4> expected{
            {{"c(A) ", kSlotA}, {"c(B) ", kSlotB}, {"c(C) ", kSlotC}, {"c(P) ", kSlotP}}};
        const SimulationResult& r = h.session.simulation;
        for (int slot = 1; slot <= 4; ++slot) {
            const auto& [legend, species] = expected[static_cast<std::size_t>(slot - 1)];
            QCOMPARE(h.chart().seriesLabel(1, slot), std::string(legend));
            for (int i : {0, 37, 200}) {
                QCOMPARE(h.chart().point(1, slot, i + 1).y,
                         static_cast<double>(static_cast<float>(
                             r.simConc[static_cast<std::size_t>(species)][static_cast<std::size_t>(i)])));
            }
        }
        // Mass balance of A + B => C => P holds in the drawn points: c(A) + c(C) + c(P) = c0(A).
        for (int i = 1; i <= 201; i += 20) {
            const double sum =
                h.chart().point(1, 1, i).y + h.chart().point(1, 3, i).y + h.chart().point(1, 4, i).y;
            QVERIFY(std::fabs(sum - 1.0) < 1e-4);
        }
    }

    void halfLifeMarksStandAtTauAndAreDeletedWithEverything() {
        Harness h(2);
        h.child<QLineEdit>("inp_10")->setText("0.1");
        h.press("cmdDrawctDiagram");
        QVERIFY(h.diagrams.isLoaded());
        frmGraph2D& window = *h.diagrams.window();
        window.findChild<QAction*>("mnuHalbA")->trigger();
        QCOMPARE(h.chart().pointCount(1, kHalfLifeSeriesA), 2);
        QVERIFY(std::fabs(h.chart().point(1, kHalfLifeSeriesA, 1).x - std::log(2.0) / 0.1) < 1e-5);
        QCOMPARE(h.chart().point(1, kHalfLifeSeriesA, 2).y, 10000.0);
        QCOMPARE(window.findChild<QLabel*>("StatusBar2_Text")->text(),
                 QStringLiteral("Halbwertszeit tau(A) = 6.93 s"));
        // A => P has no B: the entry is not offered, and triggering it anyway draws no mark.
        QVERIFY(!window.findChild<QAction*>("mnuHalbB")->isEnabled());
        window.findChild<QAction*>("mnuHalbB")->trigger();
        QCOMPARE(h.chart().seriesCount(1) >= kHalfLifeSeriesB ? h.chart().pointCount(1, kHalfLifeSeriesB) : 0,
                 0);
        QVERIFY(h.dialogs.shown.empty());
        window.findChild<QAction*>("mnuDelAll")->trigger();
        QCOMPARE(h.chart().pointCount(1, kHalfLifeSeriesA), 0);
    }

    void drawingTwiceAddsOrReplacesCurves() {
        Harness h(2);
        h.child<QLineEdit>("inp_10")->setText("0.05");
        h.press("cmdDrawctDiagram");
        QCOMPARE(h.drawnCurves(), 2);
        QVERIFY(h.child<QCheckBox>("chkDelDiagram")->isChecked());

        // Without "alte Kurven löschen" the new run is added to the curves shown.
        h.setUp->activate();
        QVERIFY(h.child<QCheckBox>("chkDelDiagram")->isEnabled());
        h.child<QCheckBox>("chkDelDiagram")->setChecked(false);
        QVERIFY(!h.session.state.deleteOldCurves);
        frmGraph2D* first = h.diagrams.window();
        h.child<QLineEdit>("inp_10")->setText("0.1");
        h.press("cmdDrawctDiagram");
        QCOMPARE(h.diagrams.window(), first);
        QCOMPARE(h.drawnCurves(), 4);
        QCOMPARE(h.session.diagram.curveCount, std::int16_t{4});
        QVERIFY(h.chart().point(1, 3, 101).y < h.chart().point(1, 1, 101).y);  // faster decay of A

        // With it the window starts afresh with the two new curves.
        h.child<QCheckBox>("chkDelDiagram")->setChecked(true);
        h.press("cmdDrawctDiagram");
        QCOMPARE(h.drawnCurves(), 2);
        QCOMPARE(h.session.diagram.curveCount, std::int16_t{2});
    }

    void emptyInputsListEveryProblem() {
        Harness h(4);  // A + B => P: the B input is visible
        for (const char* name :
             {"inp_0", "inp_1", "inp_2", "inp_3", "inp_4", "inp_10", "inp_11", "inp_12", "inp_14"}) {
            h.child<QLineEdit>(name)->clear();
        }
        h.press("cmdDrawctDiagram");
        QCOMPARE(h.dialogs.shown.size(), std::size_t{1});
        QCOMPARE(h.dialogs.last().title, std::string(" Ausführung nicht möglich "));
        QCOMPARE(h.dialogs.last().icon, MessageIcon::Critical);
        QCOMPARE(h.dialogs.last().text,
                 std::string("- noch keine Eingabe einer Anfangskonzentration c(A)(0)\r\n"
                             "- noch keine Eingabe einer Anfangskonzentration c(B)(0)\r\n"
                             "- Zeit-Vorgabe nicht in Ordnung\r\n"
                             "- Geschwindigkeitskonstante k1 muss größer Null sein\r\n"));
        QVERIFY(!h.diagrams.isLoaded());

        Harness e(10);  // the enzyme model names c(S)(0) and checks k3
        e.child<QLineEdit>("inp_1")->setText("");
        e.child<QLineEdit>("inp_12")->setText("0");
        e.press("cmdListe");
        QCOMPARE(e.dialogs.last().text,
                 std::string("- noch keine Eingabe einer Anfangskonzentration c(S)(0)\r\n"
                             "- Geschwindigkeitskonstante k3 muss größer Null sein\r\n"));
        QVERIFY(e.lastTable.empty());
    }

    void theTwentyFifthCurveGivesTheMessage() {
        Harness h(2);
        h.session.state.deleteOldCurves = false;
        h.setUp->activate();
        for (int run = 0; run < 12; ++run) {
            h.press("cmdDrawctDiagram");
        }
        QCOMPARE(h.drawnCurves(), 24);
        QVERIFY(h.dialogs.shown.empty());
        h.press("cmdDrawctDiagram");
        QCOMPARE(h.dialogs.last().title, std::string("WARNUNG"));
        QCOMPARE(h.dialogs.last().text,
                 std::string("Maximal 24 Kurven möglich\r\nLöschen Sie vorhandene Kurven"));
        QCOMPARE(h.dialogs.last().icon, MessageIcon::Exclamation);
        QCOMPARE(h.session.diagram.curveCount, std::int16_t{24});
        QCOMPARE(h.drawnCurves(), 24);

        // Deleting one curve frees its slot for the next one.
        deleteCurve(h.session, h.chart(), 5);
        QCOMPARE(h.session.diagram.curveCount, std::int16_t{23});
        h.session.diagram.seriesCount = 1;
        h.diagrams.pressDraw();
        QCOMPARE(h.chart().pointCount(1, 5), 201);
        QCOMPARE(h.session.diagram.curveCount, std::int16_t{24});
    }

    void axisCoordinatesAreStoredAndRestoredPerFamily() {
        Harness h(2);
        h.press("cmdDrawctDiagram");
        h.child<QLineEdit>("txtXMin")->setText("0");
        h.child<QLineEdit>("txtXMax")->setText("50");
        h.child<QLineEdit>("txtYMin")->setText("0,1");  // a typed comma is a decimal point
        h.child<QLineEdit>("txtYMax")->setText("0.5");
        h.press("cmdCoordOK");
        const AxisRangeTable& t = h.session.diagram.axisRanges;
        QCOMPARE(t[0], 0.0f);
        QCOMPARE(t[1], 50.0f);
        QCOMPARE(t[2], 0.1f);
        QCOMPARE(t[3], 0.5f);
        QCOMPARE(h.chart().axis(ChartAxis::X).maximum, 50.0);
        QCOMPARE(h.chart().axis(ChartAxis::Y).minimum, static_cast<double>(0.1f));

        // A rate diagram keeps its own y window (slots 4, 5) and shares the time axis.
        h.session.diagram.axisRanges[4] = -0.2f;
        h.session.diagram.axisRanges[5] = 0.2f;
        h.session.diagramKind = 52;
        h.diagrams.setUpDiagram();
        QCOMPARE(h.session.diagram.frame.yMin, -0.2f);
        QCOMPARE(h.session.diagram.frame.yMax, 0.2f);
        QCOMPARE(h.session.diagram.frame.xMax, 50.0f);
        h.child<QLineEdit>("txtYMax")->setText("0.3");
        h.press("cmdCoordOK");
        QCOMPARE(t[5], 0.3f);
        QCOMPARE(t[3], 0.5f);  // the concentration family is untouched

        // Back to the concentration family: its window comes back.
        h.diagrams.unload();
        h.session.diagramKind = 2;
        h.session.diagram.seriesCount = 0;
        h.diagrams.setUpDiagram();
        QCOMPARE(h.child<QLineEdit>("txtYMin")->text(), onScreen("0.1"));
        QCOMPARE(h.child<QLineEdit>("txtXMax")->text(), QStringLiteral("50"));
        QCOMPARE(h.chart().axis(ChartAxis::Y).maximum, 0.5);
    }

    void curveExportIsByteExactAlsoUnderAGermanLocale() {
        for (const bool german : {false, true}) {
            QLocale::setDefault(german ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c());
            std::setlocale(LC_ALL, german ? "de_DE.UTF-8" : "C");
            Harness h(2);
            h.press("cmdDrawctDiagram");
            const std::vector<ChartPoint> points{{1.5, 0.25}, {0.0, -12345.678}};
            h.chart().setSeriesData(1, 1, points);
            h.diagrams.window()->selectCurve(1);
            const QString path = h.home.filePath("kurve");
            h.dialogs.texts.push_back(path.toStdString());
            QVERIFY(h.diagrams.window()->saveSelectedCurveAsXY());
            QFile file(path + ".XY");
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray("\"Kurvenpunkte\"\r\n.1500000E+01;.2500000E+00\r\n"
                                                ".0000000E+00;-.1234568E+05\r\n"));
            QCOMPARE(h.session.diagramWindow.lastXYFile, std::string("kurve.XY"));

            // "Trennzeichen Leerzeichen" gives a blank; the tab entry a tab.
            auto* separator = h.child<QComboBox>("cmbSep");
            QTest::keyClick(separator, Qt::Key_Down);
            QCOMPARE(h.session.protocol.separator, std::string(" "));
            h.dialogs.texts.push_back(path.toStdString());
            QVERIFY(h.diagrams.window()->saveSelectedCurveAsXY());
            file.close();  // the atomic write replaced the file
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray("\"Kurvenpunkte\"\r\n.1500000E+01 .2500000E+00\r\n"
                                                ".0000000E+00 -.1234568E+05\r\n"));

            h.press("cmdClipboard");
            QCOMPARE(h.dialogs.clipboard,
                     std::string(german ? "1,5\t0,25\r\n0\t-12345,68\r\n" : "1.5\t0.25\r\n0\t-12345.68\r\n"));
        }
        QLocale::setDefault(QLocale::system());
        std::setlocale(LC_ALL, "");
    }

    void designFileRoundTrip() {
        Harness h(9);
        h.press("cmdDrawctDiagram");
        ChartComponent& c = h.chart();
        SeriesStyle dashed = c.seriesStyle(1, 2);
        dashed.linePattern = LinePattern::Dashed;
        dashed.lineWidth = 3;
        dashed.lineColour = ChartColour{0x123456};
        c.setSeriesStyle(1, 2, dashed);
        c.setSeriesLabel(1, 3, "Zwischenprodukt C");
        AxisSettings y = c.axis(ChartAxis::Y);
        y.logarithmic = true;
        y.minimum = 0.001;
        y.gridSpacing = 0.5;
        c.setAxis(ChartAxis::Y, y);
        LegendSettings legend = c.legend();
        legend.framed = true;
        c.setLegend(legend);
        const ChartState before = h.diagrams.window()->chartWidget().state();
        const std::string path = h.home.filePath("design.oc2").toStdString();
        QVERIFY(h.diagrams.window()->saveDesign(path));

        // The design file is the same byte for byte whatever locale the program runs under.
        const std::string germanPath = h.home.filePath("design-de.oc2").toStdString();
        const std::string previousLocale = std::setlocale(LC_ALL, nullptr);
        QVERIFY(std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QVERIFY(h.diagrams.window()->saveDesign(germanPath));
        std::setlocale(LC_ALL, previousLocale.c_str());
        QLocale::setDefault(QLocale::system());
        QFile cFile(QString::fromStdString(path)), germanFile(QString::fromStdString(germanPath));
        QVERIFY(cFile.open(QIODevice::ReadOnly) && germanFile.open(QIODevice::ReadOnly));
        QCOMPARE(germanFile.readAll(), cFile.readAll());

        // A fresh window loads the design and shows it again.
        h.diagrams.unload();
        h.session.diagram.seriesCount = 0;
        h.diagrams.setUpDiagram();
        QCOMPARE(h.drawnCurves(), 4);  // the fresh window draws the kind with default styles
        QVERIFY(h.chart().seriesStyle(1, 2).linePattern == LinePattern::Solid);
        h.diagrams.window()->DeleteCurves();
        QCOMPARE(h.drawnCurves(), 0);
        QVERIFY(h.diagrams.window()->loadDesign(path));
        ChartComponent& d = h.chart();
        QCOMPARE(h.drawnCurves(), 4);
        QVERIFY(d.seriesStyle(1, 2) == dashed);
        QCOMPARE(d.seriesLabel(1, 3), std::string("Zwischenprodukt C"));
        QCOMPARE(d.seriesLabel(1, 1), std::string("c(A) "));
        QVERIFY(d.axis(ChartAxis::Y) == before.axes[1]);
        QVERIFY(d.axis(ChartAxis::X) == before.axes[0]);
        QVERIFY(d.legend().framed);
        QCOMPARE(d.header(), before.header);
        QCOMPARE(d.labelIds().size(), before.labels.size());
        for (int s = 1; s <= 4; ++s) {
            QCOMPARE(d.pointCount(1, s), 201);
            QCOMPARE(d.point(1, s, 77).y, before.groups[0][static_cast<std::size_t>(s - 1)].points[76].y);
        }
        QCOMPARE(h.session.diagram.curveCount, std::int16_t{4});

        // A file that is not a design leaves the chart as it was.
        QFile junk(h.home.filePath("junk.oc2"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("{\"groups\": []}");
        junk.close();
        QVERIFY(!h.diagrams.window()->loadDesign(junk.fileName().toStdString()));
        QCOMPARE(h.drawnCurves(), 4);
    }

    void resultTableOfModel11() {
        Harness h(11);  // k1 = 0.15, k2 = 0.05, c0(A) = 1, t from 0 to 100
        h.press("cmdListe");
        QVERIFY(h.dialogs.shown.empty());
        const QString text = QString::fromStdString(h.lastTable);
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 1 + 1 + 1 + 201);
        QCOMPARE(lines[0], QString());
        const QString blank(14, QLatin1Char(' '));
        QCOMPARE(lines[1], QStringLiteral("      ") + pad(" t/s") + "\t" + pad("cA/(mol/l)") + "\t" +
                               pad(" ") + "\t" + pad("cP/(mol/l)") + "\t" + pad("cQ/(mol/l)"));
        QCOMPARE(lines[2], QString());
        QCOMPARE(lines[3], QStringLiteral("      ") + pad(onScreen("0.00")) + "\t" + pad("1") + "\t" + blank +
                               "\t" + pad("0") + "\t" + pad("0"));
        // t = 0.5: c(A) = exp(-0.1), c(P) = 0.75 (1 - c(A)), c(Q) = 0.25 (1 - c(A)).
        QCOMPARE(lines[4], QStringLiteral("      ") + pad(onScreen("0.50")) + "\t" +
                               pad(onScreen("0.9048374")) + "\t" + blank + "\t" +
                               pad(onScreen("0.07137194")) + "\t" + pad(onScreen("0.02379065")));
        // t = 100: c(A) = exp(-20) = 2.061154E-09.
        QVERIFY(lines[203].startsWith(QStringLiteral("      ") + pad(onScreen("100.00")) + "\t" +
                                      pad(onScreen("2.061154E-09"))));
    }

    void failingAndOutsideCurvesAreReported() {
        Harness h(2);
        h.press("cmdDrawctDiagram");
        // The y window below every point: the curve is drawn and the user warned.
        h.session.diagram.frame.yMin = 5.0f;
        h.session.diagram.frame.yMax = 6.0f;
        h.session.diagram.seriesCount = 1;
        h.diagrams.pressDraw();
        QCOMPARE(h.dialogs.last().title, std::string("WARNUNG"));
        QCOMPARE(h.dialogs.last().text,
                 std::string("Kurve außerhalb des aktuellen Koordinatenfensters\r\n\r\n"
                             "Vergrößern Sie das Koordinatenfenster."));
        QCOMPARE(h.drawnCurves(), 3);

        // A failing computation stops the drawing with "ABBRUCH" and takes no slot.
        h.diagrams.curveTable().add(2, [](const CurveRequest&, CurveBuffer&, CurveResult& result) {
            result.errorFlag = -1;
            result.errorText = "Division durch Null";
        });
        h.session.diagram.seriesCount = 2;
        h.diagrams.pressDraw();
        QCOMPARE(h.dialogs.last().title, std::string("ABBRUCH"));
        QCOMPARE(h.dialogs.last().icon, MessageIcon::Critical);
        QVERIFY(h.dialogs.last().text.find("Division durch Null") != std::string::npos);
        QCOMPARE(h.drawnCurves(), 3);
        QCOMPARE(h.session.diagram.curveCount, std::int16_t{3});
    }

    void michaelisMentenDiagramAndTable() {
        Harness h(10);
        QVERIFY(!h.child<QWidget>("fraMichaelis")->isHidden());
        QVERIFY(
            h.child<QLabel>("lblMichaelisK")->text().startsWith("Michaelis-Konstante KM = (k< + k3) / k> ="));
        h.child<QCheckBox>("chkNormiert")->setChecked(true);
        h.press("cmdMMdiagram");
        QVERIFY(h.dialogs.shown.empty());
        QVERIFY(!h.session.state.mmMode);  // only while the command runs
        QCOMPARE(h.drawnCurves(), 1);
        QCOMPARE(h.chart().point(1, 1, 1).x, 0.0);
        QCOMPARE(h.chart().point(1, 1, 1).y, 0.0);
        QCOMPARE(h.chart().axis(ChartAxis::X).maximum, 20.0);  // S(0)/KM from 0 to 20
        QCOMPARE(h.chart().axis(ChartAxis::Y).maximum, 1.0);
        QVERIFY(h.chart().point(1, 1, 201).y > 0.9);  // r/rmax = x/(1 + x) at x = 20
        h.press("cmdMichaelisListe");
        QVERIFY(h.lastTable.find("S(0)/KM") != std::string::npos);
        QVERIFY(h.lastTable.find("rP/rP,max") != std::string::npos);
    }

    void rateDiagramCaptions() {
        Harness h(9, true);
        QCOMPARE(h.setUp->windowTitle(), QStringLiteral("Reaktionsgeschwindigkeit-Zeit-Funktionen"));
        QCOMPARE(h.child<QPushButton>("cmdDrawctDiagram")->text(), QStringLiteral("r-t-Diagramm zeichnen"));
        QVERIFY(!h.child<QCheckBox>("chkMitPunkten")->isEnabled());
        h.press("cmdDrawctDiagram");
        QCOMPARE(h.drawnCurves(), 4);
        QCOMPARE(h.chart().seriesLabel(1, 4), std::string("r(P) "));
        QCOMPARE(h.chart().point(1, 1, 11).y, static_cast<double>(h.session.simulation.simRate[kSlotA][10]));
        QCOMPARE(h.chart().axis(ChartAxis::Y).title, std::string("r(A), r(B), r(C), r(P) / (mol/l/s)"));
    }

    void mainWindowMenuCommandsOpenTheSimulation() {
        MainHarness h;
        Session& session = h.session;
        RecordingDialogs& dialogs = h.dialogs;
        MDIZEM& main = h.main;

        auto* concentration = main.findChild<QAction*>("mnuctGraph");
        QVERIFY(concentration != nullptr && concentration->isEnabled());
        concentration->trigger();
        QWidget* setUp = main.window(WindowId::SimulationSetUp);
        QVERIFY(setUp != nullptr);
        QCOMPARE(setUp->windowTitle(), QStringLiteral("Konzentrations-Zeit-Funktionen"));
        QVERIFY(main.window(WindowId::Model) != nullptr);

        // Choosing model 9 in the model window reconfigures the set-up window.
        auto* option = main.window(WindowId::Model)->findChild<QAbstractButton*>("optTyp_9");
        QVERIFY(option != nullptr);
        option->click();
        QCOMPARE(session.state.modelId, std::int16_t{9});
        QVERIFY(!setUp->findChild<QLineEdit*>("inp_1")->isHidden());
        QVERIFY(setUp->findChild<QLineEdit*>("inp_4")->isHidden());
        QCOMPARE(setUp->findChild<QLabel*>("Label7")->text(),
                 QStringLiteral("kinet. Modell:  A + B => C => P"));

        setUp->findChild<QPushButton*>("cmdDrawctDiagram")->click();
        QVERIFY(dialogs.shown.empty());
        QVERIFY(main.isOpen(WindowId::Diagram));
        auto* diagram = dynamic_cast<frmGraph2D*>(main.window(WindowId::Diagram));
        QVERIFY(diagram != nullptr);
        QCOMPARE(diagram->chart().pointCount(1, 4), 201);
        QCOMPARE(diagram->chart().seriesLabel(1, 4), std::string("c(P) "));

        // A second run with old curves deleted replaces the window inside the main window.
        setUp->findChild<QPushButton*>("cmdDrawctDiagram")->click();
        QApplication::processEvents();
        QVERIFY(main.isOpen(WindowId::Diagram));
        QCOMPARE(session.diagram.curveCount, std::int16_t{4});

        // The rate command words the window for rates.
        main.findChild<QAction*>("mnuvtGraph")->trigger();
        setUp = main.window(WindowId::SimulationSetUp);
        QCOMPARE(setUp->findChild<QPushButton*>("cmdDrawctDiagram")->text(),
                 QStringLiteral("r-t-Diagramm zeichnen"));
        QVERIFY(!setUp->findChild<QCheckBox*>("chkMitPunkten")->isEnabled());

        const QString dir = qEnvironmentVariable("ZEMTRAL_SCREENSHOT_DIR");
        if (!dir.isEmpty()) {
            main.findChild<QAction*>("mnuctGraph")->trigger();
            main.window(WindowId::SimulationSetUp)->findChild<QPushButton*>("cmdDrawctDiagram")->click();
            QApplication::processEvents();
            QVERIFY(main.grab().save(dir + "/main-window.png"));
        }
    }

    // Maximised on a 1366 x 768 screen, with the enzyme model's tall set-up window, the tip window
    // and the first-user panel: every window lies inside the work area, whole and with its title.
    void windowsFitASmallScreen() {
        MainHarness h({1366, 700});
        qobject_cast<frmZemModel*>(h.main.window(WindowId::Model))->chooseOption(10);
        QVERIFY(h.main.open(WindowId::SimulationSetUp));
        QVERIFY(h.main.open(WindowId::Matrix));
        QVERIFY(h.main.open(WindowId::Tip));
        h.main.findChild<QPushButton*>(QStringLiteral("cmdErstnutzer"))->click();
        QApplication::processEvents();
        auto* area = h.main.findChild<QMdiArea*>(QStringLiteral("mdiArea"));
        const QRect room = area->viewport()->rect();
        for (QMdiSubWindow* sub : area->subWindowList()) {
            const QString title = sub->windowTitle();
            QVERIFY2(room.contains(sub->geometry()), qPrintable(title));
            QVERIFY2(sub->width() > QFontMetrics(sub->font()).horizontalAdvance(title), qPrintable(title));
        }
        // The set-up window's buttons are within its frame, not cut off by the shortening.
        QWidget* setUp = h.main.window(WindowId::SimulationSetUp);
        for (QPushButton* button : setUp->findChildren<QPushButton*>()) {
            if (button->isVisibleTo(setUp)) {
                const QRect place(button->mapTo(setUp->parentWidget(), QPoint(0, 0)), button->size());
                QVERIFY2(setUp->parentWidget()->rect().contains(place), qPrintable(button->text()));
            }
        }
        const QRect panel = h.main.findChild<QWidget*>(QStringLiteral("fraErstnutzer"))->geometry();
        const QRect model = h.main.window(WindowId::Model)->parentWidget()->geometry();
        QVERIFY(!panel.intersects(model));
        const QString dir = qEnvironmentVariable("ZEMTRAL_SCREENSHOT_DIR");
        if (!dir.isEmpty()) {
            QVERIFY(h.main.grab().save(dir + "/main-window-1366x768.png"));
        }
    }

    void mainWindowEvaluationsDrawTheirLineAndPoints() {
        struct Case {
            const char* action;
            const char* sample;
            int kind;
        };
        const Case cases[] = {
            {"mnuctAusw_1", "zerfall_n2o5.ZD3", -5},
            {"mnuctAusw_3", "verseifung.ZD3", -6},  // equal start concentrations: 1/c(A)
            {"mnuLambdaAusw_3", "verseifung_leitfaehigkeit.ZD3", -11},
            {"mnukT_1", "arrhenius_n2o5.ZD3", -3},
            {"mnukT_2", "arrhenius_n2o5.ZD3", -4},
        };
        for (const Case& c : cases) {
            MainHarness h;
            Session& session = h.session;
            RecordingDialogs& dialogs = h.dialogs;
            MDIZEM& main = h.main;
            const std::string path = std::string(ZEMTRAL_SOURCE_DIR "/resources/samples/") + c.sample;
            QVERIFY(LoadDataFile(session, dialogs, path, false));
            SurveyDataSet(session);
            // The simulation's start values differ from the data's: the evaluation takes the data's.
            session.state.conc0[kSlotA] = 1.0;
            session.state.conc0[kSlotB] = 0.0;
            auto* action = main.findChild<QAction*>(c.action);
            QVERIFY2(action != nullptr, c.action);
            action->trigger();
            QVERIFY2(dialogs.shown.empty(), dialogs.shown.empty() ? "" : dialogs.last().text.c_str());
            QCOMPARE(int(session.diagramKind), c.kind);
            // An open model window shows the model the evaluation chose.
            if (QWidget* model = main.window(WindowId::Model)) {
                auto* shown =
                    model->findChild<QRadioButton*>(QStringLiteral("optTyp_%1").arg(optionAtLoad(session)));
                QVERIFY(shown != nullptr && shown->isChecked());
            }
            auto* diagram = dynamic_cast<frmGraph2D*>(main.window(WindowId::Diagram));
            QVERIFY2(diagram != nullptr, c.action);
            // The regression line is curve 1 and the transformed points are a point set.
            QVERIFY2(diagram->chart().pointCount(1, 1) > 10, c.action);
            int points = 0;
            for (int set = 1; set <= diagram->chart().seriesCount(2); ++set) {
                points += diagram->chart().pointCount(2, set);
            }
            QVERIFY2(points >= 5, c.action);
            const QString dir = qEnvironmentVariable("ZEMTRAL_SCREENSHOT_DIR");
            if (!dir.isEmpty() && c.kind == -5) {
                QApplication::processEvents();
                QVERIFY(main.grab().save(dir + "/main-window-evaluation.png"));
            }
        }
    }

    /// Pictures for the README: set ZEMTRAL_SCREENSHOT_DIR to write them.
    void screenshots() {
        const QString dir = qEnvironmentVariable("ZEMTRAL_SCREENSHOT_DIR");
        if (dir.isEmpty()) {
            QSKIP("ZEMTRAL_SCREENSHOT_DIR not set");
        }
        Harness h(9);
        h.setUp->show();
        h.setUp->resize(h.setUp->sizeHint().expandedTo(QSize(560, 420)));
        QApplication::processEvents();
        QVERIFY(h.setUp->grab().save(dir + "/simulation-setup.png"));
        h.press("cmdDrawctDiagram");
        h.diagrams.window()->resize(1200, 700);
        QApplication::processEvents();
        QVERIFY(h.diagrams.window()->grab().save(dir + "/diagram-model9.png"));
        Harness t(11);
        t.setUp->setTablePresenter([dir](frmSimTabelle& table) {
            table.show();
            QApplication::processEvents();
            QVERIFY(table.grab().save(dir + "/result-table.png"));
        });
        t.press("cmdListe");
    }
};

QTEST_MAIN(DiagramWindowTest)
#include "diagram_window_test.moc"
