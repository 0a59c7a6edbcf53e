// The three reactor windows in the main window, offscreen: opened from the menu, reconfigured by
// the model window, computing through their fields, marking results that failed or went out of
// date, the stirrer timer, and odd inputs for every model.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

#include "numeric/number_text.h"
#include "session/session.h"
#include "support/recording_dialogs.h"
#include "support/screen_number.h"
#include "ui/reactors/frm_batch.h"
#include "ui/reactors/frm_rk_conti.h"
#include "ui/reactors/frm_rohrreaktor.h"
#include "ui/reactors/reactor_picture.h"
#include "ui/reactors/reactor_windows.h"
#include "ui/shell/frm_help.h"
#include "ui/shell/frm_zem_model.h"
#include "ui/shell/mdizem.h"
#include "ui/shell/zem_settings.h"

using namespace zemtral;
using zemtral::test::onScreen;
using zemtral::test::RecordingDialogs;

namespace {

/// The main window with the reactor windows registered, shown, tips off.
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
        registerReactorWindows(main);
        main.resize(1300, 900);
        main.show();
    }
    void chooseModel(int option) {
        main.open(WindowId::Model);
        auto* model = qobject_cast<frmZemModel*>(main.window(WindowId::Model));
        QVERIFY(model != nullptr);
        model->chooseOption(option);
    }
    template <typename T>
    T* openReactor(const char* action, WindowId id) {
        main.findChild<QAction*>(action)->trigger();
        QApplication::processEvents();
        return qobject_cast<T*>(main.window(id));
    }
};

double value(const ReactorWindow& w, int index) {
    return parseNumber(w.fieldText(index).toStdString());
}

void type(ReactorWindow& w, int index, const char* text) {
    w.setFieldText(index, onScreen(QString::fromUtf8(text)));
}

void press(QWidget& w, const char* name) {
    auto* button = w.findChild<QPushButton*>(name);
    QVERIFY2(button != nullptr, name);
    QVERIFY2(button->isEnabled(), name);
    button->click();
}

bool shown(QWidget& w, const QString& name) {
    QWidget* c = w.findChild<QWidget*>(name);
    return c != nullptr && !c->isHidden();
}

// No field of the window shows a non-number.
bool fieldsAreNumbers(const ReactorWindow& w) {
    for (int i = 0; i < 17; ++i) {
        const QString text = w.fieldText(i).toLower();
        if (text.contains(QLatin1String("inf")) || text.contains(QLatin1String("nan"))) {
            return false;
        }
    }
    return true;
}

}  // namespace

class ReactorWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { qputenv("ZEMTRAL_HOME", QDir::tempPath().toUtf8()); }

    // First order with the time given: c(A) = c(A)(0)·e^(−k t); the vessel takes the colour of U.
    void batchFirstOrderFollowsTheExponential() {
        Harness h;
        h.chooseModel(2);
        auto* batch = h.openReactor<frmBatch>("mnuBatchR", WindowId::BatchReactor);
        QVERIFY(batch != nullptr);
        QCOMPARE(batch->windowTitle(), QStringLiteral("  Batch-Reaktor, isotherm"));
        QVERIFY(
            batch->findChild<QLabel*>("Label7")->text().startsWith(QStringLiteral("kinet. Modell:  A => P")));
        QVERIFY(!batch->findChild<QPushButton*>("cmdProtocol")->isEnabled());
        batch->chooseOption(0);
        type(*batch, 0, "2");
        type(*batch, 10, "0.3");
        type(*batch, 14, "4");
        press(*batch, "cmdBerechnen");
        QVERIFY(h.dialogs.shown.empty());
        const double u = 1.0 - std::exp(-1.2);
        // The fields show single-precision numbers: 7 significant digits.
        QVERIFY(std::fabs(value(*batch, 5) - 2.0 * std::exp(-1.2)) < 1e-7);
        QVERIFY(std::fabs(value(*batch, 8) - 2.0 * u) < 1e-6);
        QVERIFY(std::fabs(value(*batch, 13) - u) < 1e-7);
        QCOMPARE(batch->picture()->fillColour(), conversionQColor(u));
        QVERIFY(batch->findChild<QLineEdit*>("inp_13")->isReadOnly());
        QVERIFY(!batch->findChild<QLineEdit*>("inp_14")->isReadOnly());
        // Without a protocol window in the program "Protokollieren" stays unavailable.
        QVERIFY(!h.main.canOpen(WindowId::Protocol));
        QVERIFY(!batch->findChild<QPushButton*>("cmdProtocol")->isEnabled());

        press(*batch, "cmdShowKsi");
        QVERIFY(shown(*batch, "fraKsi"));
        QCOMPARE(batch->findChild<QLabel*>("lblTextKsi_1")->text(),
                 onScreen(QString::fromStdString("ksi(1)/(kmol/m^3) = " +
                                                 formatSingle(static_cast<float>(2 * u)))));
        QVERIFY(!shown(*batch, "lblTextKsi_2"));

        // The conversion given: the found time gives back e^(−k t) = 1 − U.
        batch->chooseOption(1);
        QVERIFY(!batch->findChild<QLineEdit*>("inp_13")->isReadOnly());
        QVERIFY(batch->findChild<QLineEdit*>("inp_14")->isReadOnly());
        type(*batch, 13, "0.75");
        press(*batch, "cmdBerechnen");
        QVERIFY(std::fabs(value(*batch, 14) - std::log(4.0) / 0.3) < 1e-4);
        QCOMPARE(h.session.reactorInputChoice, std::int16_t{1});
        QCOMPARE(batch->staleness(), ReactorWindow::Staleness::Current);
    }

    // A result that cannot be shown is reported; the previous results stay, marked as stale, and
    // no field ever shows "inf" or "nan". Editing an input marks them stale as well.
    void failedCalculationKeepsStaleResults() {
        Harness h;
        h.chooseModel(2);
        auto* batch = h.openReactor<frmBatch>("mnuBatchR", WindowId::BatchReactor);
        batch->chooseOption(0);
        type(*batch, 0, "1");
        type(*batch, 10, "0.2");
        type(*batch, 14, "5");
        press(*batch, "cmdBerechnen");
        const QString before = batch->fieldText(5);
        QVERIFY(!shown(*batch, "lblVeraltet"));
        type(*batch, 14, "1e39");
        press(*batch, "cmdBerechnen");
        QCOMPARE(QString::fromStdString(h.dialogs.last().title),
                 QStringLiteral("Meldung von CalcBatchKessel"));
        QCOMPARE(batch->fieldText(5), before);
        QCOMPARE(batch->staleness(), ReactorWindow::Staleness::CalculationFailed);
        QVERIFY(shown(*batch, "lblVeraltet"));
        QVERIFY(batch->picture()->isStale());
        QVERIFY(batch->findChild<QLineEdit*>("inp_5")->font().italic());
        QVERIFY(fieldsAreNumbers(*batch));

        type(*batch, 14, "5");
        press(*batch, "cmdBerechnen");
        QCOMPARE(batch->staleness(), ReactorWindow::Staleness::Current);
        QVERIFY(!shown(*batch, "lblVeraltet"));
        QTest::keyClick(batch->findChild<QLineEdit*>("inp_10"), Qt::Key_5);
        QCOMPARE(batch->staleness(), ReactorWindow::Staleness::InputsChanged);
    }

    // "Protokollieren" waits for the first result, then opens the protocol window and disables
    // itself until that window gives it back.
    void protocolButtonOpensTheProtocolWindow() {
        Harness h;
        h.main.registerWindow(WindowId::Protocol, [](MDIZEM&) -> QWidget* { return new QWidget; });
        h.chooseModel(2);
        auto* tube = h.openReactor<frmRohrreaktor>("mnuRohrR", WindowId::TubeReactor);
        auto* protocol = tube->findChild<QPushButton*>("cmdProtocol");
        QVERIFY(!protocol->isEnabled());
        tube->chooseOption(0);
        type(*tube, 0, "1");
        type(*tube, 10, "0.2");
        type(*tube, 14, "0");
        press(*tube, "cmdBerechnen");  // refused: no reaction time
        QVERIFY(!protocol->isEnabled());
        type(*tube, 14, "5");
        type(*tube, 16, "2");
        press(*tube, "cmdBerechnen");
        QVERIFY(protocol->isEnabled());
        QCOMPARE(h.session.reactorProtocolValues[kProtocolLength], 10.0);
        protocol->click();
        QVERIFY(h.main.isOpen(WindowId::Protocol));
        QVERIFY(!protocol->isEnabled());
        press(*tube, "cmdBerechnen");
        QVERIFY2(!protocol->isEnabled(), "the open protocol window logs the new row itself");
    }

    // The model window shows only the fields of the chosen model in the open reactor window.
    void modelWindowReconfiguresTheOpenWindow() {
        Harness h;
        h.chooseModel(4);  // A + B => P
        auto* batch = h.openReactor<frmBatch>("mnuBatchR", WindowId::BatchReactor);
        QVERIFY(shown(*batch, "inp_1"));
        QVERIFY(shown(*batch, "inp_6"));
        batch->chooseOption(0);  // fills the time field with the session's reaction time
        type(*batch, 0, "1");
        type(*batch, 1, "2");
        type(*batch, 10, "0.5");
        type(*batch, 14, "1");
        press(*batch, "cmdBerechnen");
        QVERIFY(h.dialogs.shown.empty());
        h.chooseModel(2);  // A => P: no B, no k2
        QVERIFY(!shown(*batch, "inp_1"));
        QVERIFY(!shown(*batch, "inp_6"));
        QVERIFY(!shown(*batch, "lblStoff_1"));
        QVERIFY(!shown(*batch, "inp_11"));
        QVERIFY(!shown(*batch, "inp_2"));
        QVERIFY(shown(*batch, "inp_3"));
        QVERIFY(shown(*batch, "inp_8"));
        QVERIFY(
            batch->findChild<QLabel*>("Label7")->text().startsWith(QStringLiteral("kinet. Modell:  A => P")));
        QCOMPARE(batch->staleness(), ReactorWindow::Staleness::InputsChanged);
        QVERIFY(!batch->findChild<QPushButton*>("cmdShowKsi")->isEnabled());
        h.chooseModel(6);  // A => C => P: two constants, C shown
        QVERIFY(shown(*batch, "inp_2"));
        QVERIFY(shown(*batch, "inp_7"));
        QVERIFY(shown(*batch, "inp_11"));
    }

    // From each pair of given quantities the tank reaches the same steady state.
    void stirredTankReachesOneStateFromEveryPair() {
        Harness h;
        h.chooseModel(4);
        auto* tank = h.openReactor<frmRKconti>("mnuKontRK", WindowId::StirredTank);
        QVERIFY(tank != nullptr);
        QCOMPARE(tank->windowTitle(), QStringLiteral("  Kontinuierlicher Rührreaktor"));
        type(*tank, 0, "1");
        type(*tank, 1, "1.5");
        type(*tank, 10, "0.5");
        tank->chooseOption(2);  // V and V* given
        type(*tank, 14, "2");
        type(*tank, 15, "0.5");
        press(*tank, "cmdStart");
        QVERIFY(h.dialogs.shown.empty());
        QCOMPARE(value(*tank, 16), 4.0);
        QVERIFY(tank->stirrerRunning());
        std::array<double, 5> outlet{};
        for (int s = 0; s < 5; ++s) {
            outlet[static_cast<std::size_t>(s)] = value(*tank, 5 + s);
        }
        const QString u = tank->fieldText(13);
        const QString v = tank->fieldText(14), flow = tank->fieldText(15), t = tank->fieldText(16);
        for (int option : {0, 1, 3, 4}) {
            tank->chooseOption(option);
            QVERIFY(!tank->stirrerRunning());
            tank->setFieldText(13, u);
            tank->setFieldText(14, v);
            tank->setFieldText(15, flow);
            tank->setFieldText(16, t);
            press(*tank, "cmdStart");
            QVERIFY2(h.dialogs.shown.empty(), qPrintable(QString::number(option)));
            for (int s = 0; s < 5; ++s) {
                const double expected = outlet[static_cast<std::size_t>(s)];
                QVERIFY2(std::fabs(value(*tank, 5 + s) - expected) <= 2e-6 * std::max(1.0, expected),
                         qPrintable(QStringLiteral("option %1 species %2").arg(option).arg(s)));
            }
            QVERIFY(std::fabs(value(*tank, 14) - 2.0) < 1e-5);
            QVERIFY(std::fabs(value(*tank, 15) - 0.5) < 1e-5);
            QVERIFY(std::fabs(value(*tank, 16) - 4.0) < 1e-5);
        }
        // The stirrer rests while nobody can see it, and "Hilfe zum Rechenweg" opens 9000 + option.
        QVERIFY(tank->stirrerRunning());
        const double phase = tank->picture()->stirrerPhase();
        QTRY_VERIFY(tank->picture()->stirrerPhase() != phase);  // the blades turn
        tank->hide();
        QVERIFY(!tank->stirrerRunning());
        tank->show();
        QVERIFY(tank->stirrerRunning());
        press(*tank, "cmdHilfe");
        QVERIFY(h.main.helpWindow() != nullptr);
        QCOMPARE(h.main.helpWindow()->currentTopic(), 9004);
        // A refused input stops the stirrer.
        type(*tank, 0, "0");
        press(*tank, "cmdStart");
        QCOMPARE(QString::fromStdString(h.dialogs.last().title),
                 QStringLiteral(" Ausführung nicht möglich "));
        QVERIFY(!tank->stirrerRunning());
    }

    // The tube: length given gives t = l/v; the conversion given finds the same length again.
    void tubeLengthAndConversionAgree() {
        Harness h;
        h.chooseModel(2);
        auto* tube = h.openReactor<frmRohrreaktor>("mnuRohrR", WindowId::TubeReactor);
        QVERIFY(tube != nullptr);
        type(*tube, 0, "1");
        type(*tube, 10, "0.2");
        tube->chooseOption(1);
        type(*tube, 15, "10");
        type(*tube, 16, "2");
        press(*tube, "cmdBerechnen");
        QCOMPARE(value(*tube, 14), 5.0);
        const QString u = tube->fieldText(13);
        QVERIFY(std::fabs(value(*tube, 13) - (1.0 - std::exp(-1.0))) < 2e-7);
        tube->chooseOption(2);
        tube->setFieldText(13, u);
        tube->setFieldText(15, QString());
        press(*tube, "cmdBerechnen");
        QVERIFY(std::fabs(value(*tube, 15) - 10.0) < 1e-4);
        QCOMPARE(tube->picture()->fillColour(), conversionQColor(value(*tube, 13)));
        type(*tube, 16, "0");
        press(*tube, "cmdBerechnen");
        QCOMPARE(QString::fromStdString(h.dialogs.last().text),
                 QStringLiteral("- noch keine Eingabe der Fließgeschwindigkeit\r\n"));
        // "Schließen <Esc>" closes the window with its frame in the main window.
        QPointer<QWidget> frame = tube->parentWidget();
        QTest::keyClick(tube, Qt::Key_Escape);
        QTRY_VERIFY(frame.isNull());
        QVERIFY(h.main.window(WindowId::TubeReactor) == nullptr);
    }

    // Odd texts in the fields of every option of every reactor, for every model: refused with a
    // message or computed, never a crash, a hang or a non-number in a field.
    void oddInputsForEveryModel() {
        const int options[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
        const char* const oddTexts[] = {"1e38", "-5", "1e400", "abc"};
        Harness h;
        for (const int option : options) {
            h.chooseModel(option);
            struct Reactor {
                const char* action;
                WindowId id;
                int options;
            };
            for (const Reactor r : {Reactor{"mnuBatchR", WindowId::BatchReactor, 2},
                                    Reactor{"mnuRohrR", WindowId::TubeReactor, 3},
                                    Reactor{"mnuKontRK", WindowId::StirredTank, 5}}) {
                auto* w = h.openReactor<ReactorWindow>(r.action, r.id);
                QVERIFY(w != nullptr);
                for (int choice = 0; choice < r.options; ++choice) {
                    w->chooseOption(choice);
                    for (const int field : {0, 10, 13, 14, 15, 16}) {
                        auto* input = w->findChild<QLineEdit*>(QStringLiteral("inp_%1").arg(field));
                        if (input == nullptr || input->isHidden() || input->isReadOnly()) {
                            continue;
                        }
                        const QString original = input->text();
                        for (const char* text : oddTexts) {
                            input->setText(QString::fromLatin1(text));
                            w->calculate();
                            QVERIFY2(fieldsAreNumbers(*w),
                                     qPrintable(QStringLiteral("model option %1 %2 field %3 %4")
                                                    .arg(option)
                                                    .arg(r.action)
                                                    .arg(field)
                                                    .arg(QLatin1String(text))));
                        }
                        input->setText(original);
                    }
                }
            }
        }
    }

    /// Pictures for the README: set ZEMTRAL_SCREENSHOT_DIR to write them.
    void screenshots() {
        const QString dir = qEnvironmentVariable("ZEMTRAL_SCREENSHOT_DIR");
        if (dir.isEmpty()) {
            QSKIP("ZEMTRAL_SCREENSHOT_DIR not set");
        }
        Harness h;
        h.chooseModel(6);
        auto* batch = h.openReactor<frmBatch>("mnuBatchR", WindowId::BatchReactor);
        batch->chooseOption(0);
        type(*batch, 0, "1");
        type(*batch, 10, "0.3");
        type(*batch, 11, "0.1");
        type(*batch, 14, "5");
        press(*batch, "cmdBerechnen");
        press(*batch, "cmdShowKsi");
        QApplication::processEvents();
        QVERIFY(batch->grab().save(dir + "/reactor-batch.png"));

        h.chooseModel(4);
        auto* tank = h.openReactor<frmRKconti>("mnuKontRK", WindowId::StirredTank);
        type(*tank, 0, "1");
        type(*tank, 1, "1.5");
        type(*tank, 10, "0.5");
        tank->chooseOption(2);
        type(*tank, 14, "2");
        type(*tank, 15, "0.5");
        press(*tank, "cmdStart");
        QApplication::processEvents();
        QVERIFY(tank->grab().save(dir + "/reactor-cstr.png"));

        h.chooseModel(2);
        auto* tube = h.openReactor<frmRohrreaktor>("mnuRohrR", WindowId::TubeReactor);
        type(*tube, 0, "1");
        type(*tube, 10, "0.2");
        tube->chooseOption(1);
        type(*tube, 15, "10");
        type(*tube, 16, "2");
        press(*tube, "cmdBerechnen");
        QApplication::processEvents();
        QVERIFY(tube->grab().save(dir + "/reactor-tube.png"));
    }
};

QTEST_MAIN(ReactorWindowsTest)
#include "reactor_windows_test.moc"
