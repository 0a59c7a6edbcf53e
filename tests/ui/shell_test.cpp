// The application shell driven through its real widgets, offscreen, with recorded dialogs:
// start-up state, menus, refusals, the model window, the tip, options, matrix and help windows, Exit.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

#include "numeric/number_text.h"
#include "session/main_commands.h"
#include "support/recording_dialogs.h"
#include "support/screen_number.h"
#include "ui/shell/app_start.h"
#include "ui/shell/frm_help.h"
#include "ui/shell/frm_option.h"
#include "ui/shell/frm_tip.h"
#include "ui/shell/mdizem.h"
#include "ui/shell/zem_settings.h"

using namespace zemtral;
using zemtral::test::onScreen;
using zemtral::test::onScreenStd;

namespace {

// A calculation window with the named controls the model window sets.
class FakeCalculationWindow : public QWidget, public CalculationWindow {
  public:
    explicit FakeCalculationWindow(CalcWindowKind kind) : m_kind(kind) {
        auto* layout = new QVBoxLayout(this);
        for (int i = 0; i < 15; ++i) {
            auto* edit = new QLineEdit(this);
            edit->setObjectName(QStringLiteral("inp_%1").arg(i));
            layout->addWidget(edit);
        }
        for (int i = 0; i < 10; ++i) {
            auto* label = new QLabel(this);
            label->setObjectName(QStringLiteral("lblStoff_%1").arg(i));
            layout->addWidget(label);
        }
        for (const QString& name :
             {QStringLiteral("Bz_5"), QStringLiteral("Bz_6"), QStringLiteral("Bz_7"), QStringLiteral("unit1"),
              QStringLiteral("unit2"), QStringLiteral("unit3"), QStringLiteral("Label7"),
              QStringLiteral("lblMichaelisK"), QStringLiteral("lblZeit")}) {
            auto* label = new QLabel(this);
            label->setObjectName(name);
            layout->addWidget(label);
        }
        auto* frame = new QGroupBox(this);
        frame->setObjectName(QStringLiteral("fraMichaelis"));
        layout->addWidget(frame);
    }
    CalcWindowKind calcWindowKind() const override { return m_kind; }
    QWidget* calcWidget() override { return this; }

    QString text(const QString& name) const {
        if (auto* l = findChild<QLabel*>(name)) {
            return l->text();
        }
        if (auto* e = findChild<QLineEdit*>(name)) {
            return e->text();
        }
        return {};
    }
    bool shown(const QString& name) const { return !findChild<QWidget*>(name)->isHidden(); }

  private:
    CalcWindowKind m_kind;
};

QString savePath(const QString& name) {
    const QByteArray dir = qgetenv("ZEMTRAL_SCREENSHOTS");
    if (dir.isEmpty()) {
        return {};
    }
    QDir().mkpath(QString::fromLocal8Bit(dir));
    return QString::fromLocal8Bit(dir) + QLatin1Char('/') + name + QStringLiteral(".png");
}

void screenshot(QWidget* widget, const QString& name) {
    const QString path = savePath(name);
    if (!path.isEmpty() && widget != nullptr) {
        widget->grab().save(path);
    }
}

}  // namespace

class ShellTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<test::RecordingDialogs> m_dialogs;
    std::unique_ptr<MDIZEM> m_main;

    void start(bool showTips = true) {
        ZemSettings::setShowTipsAtStartup(showTips);
        m_session = std::make_unique<Session>();
        m_session->appHome = m_home->path().toStdString();
        m_dialogs = std::make_unique<test::RecordingDialogs>();
        m_main = std::make_unique<MDIZEM>(*m_session, *m_dialogs);
        m_main->show();
    }
    QAction* action(const char* name) const { return m_main->findChild<QAction*>(QLatin1String(name)); }
    template <typename T>
    T* child(QWidget* w, const char* name) const {
        return w == nullptr ? nullptr : w->findChild<T*>(QLatin1String(name));
    }

  private slots:
    void init() {
        m_home = std::make_unique<QTemporaryDir>();
        QVERIFY(m_home->isValid());
        qputenv("ZEMTRAL_HOME", m_home->path().toLocal8Bit());
        QCOMPARE(QString::fromStdString(prepareApplicationHome()), m_home->path());
    }
    void cleanup() {
        if (m_main) {
            m_main->setAttribute(Qt::WA_DeleteOnClose, false);
        }
        m_main.reset();
        m_session.reset();
    }

    void startUpState() {
        QVERIFY(QFile::exists(m_home->filePath(QStringLiteral("ZEMTIPS.TXT"))));
        QVERIFY(QFile::exists(m_home->filePath(QStringLiteral("help/10240.html"))));
        QVERIFY(QFile::exists(m_home->filePath(QStringLiteral("verseifung.ZD3"))));
        start();
        QCOMPARE(m_main->windowTitle(),
                 QStringLiteral("ZEMTRAL-3     Kinetik homogener chemischer Reaktionen"));
        QVERIFY(m_main->isOpen(WindowId::Model));
        QVERIFY(m_main->isOpen(WindowId::Tip));  // the setting asks for tips
        QWidget* model = m_main->window(WindowId::Model);
        auto* option2 = child<QRadioButton>(model, "optTyp_2");
        QVERIFY(option2->isChecked());
        QVERIFY(option2->font().bold());
        QVERIFY(!child<QRadioButton>(model, "optTyp_3")->font().bold());
        QVERIFY(!child<QLineEdit>(model, "txtOrdnung")->isEnabled());
        QCOMPARE(child<QLineEdit>(model, "txtOrdnung")->text(), QStringLiteral(" 1.5"));
        QVERIFY(child<QRadioButton>(model, "optZeit_0")->isChecked());
        QCOMPARE(m_session->state.modelId, 2);
        QCOMPARE(m_session->state.rateConst[2], 0.2);
        QCOMPARE(m_session->diagramKind, 2);
        QCOMPARE(m_session->lastSessionPath,
                 m_home->filePath(QStringLiteral("ZemLastSession.ZC3")).toStdString());
        QVERIFY(child<QWidget>(m_main.get(), "fraErstnutzer")->isHidden());
        auto* toggle = child<QPushButton>(m_main.get(), "cmdErstnutzer");
        QCOMPARE(toggle->text(), QStringLiteral("Tip für Erstnutzer          (ein/aus)"));
        toggle->click();
        QVERIFY(!child<QWidget>(m_main.get(), "fraErstnutzer")->isHidden());
        QCOMPARE(child<QLabel>(m_main.get(), "lblErstnutzer_3")->text(), QStringLiteral(" oder "));
        screenshot(m_main.get(), QStringLiteral("main_window"));
        QTest::mouseClick(child<QLabel>(m_main.get(), "lblErstnutzer_1"), Qt::LeftButton);
        QVERIFY(child<QWidget>(m_main.get(), "fraErstnutzer")->isHidden());
        screenshot(model, QStringLiteral("model_window"));
    }

    void menuCaptionsAndEnabledStates() {
        start(false);
        struct Item {
            const char* name;
            const char* caption;
            bool enabledAtStart;
            WindowId needs;  // Help = needs nothing
        };
        const Item items[] = {
            {"mnuDaten", "&Daten", true, WindowId::Help},
            {"mnuLoadLastSession", "letzte Sitzung laden", true, WindowId::Help},
            {"mnuLoadProject", "existierendes Projektfile laden", true, WindowId::Help},
            {"mnuSaveProject", "aktuelles Projekt speichern unter...", true, WindowId::Help},
            {"mnuNeudat", "exper. Daten    NEU Eingabe / Laden", true, WindowId::DataEditor},
            {"mnuEdit", "exper. Daten    Sichten / Editieren", false, WindowId::DataEditor},
            {"mnuEditXY", "XY-Editor   (XY-Daten eingeben | laden)", true, WindowId::XYEditor},
            {"mnuExit", "Exit", true, WindowId::Help},
            {"mnuModel", "kinetisches &Modell", true, WindowId::Help},
            {"mnuExpctAuswertung", "Auswertung c-&t-Daten    (isotherm)", true, WindowId::Help},
            {"mnuctAusw_1", "... für 1. Ordnung  A => P", true, WindowId::Diagram},
            {"mnuctAusw_2", "... für 2. Ordnung  2 A => P", true, WindowId::Diagram},
            {"mnuctAusw_3", "... für 2. Ordnung  A + B => P ", true, WindowId::Diagram},
            {"mnuctAusw_4", "WILKINSON", false, WindowId::Diagram},
            {"mnuLambdaAusw_1", "... für 1. Ordnung  A => P", true, WindowId::Diagram},
            {"mnuCtFitting", "Fitting isotherm,  k,  entsprechend gewähltem Modell", true, WindowId::Fitting},
            {"mnuROFitting", "Fitting isotherm,  k und Reaktionsordnung,  A => P", true, WindowId::Fitting},
            {"mnuNonIsothermFitting_1", "Fitting nicht-isotherm, 1. Ordnung   A => P, an  t-c(A)-T-Daten",
             true, WindowId::Fitting},
            {"mnuNonIsothermFitting_2", "Fitting nicht-isotherm, 2. Ordnung 2A => P, an  t-c(A)-T-Daten",
             true, WindowId::Fitting},
            {"mnukT_1", "nach ARRHENIUS-Gleichung", true, WindowId::Diagram},
            {"mnukT_2", "nach EYRING-Gleichung", true, WindowId::Diagram},
            {"mnuCalcTangente", "grafikgestützte Berechnung von Reakt.-geschwindigk. aus c(i)-t-Punkten",
             true, WindowId::Help},
            {"mnuSubTangente_1", "aus Messpunkten c(A) - t", true, WindowId::Tangent},
            {"mnuSubTangente_5", "aus Messpunkten c(Q) - t", true, WindowId::Tangent},
            {"mnuctGraph", "Konzentrations-Zeit-Funktionen", true, WindowId::SimulationSetUp},
            {"mnuvtGraph", "Geschwindigkeits-Zeit-Funktionen", true, WindowId::SimulationSetUp},
            {"mnuSubMonteCarlo_0", "Reaktion 1. Ordnung A => P", true, WindowId::MonteCarlo},
            {"mnuSubMonteCarlo_1", "Dynamisches Reaktionsgleichgewicht A <=> P", true, WindowId::MonteCarlo},
            {"mnuReaktor", "&Reaktoren", true, WindowId::Help},
            {"mnuBatchR", "Batch-Reaktor", true, WindowId::BatchReactor},
            {"mnuRohrR", "Rohrreaktor", true, WindowId::TubeReactor},
            {"mnuKontRK", "kontinuierlicher Rührkessel", true, WindowId::StirredTank},
            {"mnuKaskade", "Rührkessel-Kaskade", false, WindowId::Help},
            {"mnuOption", "Optionen", true, WindowId::Help},
            {"mnuToolArrhenius", "ARRHENIUS-Rechner", true, WindowId::Calculator},
            {"mnuToolEyring", "EYRING-Rechner", true, WindowId::Calculator},
            {"mnuFenster", "&Fenster", true, WindowId::Help},
            {"mnuAboutZem", "über dieses Programm", true, WindowId::Help},
            {"mnuIndex", "Hilfe", true, WindowId::Help},
            {"mnuTip", "Tipps zeigen", true, WindowId::Help},
            {"mnuInfo", "Copyright, Kontakt", true, WindowId::Help},
        };
        // Windows that come with other parts of the program are not there yet: their items wait.
        for (const Item& item : items) {
            QAction* a = action(item.name);
            QVERIFY2(a != nullptr, item.name);
            QCOMPARE(a->text(), QString::fromUtf8(item.caption));
            QCOMPARE(a->isEnabled(), item.enabledAtStart && item.needs == WindowId::Help);
        }
        QVERIFY(!action("mnuctAusw_4")->isVisible());
        // With every window available the items take their start state.
        for (const Item& item : items) {
            if (item.needs != WindowId::Help) {
                m_main->registerWindow(item.needs, [](MDIZEM&) { return new QWidget; });
            }
        }
        for (const Item& item : items) {
            QCOMPARE(action(item.name)->isEnabled(), item.enabledAtStart);
        }
        QCOMPARE(child<QMenu>(m_main.get(), "mnuEdit1")->title(),
                 QStringLiteral("Popup-menue exp-daten-grid"));
        QCOMPARE(child<QMenu>(m_main.get(), "mnuEdit2")->title(), QStringLiteral("PopUpMenue XY-editor"));
        QCOMPARE(action("mnuDaten")->property("helpContext").toInt(), 10070);
        QCOMPARE(action("mnuctAusw_2")->property("helpContext").toInt(), 10040);
        QCOMPARE(action("mnuInfo")->property("helpContext").toInt(), 10280);
        QCOMPARE(action("Toolbar1_2")->toolTip(), QStringLiteral(" Neues Projekt  Versuchsauswertung "));
        QCOMPARE(action("Toolbar1_16")->toolTip(), QStringLiteral("EYRING-Rechner"));
    }

    void refusalsWithEmptyDataThroughTheMenu() {
        start(false);
        for (WindowId id : {WindowId::Fitting, WindowId::Diagram}) {
            m_main->registerWindow(id, [](MDIZEM&) { return new QWidget; });
        }
        const std::pair<const char*, const char*> cases[] = {
            {"mnuCtFitting",
             "Keine oder zuwenig experimentelle c-t-Daten.\r\nGeben Sie Daten im Dateneditor ein "
             "(=> Neueingabe)."},
            {"mnuNonIsothermFitting_1",
             "Keine oder zuwenig experimentelle t-c-T-Daten.\r\nGeben Sie Daten im "
             "Dateneditor ein (=> Neueingabe)."},
            {"mnukT_1", "Erst experimentelle Punkte k-T laden oder eingeben!"},
        };
        for (const auto& [name, text] : cases) {
            m_dialogs->shown.clear();
            action(name)->trigger();
            QCOMPARE(QString::fromStdString(m_dialogs->last().text), QString::fromUtf8(text));
            QCOMPARE(m_dialogs->last().title, std::string(" Ausführung nicht möglich "));
            QVERIFY(!m_main->isOpen(WindowId::Fitting));
        }
        m_dialogs->shown.clear();
        action("mnuInfo")->trigger();
        QVERIFY(m_dialogs->last().text.find("Version 3.3.") != std::string::npos);
    }

    void modelChoiceReconfiguresAnOpenCalculationWindow() {
        start(false);
        m_main->registerWindow(WindowId::SimulationSetUp, [](MDIZEM&) {
            return new FakeCalculationWindow(CalcWindowKind::SimulationSetUp);
        });
        QVERIFY(m_main->open(WindowId::SimulationSetUp));
        auto* calc = dynamic_cast<FakeCalculationWindow*>(m_main->window(WindowId::SimulationSetUp));
        QVERIFY(calc != nullptr);
        QWidget* model = m_main->window(WindowId::Model);
        child<QRadioButton>(model, "optTyp_10")->click();
        QCOMPARE(m_session->state.modelId, 10);
        QCOMPARE(m_session->state.rateConst[3], 0.005);
        QCOMPARE(calc->text(QStringLiteral("lblStoff_0")), QStringLiteral("E"));
        QCOMPARE(calc->text(QStringLiteral("lblStoff_2")), QStringLiteral("ES"));
        QCOMPARE(calc->text(QStringLiteral("Bz_5")), QStringLiteral("k>"));
        QCOMPARE(calc->text(QStringLiteral("Bz_7")), QStringLiteral("k3"));
        QCOMPARE(calc->text(QStringLiteral("inp_1")), QStringLiteral("5"));
        QCOMPARE(calc->text(QStringLiteral("inp_12")), onScreen("0.005"));
        QCOMPARE(calc->text(QStringLiteral("Label7")),
                 QStringLiteral("kinet. Modell:  E + S <=> ES => P + E"));
        QCOMPARE(calc->text(QStringLiteral("lblZeit")), QStringLiteral("Zeit t/s"));
        QVERIFY(calc->shown(QStringLiteral("fraMichaelis")));
        QVERIFY(calc->shown(QStringLiteral("inp_3")));
        QVERIFY(!calc->shown(QStringLiteral("inp_4")));
        QVERIFY(!calc->shown(QStringLiteral("inp_5")));  // result concentrations only in reactors
        QVERIFY(child<QLabel>(model, "lbl10")->font().bold());
        QVERIFY(!child<QLabel>(model, "lbl7")->font().bold());

        child<QRadioButton>(model, "optTyp_2")->click();
        QVERIFY(!calc->shown(QStringLiteral("fraMichaelis")));
        QVERIFY(!calc->shown(QStringLiteral("inp_11")));
        QCOMPARE(calc->text(QStringLiteral("Bz_5")), QStringLiteral("k1"));
        QCOMPARE(calc->text(QStringLiteral("lblStoff_0")), QStringLiteral("A"));
        QVERIFY(!child<QLabel>(model, "lbl10")->font().bold());
        // The nineteen options in two frames are one choice.
        int checked = 0;
        for (QRadioButton* option : model->findChildren<QRadioButton*>()) {
            checked +=
                option->objectName().startsWith(QStringLiteral("optTyp_")) && option->isChecked() ? 1 : 0;
        }
        QCOMPARE(checked, 1);
    }

    void typingIntoTheOrderBoxSelectsModel20() {
        start(false);
        QWidget* model = m_main->window(WindowId::Model);
        auto* order = child<QLineEdit>(model, "txtOrdnung");
        order->clear();
        QTest::keyClicks(order, QStringLiteral("2,5x"));
        QCOMPARE(m_session->state.modelId, 20);
        QVERIFY(child<QRadioButton>(model, "optTyp_0")->isChecked());
        QVERIFY(order->isEnabled());
        QCOMPARE(order->text(), QStringLiteral("2.5"));  // comma made a point, the letter refused
        QCOMPARE(m_session->state.reactionOrder, 2.5f);
        child<QPushButton>(model, "cmdShowMatrix")->click();
        QVERIFY(m_main->isOpen(WindowId::Matrix));
        const QString matrix = child<QLabel>(m_main->window(WindowId::Matrix), "lblMatrix")->text();
        QVERIFY2(matrix.contains(onScreen("-2.5")), qPrintable(matrix));
        screenshot(m_main->window(WindowId::Matrix), QStringLiteral("matrix_window"));
    }

    void timeUnitChangeConvertsTheDataSet() {
        start(false);
        ExpPoint p;
        p.t = 120.0;
        p.c[kSlotA] = 0.5;
        m_session->data.points.push_back(p);
        m_session->data.pointCount = 1;
        m_main->close(WindowId::Model);
        m_main->open(WindowId::Model);
        QWidget* model = m_main->window(WindowId::Model);
        QVERIFY(child<QLabel>(model, "lblRecalcTime")
                    ->text()
                    .startsWith(QStringLiteral("Achtung: Jede Änderung")));
        m_main->registerWindow(WindowId::SimulationSetUp, [](MDIZEM&) {
            return new FakeCalculationWindow(CalcWindowKind::SimulationSetUp);
        });
        QVERIFY(m_main->open(WindowId::SimulationSetUp));
        auto* calc = dynamic_cast<FakeCalculationWindow*>(m_main->window(WindowId::SimulationSetUp));
        const double k1 = m_session->state.rateConst[1];
        child<QRadioButton>(model, "optZeit_1")->click();
        // The open window shows the converted constant, not the old number under the new unit.
        QCOMPARE(calc->text(QStringLiteral("inp_10")),
                 onScreen(QString::fromStdString(formatSingle(static_cast<float>(k1 * 60.0)))));
        QCOMPARE(m_session->state.timeUnit, std::string("min"));
        QCOMPARE(m_session->data.points[1].t, 2.0);
        QCOMPARE(m_session->state.rateConst[1], k1 * 60.0);
        QVERIFY(child<QRadioButton>(model, "optZeit_1")->font().bold());
        QVERIFY(!child<QRadioButton>(model, "optZeit_0")->font().bold());
    }

    void exitWithCancelNoAndYes() {
        const QString lastSession = m_home->filePath(QStringLiteral("ZemLastSession.ZC3"));
        auto changedData = [this] {
            ExpPoint p;
            p.t = 1.0;
            p.c[kSlotA] = 0.5;
            m_session->data.points.push_back(p);
            m_session->data.pointCount = 1;
            m_session->data.dataChanged = true;
        };
        start(false);
        changedData();
        m_dialogs->answers = {Answer::Cancel};
        QVERIFY(!m_main->close());  // through the frame, as by "Exit"
        QCOMPARE(m_dialogs->last().title, std::string("WARNUNG"));
        QVERIFY(m_main->isVisible());
        QVERIFY(!QFile::exists(lastSession));

        m_dialogs->answers = {Answer::Yes};  // Yes, but the save dialog is cancelled: the program stays
        m_dialogs->texts = {std::nullopt};
        action("mnuExit")->trigger();
        QVERIFY(m_main->isVisible());
        QVERIFY(!QFile::exists(lastSession));

        m_dialogs->answers = {Answer::No};
        action("mnuExit")->trigger();
        QVERIFY(!m_main->isVisible());
        QVERIFY(QFile::exists(lastSession));
        cleanup();

        QFile::remove(lastSession);
        start(false);
        changedData();
        const QString saved = m_home->filePath(QStringLiteral("saved.ZD3"));
        m_dialogs->answers = {Answer::Yes};
        m_dialogs->texts = {saved.toStdString()};
        QVERIFY(m_main->close());
        QVERIFY(QFile::exists(saved));
        QVERIFY(QFile::exists(lastSession));
    }

    void tipWindowFollowsTheStoredSetting() {
        start(false);
        QVERIFY(!m_main->isOpen(WindowId::Tip));
        action("mnuTip")->trigger();
        QVERIFY(m_main->isOpen(WindowId::Tip));
        QVERIFY(ZemSettings::showTipsAtStartup());  // opened through the menu: ticked and stored
        auto* tip = qobject_cast<frmTip*>(m_main->window(WindowId::Tip));
        QVERIFY(child<QCheckBox>(tip, "chkLoadTipsAtStartup")->isChecked());
        QCOMPARE(tip->windowTitle(), QStringLiteral("   22 Tipps zur Arbeit mit ZEMTRAL"));
        const QString first = child<QLabel>(tip, "lblTipText")->text();
        QVERIFY(!first.isEmpty());
        QVERIFY(!first.startsWith(QStringLiteral("Die Datei")));
        child<QPushButton>(tip, "cmdNextTip")->click();
        QVERIFY(child<QLabel>(tip, "lblTipText")->text() != first);
        QVERIFY(child<QLabel>(tip, "lblTipTitle")->isHidden());
        screenshot(tip, QStringLiteral("tip_window"));
        child<QCheckBox>(tip, "chkLoadTipsAtStartup")->click();
        QVERIFY(!ZemSettings::showTipsAtStartup());
        cleanup();

        start(true);
        QVERIFY(m_main->isOpen(WindowId::Tip));
        action("mnuModel")->trigger();  // a command closes the tip window first
        QVERIFY(!m_main->isOpen(WindowId::Tip));
        cleanup();

        QVERIFY(QFile::remove(m_home->filePath(QStringLiteral("ZEMTIPS.TXT"))));
        start(true);
        tip = qobject_cast<frmTip*>(m_main->window(WindowId::Tip));
        QVERIFY(tip != nullptr);
        const QString text = child<QLabel>(tip, "lblTipText")->text();
        QVERIFY2(text.startsWith(QStringLiteral("Die Datei ZEMTIPS.TXT wurde nicht gefunden ")),
                 qPrintable(text));
        QVERIFY(text.contains(m_home->filePath(QStringLiteral("ZEMTIPS.TXT"))));
    }

    void optionsWindow() {
        start(false);
        m_session->shell.monteCarlo.pointSize = 0;
        m_session->shell.monteCarlo.speed = 0.5f;
        frmOption dialog(*m_session, m_main.get(), [](const QColor&) { return QColor(0, 128, 0); });
        QCOMPARE(dialog.windowTitle(), QStringLiteral("   Optionen"));
        QCOMPARE(child<QSpinBox>(&dialog, "txtPointSize")->value(), 7);
        child<QPushButton>(&dialog, "cmdAColor")->click();
        QCOMPARE(dialog.buttonColour(true), QColor(0, 128, 0));
        QCOMPARE(m_session->shell.monteCarlo.colourA, 0xFF0000u);  // stored only on OK
        dialog.show();
        screenshot(&dialog, QStringLiteral("options_window"));
        child<QPushButton>(&dialog, "cmdOK")->click();
        QCOMPARE(m_session->shell.monteCarlo.colourA, 0x008000u);
        QCOMPARE(m_session->shell.monteCarlo.pointSize, 7);
        QCOMPARE(m_session->shell.monteCarlo.speed, 0.5f);
    }

    void windowMenuListsOpenWindowsAndDisplayCheck() {
        start(true);
        QMenu* menu = child<QMenu>(m_main.get(), "mnuFenster");
        QMetaObject::invokeMethod(menu, "aboutToShow");
        QStringList titles;
        for (QAction* a : menu->actions()) {
            titles << a->text();
        }
        QVERIFY2(titles.join(QLatin1Char('|')).contains(QStringLiteral("kinetisches Modell")),
                 qPrintable(titles.join('|')));
        QVERIFY2(titles.join(QLatin1Char('|')).contains(QStringLiteral("22 Tipps")),
                 qPrintable(titles.join('|')));

        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        const QByteArray display = qgetenv("DISPLAY");
        const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
        qunsetenv("QT_QPA_PLATFORM");
        qunsetenv("DISPLAY");
        qunsetenv("WAYLAND_DISPLAY");
        QVERIFY(!displayAvailable());
        qputenv("DISPLAY", ":7");
        QVERIFY(displayAvailable());
        qunsetenv("DISPLAY");
        qputenv("QT_QPA_PLATFORM", platform.isEmpty() ? QByteArray("offscreen") : platform);
        QVERIFY(displayAvailable());
        if (!display.isEmpty()) {
            qputenv("DISPLAY", display);
        }
        if (!wayland.isEmpty()) {
            qputenv("WAYLAND_DISPLAY", wayland);
        }
        const std::string hint = noDisplayHint();
        QVERIFY(hint.find("xvfb-run") != std::string::npos && hint.find("zemtral-cli") != std::string::npos);
        QVERIFY(hint.find('\n') == std::string::npos);
    }

    void helpPagesByTopic() {
        start(false);
        for (int topic : {10070, 10130, 10100, 10110, 10240, 10250, 10030, 10040, 10050, 10200, 10290, 10300,
                          10310, 10260, 10270, 10280, 9000,  9001,  9002,  9003,  9004,  10400, 10410}) {
            m_main->showHelp(topic);
            QVERIFY2(!m_main->helpWindow()->pageText().contains(QStringLiteral("keine Hilfeseite")),
                     qPrintable(QString::number(topic)));
        }
        action("mnuAboutZem")->trigger();
        QVERIFY(m_main->helpWindow()->pageText().contains(QStringLiteral("ZEMTRAL-3")));
        screenshot(m_main->helpWindow(), QStringLiteral("help_window"));
        m_main->showHelp(4711);
        QVERIFY(m_main->helpWindow()->pageText().contains(QStringLiteral("keine Hilfeseite")));
        // Pages missing in the home come from the program itself.
        QVERIFY(QFile::remove(m_home->filePath(QStringLiteral("help/10240.html"))));
        m_main->showHelp(10240);
        QVERIFY(m_main->helpWindow()->pageText().contains(QStringLiteral("Kinetisches Modell")));
    }
};

QTEST_MAIN(ShellTest)
#include "shell_test.moc"
