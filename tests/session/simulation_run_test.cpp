#include "session/simulation_run.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/recording_dialogs.h"
#include "support/tolerance.h"

namespace zemtral {
namespace {

using test::near;
using test::RecordingDialogs;

// The diagram the session showed before the run: the measured points.
constexpr std::int16_t kEarlierKind = -1;

Session sessionWithModel(int model) {
    Session session;
    applyModelDefaults(session.state, static_cast<std::int16_t>(model));
    session.state.tEnd = 20.0f;
    session.diagramKind = kEarlierKind;
    return session;
}

TEST(RunSimulation, RunsTheModelAndShowsItsDiagramWhenAsked) {
    Session session = sessionWithModel(2);
    session.state.rateDiagram = true;
    const SimulationInputs inputs = simulationInputsFor(session.state);
    SimulationRunOptions options;
    options.checkedInputs = &inputs;
    options.showsModelDiagram = true;
    options.storeAxisRanges = true;
    const SimulationRunResult run = runSimulation(session, options);
    ASSERT_TRUE(run.ran()) << run.messageText();
    EXPECT_EQ(session.diagramKind, 52);
    ASSERT_EQ(session.simulation.pointCount, 201);
    // A => P of first order: c(A) = c(A)(0)·exp(−k1·t) at the end of the run.
    const double k1 = session.state.rateConst[1];
    EXPECT_TRUE(near(session.simulation.simConc[kSlotA][200], std::exp(-k1 * 20.0), 1e-9));
    RecordingDialogs dialogs;
    EXPECT_TRUE(reportSimulationRun(run, dialogs));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST(RunSimulation, RefusedInputsRunNothingAndKeepTheDiagramKind) {
    Session session = sessionWithModel(4);
    SimulationInputs inputs = simulationInputsFor(session.state);
    inputs.inp[0] = "0";
    readSimulationInputs(inputs, session.state);
    SimulationRunOptions options;
    options.checkedInputs = &inputs;
    options.showsModelDiagram = true;
    const SimulationRunResult run = runSimulation(session, options);
    EXPECT_EQ(run.outcome, SimulationOutcome::Refused);
    EXPECT_EQ(session.diagramKind, kEarlierKind);
    EXPECT_EQ(session.simulation.pointCount, 0);
    RecordingDialogs dialogs;
    EXPECT_FALSE(reportSimulationRun(run, dialogs));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.last().title, kNotPossibleTitle);
    EXPECT_EQ(dialogs.last().text, "- noch keine Eingabe einer Anfangskonzentration c(A)(0)\r\n");
    EXPECT_EQ(dialogs.last().icon, MessageIcon::Critical);
}

TEST(RunSimulation, StepBudgetFaultIsReportedAndAStopIsNot) {
    Session session = sessionWithModel(10);
    session.state.rateConst = {0.0, 1e9, 1e3, 1e3};
    session.state.conc0 = {0.0, 1e-7, 1e-3, 0.0, 0.0, 0.0};
    session.state.tEnd = 100.0f;
    SimulationRunOptions options;
    options.stepBudget = 600;
    options.storeAxisRanges = true;
    const AxisRangeTable before = session.diagram.axisRanges;
    const SimulationRunResult fault = runSimulation(session, options);
    EXPECT_EQ(fault.outcome, SimulationOutcome::Fault);
    EXPECT_EQ(session.diagram.axisRanges, before);
    RecordingDialogs dialogs;
    EXPECT_FALSE(reportSimulationRun(fault, dialogs));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.last().title, "Meldung von calc_diagramfunctioncT");
    EXPECT_EQ(dialogs.last().text, fault.engine.message);

    options.stepBudget = kEngineStepBudget;
    options.keepGoing = [] { return false; };
    const SimulationRunResult stopped = runSimulation(session, options);
    EXPECT_EQ(stopped.outcome, SimulationOutcome::Stopped);
    EXPECT_FALSE(reportSimulationRun(stopped, dialogs));
    EXPECT_EQ(dialogs.shown.size(), 1u);  // the user asked for the stop: no message
}

}  // namespace
}  // namespace zemtral
