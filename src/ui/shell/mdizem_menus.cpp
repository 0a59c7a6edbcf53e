// The main window's menus, tool bar and first-user panel: which command sits where, with its
// caption, help topic and the windows it needs.
#include "ui/shell/mdizem.h"

#include <QAction>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "session/data_commands.h"
#include "session/help_topics.h"
#include "session/main_commands.h"
#include "session/project_commands.h"

namespace zemtral {
namespace {

const char* const kFirstUserLines[] = {
    " (1)    Wählen Sie als File mit experimentellen Daten zur Auswertung: \"Daten\" /  \"exper. Daten "
    "laden\"  => "
    "File \"verseifung.ZD3\"; bestätigen Sie im Dateneditor \"OK\"",
    " (2)    Klicken Sie das passende kinetische Modell an, in diesem Fall A + B => P",
    " (3a)  Wählen Sie \"Auswertung c-t-(T)-Daten\" / \"Fitting isotherm, k, entspr. gewähltem Modell\" ; "
    "klicken Sie "
    "\"Auto-Fitting\" im Fenster \"k-Fitting\".  Bei \"k1\" können Sie die berechnete "
    "Geschwindigkeitskonstante "
    "ablesen.",
    " oder ",
    " (3b)  Wählen Sie \"Auswertung c-t-(T)-Daten\" / \"grafische Auswertung per Geradenausgleich\" / \"2. "
    "Ordnung A "
    "+ B => P\". Im Diagrammfenster können Sie die berechnete Geschwindigkeitskonstante ablesen.",
    " -       Für \" Modell-Simulation\",  \"Monte-Carlo-Simulation\" und \"Reaktoren\" werden keine "
    "experimentellen "
    "Daten benötigt.  ",
    " -       Für Reaktor-Berechnungen müssen Ihnen die Geschwindigkeitskonstanten bekannt sein. Stellen Sie "
    "vor der "
    "Wahl \"Reaktoren\" das passende kinetische Modell ein. ",
};

QString u(const char* text) {
    return QString::fromUtf8(text);
}

}  // namespace

QMenu* MDIZEM::addMenu(QMenu* parent, const char* name, const char* caption, int helpTopic) {
    QMenu* menu = parent ? parent->addMenu(u(caption)) : menuBar()->addMenu(u(caption));
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    menu->menuAction()->setProperty("helpContext", helpTopic);
    menu->installEventFilter(this);
    return menu;
}

QAction* MDIZEM::addCommand(QMenu* menu, Command id, const std::string& caption, int helpTopic,
                            std::function<void()> run, std::vector<WindowId> needs, bool enabled) {
    auto* action = new QAction(QString::fromStdString(caption), this);
    action->setObjectName(QLatin1String(menuCommandName(id)));
    action->setProperty("helpContext", helpTopic);
    if (menu != nullptr) {
        menu->addAction(action);
    } else {
        menuBar()->addAction(action);
    }
    if (run) {
        connect(action, &QAction::triggered, this, [this, run, id] { runCommand(run, id != Command::Tips); });
    }
    command(id) = {action, enabled, std::move(needs)};
    return action;
}

void MDIZEM::buildMenus() {
    using W = WindowId;
    QMenu* daten = addMenu(nullptr, "mnuDaten", "&Daten", kHelpDataMenu);
    addCommand(daten, Command::LoadLastSession, "letzte Sitzung laden", 0, [this] {
        const ProjectLoadOutcome o = loadLastSession(m_session, m_dialogs);
        afterProjectLoad(o.enableNewDataAndSaveProject, o.enableEditData, o.reopenModelWindow);
    });
    addCommand(daten, Command::LoadProject, "existierendes Projektfile laden", 0, [this] {
        const ProjectLoadOutcome o = loadExistingProject(m_session, m_dialogs);
        afterProjectLoad(o.enableNewDataAndSaveProject, o.enableEditData, o.reopenModelWindow);
    });
    addCommand(daten, Command::SaveProject, "aktuelles Projekt speichern unter...", 0, [this] {
        SaveProjectAs(m_session, m_dialogs);
    })->setShortcut(QKeySequence::Save);
    daten->addSeparator();
    addCommand(daten, Command::NewData, "exper. Daten    NEU Eingabe / Laden", kHelpNewData,
               [this] {
                   // Emptying the set must not throw away changes the user has not saved.
                   if (m_session.data.dataChanged && m_session.data.pointCount > 0 &&
                       AskSaveChangedData(m_session, m_dialogs)) {
                       return;
                   }
                   close(W::DataEditor);  // an open editor starts anew on the empty set
                   newDataSet(m_session, *this);
               },
               {W::DataEditor});
    addCommand(daten, Command::LoadData, "exper. Daten laden ...", kHelpNewData, [this] {
        loadDataWithDialog();
    })->setShortcut(QKeySequence::Open);
    addCommand(
        daten, Command::EditData, "exper. Daten    Sichten / Editieren", kHelpEditData,
        [this] { editDataSet(m_session, *this); }, {W::DataEditor}, false);
    addCommand(daten, Command::EditXY, "XY-Editor   (XY-Daten eingeben | laden)", 0,
               [this] {
                   close(W::XYEditor);
                   open(W::XYEditor);
               },
               {W::XYEditor});
    daten->addSeparator();
    m_recentMenu = daten->addMenu(u("zuletzt verwendete Dateien"));
    m_recentMenu->setObjectName(QStringLiteral("mnuRecentFiles"));
    m_recentMenu->menuAction()->setObjectName(QStringLiteral("mnuRecentFiles"));
    connect(daten, &QMenu::aboutToShow, this, &MDIZEM::fillRecentMenu);
    fillRecentMenu();
    daten->addSeparator();
    addCommand(daten, Command::Exit, "Exit", kHelpExit, [this] {
        QMainWindow::close();
    })->setShortcut(QKeySequence::Quit);

    addCommand(nullptr, Command::Model, "kinetisches &Modell", kHelpModel, [this] { open(W::Model); });

    QMenu* auswertung = addMenu(nullptr, "mnuVersuchsauswertung", "Versuchsauswertung");
    QMenu* ct = addMenu(auswertung, "mnuExpctAuswertung", "Auswertung c-&t-Daten    (isotherm)");
    connect(ct, &QMenu::aboutToShow, this, [this] { m_session.evaluation.lambdaMode = false; });
    QMenu* ctAusw = addMenu(ct, "mnuctAuswMenu",
                            "grafische Auswertung für Konzentrations-Zeit-Daten per Geradengleichung");
    const char* const orderCaptions[] = {"... für 1. Ordnung  A => P", "... für 2. Ordnung  2 A => P",
                                         "... für 2. Ordnung  A + B => P "};
    const int orderHelp[] = {10030, 10040, 10050};
    for (int i = 1; i <= 3; ++i) {
        addCommand(
            ctAusw, nthMenuCommand(Command::LinearisedFirst, i - 1), orderCaptions[i - 1], orderHelp[i - 1],
            [this, i] { startLinearisedEvaluation(m_session, m_dialogs, *this, false, i); }, {W::Diagram});
    }
    QAction* wilkinson = addCommand(
        ctAusw, Command::Wilkinson, "WILKINSON", 0,
        [this] { startLinearisedEvaluation(m_session, m_dialogs, *this, false, 4); }, {W::Diagram}, false);
    wilkinson->setVisible(false);
    QMenu* lambda =
        addMenu(ct, "mnuLambdaAuswMenu", "grafische Auswertung für lambda(t)-Daten per Geradengleichung");
    for (int i = 1; i <= 3; ++i) {
        addCommand(lambda, nthMenuCommand(Command::LambdaFirst, i - 1), orderCaptions[i - 1], 0,
                   [this, i] { startLinearisedEvaluation(m_session, m_dialogs, *this, true, i); },
                   {W::Diagram});
    }
    addCommand(ct, Command::Fitting, "Fitting isotherm,  k,  entsprechend gewähltem Modell", kHelpFitting,
               [this] { startFitting(m_session, m_dialogs, *this, false); }, {W::Fitting});
    addCommand(ct, Command::OrderFitting, "Fitting isotherm,  k und Reaktionsordnung,  A => P", kHelpFitting,
               [this] { startFitting(m_session, m_dialogs, *this, true); }, {W::Fitting});
    QMenu* nonIso = addMenu(auswertung, "mnuNonIsotherm", "Auswertung c-t-T-Daten (nicht-isotherm) ");
    addCommand(nonIso, Command::NonIsothermalFirst,
               "Fitting nicht-isotherm, 1. Ordnung   A => P, an  t-c(A)-T-Daten", kHelpFitting,
               [this] { startNonIsothermalFitting(m_session, m_dialogs, *this, 1); }, {W::Fitting});
    addCommand(nonIso, Command::NonIsothermalSecond,
               "Fitting nicht-isotherm, 2. Ordnung 2A => P, an  t-c(A)-T-Daten", kHelpFitting,
               [this] { startNonIsothermalFitting(m_session, m_dialogs, *this, 2); }, {W::Fitting});
    QMenu* kt = addMenu(auswertung, "mnukTMenu", "Auswertung &k-T-Daten", 10290);
    addCommand(kt, Command::KTArrhenius, "nach ARRHENIUS-Gleichung", 10300,
               [this] { startKTEvaluation(m_session, m_dialogs, *this, 1); }, {W::Diagram});
    addCommand(kt, Command::KTEyring, "nach EYRING-Gleichung", 10310,
               [this] { startKTEvaluation(m_session, m_dialogs, *this, 2); }, {W::Diagram});
    QMenu* tangent = addMenu(auswertung, "mnuCalcTangente",
                             "grafikgestützte Berechnung von Reakt.-geschwindigk. aus c(i)-t-Punkten");
    const char* const species[] = {"A", "B", "C", "P", "Q"};
    for (int i = 1; i <= 5; ++i) {
        const std::string caption = std::string("aus Messpunkten c(") + species[i - 1] + ") - t";
        addCommand(tangent, nthMenuCommand(Command::TangentA, i - 1), caption, 0,
                   [this, i] { startTangent(m_session, *this, i); }, {W::Tangent});
    }
    connect(tangent, &QMenu::aboutToShow, this, [this] {
        const auto shown = tangentItemsEnabled(m_session);
        for (int i = 1; i <= 5; ++i) {
            command(nthMenuCommand(Command::TangentA, i - 1)).enabledByState =
                shown[static_cast<std::size_t>(i)];
        }
        refreshEnabledStates();
    });

    QMenu* simulation = addMenu(nullptr, "mnuSimulation", "Modell-&Simulation");
    addCommand(simulation, Command::ConcentrationTime, "Konzentrations-Zeit-Funktionen", 0,
               [this] { startSimulation(m_session, *this, false); }, {W::SimulationSetUp});
    addCommand(simulation, Command::RateTime, "Geschwindigkeits-Zeit-Funktionen", 0,
               [this] { startSimulation(m_session, *this, true); }, {W::SimulationSetUp});

    QMenu* monteCarlo = addMenu(nullptr, "mnuMonteCarlo", "Monte-&Carlo");
    addCommand(monteCarlo, Command::MonteCarloFirstOrder, "Reaktion 1. Ordnung A => P",
               kHelpMonteCarloFirstOrder, [this] { startMonteCarlo(m_session, *this, 0); }, {W::MonteCarlo});
    addCommand(monteCarlo, Command::MonteCarloEquilibrium, "Dynamisches Reaktionsgleichgewicht A <=> P",
               kHelpMonteCarloEquilibrium, [this] { startMonteCarlo(m_session, *this, 1); }, {W::MonteCarlo});

    QMenu* reactors = addMenu(nullptr, "mnuReaktor", "&Reaktoren");
    connect(reactors, &QMenu::aboutToShow, this, [this] { reactorMenuOpened(m_session, m_dialogs); });
    addCommand(reactors, Command::BatchReactor, "Batch-Reaktor", 0,
               [this] { openReactor(m_session, *this, W::BatchReactor); }, {W::BatchReactor});
    addCommand(reactors, Command::TubeReactor, "Rohrreaktor", 0,
               [this] { openReactor(m_session, *this, W::TubeReactor); }, {W::TubeReactor});
    addCommand(reactors, Command::StirredTank, "kontinuierlicher Rührkessel", kHelpStirredTankWay,
               [this] { openReactor(m_session, *this, W::StirredTank); }, {W::StirredTank});
    addCommand(reactors, Command::Cascade, "Rührkessel-Kaskade", 0, nullptr, {}, false);

    QMenu* options = addMenu(nullptr, "mnuOptionen", "&Optionen");
    addCommand(options, Command::Options, "Optionen", 0, [this] { runOptionsDialog(); });
    addCommand(options, Command::ArrheniusCalculator, "ARRHENIUS-Rechner", 0,
               [this] { openCalculator(m_session, *this, 1); }, {W::Calculator});
    addCommand(options, Command::EyringCalculator, "EYRING-Rechner", 0,
               [this] { openCalculator(m_session, *this, 2); }, {W::Calculator});

    m_windowMenu = addMenu(nullptr, "mnuFenster", "&Fenster");
    connect(m_windowMenu, &QMenu::aboutToShow, this, &MDIZEM::fillWindowMenu);

    QMenu* help = addMenu(nullptr, "mnuHilfe", "&Hilfe");
    addCommand(help, Command::About, "über dieses Programm", kHelpAbout, [this] { showHelp(kHelpAbout); });
    addCommand(help, Command::HelpIndex, "Hilfe", kHelpIndex, [this] { showHelp(kHelpIndex); });
    addCommand(help, Command::Tips, "Tipps zeigen", 0, [this] {
        close(W::Tip);
        showTips(m_session, *this);
    });
    addCommand(help, Command::Copyright, "Copyright, Kontakt", kHelpCopyright, [this] {
        m_dialogs.showMessage("Copyright, Kontakt", copyrightText(m_session), MessageIcon::Information);
    });

    // The two invisible context menus of the editors.
    const char* const names[] = {"mnuEdit1", "mnuEdit2"};
    const char* const captions[] = {"Popup-menue exp-daten-grid", "PopUpMenue XY-editor"};
    for (int i = 0; i < 2; ++i) {
        auto* menu = new QMenu(u(captions[i]), this);
        menu->setObjectName(QLatin1String(names[i]));
        menu->addAction(u("Kopieren"))
            ->setObjectName(QStringLiteral("%1Kopieren").arg(QLatin1String(names[i])));
        menu->addAction(u("Einfügen"))
            ->setObjectName(QStringLiteral("%1Einfuegen").arg(QLatin1String(names[i])));
        QMenu* erase = menu->addMenu(u("Löschen"));
        erase->menuAction()->setObjectName(QStringLiteral("%1Loeschen").arg(QLatin1String(names[i])));
        erase->addAction(u("markierte Zelle(n) => 0"));
        erase->addAction(u("markierte Zeile(n) entfernen"));
        m_contextMenus[i] = menu;
    }
}

void MDIZEM::buildToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Werkzeuge"));
    bar->setObjectName(QStringLiteral("Toolbar1"));
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    struct Button {
        int index;
        const char* icon;
        const char* tooltip;
        Command command;
    };
    const Button buttons[] = {
        {2, "new_data", " Neues Projekt  Versuchsauswertung ", Command::NewData},
        {4, "last_session", " Letzte Sitzung laden ", Command::LoadLastSession},
        {6, "open_project", " Existierendes Projekt laden ", Command::LoadProject},
        {7, "save_project", " Aktuelles Projekt speichern ", Command::SaveProject},
        {14, "arrhenius", "ARRHENIUS-Rechner", Command::ArrheniusCalculator},
        {16, "eyring", "EYRING-Rechner", Command::EyringCalculator},
    };
    for (const Button& b : buttons) {
        QAction* command = this->command(b.command).action;
        auto* action =
            bar->addAction(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(b.icon))), u(b.tooltip));
        action->setObjectName(QStringLiteral("Toolbar1_%1").arg(b.index));
        action->setToolTip(u(b.tooltip));
        connect(action, &QAction::triggered, command, &QAction::trigger);
        connect(command, &QAction::changed, action,
                [action, command] { action->setEnabled(command->isEnabled()); });
        if (b.index == 6 || b.index == 7) {
            bar->addSeparator();
        }
    }
    auto* spacer = new QWidget(bar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    bar->addWidget(spacer);
    auto* toggle = new QPushButton(u("Tip für Erstnutzer          (ein/aus)"), bar);
    toggle->setObjectName(QStringLiteral("cmdErstnutzer"));
    connect(toggle, &QPushButton::clicked, this, [this] {
        m_firstUserPanel->setVisible(!m_firstUserPanel->isVisible());
        placeFirstUserPanel();
    });
    bar->addWidget(toggle);
    auto* margin = new QWidget(bar);
    margin->setFixedWidth(13);  // 200 twips from the right edge
    bar->addWidget(margin);
}

