#pragma once
// The whole working state of one running program: what the original kept in module globals.
// Created once in main() and passed by reference to every window.
#include "core/engine.h"
#include "core/stoich_matrix.h"
#include "core/working_state.h"
#include "data/exp_data_set.h"
#include "data/protocol_table.h"
#include "data/xy_list.h"
#include "session/diagram_window_memory.h"
#include "session/diagram_window_state.h"
#include "evaluation/evaluation_state.h"
#include "evaluation/linearised_evaluation.h"

#include <array>
#include <optional>
#include <string>
#include "session/shell_state.h"
#include "reactors/reactor_common.h"

namespace zemtral {

/// @brief The protocol log's state: separator, current file, collected rows, source window.
struct ProtocolState {
    std::string separator = ";";  ///< ";", "," or Tab
    std::string fileName;         ///< from SetAutoProtName; a name without "/" lies in the home
    bool fileOpen = false;        ///< rows were collected since the last close
    ProtocolTable table;
    ProtocolSource source = ProtocolSource::None;
};

struct Session {
    WorkingState state = startUpWorkingState();
    SimulationResult simulation;
    ExpDataSet data;
    DataSurvey survey;

    // Files and directories.
    std::string appHome;           ///< the application home (see data/app_home.h)
    std::string projectComment;    ///< comment of the current project
    std::string projectFileName;   ///< last project file chosen in the load dialog
    std::string projectDir;        ///< start directory of the project dialogs
    std::string lastSessionPath;   ///< appHome + "/ZemLastSession.ZC3"
    std::array<float, 6> dataC0{}; ///< initial concentrations from the data set, slots 1..5 [mol/l]
    bool decimalComma = false;     ///< the locale writes 0.75 with a comma
    XyList xy;                     ///< the XY editor's list
    ProtocolState protocol;
    /// Rate constants read by a project load: the model window's reselection of the model after
    /// a load must keep them instead of applying the model's defaults (see applyModelOnReopen).
    std::optional<std::array<double, 4>> keepRateConstOnReopen;

    // Diagrams.
    DiagramState diagram;               ///< axis windows, frame, series count, curve buffer
    DiagramWindowMemory diagramWindow;  ///< remembered names and folders of the diagram windows

    // Evaluations.
    EvaluationState evaluation;  ///< evaluation switches, activation parameters, fitting window
    ShellState shell;
    StoichMatrix stoichMatrix = BuildStoichMatrix(2, 1.5f);  ///< of the selected model
    std::int16_t diagramKind = 0;  ///< DiagramKind: the diagram the last command prepared
    /// Axis window an evaluation command computed itself (lambda kinds, kind 100); the diagram
    /// set-up takes it instead of AutoRangeFromData. Empty for every other kind.
    std::optional<PlotWindow> evaluationAxisWindow;

    // Reactor values shared by the batch reactor, the stirred tank and the tube.
    double reactionTime = 0.0;                      ///< ReactionTime [time unit]; the tank's residence time
    double conversionA = 0.0;                       ///< ConversionA, U(A) [1]
    SpeciesArray reactorResultConcentrations{};     ///< c(A)..c(Q) after the reactor [mol/l], slots 1..5
    ExtentsOfReaction extentsOfReaction{};          ///< ksi(1), ksi(2) [kmol/m^3]
    ReactorProtocolValues reactorProtocolValues{};  ///< the row handed to the protocol log
    std::int16_t reactorInputChoice = 0;            ///< batch: 0 time given, 1 conversion given
    std::int16_t cstrInputChoice = 0;               ///< stirred tank: 0..4 (CstrInputChoice)
    std::int16_t tubeInputChoice = 0;               ///< tube: 0 time, 1 length, 2 conversion given
};

}  // namespace zemtral
