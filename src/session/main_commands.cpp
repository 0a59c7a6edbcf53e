#include "session/main_commands.h"

#include <algorithm>
#include <cstdint>

#include "core/working_state.h"
#include "session/data_commands.h"
#include "session/evaluation_commands.h"
#include "session/project_commands.h"
#include "session/protocol_commands.h"
#include "session/xy_commands.h"

namespace zemtral {
namespace {

constexpr std::int16_t kFittingStartKind = -9;  // marks a fitting start until the fitting window drew
constexpr std::int16_t kTangentKind = 100;

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

void runEvaluationWindows(Session& session, WindowHost& windows, const EvaluationCommandResult& result) {
    if (!result.started) {
        return;
    }
    if (result.unloadDiagram) {
        windows.close(WindowId::Diagram);
    }
    session.diagramKind = static_cast<std::int16_t>(result.diagramKind);
    // The set-up leaves the series count of the evaluation kinds to their caller: one line or spline.
    session.diagram.seriesCount = 1;
    session.evaluationAxisWindow = result.axisWindow;
    if (result.selectedSpecies > 0) {
        session.shell.selectedSpecies = result.selectedSpecies;
    }
    if (result.openFittingWindow || result.diagramKind == kTangentKind) {
        session.state.showMeasuredPoints = true;
    }
    if (result.closeCalculationWindows) {
        windows.close(WindowId::SimulationSetUp);
        closeReactors(windows);
    }
    if (result.openFittingWindow) {
        windows.open(WindowId::Fitting);
        reopenModelWindow(windows);
        windows.focus(WindowId::Fitting);
    } else if (result.diagramKind == kTangentKind) {
        windows.open(WindowId::Tangent);
        windows.focus(WindowId::Tangent);
    }
    // The evaluation may have chosen the model and taken the data's start values: the open windows
    // show what it used.
    windows.showModel();
    windows.setUpDiagram();
    finishFittingStart(session, windows);
}

bool startFitting(Session& session, UserDialogs& dialogs, WindowHost& windows, bool orderFitting) {
    const EvaluationCommandResult result =
        orderFitting ? startOrderFitting(session, dialogs) : startCtFitting(session, dialogs);
    runEvaluationWindows(session, windows, result);
    return result.started;
}

bool startNonIsothermalFitting(Session& session, UserDialogs& dialogs, WindowHost& windows, int item) {
    const EvaluationCommandResult result = startNonIsothermalFitting(session, item, dialogs);
    runEvaluationWindows(session, windows, result);
    return result.started;
}

bool startKTEvaluation(Session& session, UserDialogs& dialogs, WindowHost& windows, int item) {
    const EvaluationCommandResult result = startKTEvaluation(session, item, dialogs);
    runEvaluationWindows(session, windows, result);
    return result.started;
}

bool startLinearisedEvaluation(Session& session, UserDialogs& dialogs, WindowHost& windows, bool lambda,
                               int item) {
    const EvaluationCommandResult result =
        lambda ? startLambdaEvaluation(session, item, dialogs) : startCtEvaluation(session, item, dialogs);
    runEvaluationWindows(session, windows, result);
    return result.started;
}

std::array<bool, 6> tangentItemsEnabled(const Session& session) {
    std::array<bool, 6> enabled{};
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        enabled[static_cast<std::size_t>(slot)] = session.survey.shownSpecies[static_cast<std::size_t>(slot)];
    }
    return enabled;
}

void startTangent(Session& session, WindowHost& windows, int slot) {
    runEvaluationWindows(session, windows, startTangent(session, slot));
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
    startActivationCalculator(session, static_cast<std::uint8_t>(form));
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
    if (steps.keepXyList && !steps.keepXyList()) {
        return false;
    }
    if (steps.keepProtocolRows && !steps.keepProtocolRows()) {
        return false;
    }
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

bool keepProtocolRowsAtExit(Session& session, UserDialogs& dialogs) {
    if (!session.protocol.fileOpen || closeProtocol(session, dialogs)) {
        return true;
    }
    return dialogs.askYesNo("Protokoll",
                            std::string("Die gesammelten Protokollzeilen konnten nicht geschrieben werden.") +
                                kMessageLineBreak + "Programm trotzdem beenden? (Die Zeilen gehen verloren.)",
                            MessageIcon::Exclamation) == Answer::Yes;
}

ExitSteps exitStepsFor(Session& session, UserDialogs& dialogs) {
    return {
        [&session, &dialogs] { return AskSaveChangedData(session, dialogs); },
        [&session, &dialogs](const std::string& path) { return WriteProjectFile(session, dialogs, path); },
        [&session, &dialogs] {
            // Answered once: the closing XY editor does not ask again.
            const bool mayEnd = confirmCloseXyEditor(session, dialogs);
            session.xy.unsaved = session.xy.unsaved && !mayEnd;
            return mayEnd;
        },
        [&session, &dialogs] { return keepProtocolRowsAtExit(session, dialogs); }};
}

}  // namespace zemtral
