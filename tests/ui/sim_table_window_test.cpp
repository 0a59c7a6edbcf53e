// The result table window, offscreen: the text of a run, edits kept on resizing, saving.
#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "core/engine.h"
#include "core/working_state.h"
#include "session/session.h"
#include "support/recording_dialogs.h"
#include "support/screen_number.h"
#include "ui/simulation/frm_sim_tabelle.h"

using namespace zemtral;
using zemtral::test::onScreen;
using zemtral::test::onScreenStd;

namespace {

QString pad(const QString& s) {
    return s.leftJustified(14, QLatin1Char(' '), true);
}

}  // namespace

class SimTableWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void tableOfModel11() {
        QTemporaryDir home;
        Session session;
        session.appHome = home.path().toStdString();
        applyModelDefaults(session.state, 11);  // k1 = 0.15, k2 = 0.05, c0(A) = 1
        session.state.tEnd = 100.0f;
        QCOMPARE(calc_diagramfunctioncT(11, session.state, session.simulation).errorFlag, std::int16_t{0});
        test::RecordingDialogs dialogs;
        frmSimTabelle table(session, dialogs);
        QCOMPARE(table.windowTitle(), QStringLiteral("  Ergebnis der Modellrechnung"));
        const QStringList lines = QString::fromStdString(table.tableText()).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 1 + 1 + 1 + 201);
        const QString blank(14, QLatin1Char(' '));
        const QString indent(6, QLatin1Char(' '));
        QCOMPARE(lines[1], indent + pad(" t/s") + "\t" + pad("cA/(mol/l)") + "\t" + pad(" ") + "\t" +
                               pad("cP/(mol/l)") + "\t" + pad("cQ/(mol/l)"));
        QCOMPARE(lines[2], QString());
        QCOMPARE(lines[3], indent + pad(onScreen("0.00")) + "\t" + pad("1") + "\t" + blank + "\t" + pad("0") +
                               "\t" + pad("0"));
        // t = 0.5: c(A) = exp(-0.1), c(P) = 0.75 (1 - c(A)), c(Q) = 0.25 (1 - c(A)).
        QCOMPARE(lines[4], indent + pad(onScreen("0.50")) + "\t" + pad(onScreen("0.9048374")) + "\t" + blank +
                               "\t" + pad(onScreen("0.07137194")) + "\t" + pad(onScreen("0.02379065")));
        // t = 100: c(A) = exp(-20).
        QVERIFY(
            lines[203].startsWith(indent + pad(onScreen("100.00")) + "\t" + pad(onScreen("2.061154E-09"))));
    }

    void editsSurviveResizingAndAreSaved() {
        QTemporaryDir home;
        Session session;
        session.appHome = home.path().toStdString();
        session.state.tEnd = 1.0f;
        calc_diagramfunctioncT(session.state.modelId, session.state, session.simulation);
        test::RecordingDialogs dialogs;
        frmSimTabelle table(session, dialogs);
        table.show();
        auto* text = table.findChild<QPlainTextEdit*>("txtSimTabelle");
        QVERIFY(text != nullptr);
        QVERIFY(table.tableText().find(onScreenStd("\r\n      1.00          ")) != std::string::npos);
        text->appendPlainText(QStringLiteral("Messung vom Montag"));
        table.resize(500, 300);
        QApplication::processEvents();
        table.resize(1000, 700);
        QApplication::processEvents();
        QVERIFY(table.tableText().find("Messung vom Montag") != std::string::npos);

        const QString path = home.filePath("tabelle");
        dialogs.texts.push_back(path.toStdString());
        QVERIFY(table.saveTable());
        QCOMPARE(dialogs.last().title, std::string("Tabelle speichern unter ..."));
        QFile file(path + ".txt");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("\r\n      " + pad(" t/s").toLatin1()));
        QVERIFY(bytes.endsWith("Messung vom Montag\r\n"));
        // Leading line break, header, 201 lines each introduced by one, the added line, the final one.
        QCOMPARE(bytes.count("\r\n"), 1 + 1 + 201 + 1 + 1);
        QCOMPARE(session.diagramWindow.lastTableFile, std::string("tabelle.txt"));

        // A cancelled dialog writes nothing.
        dialogs.texts.push_back(std::nullopt);
        QVERIFY(!table.saveTable());

        table.copyToClipboard();
        QCOMPARE(dialogs.clipboard, table.tableText());
    }
};

QTEST_MAIN(SimTableWindowTest)
#include "sim_table_window_test.moc"
