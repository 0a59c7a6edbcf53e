#include "session/simulation_setup.h"

#include <gtest/gtest.h>

#include <limits>

#include "numeric/number_text.h"

namespace zemtral {
namespace {

TEST(SimulationSetup, EmptyInputsListTheRequiredLines) {
    WorkingState state;
    applyModelDefaults(state, 4);
    SimulationInputs inputs = simulationInputsFor(state);
    EXPECT_TRUE(inputs.bVisible);
    EXPECT_FALSE(inputs.k2Visible);
    inputs.inp.fill("");
    readSimulationInputs(inputs, state);
    EXPECT_EQ(simulationInputProblems(SimulationCommand::Draw, state, 4, inputs),
              (std::vector<std::string>{"- noch keine Eingabe einer Anfangskonzentration c(A)(0)",
                                        "- noch keine Eingabe einer Anfangskonzentration c(B)(0)",
                                        "- Zeit-Vorgabe nicht in Ordnung",
                                        "- Geschwindigkeitskonstante k1 muss größer Null sein"}));

    applyModelDefaults(state, 10);
    inputs = simulationInputsFor(state);
    inputs.inp[1] = "0";
    readSimulationInputs(inputs, state);
    const auto lines = simulationInputProblems(SimulationCommand::List, state, 10, inputs);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "- noch keine Eingabe einer Anfangskonzentration c(S)(0)");
    EXPECT_EQ(problemText({"- a", "- b"}), "- a\r\n- b\r\n");
}

TEST(SimulationSetup, DrawAndListDifferOnK2AndAutocatalysis) {
    WorkingState state;
    applyModelDefaults(state, 8);
    SimulationInputs inputs = simulationInputsFor(state);
    inputs.inp[11] = "0";
    readSimulationInputs(inputs, state);
    EXPECT_TRUE(simulationInputProblems(SimulationCommand::Draw, state, 8, inputs).empty());
    EXPECT_EQ(simulationInputProblems(SimulationCommand::List, state, 8, inputs),
              std::vector<std::string>{"- Geschwindigkeitskonstante k2 muss größer Null sein"});
    state.fittingMode = kFittingRateConstants;
    EXPECT_EQ(simulationInputProblems(SimulationCommand::Draw, state, 8, inputs).size(), 1u);

    WorkingState auto5;
    applyModelDefaults(auto5, 5);
    inputs = simulationInputsFor(auto5);
    inputs.inp[3] = "";
    readSimulationInputs(inputs, auto5);
    EXPECT_EQ(
        simulationInputProblems(SimulationCommand::Draw, auto5, 5, inputs).at(0),
        "- für Autokatalyse muss ein (geringes) c(P)(0) gegeben sein, sonst springt die Reaktion nicht an ");
    EXPECT_EQ(simulationInputProblems(SimulationCommand::List, auto5, 5, inputs).at(0),
              "- für Autokatalyse muss eine (geringe) Anfangskonzentration für P gegeben sein");
}

TEST(SimulationSetup, OrderAndTextsOfTheNthOrderModel) {
    WorkingState state;
    applyModelDefaults(state, 20);
    SimulationInputs inputs = simulationInputsFor(state);
    state.reactionOrder = 0.0f;
    EXPECT_TRUE(simulationInputProblems(SimulationCommand::Draw, state, 20, inputs).empty());
    state.reactionOrder = -0.5f;
    EXPECT_EQ(simulationInputProblems(SimulationCommand::Draw, state, 20, inputs),
              std::vector<std::string>{"- nur n > 0 erlaubt"});
    state.reactionOrder = 1.5f;
    EXPECT_EQ(modelLabelText(state), "kinet. Modell:  A => P, n-ter Ordnung  (n = 1.50)");

    inputs.inp[14] = "12,5";
    readSimulationInputs(inputs, state);
    EXPECT_FLOAT_EQ(state.tEnd, 12.5f);
    EXPECT_EQ(inputs.inp[10], "0.15");

    // Time and order are 4-byte values: a typed number beyond their range is refused by name
    // (it used to reach the integration as infinity).
    inputs.inp[14] = "1e39";
    readSimulationInputs(inputs, state);
    state.reactionOrder = toSingle(-2e40);
    EXPECT_EQ(simulationInputProblems(SimulationCommand::Draw, state, 20, inputs),
              (std::vector<std::string>{"- nur n > 0 erlaubt",
                                        "- Reaktionsordnung n zu groß (höchstens 3.402823E+38)",
                                        "- Zeit-Vorgabe zu groß (höchstens 3.402823E+38)"}));
    // Start values and constants alike: 1e400 is out of range, not an invalid logarithm later.
    inputs.inp[14] = "10";
    inputs.inp[0] = "1e400";
    inputs.inp[11] = "-1e39";
    readSimulationInputs(inputs, state);
    state.reactionOrder = 1.0f;
    EXPECT_EQ(simulationInputProblems(SimulationCommand::Draw, state, 20, inputs),
              (std::vector<std::string>{"- Anfangskonzentration c(A)(0) zu groß (höchstens 3.402823E+38)",
                                        "- Geschwindigkeitskonstante k2 zu groß (höchstens 3.402823E+38)"}));
    EXPECT_EQ(simulationInputsFor(state, ',').inp[14], "10");
    state.tEnd = 12.5f;
    EXPECT_EQ(simulationInputsFor(state, ',').inp[14], "12,5");
    EXPECT_EQ(toSingle(3.4028234e38), 3.4028234e38f);
    EXPECT_EQ(toSingle(-1e300), -std::numeric_limits<float>::infinity());
    state.reactionOrder = 1.5f;

    WorkingState enzyme;
    applyModelDefaults(enzyme, 10);  // k> 0.15, k< 0.1, k3 0.005
    updateMichaelisConstant(enzyme);
    EXPECT_FLOAT_EQ(enzyme.mmSettings.km, 0.7f);
    EXPECT_EQ(michaelisLabelText(enzyme),
              "Michaelis-Konstante KM = (k< + k3) / k> =0.7\r\n(reale Größenordnung KM = 1E-2...1E-5)");
}

}  // namespace
}  // namespace zemtral
