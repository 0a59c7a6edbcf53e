#include "session/main_commands.h"

#include <algorithm>
#include <cstdint>

#include "core/working_state.h"
#include "session/data_commands.h"
#include "session/project_commands.h"

namespace zemtral {
namespace {

constexpr std::int16_t kFittingStartKind = -9;  // marks a fitting start until the fitting window drew
constexpr std::int16_t kArrheniusKind = -3;
constexpr std::int16_t kEyringKind = -4;
constexpr std::int16_t kTangentKind = 100;
constexpr double kZeroTime = 1e-8;  // a point below this time carries the initial concentrations

void refuse(UserDialogs& dialogs, const std::string& text) {
    dialogs.showMessage(kNotPossibleTitle, text, MessageIcon::Critical);
}

void closeReactors(WindowHost& windows) {
    windows.close(WindowId::BatchReactor);
    windows.close(WindowId::TubeReactor);
    windows.close(WindowId::StirredTank);
}

void reopenModelWindow(WindowHost& windows) {
    windows.close(WindowId::Model);
    windows.open(WindowId::Model);
}

// Step 5 of the fitting start: the fitting window draws the first curve of the chosen model.
void finishFittingStart(Session& session, WindowHost& windows) {
    if (session.diagramKind != kFittingStartKind) {
        return;
    }
    session.diagramKind = session.state.modelId;
    if (windows.isOpen(WindowId::Fitting)) {
        windows.pressFittingDraw();
        windows.focus(WindowId::Fitting);
    }
}

// c(A) of the first point taken at time zero, the data set's initial concentration of A.
double initialConcentrationA(const ExpDataSet& data) {
    for (int i = 1; i <= data.pointCount && i < static_cast<int>(data.points.size()); ++i) {
        if (data.points[static_cast<std::size_t>(i)].t < kZeroTime) {
            return data.points[static_cast<std::size_t>(i)].c[kSlotA];
        }
    }
    return 0.0;
}

}  // namespace

void initStartUp(Session& session, const std::string& appHome, bool decimalComma) {
    ShellState& shell = session.shell;
    shell.lineBreak = "\r\n";
    session.decimalComma = decimalComma;
    setUpFileLocations(session, appHome);
    shell.helpDir = appHome + "/help";

    session.state = startUpWorkingState();
    session.state.timeUnit = "s";
    session.state.timeUnitIndex = 0;
    session.state.mmSettings.s0Max = 0.15f;
    shell.tipsRequested = false;
    session.data.dataFilePath.clear();
}

std::string noDataMessage(const Session& session, const std::string& firstLine) {
    return firstLine + session.shell.lineBreak + "Geben Sie Daten im Dateneditor ein (=> Neueingabe).";
}

bool startFitting(Session& session, UserDialogs& dialogs, WindowHost& windows, bool orderFitting) {
    // The mode is set before the checks, so a refusal leaves it set.
    session.state.fittingMode = orderFitting ? kFittingOrder : kFittingRateConstants;
    if (!session.survey.hasCtData) {
        refuse(dialogs, noDataMessage(session, "Keine oder zuwenig experimentelle c-t-Daten."));
        return false;
    }
    if (session.data.pointCount < 2) {
        refuse(dialogs, noDataMessage(session, "Keine (oder zuwenig) experimentelle c-t-Daten."));
        return false;
    }
    windows.close(WindowId::Diagram);
    session.diagramKind = kFittingStartKind;
    session.state.showMeasuredPoints = true;
    windows.close(WindowId::SimulationSetUp);
    closeReactors(windows);
    windows.open(WindowId::Fitting);
    if (orderFitting) {
        session.state.modelId = 20;
    }
    reopenModelWindow(windows);
    windows.focus(WindowId::Fitting);
    windows.setUpDiagram();
    finishFittingStart(session, windows);
    return true;
}

bool startNonIsothermalFitting(Session& session, UserDialogs& dialogs, WindowHost& windows, int item) {
    session.state.fittingMode = item == 2 ? kFittingNonIsothermalSecond : kFittingNonIsothermalFirst;
    if (session.survey.temperatureCount == 1) {
        dialogs.showMessage("Warnung",
                            "Ein Datensatz mit nur einer Temperatur kann hier nicht zu einem " +
                                session.shell.lineBreak +
                                "sinnvollen Ergebnis hinsichtlich ARRHENIUS- bzw. EYRING-Parametern führen.",
                            MessageIcon::Exclamation);
    }
    if (!session.survey.hasCtTData) {
        refuse(dialogs, noDataMessage(session, "Keine oder zuwenig experimentelle t-c-T-Daten."));
        finishFittingStart(session, windows);
        return false;
    }
    windows.close(WindowId::Diagram);
    session.diagramKind = kFittingStartKind;
    session.state.showMeasuredPoints = true;
    windows.close(WindowId::SimulationSetUp);
    closeReactors(windows);
    if (item == 2) {
        if (initialConcentrationA(session.data) == 0.0) {
            refuse(dialogs, "Für diesen Fall muss die Anfangskonzentration c(A)(0) gegeben sein.");
            return false;
        }
        session.state.modelId = 3;
    } else {
        session.state.modelId = 2;
    }
    windows.open(WindowId::Fitting);
    reopenModelWindow(windows);
    windows.focus(WindowId::Fitting);
    windows.setUpDiagram();
    finishFittingStart(session, windows);
    return true;
}

int distinctKTPairs(const ExpDataSet& data) {
    const int n = std::min<int>(data.pointCount, static_cast<int>(data.points.size()) - 1);
    int distinct = 0;
    for (int i = 1; i <= n; ++i) {
        const ExpPoint& p = data.points[static_cast<std::size_t>(i)];
        if (!(p.k > 0.0 && p.T > 0.0)) {
            continue;
        }
        bool seen = false;
        for (int j = 1; j < i && !seen; ++j) {
            const ExpPoint& q = data.points[static_cast<std::size_t>(j)];
            seen = q.k > 0.0 && q.T > 0.0 && q.k == p.k && q.T == p.T;
        }
        if (!seen) {
            ++distinct;
        }
    }
    return distinct;
}

bool startKTEvaluation(Session& session, UserDialogs& dialogs, WindowHost& windows, int item) {
    if (!session.survey.hasKTData) {
        refuse(dialogs, "Erst experimentelle Punkte k-T laden oder eingeben!");
        return false;
    }
    if (session.data.pointCount == 0) {
        refuse(dialogs, "Keine Daten für k und T vorhanden." + session.shell.lineBreak +
                            "Geben Sie experimentelle Daten im Dateneditor ein (=> Neueingabe)");
        return false;
    }
    if (distinctKTPairs(session.data) < 2) {
        refuse(dialogs, "mindestens zwei unterschiedliche Paare k - T nötig!");
        return false;
    }
    if (session.data.pointCount <= 1) {
        refuse(dialogs, "es sind mindestens 2 Wertepaare notwendig");
        return false;
    }
    windows.close(WindowId::Diagram);
    session.diagramKind = item == 2 ? kEyringKind : kArrheniusKind;
    windows.setUpDiagram();
    return true;
}

std::array<bool, 6> tangentItemsEnabled(const Session& session) {
    std::array<bool, 6> enabled{};
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        enabled[static_cast<std::size_t>(slot)] = session.survey.shownSpecies[static_cast<std::size_t>(slot)];
    }
    return enabled;
}

