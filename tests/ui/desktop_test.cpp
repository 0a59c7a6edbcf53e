// The program on a German Linux desktop: Qt's dialogs in German, files named on the command line
// or dropped on the window, recent files, remembered folders, shortcuts and Esc.
#include <QAction>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "session/outside_files.h"
#include "support/recording_dialogs.h"
#include "test_paths.h"
#include "ui/shell/app_start.h"
#include "ui/shell/mdizem.h"
#include "ui/shell/qt_user_dialogs.h"
#include "ui/shell/zem_settings.h"

using namespace zemtral;

class DesktopTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<test::RecordingDialogs> m_dialogs;
    std::unique_ptr<MDIZEM> m_main;

    void start() {
        ZemSettings::setShowTipsAtStartup(false);
        m_session = std::make_unique<Session>();
        m_session->appHome = m_home->path().toStdString();
        m_dialogs = std::make_unique<test::RecordingDialogs>();
        m_main = std::make_unique<MDIZEM>(*m_session, *m_dialogs);
        m_main->show();
        QApplication::setActiveWindow(m_main.get());
        QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
    }
    QString sample(const char* name) const { return m_home->filePath(QLatin1String(name)); }
    int frames() const {
        return m_main->findChild<QMdiArea*>(QStringLiteral("mdiArea"))->subWindowList().size();
    }

  private slots:
    void initTestCase() { QVERIFY(installGermanQtTranslations(*qApp)); }
    void init() {
        m_home = std::make_unique<QTemporaryDir>();
        qputenv("ZEMTRAL_HOME", m_home->path().toLocal8Bit());
        prepareApplicationHome();
    }
    void cleanup() {
        m_main.reset();
        m_session.reset();
    }

    void fileDialogsSpeakGermanAndOfferTheSampleFolder() {
        QtUserDialogs dialogs;
        dialogs.setSampleFolder(m_home->path().toStdString());
        QString cancelText;
        QList<QUrl> places;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            places = dialog->sidebarUrls();
            auto* box = dialog->findChild<QDialogButtonBox*>();
            cancelText = box->button(QDialogButtonBox::Cancel)->text();
            box->button(QDialogButtonBox::Cancel)->click();
        });
        const auto chosen = dialogs.chooseOpenFile("Laden experimenteller Daten",
                                                   m_home->path().toStdString(), "Datenfile (*.ZD3)");
        QVERIFY(!chosen.has_value());
        QCOMPARE(cancelText, QStringLiteral("Abbrechen"));
        QVERIFY(places.contains(QUrl::fromLocalFile(m_home->path())));
    }

    void filesFromOutsideLoadThroughTheMenuRoutines() {
        start();
        m_main->registerWindow(WindowId::DataEditor, [](MDIZEM&) { return new QWidget; });
        QVERIFY(!m_main->findChild<QAction*>(QStringLiteral("mnuEdit"))->isEnabled());
        QVERIFY(m_main->openFile(sample("verseifung.ZD3").toStdString()));
        QVERIFY(m_session->data.pointCount > 0);
        QVERIFY(m_session->survey.hasCtData);
        QVERIFY(m_main->findChild<QAction*>(QStringLiteral("mnuEdit"))->isEnabled());
        QVERIFY(m_main->isOpen(WindowId::DataEditor));  // the editor shows the loaded set
        QCOMPARE(m_session->shell.recentFiles.front(), sample("verseifung.ZD3").toStdString());

        // A broken file shows the menu's message and changes nothing, and leaves the recent list.
        const ExpDataSet before = m_session->data;
        QFile broken(m_home->filePath(QStringLiteral("kaputt.ZD3")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("Kommentar\r\ns\r\nKopf\r\nzwei\r\n");
        broken.close();
        m_dialogs->shown.clear();
        QVERIFY(!m_main->openFile(broken.fileName().toStdString()));
        QCOMPARE(m_dialogs->last().title, std::string("Meldung von LoadDataFile"));
        QVERIFY(m_session->data == before);

        // A dropped project file is read like "existierendes Projektfile laden".
        m_session->state.modelId = 9;
        m_session->state.rateConst[1] = 0.25;
        m_session->data.dataChanged = false;
        const QString project = m_home->filePath(QStringLiteral("projekt.ZC3"));
        m_dialogs->texts.push_back(project.toStdString());
        m_dialogs->texts.push_back(std::string("Projekt"));
        QVERIFY(SaveProjectAs(*m_session, *m_dialogs));
        m_session->state.modelId = 2;
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(project), QUrl::fromLocalFile(m_home->filePath("notiz.txt"))});
        m_dialogs->shown.clear();
        QVERIFY(m_main->dropFiles(&mime));
        QTRY_COMPARE(m_session->state.modelId, std::int16_t{9});
        QCOMPARE(m_dialogs->shown.size(), std::size_t{1});  // "geladen..."; the text file is ignored
        QCOMPARE(m_session->state.rateConst[1], 0.25);
        QCOMPARE(m_session->shell.recentFiles.front(), project.toStdString());

        // The recent files come back at the next start, with the menu listing them.
        m_main.reset();
        start();
        QCOMPARE(m_session->shell.recentFiles.front(), project.toStdString());
        auto* recent = m_main->findChild<QMenu*>(QStringLiteral("mnuRecentFiles"));
        QVERIFY(recent->menuAction()->isEnabled());
        QVERIFY(recent->actions().first()->text().endsWith(QStringLiteral("projekt.ZC3")));
    }

    void foldersAndPlaceAreRememberedAcrossStarts() {
        start();
        QTemporaryDir elsewhere;
        m_session->data.dataDir = elsewhere.path().toStdString();
        m_main->setGeometry(40, 50, 900, 640);
        m_main->close();
        QVERIFY(!m_main->isVisible());
        m_main.reset();
        start();
        QCOMPARE(m_session->data.dataDir, elsewhere.path().toStdString());
        QCOMPARE(m_session->projectDir, m_home->path().toStdString());
        QCOMPARE(m_main->size(), QSize(900, 640));
    }

    void shortcutsAndEscape() {
        start();
        QCOMPARE(m_main->findChild<QAction*>(QStringLiteral("mnuSaveProject"))->shortcut(),
                 QKeySequence(QKeySequence::Save));
        QTest::keyClick(m_main.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(m_dialogs->last().title, std::string("aktuelles Projekt speichern unter ..."));
        QTest::keyClick(m_main.get(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(m_dialogs->last().title, std::string("Laden experimenteller Daten"));

        // Esc closes a window through its "Schließen <Esc>" button, frame and all.
        m_main->open(WindowId::Matrix);
        const int open = frames();
        QWidget* matrix = m_main->window(WindowId::Matrix);
        matrix->setFocus();
        QTest::keyClick(matrix, Qt::Key_Escape);
        QTRY_COMPARE(frames(), open - 1);
        QVERIFY(!m_main->isOpen(WindowId::Matrix));
    }

    void commandLineOfTheProgram() {
        const QString program = QStringLiteral(ZEMTRAL_BINARY_DIR "/zemtral");
        QProcess version;
        QProcessEnvironment noScreen = QProcessEnvironment::systemEnvironment();
        noScreen.remove(QStringLiteral("QT_QPA_PLATFORM"));
        noScreen.remove(QStringLiteral("DISPLAY"));
        noScreen.remove(QStringLiteral("WAYLAND_DISPLAY"));
        version.setProcessEnvironment(noScreen);
        version.start(program, {QStringLiteral("--version")});
        QVERIFY(version.waitForFinished(20000));
        QCOMPARE(version.exitCode(), 0);
        QVERIFY(version.readAllStandardOutput().contains(ZEMTRAL_VERSION));

        // zemtral FILE.ZD3 loads the file at start: it becomes the newest recent file.
        QTemporaryDir config;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        QProcess run;
        run.setProcessEnvironment(env);
        run.start(program, {QStringLiteral("--quit-when-shown"), sample("verseifung.ZD3")});
        QVERIFY(run.waitForFinished(30000));
        QCOMPARE(run.exitCode(), 0);
        QSettings stored(config.filePath(QStringLiteral("ZEMTRAL/ZEMTRAL.conf")), QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("Files/Recent")).toStringList().value(0),
                 sample("verseifung.ZD3"));
    }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
