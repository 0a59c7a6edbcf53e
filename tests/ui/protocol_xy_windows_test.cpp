// The protocol window and the XY editor in the main window, offscreen: the batch reactor's
// "Protokollieren" reaching the protocol window, the file it writes, a protocol that cannot be
// written, and the XY editor's formulas, paste and hand-over to the diagram window.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "numeric/number_text.h"
#include "session/session.h"
#include "support/recording_dialogs.h"
#include "support/screen_number.h"
#include "ui/data/frm_manu_input.h"
#include "ui/data/frm_protokoll.h"
#include "ui/data/protocol_xy_windows.h"
#include "ui/diagrams/diagram_windows.h"
#include "ui/diagrams/frm_graph2d.h"
#include "ui/reactors/frm_batch.h"
#include "ui/reactors/reactor_windows.h"
#include "ui/shell/frm_zem_model.h"
#include "ui/shell/mdizem.h"
#include "ui/shell/zem_settings.h"
#include "ui/simulation/simulation_windows.h"

using namespace zemtral;
using zemtral::test::onScreen;
using zemtral::test::RecordingDialogs;

namespace {

struct Harness {
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
    Harness() {
        registerSimulationWindows(main, diagrams);
        registerReactorWindows(main);
        registerProtocolAndXyWindows(main, diagrams);
        main.resize(1300, 900);
        main.show();
    }
    // A batch reactor with a first-order result: c(A)(0) = 2, k1 = 0.5, t = 3.
    frmBatch* batchWithResult() {
        main.open(WindowId::Model);
        qobject_cast<frmZemModel*>(main.window(WindowId::Model))->chooseOption(2);
        main.findChild<QAction*>("mnuBatchR")->trigger();
        QApplication::processEvents();
        auto* batch = qobject_cast<frmBatch*>(main.window(WindowId::BatchReactor));
        batch->chooseOption(0);
        batch->setFieldText(0, onScreen("2"));
        batch->setFieldText(10, onScreen("0.5"));
        batch->setFieldText(14, onScreen("3"));
        press(batch, "cmdBerechnen");
        return batch;
    }
    frmProtokoll* openProtocolFrom(QWidget* source) {
        press(source, "cmdProtocol");
        QApplication::processEvents();
        return qobject_cast<frmProtokoll*>(main.window(WindowId::Protocol));
    }
    frmManuInput* openXyEditor() {
        main.findChild<QAction*>("mnuEditXY")->trigger();
        QApplication::processEvents();
        return qobject_cast<frmManuInput*>(main.window(WindowId::XYEditor));
    }
    static void press(QWidget* w, const char* name) {
        auto* button = w->findChild<QPushButton*>(name);
        QVERIFY2(button != nullptr && button->isEnabled(), name);
        button->click();
    }
};

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

QString cell(QTableWidget* grid, int row, int column) {
    return grid->item(row, column) != nullptr ? grid->item(row, column)->text() : QString();
}

}  // namespace

class ProtocolXyWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    // The reactor's button opens the real protocol window beside it; a row is collected and
    // closing the window writes the file, fills the clipboard, takes the next name and gives
    // the reactor its button back.
    void batchRowIsWrittenAndCopied() {
        Harness h;
        frmBatch* batch = h.batchWithResult();
        frmProtokoll* protocol = h.openProtocolFrom(batch);
        QVERIFY(protocol != nullptr);
        QCOMPARE(protocol->windowTitle(), QStringLiteral("  Ergebnis-Protokoll schreiben"));
        QVERIFY(!batch->findChild<QPushButton*>("cmdProtocol")->isEnabled());
        const QRect source = batch->parentWidget()->geometry();
        const QRect placed = protocol->parentWidget()->geometry();
        QCOMPARE(placed.bottom(), source.bottom());
        QCOMPARE(placed.left(), source.left() + source.width() - 3);
        QVERIFY(!protocol->findChild<QPushButton*>("cmdOpenNew")->isEnabled());

        h.press(protocol, "cmdProtokoll");
        QVERIFY(h.dialogs.shown.empty());
        QVERIFY(protocol->findChild<QPushButton*>("cmdOpenNew")->isEnabled());
        const std::string name = h.session.protocol.fileName;
        QCOMPARE(protocol->findChild<QLabel*>("lblProtFile")->text(), QString::fromStdString(name));
        h.press(protocol, "cmdClose");
        QApplication::processEvents();
        QVERIFY(!h.main.isOpen(WindowId::Protocol));
        QVERIFY(batch->findChild<QPushButton*>("cmdProtocol")->isEnabled());

        // The row as handed over: c(A)(0) = 2, c(A) = 2·e^(−1.5) after t = 3 with k1 = 0.5.
        const ReactorProtocolValues& v = h.session.reactorProtocolValues;
        QCOMPARE(v[0], 2.0);
        QVERIFY(std::fabs(v[5] - 2.0 * std::exp(-1.5)) < 1e-6);
        QCOMPARE(v[14], 3.0);
        // Only the columns holding a value; numbers in the locale's general format, so the file
        // differs between the two test locales; every header and data line ends with ";".
        const char d = h.session.decimalComma ? ',' : '.';
        std::string header, data;
        for (std::size_t i = 0; i < v.size(); ++i) {
            if (static_cast<float>(v[i]) != 0.0f) {
                header += std::string(kProtocolColumnNames[i]) + ";";
                data += formatSingle(static_cast<float>(v[i]), d) + ";";
            }
        }
        QVERIFY(header.rfind("c_A(A);", 0) == 0 && header.find(";t;") != std::string::npos);
        QVERIFY(header.find(" l;") == std::string::npos);  // no tube length in a batch protocol
        const DateTime today = currentDateTime();
        const std::string expected =
            "ZEMTRAL: Kinetics of chemical reactions\r\nProtocol from " + zeroPadded(today.month, 2) + "-" +
            zeroPadded(today.day, 2) + "-" + zeroPadded(today.year, 4) +
            "\r\nCalculation of a Batch Reactor\r\n"
            "units: [c(i)] = mol/L   [k_1] = 1/s   [k_2] = L/(mol s)   [U(A)] = 1    [t] = s   [l] = m     "
            "[v] = m^3\r\n        [ksi()] = kmol/m^3   (extent of reaction)\r\n\r\n" +
            header + "\r\n" + data + "\r\n";
        QCOMPARE(fileBytes(h.session.appHome + "/" + name), expected);
        std::string tabbed = header + "\r\n" + data + "\r\n";
        std::replace(tabbed.begin(), tabbed.end(), ';', '\t');
        QVERIFY(h.dialogs.clipboard.size() > tabbed.size() &&
                h.dialogs.clipboard.compare(h.dialogs.clipboard.size() - tabbed.size(), tabbed.size(),
                                            tabbed) == 0);
        QVERIFY(h.session.protocol.fileName != name);
        QVERIFY(h.session.protocol.table.rows.empty());
    }

    // A protocol that cannot be written shows the system's message, keeps its rows for the next
    // try and leaves the clipboard alone.
    void failedWriteKeepsRowsAndClipboard() {
        Harness h;
        frmBatch* batch = h.batchWithResult();
        frmProtokoll* protocol = h.openProtocolFrom(batch);
        h.press(protocol, "cmdProtokoll");
        // "Komma" as separator warns only where the decimal separator is a comma; the row is added.
        protocol->findChild<QComboBox*>("cmbSep")->setCurrentIndex(1);
        h.press(protocol, "cmdProtokoll");
        QCOMPARE(h.session.protocol.separator, std::string(","));
        QCOMPARE(h.dialogs.shown.size(), std::size_t{h.session.decimalComma ? 1u : 0u});
        const std::string name = h.session.protocol.fileName;
        std::filesystem::create_directory(h.session.appHome + "/" + name);  // the name is taken by a folder
        h.dialogs.clipboard = "vorher";
        h.press(protocol, "cmdOpenNew");
        QCOMPARE(QString::fromStdString(h.dialogs.last().title),
                 QStringLiteral("Meldung von schreibProtFileAndClose"));
        QCOMPARE(h.dialogs.last().icon, MessageIcon::Critical);
        QCOMPARE(h.dialogs.clipboard, std::string("vorher"));
        QCOMPARE(h.session.protocol.table.rows.size(), std::size_t{2});
        QCOMPARE(h.session.protocol.fileName, name);
        QVERIFY(protocol->findChild<QPushButton*>("cmdOpenNew")->isEnabled());

        // Once the folder is gone the same rows are written.
        std::filesystem::remove(h.session.appHome + "/" + name);
        h.press(protocol, "cmdOpenNew");
        QVERIFY(fileBytes(h.session.appHome + "/" + name).find("Calculation of a Batch Reactor") !=
                std::string::npos);
        QVERIFY(h.dialogs.clipboard != "vorher");
        QVERIFY(!protocol->findChild<QPushButton*>("cmdOpenNew")->isEnabled());
    }

    // A reactor opened later (it closes the first one) that asks for the open protocol window
    // gets its button back as well.
    void everyWaitingReactorGetsItsButtonBack() {
        Harness h;
        frmProtokoll* protocol = h.openProtocolFrom(h.batchWithResult());
        h.main.findChild<QAction*>("mnuRohrR")->trigger();
        QApplication::processEvents();
        QVERIFY(!h.main.isOpen(WindowId::BatchReactor));
        QWidget* tube = h.main.window(WindowId::TubeReactor);
        auto* reactor = qobject_cast<ReactorWindow*>(tube);
        reactor->chooseOption(0);
        reactor->setFieldText(0, onScreen("1"));
        reactor->setFieldText(10, onScreen("0.2"));
        reactor->setFieldText(14, onScreen("5"));
        reactor->setFieldText(16, onScreen("2"));
        h.press(tube, "cmdBerechnen");
        QCOMPARE(h.openProtocolFrom(tube), protocol);  // the same window, brought to the front
        QVERIFY(!tube->findChild<QPushButton*>("cmdProtocol")->isEnabled());
        h.press(protocol, "cmdClose");
        QApplication::processEvents();
        QVERIFY(tube->findChild<QPushButton*>("cmdProtocol")->isEnabled());
    }

    // A formula that fails for one point changes no point; a paste with decimal commas grows the
    // list at the current row; a later formula applies to every point.
    void xyFormulaIsAllOrNothing() {
        Harness h;
        frmManuInput* xy = h.openXyEditor();
        QVERIFY(xy != nullptr);
        auto* grid = xy->findChild<QTableWidget*>("grdXY");
        QCOMPARE(cell(grid, 0, 1), QStringLiteral("leere Liste"));
        xy->findChild<QLineEdit*>("inpX")->setText(QStringLiteral("1"));
        xy->findChild<QLineEdit*>("inpY")->setText(QStringLiteral("0"));
        h.press(xy, "OKinput");
        grid->setCurrentCell(0, 1);
        xy->pasteText(QStringLiteral("0,5\t2,5\r\n3\t4\r\n"));  // at row 1: replaces it, adds one
        QCOMPARE(h.session.xy.count(), 2);
        QCOMPARE(h.session.xy.points[1], (XyPoint{0.5f, 2.5f, 0}));
        QCOMPARE(cell(grid, 0, 2), onScreen(QStringLiteral("2.5")));
        h.session.xy.points[2].y = 0.0f;
        xy->refreshTable();
        const XyList before = h.session.xy;

        h.press(xy, "cmdManip");
        QVERIFY(!xy->findChild<QWidget*>("fraManip")->isHidden());
        xy->findChild<QRadioButton*>("optManip_1")->setChecked(true);  // y = ln(y)
        h.press(xy, "cmdExecManip");
        QCOMPARE(h.dialogs.last().title, std::string(kNotPossibleTitle));
        QVERIFY(
            h.dialogs.last().text.find("\r\nMit den vorliegenden Daten ist diese Aktion nicht ausführbar.") !=
            std::string::npos);
        QVERIFY(h.session.xy == before);
        QCOMPARE(cell(grid, 0, 2), onScreen(QStringLiteral("2.5")));

        xy->findChild<QRadioButton*>("optManip_3")->setChecked(true);  // y = y + W
        xy->findChild<QLineEdit*>("txtW")->setText(QStringLiteral("1.5"));
        h.press(xy, "cmdExecManip");
        QCOMPARE(h.session.xy.points[1].y, 4.0f);
        QCOMPARE(h.session.xy.points[2].y, 1.5f);
        QCOMPARE(cell(grid, 1, 2), onScreen(QStringLiteral("1.5")));
    }

    // "Zeichnen" hands the active points to the diagram window: as the manual point set, then as
    // a curve; the inactive point goes nowhere.
    void xyPointsReachTheDiagramWindow() {
        Harness h;
        frmManuInput* xy = h.openXyEditor();
        h.press(xy, "cmdDrawManu");
        QCOMPARE(h.dialogs.last().text, std::string("Mindestens 2 aktive Punkte notwendig!"));
        QVERIFY(!h.main.isOpen(WindowId::Diagram));
        xy->pasteText(QStringLiteral("1\t10\n2\t15\n3\t30\n4\t35"));
        auto* grid = xy->findChild<QTableWidget*>("grdXY");
        grid->setCurrentCell(2, 1);
        h.press(xy, "cmdAus");  // point 3 inactive
        QVERIFY(cell(grid, 2, 0).endsWith(QStringLiteral("aus")));
        h.press(xy, "cmdDrawManu");
        frmGraph2D* diagram = h.diagrams.window();
        QVERIFY(diagram != nullptr);
        const ChartComponent& chart = diagram->chart();
        QCOMPARE(chart.pointCount(2, 7), 3);
        QCOMPARE(chart.point(2, 7, 3).x, 4.0);
        QCOMPARE(chart.point(2, 7, 3).y, 35.0);
        // The fresh window took an axis window around the points.
        QVERIFY(chart.axis(ChartAxis::X).minimum < 1.0 && chart.axis(ChartAxis::X).maximum > 4.0);
        QVERIFY(chart.axis(ChartAxis::Y).minimum < 10.0 && chart.axis(ChartAxis::Y).maximum > 35.0);

        // A second hand-over of points asks before it overwrites; "No" keeps the old set.
        h.session.xy.points[1].y = 11.0f;
        h.dialogs.answers = {Answer::No};
        h.press(xy, "cmdDrawManu");
        QCOMPARE(h.dialogs.last().text,
                 std::string("Soll der bereits geladene manuelle Datensatz überschrieben werden?"));
        QCOMPARE(chart.point(2, 7, 1).y, 10.0);

        xy->findChild<QRadioButton*>("optIsPoints_1")->setChecked(true);
        h.press(xy, "cmdDrawManu");
        const int slot = diagram->selectedCurve();
        QVERIFY(slot >= 1);
        QCOMPARE(chart.pointCount(1, slot), 3);
        QCOMPARE(chart.point(1, slot, 1).y, 11.0);

        // The diagram window's insert menu opens the editor again.
        h.main.close(WindowId::XYEditor);
        auto* insertXy = diagram->findChild<QAction*>("mnuInsXY");
        QVERIFY(insertXy->isEnabled());
        insertXy->trigger();
        QVERIFY(h.main.isOpen(WindowId::XYEditor));
    }

    // Closing with unsaved points asks; Cancel keeps the window, No closes it.
    void closeQuestion() {
        Harness h;
        frmManuInput* xy = h.openXyEditor();
        xy->pasteText(QStringLiteral("1\t2"));
        h.dialogs.answers = {Answer::Cancel};
        h.press(xy, "cmdEsc");
        QApplication::processEvents();
        QCOMPARE(h.dialogs.last().title, std::string("WARNUNG"));
        QVERIFY(h.main.isOpen(WindowId::XYEditor));
        h.dialogs.answers = {Answer::No};
        h.press(xy, "cmdEsc");
        QApplication::processEvents();
        QApplication::processEvents();
        QVERIFY(!h.main.isOpen(WindowId::XYEditor));
    }

    /// Pictures for the README: set ZEMTRAL_SCREENSHOT_DIR to write them.
    void screenshots() {
        const QString dir = qEnvironmentVariable("ZEMTRAL_SCREENSHOT_DIR");
        if (dir.isEmpty()) {
            QSKIP("ZEMTRAL_SCREENSHOT_DIR not set");
        }
        Harness h;
        frmManuInput* xy = h.openXyEditor();
        xy->findChild<QLineEdit*>("txtComment")->setText(QStringLiteral("Leitfähigkeit gegen Zeit, 25 °C"));
        xy->pasteText(
            QStringLiteral("0\t0.0210\n30\t0.0187\n60\t0.0166\n90\t0.0150\n120\t0.0136\n180\t0.0114\n"
                           "240\t0.0098\n300\t0.0087"));
        h.press(xy, "cmdManip");
        xy->findChild<QRadioButton*>("optManip_1")->setChecked(true);
        QApplication::processEvents();
        QVERIFY(xy->parentWidget()->grab().save(dir + "/xy-editor.png"));

        frmBatch* batch = h.batchWithResult();
        frmProtokoll* protocol = h.openProtocolFrom(batch);
        h.press(protocol, "cmdProtokoll");
        QApplication::processEvents();
        QVERIFY(protocol->parentWidget()->grab().save(dir + "/protocol.png"));
    }
};

QTEST_MAIN(ProtocolXyWindowsTest)
#include "protocol_xy_windows_test.moc"
