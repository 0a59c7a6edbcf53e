// The data editor in the main window, offscreen: opened from the menu, points typed and stored,
// spreadsheet blocks pasted from the clipboard, cells edited with the locale's decimal key, rows
// removed after the question, the time unit changed, and Ctrl+Z restoring the set.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "session/data_commands.h"
#include "session/session.h"
#include "support/recording_dialogs.h"
#include "support/screen_number.h"
#include "test_paths.h"
#include "ui/data/data_editor_windows.h"
#include "ui/data/frm_datedit.h"
#include "ui/shell/mdizem.h"
#include "ui/shell/zem_settings.h"

using namespace zemtral;
using zemtral::test::onScreen;
using zemtral::test::RecordingDialogs;

namespace {

struct Harness {
    QTemporaryDir home;
    Session session = sessionAt(home);
    RecordingDialogs dialogs;
    MDIZEM main{session, dialogs};

    static Session sessionAt(const QTemporaryDir& dir) {
        ZemSettings::setShowTipsAtStartup(false);
        Session s;
        s.appHome = dir.path().toStdString();
        return s;
    }
    Harness() {
        registerDataEditorWindow(main);
        main.resize(1300, 900);
        main.show();
    }
    void points(int count) {
        for (int i = 0; i < count; ++i) {
            ExpPoint p;
            p.t = 10.0 * i;
            p.c[1] = 1.0 / (1 + i);
            session.data.points.push_back(p);
        }
        session.data.pointCount = static_cast<std::int16_t>(count);
        main.setEditDataEnabled(true);  // as after a load
    }
    frmDatedit* open(const char* command) {
        main.findChild<QAction*>(command)->trigger();
        QApplication::processEvents();
        return qobject_cast<frmDatedit*>(main.window(WindowId::DataEditor));
    }
};

void press(QWidget& w, const char* name) {
    auto* button = w.findChild<QAbstractButton*>(name);
    QVERIFY2(button != nullptr, name);
    button->click();
}

QString cell(frmDatedit& editor, int row, int column) {
    return editor.grid()->model()->index(row, column).data().toString();
}

void pasteAt(frmDatedit& editor, int row, int column, const QString& text) {
    editor.grid()->setCurrentIndex(editor.grid()->model()->index(row, column));
    QApplication::clipboard()->setText(text);
    press(editor, "cmdClipEinfuegen");
}

}  // namespace

class DataEditorWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void newSetStartsInAddModeAndStoresTypedPoints() {
        Harness h;
        frmDatedit* editor = h.open("mnuNeudat");
        QVERIFY(editor != nullptr);
        QCOMPARE(editor->windowTitle(), QStringLiteral("(unbenannt) Eingabe von Messpunkten  "));
        QCOMPARE(editor->findChild<QGroupBox*>("fraInput")->title(),
                 QStringLiteral("Hinzufügen von Messpunkt #1"));
        QVERIFY(!editor->findChild<QRadioButton*>("optInputMode_1")->isEnabled());
        QCOMPARE(cell(*editor, 0, 2), QStringLiteral("leere Liste"));
        QVERIFY(!h.main.findChild<QAction*>("mnuEdit")->isEnabled());

        editor->findChild<QLineEdit*>("y_0")->setText("0");
        editor->findChild<QLineEdit*>("y_1")->setText(onScreen("0.002"));
        // "+" in a field stores the point like the button.
        QTest::keyClick(editor->findChild<QLineEdit*>("y_1"), Qt::Key_Plus);
        QCOMPARE(h.session.data.pointCount, 1);
        QCOMPARE(h.session.data.points[1].c[1], 0.002);
        QVERIFY(h.session.data.dataChanged);
        QCOMPARE(editor->findChild<QGroupBox*>("fraInput")->title(),
                 QStringLiteral("Hinzufügen von Messpunkt #2"));
        QVERIFY(h.main.findChild<QAction*>("mnuEdit")->isEnabled());
        QCOMPARE(editor->findChild<QLabel*>("lblPunktzahl")->text(), QStringLiteral("1 Messpunkt"));

        // Nothing typed: a beep and no point.
        press(*editor, "OKinput");
        QCOMPARE(h.dialogs.beeps, 1);
        QCOMPARE(h.session.data.pointCount, 1);

