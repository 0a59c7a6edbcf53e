// The program's own open dialog, offscreen: the comment preview of ZD3 and ZC3 files, the pattern
// typed into the name field, "Datei nicht gefunden", Delete after the question, and what
// ShowOpenDialog hands back on cancel and on accept.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "session/open_dialog.h"
#include "session/session.h"
#include "support/recording_dialogs.h"
#include "test_paths.h"
#include "ui/data/frm_cmn_dlg.h"

using namespace zemtral;
using zemtral::test::RecordingDialogs;

namespace {

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

struct Folder {
    QTemporaryDir dir;
    Folder() {
        write(dir.filePath("zerfall.ZD3"),
              "Zerfall von N2O5 bei 45 \xb0"
              "C\r\ns\r\nt, cA\r\n0\r\n");
        write(dir.filePath("projekt.zc3"), "\"09.12.2026 03:00\"\r\n\"Verseifung, zweite Messreihe\"\r\n");
        write(dir.filePath("notiz.txt"), "kein Kommentar\r\n");
    }
};

int listedFiles(frmCmnDlg& dialog) {
    auto* list = dialog.findChild<QListView*>("filOpenList");
    return list->model()->rowCount(list->rootIndex());
}

}  // namespace

class OpenDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void previewPatternNotFoundAndDelete() {
        Folder folder;
        Session session;
        session.data.dataComment = "alt";
        RecordingDialogs dialogs;
        frmCmnDlg dialog(session, dialogs);
        dialog.setUp("Laden experimenteller Daten", "*.ZD3", folder.dir.path().toStdString(), "");
        dialog.show();
        QCOMPARE(dialog.fileNameText(), QStringLiteral("*.ZD3"));
        QCOMPARE(dialog.findChild<QLabel*>("lblOpenPath")->text(), folder.dir.path());
        QTRY_COMPARE(listedFiles(dialog), 1);

        dialog.selectFile("zerfall.ZD3");
        auto* label = dialog.findChild<QLabel*>("lblFileComment");
        auto* comment = dialog.findChild<QPlainTextEdit*>("Text1");
        QVERIFY(label->isVisible());
        QCOMPARE(label->text(), QStringLiteral("Datei-Kommentar:"));
        QCOMPARE(comment->toPlainText(), QStringLiteral("Zerfall von N2O5 bei 45 °C"));
        QCOMPARE(session.data.dataComment, std::string("Zerfall von N2O5 bei 45 °C"));