void startTangent(Session& session, WindowHost& windows, int slot) {
    windows.close(WindowId::Diagram);
    session.shell.selectedSpecies = slot;
    session.diagramKind = kTangentKind;
    session.state.showMeasuredPoints = true;
    windows.close(WindowId::SimulationSetUp);
    closeReactors(windows);
    windows.open(WindowId::Tangent);
    windows.focus(WindowId::Tangent);
    windows.setUpDiagram();
}

bool reactorMenuOpened(const Session& session, UserDialogs& dialogs) {
    if (session.state.modelId == 0) {
        refuse(dialogs, kChooseModelFirst);
        return false;
    }
    return true;
}

void openReactor(Session& /*session*/, WindowHost& windows, WindowId reactor) {
    windows.close(WindowId::SimulationSetUp);
    for (WindowId other : {WindowId::BatchReactor, WindowId::TubeReactor, WindowId::StirredTank}) {
        if (other != reactor) {
            windows.close(other);
        }
    }
    windows.close(WindowId::Fitting);
    windows.open(reactor);
    reopenModelWindow(windows);
    windows.focus(reactor);
}

void startSimulation(Session& session, WindowHost& windows, bool rateDiagram) {
    closeReactors(windows);
    windows.close(WindowId::Fitting);
    session.state.rateDiagram = rateDiagram;
    session.state.fittingMode = kFittingNone;
    windows.open(WindowId::SimulationSetUp);
    reopenModelWindow(windows);
    if (windows.isOpen(WindowId::SimulationSetUp)) {
        windows.open(WindowId::SimulationSetUp);  // to the front, above the reopened model window
    }
}