        QTest::keySequence(editor->grid(), QKeySequence::Undo);
        QCOMPARE(h.session.data.pointCount, 0);
        QCOMPARE(cell(*editor, 0, 2), QStringLiteral("leere Liste"));
    }

    void pasteGrowsTheSetAndRefusesCellsThatAreNoNumbers() {
        Harness h;
        h.points(4);
        frmDatedit* editor = h.open("mnuEdit");
        QVERIFY(editor != nullptr);
        QVERIFY(editor->editMode());
        const ExpDataSet before = h.session.data;

        pasteAt(*editor, 4, 2, "40\t0.2\n50\t0.16\n60\t0.14\n");  // the row after the last point
        QCOMPARE(h.session.data.pointCount, 7);
        QCOMPARE(h.session.data.points[6].t, 50.0);
        QCOMPARE(editor->findChild<QLabel*>("lblPunktzahl")->text(), QStringLiteral("7 Messpunkte"));
        QCOMPARE(cell(*editor, 6, 0), QStringLiteral("7"));
        QCOMPARE(cell(*editor, 6, 3), onScreen("0.14"));

        const ExpDataSet pasted = h.session.data;
        pasteAt(*editor, 1, 3, "0.5\nkaputt");
        QCOMPARE(h.session.data, pasted);
        QCOMPARE(
            QString::fromStdString(h.dialogs.last().text),
            QStringLiteral("Zeile 3, Spalte cA: \"kaputt\" ist keine Zahl.\r\nEs wurde nichts eingefügt."));

        // In a German locale a spreadsheet writes 0,5.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        pasteAt(*editor, 0, 4, "0,5");
        QLocale::setDefault(QLocale::system());
        QCOMPARE(h.session.data.points[1].c[2], 0.5);

        press(*editor, "cmdUndo");
        press(*editor, "cmdUndo");
        QCOMPARE(h.session.data, before);
        QCOMPARE(editor->findChild<QLabel*>("lblPunktzahl")->text(), QStringLiteral("4 Messpunkte"));
    }

    void cellEditTakesTheLocalesDecimalKey() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Harness h;
        h.points(2);
        frmDatedit* editor = h.open("mnuEdit");
        QVERIFY(editor != nullptr);
        QTableView* grid = editor->grid();
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(1, 9));
        QTest::keyClick(grid, Qt::Key_F2);
        auto* cellEditor = grid->findChild<QLineEdit*>();
        QVERIFY(cellEditor != nullptr);
        cellEditor->selectAll();
        QTest::keyClicks(cellEditor, "3x12.5");  // the letter is not a number key
        QCOMPARE(cellEditor->text(), QStringLiteral("312,5"));
        QTest::keyClick(cellEditor, Qt::Key_Return);
        QApplication::processEvents();  // the grid commits the edit after the key
        QLocale::setDefault(QLocale::system());
        QCOMPARE(h.session.data.points[2].T, 312.5);
        QCOMPARE(editor->findChild<QLineEdit*>("y_7")->text(), QStringLiteral("312,5"));
        QCOMPARE(editor->currentPoint(), 2);
        QVERIFY(h.session.data.dataChanged);
    }

    void removalSortUnitAndUndo() {
        Harness h;
        h.points(4);
        h.session.data.points[2].t = 100.0;  // t: 0, 100, 20, 30
        frmDatedit* editor = h.open("mnuEdit");
        QVERIFY(editor != nullptr);
        const ExpDataSet before = h.session.data;

        press(*editor, "TSort");
        QCOMPARE(h.session.data.points[4].t, 100.0);
        QCOMPARE(h.session.data.points[4].c[1], 0.5);

        press(*editor, "optZeit_1");
        QCOMPARE(h.session.data.timeUnit, std::string("min"));
        QCOMPARE(h.session.data.points[4].t, 100.0 / 60.0);
        QCOMPARE(editor->grid()->model()->headerData(2, Qt::Horizontal).toString(),
                 QStringLiteral(" Zeit t/min"));

        editor->grid()->clearSelection();
        h.dialogs.shown.clear();
        press(*editor, "cmdErase");
        QCOMPARE(h.dialogs.last().text, std::string("keine Markierung!"));
        editor->grid()->selectRow(1);
        editor->grid()->selectionModel()->select(editor->grid()->model()->index(2, 4),
                                                 QItemSelectionModel::Select);
        h.dialogs.answers = {Answer::Yes};
        press(*editor, "cmdErase");
        QCOMPARE(h.dialogs.last().text, std::string("Zeilen 2 bis 3 wirklich entfernen?"));
        QCOMPARE(h.session.data.pointCount, 2);

        editor->grid()->setFocus();
        for (int i = 0; i < 3; ++i) {
            QTest::keySequence(editor->grid(), QKeySequence::Undo);
        }
        QCOMPARE(h.session.data, before);
        QCOMPARE(h.session.state.timeUnit, std::string("s"));
        QVERIFY(editor->findChild<QRadioButton*>("optZeit_0")->isChecked());
    }

    void screenshots() {
        const QString dir = qEnvironmentVariable("ZEMTRAL_SCREENSHOT_DIR");
        if (dir.isEmpty()) {
            QSKIP("ZEMTRAL_SCREENSHOT_DIR not set");
        }
        Harness h;
        h.dialogs.texts.push_back(std::string(ZEMTRAL_SOURCE_DIR "/resources/samples/zerfall_n2o5.ZD3"));
        QVERIFY(h.open("mnuNeudat") != nullptr);
        frmDatedit* editor = qobject_cast<frmDatedit*>(h.main.window(WindowId::DataEditor));
        press(*editor, "cmdLoadFile");
        QCOMPARE(h.session.data.dataFilePath,
                 std::string(ZEMTRAL_SOURCE_DIR "/resources/samples/zerfall_n2o5.ZD3"));
        editor->grid()->setCurrentIndex(editor->grid()->model()->index(2, 3));
        auto* sub = editor->parentWidget();
        sub->resize(1040, 640);
        QApplication::processEvents();
        QVERIFY(sub->grab().save(dir + "/data-editor.png"));
    }
};

QTEST_MAIN(DataEditorWindowTest)
#include "data_editor_window_test.moc"
