// The diagram window as a user meets it, offscreen: exact axis digits, the black sheet, the
// half-life entries, refused axis input, the curve and point tabs, pictures and printing.
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "core/working_state.h"
#include "session/data_commands.h"
#include "session/project_commands.h"
#include "session/session.h"
#include "support/recording_dialogs.h"
#include "support/screen_number.h"
#include "test_paths.h"
#include "ui/diagrams/diagram_windows.h"
#include "ui/diagrams/frm_graph2d.h"
#include "ui/diagrams/picture_page.h"
#include "ui/diagrams/qt_chart_component.h"
#include "ui/shell/mdizem.h"
#include "ui/shell/zem_settings.h"
#include "ui/simulation/frm_prepare_time_diagram.h"
#include "ui/simulation/simulation_windows.h"

using namespace zemtral;
using zemtral::test::onScreen;
using zemtral::test::RecordingDialogs;

namespace {

/// The set-up window and the diagram window of one model after "c-t-Diagramm zeichnen".
struct Drawn {
    QTemporaryDir home;
    Session session;
    RecordingDialogs dialogs;
    DiagramWindows diagrams{session, dialogs};
    std::unique_ptr<frmPrepareTimeDiagram> setUp;

    explicit Drawn(std::int16_t model) {
        session.appHome = home.path().toStdString();
        session.diagramKind = applyModelDefaults(session.state, model).diagramKind;
        if (session.state.tEnd == 0.0f) {
            session.state.tEnd = 100.0f;
        }
        setUp = std::make_unique<frmPrepareTimeDiagram>(session, dialogs, diagrams);
        setUp->findChild<QPushButton*>("cmdDrawctDiagram")->click();
    }
    frmGraph2D& window() { return *diagrams.window(); }
    template <typename T>
    T* child(const char* name) {
        return window().findChild<T*>(name);
    }
    void press(const char* name) {
        auto* button = child<QPushButton>(name);
        QVERIFY2(button != nullptr, name);
        button->click();
    }
};

}  // namespace

class DiagramWindowUseTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { qputenv("ZEMTRAL_HOME", QDir::tempPath().toUtf8()); }

    void axisDigitsAreExactWhereZeroBelongs() {
        Drawn d(2);
        QVERIFY(d.dialogs.shown.empty());
        d.window().resize(1100, 660);
        d.child<QLineEdit>("txtYMin")->setText("-0,3");
        d.child<QLineEdit>("txtYMax")->setText("0,7");
        d.child<QAbstractButton>("optScaling_1")->click();
        d.child<QLineEdit>("txtDigitY")->setText("0,1");
        d.press("cmdCoordOK");
        QVERIFY(d.dialogs.shown.empty());
        QApplication::processEvents();
        QStringList expected;
        for (const char* t : {"-0.3", "-0.2", "-0.1", "0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7"}) {
            expected << onScreen(QString::fromLatin1(t));
        }
        QCOMPARE(d.window().chartWidget().tickLabelTexts(ChartAxis::Y), expected);
        // The time axis 0 .. 100 in automatic steps of 20, whole numbers.
        QCOMPARE(d.window().chartWidget().tickLabelTexts(ChartAxis::X),
                 (QStringList{"0", "20", "40", "60", "80", "100"}));
        // A logarithmic axis leaves its digits to the chart.
        d.child<QLineEdit>("txtYMin")->setText("0,01");
        d.press("cmdCoordOK");
        d.child<QPushButton>("cmdYLog")->click();
        QVERIFY(d.window().chart().axis(ChartAxis::Y).logarithmic);
        QVERIFY(d.window().chartWidget().tickLabelTexts(ChartAxis::Y).isEmpty());
    }

    void blackSheetWritesWhite() {
        Drawn d(17);
        QtChartComponent& view = d.window().chartWidget();
        QCOMPARE(view.inkColour(), QColor(Qt::black));
        d.press("cmdFullBlack");
        QCOMPARE(view.inkColour(), QColor(Qt::white));
        QCOMPARE(view.chart()->titleBrush().color(), QColor(Qt::white));
        for (QAbstractAxis* axis : view.chart()->axes()) {
            QCOMPARE(axis->linePen().color(), QColor(Qt::white));
            QCOMPARE(axis->titleBrush().color(), QColor(Qt::white));
        }
        QCOMPARE(d.window().chart().legend().foreground, kChartWhite);
        QCOMPARE(d.window().chart().legend().background, kChartBlack);
        // The white pixels of the texts are really there: the picture is not all black.
        const QImage picture = view.renderImage();
        int white = 0;
        for (int y = 0; y < picture.height(); y += 2) {
            for (int x = 0; x < picture.width(); x += 2) {
                white += qGray(picture.pixel(x, y)) > 200 ? 1 : 0;
            }
        }
        QVERIFY(white > 200);
        if (const QString dir = qEnvironmentVariable("ZEMTRAL_SCREENSHOT_DIR"); !dir.isEmpty()) {
            QVERIFY(picture.save(dir + "/diagram-black.png"));
        }
        d.press("cmdFullWhite");
        QCOMPARE(view.inkColour(), QColor(Qt::black));
        QCOMPARE(d.window().chart().legend().foreground, kChartBlack);
    }

    void halfLifeEntriesFollowTheDiagram() {
        {
            Drawn d(2);  // A => P: no B
            QVERIFY(d.child<QAction>("mnuHalbA")->isEnabled());
            QVERIFY(!d.child<QAction>("mnuHalbB")->isEnabled());
        }
        {
            Drawn d(10);  // the enzyme model names E and S
            auto* a = d.child<QAction>("mnuHalbA");
            auto* b = d.child<QAction>("mnuHalbB");
            QCOMPARE(a->text(), QStringLiteral("Halbwertszeit E"));
            QCOMPARE(b->text(), QStringLiteral("Halbwertszeit S"));
            QVERIFY(a->isEnabled() && b->isEnabled());
            // The same window showing measured k-T points: no half-life at all.
            d.session.diagramKind = -2;
            d.diagrams.setUpDiagram();
            QVERIFY(!a->isEnabled() && !b->isEnabled());
            QCOMPARE(a->text(), QStringLiteral("Halbwertszeit E"));
        }
    }

    void axisFieldsThatCannotBeShownAreRefused() {
        Drawn d(2);
        const float before = d.session.diagram.frame.yMin;
        d.child<QLineEdit>("txtYMin")->setText("abc");
        d.press("cmdCoordOK");
        QCOMPARE(d.dialogs.shown.size(), std::size_t{1});
        QCOMPARE(d.dialogs.last().title, std::string(" Ausführung nicht möglich "));
        QCOMPARE(d.dialogs.last().text, std::string("- y(min): keine gültige Zahl"));
        QCOMPARE(d.session.diagram.frame.yMin, before);
        // The time axis starts at 0: a logarithmic x axis is refused and the button springs back.
        auto* xLog = d.child<QPushButton>("cmdXLog");
        xLog->click();
        QCOMPARE(d.dialogs.shown.size(), std::size_t{2});
        QCOMPARE(d.dialogs.last().text,
                 std::string("- logarithmische x-Achse: x(min) muss größer als 0 sein"));
        QVERIFY(!xLog->isChecked());
        QVERIFY(!d.window().chart().axis(ChartAxis::X).logarithmic);
    }

    void curveControlsActOnTheChosenCurveAfterTheFirstDraw() {
        Drawn d(9);  // four curves
        d.window().resize(1100, 660);
        d.window().show();
        QApplication::processEvents();
        auto* tabs = d.child<QTabBar>("tabKurven");
        auto* style = d.child<QComboBox>("cmbKStil");
        QCOMPARE(tabs->count(), 4);
        QVERIFY(style->isEnabled());
        QVERIFY(d.child<QLineEdit>("txtLegendCurves")->isEnabled());
        for (int index = 0; index < tabs->count(); ++index) {
            // Clicked as the user does.
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
            const int slot = d.window().selectedCurve();
            QCOMPARE(slot, index + 1);
            QCOMPARE(d.child<QLineEdit>("txtLegendCurves")->text(),
                     QString::fromStdString(d.window().chart().seriesLabel(1, slot)));
        }
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
        style->setCurrentIndex(style->findText(QStringLiteral("Kurve gestrichelt")));
        QCOMPARE(d.window().chart().seriesStyle(1, 1).linePattern, LinePattern::Dashed);
        QCOMPARE(d.window().chart().seriesStyle(1, 4).linePattern, LinePattern::Solid);
        tabs->setCurrentIndex(2);
        QCOMPARE(style->currentText(), QStringLiteral("Kurve normal"));
        d.child<QLineEdit>("txtLegendCurves")->setText(QStringLiteral("x"));
        QTest::keyClicks(d.child<QLineEdit>("txtLegendCurves"), QStringLiteral("y"));
        QCOMPARE(d.window().chart().seriesLabel(1, 3), std::string("xy"));
        QCOMPARE(d.window().chart().seriesLabel(1, 1), std::string("c(A) "));
    }

    void pointControlsAreReadyWithoutClickingTheirTab() {
        QTemporaryDir home;
        ZemSettings::setShowTipsAtStartup(false);
        Session session;
        session.appHome = home.path().toStdString();
        RecordingDialogs dialogs;
        DiagramWindows diagrams{session, dialogs};
        MDIZEM main{session, dialogs};
        registerSimulationWindows(main, diagrams);
        main.resize(1366, 768);
        main.show();
        QVERIFY(
            LoadDataFile(session, dialogs, ZEMTRAL_SOURCE_DIR "/resources/samples/zerfall_n2o5.ZD3", false));
        SurveyDataSet(session);
        InitialConcFromData(session);
        main.findChild<QAction*>("mnuctAusw_1")->trigger();
        auto* window = diagrams.window();
        QVERIFY(window != nullptr);
        QVERIFY(window->chart().pointCount(2, 1) > 0);
        auto* style = window->findChild<QComboBox*>("cmbPunktStil");
        QVERIFY(style->isEnabled());
        QVERIFY(window->findChild<QLineEdit*>("txtLegendPoints")->isEnabled());
        QCOMPARE(window->findChild<QTabBar*>("tabPunkte")->currentIndex(), 0);
        style->setCurrentIndex(style->findText(QStringLiteral("Dreieck")));
        QCOMPARE(window->chart().seriesStyle(2, 1).symbolShape, SymbolShape::Triangle);
    }

    void picturesAndPrinting() {
        Drawn d(17);
        d.window().resize(1000, 640);
        d.window().show();
        QApplication::processEvents();
        QtChartComponent& view = d.window().chartWidget();
        // The clipboard picture at the screen's pixel ratio (Ctrl+C, shown in the menu).
        auto* copy = d.child<QAction>("mnuBild_0");
        QCOMPARE(copy->shortcut(), QKeySequence(QKeySequence::Copy));
        copy->trigger();
        const QImage image = QGuiApplication::clipboard()->image();
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), view.viewport()->size() * view.devicePixelRatioF());
        QCOMPARE(view.renderImage().devicePixelRatio(), view.devicePixelRatioF());
        QVERIFY(d.dialogs.shown.empty());

        // "zum Drucker" (Ctrl+P) goes through the print dialog; here it chooses a PDF file.
        auto* print = d.child<QAction>("mnuBild_2");
        QCOMPARE(print->shortcut(), QKeySequence(QKeySequence::Print));
        auto* page = static_cast<PicturePage*>(d.child<QWidget>("pagePicture"));
        QVERIFY(page != nullptr);
        const QString pdf = d.home.filePath(QStringLiteral("druck.pdf"));
        int asked = 0;
        page->choosePrinter = [&](QPrinter& printer) {
            ++asked;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
        print->trigger();
        QCOMPARE(asked, 1);
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");
        QVERIFY(file.size() > 1000);
        QVERIFY(d.dialogs.shown.empty());
        // Cancelled: nothing printed, nothing said.
        page->choosePrinter = [&](QPrinter&) { return ++asked, false; };
        d.child<QPushButton>("cmdPrint")->click();
        QCOMPARE(asked, 2);
        QVERIFY(d.dialogs.shown.empty());
    }

    void pagesFitTheWindowAtTheSmallScreen() {
        Drawn d(17);
        // The window as it opens on a 1366 x 768 screen with the main window maximised.
        d.window().resize(1300, 600);
        d.window().show();
        QApplication::processEvents();
        auto* pages = d.child<QTabWidget>("fraTabs");
        const QString dir = qEnvironmentVariable("ZEMTRAL_SCREENSHOT_DIR");
        if (!dir.isEmpty()) {
            for (int i = 0; i < pages->count(); ++i) {
                pages->setCurrentIndex(i);
                QApplication::processEvents();
                QVERIFY(d.window().grab().save(dir + QStringLiteral("/diagram-page-%1.png").arg(i)));
            }
        }
        const QTabBar* bar = pages->tabBar();
        for (int i = 0; i < bar->count(); ++i) {
            // Every tab whole: no scroll arrows hide a tab.
            QVERIFY2(bar->tabRect(i).right() <= bar->width(), qPrintable(bar->tabText(i)));
        }
        for (int i = 0; i < pages->count(); ++i) {
            if (auto* scroll = qobject_cast<QScrollArea*>(pages->widget(i))) {
                pages->setCurrentIndex(i);
                QApplication::processEvents();
                // The page fits beside its vertical scroll bar: nothing to scroll or cut sideways.
                QVERIFY2(scroll->widget()->minimumSizeHint().width() <= scroll->viewport()->width(),
                         qPrintable(pages->tabText(i)));
            }
        }
        auto* save = d.child<QPushButton>("cmdSaveCurveAsXY");
        pages->setCurrentIndex(0);
        QApplication::processEvents();
        QVERIFY(save->width() >= save->fontMetrics().horizontalAdvance(save->text()) + 8);
    }

    /// The picture of the README: a c-t diagram of model 17 in the main window at 1366 x 768.
    void screenshot() {
        const QString dir = qEnvironmentVariable("ZEMTRAL_SCREENSHOT_DIR");
        if (dir.isEmpty()) {
            QSKIP("ZEMTRAL_SCREENSHOT_DIR not set");
        }
        QTemporaryDir home;
        ZemSettings::setShowTipsAtStartup(false);
        Session session;
        session.appHome = home.path().toStdString();
        RecordingDialogs dialogs;
        DiagramWindows diagrams{session, dialogs};
        MDIZEM main{session, dialogs};
        registerSimulationWindows(main, diagrams);
        main.resize(1366, 768);
        main.show();
        main.findChild<QAction*>("mnuctGraph")->trigger();
        main.window(WindowId::Model)->findChild<QAbstractButton*>("optTyp_17")->click();
        main.window(WindowId::SimulationSetUp)->findChild<QPushButton*>("cmdDrawctDiagram")->click();
        QApplication::processEvents();
        QVERIFY(main.grab().save(dir + "/diagram-model17.png"));
    }
};

QTEST_MAIN(DiagramWindowUseTest)
#include "diagram_window_use_test.moc"