void startMonteCarlo(Session& session, WindowHost& windows, int item) {
    session.shell.monteCarloKind = static_cast<std::uint8_t>(item + 1);
    windows.close(WindowId::MonteCarlo);
    windows.open(WindowId::MonteCarlo);
}

void openCalculator(Session& session, WindowHost& windows, int form) {
    session.shell.kTForm = static_cast<std::uint8_t>(form);
    session.state.fittingMode = kFittingNone;
    windows.close(WindowId::Calculator);
    windows.open(WindowId::Calculator);
}

void newDataSet(Session& session, WindowHost& windows) {
    ExpDataSet& data = session.data;
    data.points.assign(1, ExpPoint{});
    data.pointCount = 0;
    data.lambdaInf = 0.0;
    data.dataFilePath.clear();
    windows.open(WindowId::DataEditor);
}

void editDataSet(Session& session, WindowHost& windows) {
    if (session.data.pointCount > 0) {
        windows.open(WindowId::DataEditor);
    }
}

void showTips(Session& session, WindowHost& windows) {
    session.shell.tipsRequested = true;
    windows.open(WindowId::Tip);
}

std::string copyrightText(const Session& session) {
    const std::string& nl = session.shell.lineBreak;
    std::string version = ZEMTRAL_VERSION;  // "3.3.<revision>"
    const std::string prefix = "3.3.";
    const std::string revision = version.rfind(prefix, 0) == 0 ? version.substr(prefix.size()) : version;
    return "ZEMTRAL-3  -  Kinetik homogener chemischer Reaktionen" + nl + nl +
           "Simulation kinetischer Modelle, Auswertung experimenteller Daten," + nl +
           "ideale Reaktoren und Monte-Carlo-Simulation für Lehre und Labor." + nl + nl +
           "Linux-Ausgabe (C++ / Qt 6)." + nl +
           "Kontakt: über die Projektseite, auf der Sie dieses Programm erhalten haben." + nl + nl +
           "Version 3.3." + revision;
}

bool runExit(Session& session, const ExitSteps& steps) {
    if (session.data.dataChanged && session.data.pointCount > 0 && steps.askSaveChangedData) {
        if (steps.askSaveChangedData()) {
            return false;
        }
    }
    if (steps.writeLastSession) {
        // A last-session file that cannot be written must not keep the user from leaving; the
        // writer has reported the problem.
        steps.writeLastSession(session.lastSessionPath);
    }
    return true;
}

ExitSteps exitStepsFor(Session& session, UserDialogs& dialogs) {
    return {[&session, &dialogs] { return AskSaveChangedData(session, dialogs); },
            [&session, &dialogs](const std::string& path) { return WriteProjectFile(session, dialogs, path); }};
}

}  // namespace zemtral
