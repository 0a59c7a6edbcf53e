// The model window's logic: model choice, order box, time unit and what calculation windows show.
#include "session/model_commands.h"

#include <gtest/gtest.h>

#include "session/main_commands.h"

namespace zemtral {
namespace {

Session startedSession() {
    Session session;
    initStartUp(session, "/tmp/zem", false);
    return session;
}

TEST(ModelChoice, AppliesDefaultsDiagramKindAndMatrix) {
    Session session = startedSession();
    session.state.rateConst = {0, 9, 9, 9};
    const ModelChoiceResult r = selectModel(session, 17, " 1.5");
    EXPECT_EQ(r.modelId, 17);
    EXPECT_FALSE(r.orderBoxEnabled);
    EXPECT_DOUBLE_EQ(session.state.rateConst[1], 0.15);
    EXPECT_DOUBLE_EQ(session.state.rateConst[2], 0.01);
    EXPECT_DOUBLE_EQ(session.state.rateConst[3], 0.0);
    EXPECT_EQ(session.diagramKind, 17);
    EXPECT_FLOAT_EQ(session.stoichMatrix[1][kSlotA], -1.0f);
    EXPECT_FLOAT_EQ(session.stoichMatrix[2][kSlotP], -1.0f);

    session.state.rateDiagram = true;
    selectModel(session, 0, "2,5");
    EXPECT_EQ(session.state.modelId, 20);
    EXPECT_FLOAT_EQ(session.state.reactionOrder, 2.5f);
    EXPECT_EQ(session.diagramKind, 70);
    EXPECT_FLOAT_EQ(session.stoichMatrix[1][kSlotA], -2.5f);
}

TEST(ModelChoice, FittingStartKindSurvivesAndOtherKindsFollowTheModel) {
    Session session = startedSession();
    session.state.fittingMode = 1;
    session.diagramKind = -9;
    selectModel(session, 4, "");
    EXPECT_EQ(session.diagramKind, -9);
    session.diagramKind = -3;
    selectModel(session, 6, "");
    EXPECT_EQ(session.diagramKind, 6);
}

TEST(ModelChoice, LoadOptionAndTimeUnitIndex) {
    Session session = startedSession();
    EXPECT_EQ(optionAtLoad(session), 2);
    session.state.modelId = 20;
    session.diagramKind = -1;
    EXPECT_EQ(optionAtLoad(session), 0);
    session.diagramKind = 70;
    EXPECT_EQ(optionAtLoad(session), 0);  // model 20 always has option 0
    session.state.timeUnit = "min";
    EXPECT_EQ(timeUnitIndexOf(session), 1);
    session.state.timeUnit = "Woche";
    EXPECT_EQ(timeUnitIndexOf(session), 0);
}

TEST(ModelChoice, TimeUnitChangeConvertsDataAndConstants) {
    Session session = startedSession();
    ExpPoint p;
    p.t = 2.0;
    session.data.points.push_back(p);
    session.data.pointCount = 1;
    EXPECT_EQ(recalcTimeWarning(session), kRecalcTimeWarning);
    changeTimeUnit(session, 1);  // s -> min
    EXPECT_EQ(session.state.timeUnit, "min");
    EXPECT_NEAR(session.data.points[1].t, 2.0 / 60.0, 1e-12);
    EXPECT_NEAR(session.state.rateConst[1], 0.15 * 60.0, 1e-12);
    changeTimeUnit(session, 0);
    EXPECT_NEAR(session.data.points[1].t, 2.0, 1e-12);
    EXPECT_NEAR(session.state.rateConst[1], 0.15, 1e-12);
}

TEST(CalcWindowConfiguration, EnzymeModelInReactorAndFittingWindow) {
    Session session = startedSession();
    selectModel(session, 10, "");
    const CalcWindowConfig reactor =
        buildCalcWindowConfig(session, CalcWindowKind::BatchReactor, {{}, {}, 12.5f});
    EXPECT_TRUE(reactor.michaelisVisible);
    EXPECT_TRUE(reactor.reactor);
    EXPECT_FALSE(reactor.singleReaction);
    EXPECT_EQ(reactor.speciesCaption[0], "E");
    EXPECT_EQ(reactor.speciesCaption[2], "ES");
    EXPECT_EQ(reactor.speciesCaption[7], "ES");
    EXPECT_TRUE(reactor.speciesVisible[3]);
    EXPECT_FALSE(reactor.speciesVisible[4]);
    EXPECT_TRUE(reactor.speciesVisible[8]);
    EXPECT_EQ(reactor.rateCaption, (std::array<std::string, 3>{"k>", "k<", "k3"}));
    EXPECT_TRUE(reactor.k3Visible);
    EXPECT_EQ(reactor.inputText[1].value(), "5");
    EXPECT_EQ(reactor.inputText[14].value(), "12.5");
    EXPECT_EQ(reactor.modelLabel, "kinet. Modell:  E + S <=> ES => P + E");

    const CalcWindowConfig setUp = buildCalcWindowConfig(session, CalcWindowKind::SimulationSetUp);
    EXPECT_FALSE(setUp.speciesVisible[8]);  // result concentrations only in reactors
    EXPECT_EQ(setUp.inputText[14].value(), "100");
    EXPECT_FALSE(buildCalcWindowConfig(session, CalcWindowKind::StirredTank).inputText[14].has_value());
}

TEST(CalcWindowConfiguration, OrderFittingShowsNAndModel20Label) {
    Session session = startedSession();
    session.state.fittingMode = 2;
    selectModel(session, 0, "1.5");
    const CalcWindowConfig c = buildCalcWindowConfig(session, CalcWindowKind::Fitting);
    EXPECT_EQ(c.rateCaption[1], "n");
    EXPECT_TRUE(c.k2Visible);
    EXPECT_EQ(c.inputText[11].value(), "1.5");
    EXPECT_EQ(c.modelLabel, "kinet. Modell:  A => P, n-ter Ordnung  (n = 1.50)");
}

TEST(MatrixText, Model20ShowsTheOrderAsCoefficient) {
    Session session = startedSession();
    selectModel(session, 0, "1.5");
    const std::string text = matrixText(session);
    EXPECT_NE(text.find("(n = 1.50)"), std::string::npos);
    EXPECT_NE(text.find("A       -1.5"), std::string::npos) << text;
}

}  // namespace
}  // namespace zemtral
