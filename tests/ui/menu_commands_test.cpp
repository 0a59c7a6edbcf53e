// The main window's commands by id: every command has its own menu name and exactly one action
// carries it, with the help context and enabled state the menus give it.
#include <QAction>
#include <QMenuBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "support/recording_dialogs.h"
#include "ui/shell/app_start.h"
#include "ui/shell/mdizem.h"
#include "ui/shell/menu_commands.h"
#include "ui/shell/zem_settings.h"

using namespace zemtral;

class MenuCommandsTest : public QObject {
    Q_OBJECT

  private slots:
    void everyCommandHasOneNamedAction() {
        QTemporaryDir home;
        QVERIFY(home.isValid());
        qputenv("ZEMTRAL_HOME", home.path().toLocal8Bit());
        QCOMPARE(QString::fromStdString(prepareApplicationHome()), home.path());
        ZemSettings::setShowTipsAtStartup(false);
        Session session;
        session.appHome = home.path().toStdString();
        test::RecordingDialogs dialogs;
        auto main = std::make_unique<MDIZEM>(session, dialogs);

        QSet<QString> names;
        const auto actions = main->findChildren<QAction*>();
        for (int i = 0; i < static_cast<int>(MenuCommand::Count); ++i) {
            const auto id = static_cast<MenuCommand>(i);
            const QString name = QLatin1String(menuCommandName(id));
            QVERIFY2(name.startsWith(QStringLiteral("mnu")), qPrintable(name));
            QVERIFY2(!names.contains(name), qPrintable(name));
            names.insert(name);
            int carrying = 0;
            for (const QAction* action : actions) {
                carrying += action->objectName() == name ? 1 : 0;
            }
            QVERIFY2(carrying == 1, qPrintable(name));
        }
        // The numbered families follow their first member.
        QCOMPARE(QLatin1String(menuCommandName(nthMenuCommand(MenuCommand::TangentA, 4))),
                 QLatin1String("mnuSubTangente_5"));
        QCOMPARE(QLatin1String(menuCommandName(nthMenuCommand(MenuCommand::LinearisedFirst, 3))),
                 QLatin1String("mnuctAusw_4"));
        QCOMPARE(QLatin1String(menuCommandName(nthMenuCommand(MenuCommand::LambdaFirst, 2))),
                 QLatin1String("mnuLambdaAusw_3"));
        // The commands the menus start disabled; the data editor's command needs its window too.
        QVERIFY(
            !main->findChild<QAction*>(QLatin1String(menuCommandName(MenuCommand::EditData)))->isEnabled());
        QVERIFY(
            !main->findChild<QAction*>(QLatin1String(menuCommandName(MenuCommand::Cascade)))->isEnabled());
        main->setEditDataEnabled(true);
        QVERIFY(
            !main->findChild<QAction*>(QLatin1String(menuCommandName(MenuCommand::EditData)))->isEnabled());
        main->registerWindow(WindowId::DataEditor, [](MDIZEM&) { return new QWidget; });
        QVERIFY(
            main->findChild<QAction*>(QLatin1String(menuCommandName(MenuCommand::EditData)))->isEnabled());
        main->setAttribute(Qt::WA_DeleteOnClose, false);
    }
};

QTEST_MAIN(MenuCommandsTest)
#include "menu_commands_test.moc"
