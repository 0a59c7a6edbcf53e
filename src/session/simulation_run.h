#pragma once
// One run of the kinetic model from the session: the input check, the diagram kind the run
// shows, the engine run with its step budget and stop hook, and the axis ranges it found. No
// message is shown here: the caller turns the outcome into one.
#include <functional>
#include <string>
#include <vector>

#include "core/engine.h"
#include "session/session.h"
#include "session/simulation_setup.h"

namespace zemtral {

class UserDialogs;

/// @brief What a caller asks of one simulation run besides the working state.
struct SimulationRunOptions {
    /// Input texts to check before the run (the set-up window's fields or those of the state);
    /// no check when null. The check uses the session's diagram kind at the time of the call.
    const SimulationInputs* checkedInputs = nullptr;
    SimulationCommand command = SimulationCommand::Draw;  ///< which command's checks apply
    /// The run shows the model's own diagram: after the check the session's diagram kind becomes
    /// the model's concentration or rate kind.
    bool showsModelDiagram = false;
    /// After a run without fault the engine's axis ranges go into the diagram's range table.
    bool storeAxisRanges = false;
    long stepBudget = kEngineStepBudget;
    std::function<bool()> keepGoing;  ///< asked now and then during the run; false stops it
};

enum class SimulationOutcome {
    Ran,      ///< session.simulation holds the run
    Refused,  ///< the inputs did not pass the check; nothing ran
    Fault,    ///< the engine stopped on a fault or at its step budget
    Stopped,  ///< the stop hook ended the run
};

/// @brief The outcome of runSimulation with what the caller needs for its message.
struct SimulationRunResult {
    SimulationOutcome outcome = SimulationOutcome::Ran;
    std::vector<std::string> problems;  ///< Refused: the problem lines in order
    EngineStatus engine;                ///< the engine's status (Fault, Stopped)

    bool ran() const { return outcome == SimulationOutcome::Ran; }
    /// @brief Title of the message of a refusal or fault.
    std::string messageTitle() const;
    /// @brief Text of the message of a refusal (lines each followed by CR LF) or a fault.
    std::string messageText() const;
};

/// @brief Runs session.state's model into session.simulation as `options` ask.
SimulationRunResult runSimulation(Session& session, const SimulationRunOptions& options = {});

/// @brief Shows the message of a refused or faulty run as a critical message box; a run that ran
/// or that the user stopped shows none. Returns result.ran().
bool reportSimulationRun(const SimulationRunResult& result, UserDialogs& dialogs);

}  // namespace zemtral