void MDIZEM::buildFirstUserPanel() {
    m_firstUserPanel = new QFrame(this);
    m_firstUserPanel->setObjectName(QStringLiteral("fraErstnutzer"));
    m_firstUserPanel->setFrameShape(QFrame::StyledPanel);
    m_firstUserPanel->setStyleSheet(QStringLiteral("#fraErstnutzer { background: #fffbe6; }"));
    auto* layout = new QVBoxLayout(m_firstUserPanel);
    auto* heading =
        new QLabel(u(" Falls Sie noch nicht mit ZEMTRAL vertraut sind, ein Beispiel: "), m_firstUserPanel);
    heading->setObjectName(QStringLiteral("lblErstnutzerTitel"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);
    heading->installEventFilter(this);
    int i = 0;
    for (const char* line : kFirstUserLines) {
        auto* label = new QLabel(u(line), m_firstUserPanel);
        label->setObjectName(QStringLiteral("lblErstnutzer_%1").arg(i++));
        label->setWordWrap(true);
        label->installEventFilter(this);
        layout->addWidget(label);
    }
    m_firstUserPanel->installEventFilter(this);
}

void MDIZEM::placeFirstUserPanel() {
    if (!m_firstUserPanel->isVisible()) {
        return;
    }
    const QRect area = m_mdi->rect();
    const int width = std::min(620, std::max(320, area.width() / 2));
    const int wanted = m_firstUserPanel->heightForWidth(width);
    const int height =
        std::min(wanted > 0 ? wanted : m_firstUserPanel->sizeHint().height(), area.height() - 16);
    m_firstUserPanel->setGeometry(8, std::max(0, area.height() - height - 8), width, std::max(0, height));
    m_firstUserPanel->raise();
}

}  // namespace zemtral
