#pragma once
// The command logic of the main window: start-up values, the checks and refusals of every menu
// command, the window sequences they run and the Exit sequence. The window only dispatches.
#include <array>
#include <functional>
#include <string>

#include "session/evaluation_commands.h"
#include "session/session.h"
#include "session/user_dialogs.h"
#include "session/window_host.h"

namespace zemtral {

/// @brief Window title of the main window.
inline constexpr const char* kMainWindowTitle = "ZEMTRAL-3     Kinetik homogener chemischer Reaktionen";
/// @brief Text of the refusal when the reactor menu opens without a model.
inline constexpr const char* kChooseModelFirst = "vorher ein kinetisches Modell wählen!";

/// @brief Start-up steps of the main window that concern the session: line break and decimal
/// comma, the dialogs' start directories and the paths in the application home, time unit "s",
/// the working-state defaults, no tips requested, no data file, S(0),max = 0.15.
void initStartUp(Session& session, const std::string& appHome, bool decimalComma);

/// @brief The two-line no-data message: `firstLine`, line break, "Geben Sie Daten im Dateneditor
/// ein (=> Neueingabe).".
std::string noDataMessage(const Session& session, const std::string& firstLine);

/// The checks, refusals and state of the evaluation commands are those of evaluation_commands.h;
/// these functions add the window steps of the main window.

/// @brief "Fitting isotherm,  k, ..." (orderFitting false, FittingMode 1) and "Fitting isotherm,
/// k und Reaktionsordnung, A => P" (orderFitting true, FittingMode 2, model 20).
/// @return false when the command refused.
bool startFitting(Session& session, UserDialogs& dialogs, WindowHost& windows, bool orderFitting);

/// @brief What every started evaluation command does with the windows: unloads the diagram when
/// asked, sets the diagram kind, axis window and species, closes the calculation windows, opens the
/// fitting or tangent window and sets up the diagram; a fitting start then switches to the model's
/// kind and presses the fitting window's "Zeichne Kurve". Nothing for a refused command.
void runEvaluationWindows(Session& session, WindowHost& windows, const EvaluationCommandResult& result);

/// @brief "Fitting nicht-isotherm" item 1 (first order, model 2) or 2 (second order, model 3).
/// @return false when the command refused.
bool startNonIsothermalFitting(Session& session, UserDialogs& dialogs, WindowHost& windows, int item);

/// @brief "grafische Auswertung ... per Geradengleichung" for c-t data (lambda false, items 1..4)
/// and for lambda(t) data (lambda true, items 1..3). False when the command refused.
bool startLinearisedEvaluation(Session& session, UserDialogs& dialogs, WindowHost& windows, bool lambda,
                               int item);

/// @brief "Auswertung k-T-Daten" item 1 (ARRHENIUS, kind −3) or 2 (EYRING, kind −4).
/// @return false when the command refused.
bool startKTEvaluation(Session& session, UserDialogs& dialogs, WindowHost& windows, int item);

/// @brief Which of the five tangent items (slots 1..5) the opened menu enables: a species with a
/// concentration above 0 somewhere in the data set.
std::array<bool, 6> tangentItemsEnabled(const Session& session);

/// @brief "aus Messpunkten c(i) - t": tangent rates of species slot 1..5.
void startTangent(Session& session, WindowHost& windows, int slot);

/// @brief Opening the menu "&Reaktoren": refuses while no model is chosen. False on refusal.
bool reactorMenuOpened(const Session& session, UserDialogs& dialogs);

/// @brief "Batch-Reaktor", "Rohrreaktor", "kontinuierlicher Rührkessel" (reactor is one of
/// BatchReactor, TubeReactor, StirredTank).
void openReactor(Session& session, WindowHost& windows, WindowId reactor);

/// @brief "Konzentrations-Zeit-Funktionen" (rateDiagram false) and "Geschwindigkeits-Zeit-
/// Funktionen" (true). The set-up window offers "mit exper. Punkten" exactly when rateDiagram is false.
void startSimulation(Session& session, WindowHost& windows, bool rateDiagram);

/// @brief "Reaktion 1. Ordnung A => P" (item 0) and "Dynamisches Reaktionsgleichgewicht A <=> P" (1).
void startMonteCarlo(Session& session, WindowHost& windows, int item);

/// @brief "ARRHENIUS-Rechner" (form 1) and "EYRING-Rechner" (form 2): reopens the calculator.
void openCalculator(Session& session, WindowHost& windows, int form);

/// @brief "exper. Daten    NEU Eingabe / Laden": empties the data set and opens the data editor.
void newDataSet(Session& session, WindowHost& windows);

/// @brief "exper. Daten    Sichten / Editieren": opens the data editor when the set holds points.
void editDataSet(Session& session, WindowHost& windows);

/// @brief "Tipps zeigen" of the Help menu.
void showTips(Session& session, WindowHost& windows);

/// @brief Text of the information box "Copyright, Kontakt", with "Version 3.3." and the revision.
std::string copyrightText(const Session& session);

/// @brief The steps Exit takes that belong to other units, so that Exit can be run with the real
/// ones in the program and with recorded ones in tests.
struct ExitSteps {
    /// The changed-data prompt; returns true when the user chose to stay (Cancel, or Yes and the
    /// data were not saved).
    std::function<bool()> askSaveChangedData;
    /// Writes the last-session file at the given path; false when it could not be written.
    std::function<bool(const std::string& path)> writeLastSession;
    /// The XY editor's question about its unsaved list; false when the user chose to stay.
    std::function<bool()> keepXyList;
    /// Writes protocol rows still collected; false when they could not be written and the user
    /// chose to stay rather than lose them.
    std::function<bool()> keepProtocolRows;
};

/// @brief Protocol rows still collected are written (with the clipboard copy); when that fails the
/// user is asked whether to end anyway. True when the program may end.
bool keepProtocolRowsAtExit(Session& session, UserDialogs& dialogs);

/// @brief The real steps: AskSaveChangedData, WriteProjectFile, the XY editor's question and the
/// protocol rows of the session.
ExitSteps exitStepsFor(Session& session, UserDialogs& dialogs);

/// @brief "Exit", and closing the main window through its frame: the unsaved XY list and the collected
/// protocol rows first (work that would otherwise be lost), then the changed-data prompt when the data
/// changed and the set holds points, then the last-session file.
/// @return true when the program is to end, false when the user chose to stay.
bool runExit(Session& session, const ExitSteps& steps);

}  // namespace zemtral
