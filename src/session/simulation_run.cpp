#include "session/simulation_run.h"

#include "diagrams/axis_range.h"
#include "numeric/fp_guard.h"
#include "session/user_dialogs.h"

namespace zemtral {

std::string SimulationRunResult::messageTitle() const {
    return outcome == SimulationOutcome::Refused ? std::string(kNotPossibleTitle)
                                                 : routineMessageTitle("calc_diagramfunctioncT");
}

std::string SimulationRunResult::messageText() const {
    return outcome == SimulationOutcome::Refused ? problemText(problems) : engine.message;
}

SimulationRunResult runSimulation(Session& session, const SimulationRunOptions& options) {
    SimulationRunResult result;
    WorkingState& state = session.state;
    if (options.checkedInputs != nullptr) {
        result.problems =
            simulationInputProblems(options.command, state, session.diagramKind, *options.checkedInputs);
        if (!result.problems.empty()) {
            result.outcome = SimulationOutcome::Refused;
            return result;
        }
    }
    if (options.showsModelDiagram) {
        session.diagramKind = simulationDiagramKind(state.modelId, state.rateDiagram);
    }
    EngineControl control;
    control.stepBudget = options.stepBudget;
    control.keepGoing = options.keepGoing;
    result.engine = calc_diagramfunctioncT(state.modelId, state, session.simulation, control);
    if (result.engine.errorFlag != 0) {
        result.outcome = result.engine.cancelled ? SimulationOutcome::Stopped : SimulationOutcome::Fault;
        return result;
    }
    if (options.storeAxisRanges) {
        storeEngineAxisRanges(session.simulation, session.diagram.axisRanges);
    }
    return result;
}

bool reportSimulationRun(const SimulationRunResult& result, UserDialogs& dialogs) {
    if (result.outcome == SimulationOutcome::Refused || result.outcome == SimulationOutcome::Fault) {
        dialogs.showMessage(result.messageTitle(), result.messageText(), MessageIcon::Critical);
    }
    return result.ran();
}

}  // namespace zemtral
