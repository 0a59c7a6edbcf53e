#pragma once
// The subcommands whose result the diagram window can show: their option grammars and their work
// up to the output, leaving the session as the program's windows leave it just before the
// diagram is set up. `plot` draws from there.
#include <iosfwd>

#include "cli/cli_args.h"
#include "session/evaluation_commands.h"
#include "session/session.h"
#include "session/simulation_setup.h"
#include "session/user_dialogs.h"

namespace zemtral::cli {

/// @brief How the diagram of a prepared session is reached.
enum class DiagramRoute {
    Simulation,  ///< "c-t-Diagramm zeichnen" of the set-up window: the curves of the last run
    HalfLives,   ///< the same with the diagram window's half-life marks of A and B
    Evaluation,  ///< an evaluation menu command: its points with straight line, or the spline
    Fitting,     ///< the fitting start, Auto-Fitting and the fitting window's "Zeichne Kurve"
};

/// @brief What a prepared session needs to become a diagram.
struct DiagramSource {
    DiagramRoute route = DiagramRoute::Simulation;
    EvaluationCommandResult started;  ///< the started menu command (Evaluation, Fitting)
};

OptionSpec simulateGrammar();
OptionSpec halfLifeGrammar();
OptionSpec evaluateGrammar();
OptionSpec fitGrammar();
OptionSpec tangentGrammar();

/// @brief simulate: the working state from the options, the set-up window's checks for `command`
/// and the engine run into session.state and session.simulation; session.diagramKind is the
/// model's concentration-time or rate-time kind. kExitOk, or the exit code after the message.
/// `commandName` names the subcommand in usage errors.
int prepareSimulation(const ParsedArgs& args, SimulationCommand command, Session& session, std::ostream& err,
                      const std::string& commandName = "simulate");

/// @brief evaluate METHOD FILE: the data loaded and the evaluation's menu command started.
int prepareEvaluation(const ParsedArgs& args, Session& session, UserDialogs& dialogs, std::ostream& err,
                      DiagramSource& source);

/// @brief fit FILE: the data loaded, the fitting started with the model, the start values, the
/// fitted species and the fixed parameters set; Auto-Fitting is left to the caller.
int prepareFit(const ParsedArgs& args, Session& session, UserDialogs& dialogs, std::ostream& err,
               DiagramSource& source);

/// @brief tangent FILE --species S [--smoothing q]: the data loaded and the tangent evaluation of
/// the species started with the smoothing exponent (the diagram of measured points and spline).
int prepareTangentDiagram(const ParsedArgs& args, Session& session, UserDialogs& dialogs, std::ostream& err,
                          DiagramSource& source);

}  // namespace zemtral::cli