        // A pattern typed into the name field filters the list instead of closing the dialog.
        dialog.findChild<QLineEdit*>("txtOpenFile")->setText("*.ZC3");
        dialog.pressOk();
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.acceptMark());
        QCOMPARE(dialog.pattern(), QStringLiteral("*.ZC3"));
        auto* list = dialog.findChild<QListView*>("filOpenList");
        const auto firstListed = [list] {
            return list->model()->index(0, 0, list->rootIndex()).data().toString();
        };
        QTRY_COMPARE(firstListed(), QStringLiteral("projekt.zc3"));  // the pattern ignores the case
        QCOMPARE(listedFiles(dialog), 1);
        dialog.selectFile("projekt.zc3");
        QCOMPARE(label->text(), QStringLiteral("Projekt-Kommentar"));
        QCOMPARE(session.projectComment, std::string("Verseifung, zweite Messreihe"));
        dialog.selectFile("notiz.txt");
        QVERIFY(!label->isVisible() && !comment->isVisible());

        dialog.findChild<QLineEdit*>("txtOpenFile")->setText("fehlt.ZD3");
        dialog.pressOk();
        QCOMPARE(dialogs.last().text, std::string("Datei nicht gefunden"));
        QCOMPARE(dialogs.last().title, std::string("Laden experimenteller Daten"));
        QCOMPARE(dialog.fileNameText(), QStringLiteral("*.ZC3"));
        QVERIFY(!dialog.acceptMark());

        // Delete on the list asks first; No keeps the file.
        list->setCurrentIndex(list->model()->index(0, 0, list->rootIndex()));
        dialogs.answers = {Answer::No, Answer::Yes};
        QVERIFY(list->currentIndex().isValid());
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(dialogs.last().text, std::string("File projekt.zc3 wirklich löschen?"));
        QVERIFY(QFile::exists(folder.dir.filePath("projekt.zc3")));
        QTest::keyClick(list, Qt::Key_Delete);
        QVERIFY(!QFile::exists(folder.dir.filePath("projekt.zc3")));
        QTRY_COMPARE(listedFiles(dialog), 0);
    }

    void showOpenDialogCancelKeepsNameAndAcceptHandsBackTheFile() {
        Folder folder;
        Session session;
        RecordingDialogs dialogs;
        std::string name = "vorher.ZD3";
        std::string directory = folder.dir.path().toStdString();
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<frmCmnDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            QCOMPARE(dialog->fileNameText(), QStringLiteral("vorher.ZD3"));  // not upper-cased
            dialog->findChild<QPushButton*>("cmdOpenCancel")->click();
        });
        QVERIFY(ShowOpenDialog(session, dialogs, nullptr, name, directory, "*.ZD3", "Laden"));
        QCOMPARE(name, std::string("vorher.ZD3"));
        QCOMPARE(directory, folder.dir.path().toStdString());

        name.clear();
        directory = "/";
        const std::string typed = folder.dir.filePath("zerfall.ZD3").toStdString();
        QTimer::singleShot(0, [typed] {
            auto* dialog = qobject_cast<frmCmnDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            dialog->findChild<QLineEdit*>("txtOpenFile")->setText(QString::fromStdString(typed));
            dialog->findChild<QPushButton*>("cmdOpenOK")->click();
        });
        QVERIFY(!ShowOpenDialog(session, dialogs, nullptr, name, directory, "*.ZD3", "Laden"));
        QCOMPARE(name, std::string("zerfall.ZD3"));
        QCOMPARE(directory, folder.dir.path().toStdString());
    }

    void placesOfferHomeAndTheSampleFolder() {
        Folder folder;
        Session session;
        session.appHome = folder.dir.path().toStdString();
        RecordingDialogs dialogs;
        frmCmnDlg dialog(session, dialogs);
        QVERIFY(dialog.placeFolders().contains(QDir::homePath()));
        QVERIFY(dialog.placeFolders().contains(folder.dir.path()));
        QCOMPARE(QString::fromStdString(patternOfFilter("ZEMTRAL-Projektdatei (*.ZC3)")),
                 QStringLiteral("*.ZC3"));
    }

    void screenshots() {
        const QString dir = qEnvironmentVariable("ZEMTRAL_SCREENSHOT_DIR");
        if (dir.isEmpty()) {
            QSKIP("ZEMTRAL_SCREENSHOT_DIR not set");
        }
        Session session;
        session.appHome = ZEMTRAL_SOURCE_DIR "/resources/samples";
        RecordingDialogs dialogs;
        frmCmnDlg dialog(session, dialogs);
        dialog.setUp("Laden experimenteller Daten", "*.ZD3", ZEMTRAL_SOURCE_DIR "/resources/samples", "");
        dialog.show();
        QTRY_VERIFY(listedFiles(dialog) >= 5);
        dialog.selectFile("nichtisotherm_n2o5.ZD3");
        auto* list = dialog.findChild<QListView*>("filOpenList");
        for (int row = 0; row < listedFiles(dialog); ++row) {
            const QModelIndex index = list->model()->index(row, 0, list->rootIndex());
            if (index.data().toString() == QStringLiteral("nichtisotherm_n2o5.ZD3")) {
                list->setCurrentIndex(index);
            }
        }
        QTest::qWait(800);  // the folder tree opens the way to the folder as it loads
        QVERIFY(dialog.grab().save(dir + "/open-dialog.png"));
    }
};

QTEST_MAIN(OpenDialogTest)
#include "open_dialog_test.moc"
