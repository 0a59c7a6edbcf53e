// The evaluation commands' preconditions and texts, word for word, and what they set.
#include "session/evaluation_commands.h"

#include <gtest/gtest.h>

#include <cmath>

#include "evaluation/linearised_evaluation.h"
#include "session/outside_files.h"
#include "session/project_commands.h"
#include "support/recording_dialogs.h"
#include "test_paths.h"

namespace zemtral {
namespace {

using test::RecordingDialogs;

void addPoint(Session& s, double t, double cA, double cB = 0.0) {
    ExpPoint p;
    p.t = t;
    p.c[kSlotA] = cA;
    p.c[kSlotB] = cB;
    s.data.points.push_back(p);
    s.data.pointCount = static_cast<std::int16_t>(s.data.points.size() - 1);
}

Session ctSession(int points) {
    Session s;
    for (int i = 0; i < points; ++i) {
        // From t = 1: a point at t = 0 would hand its concentrations to the evaluations.
        addPoint(s, i + 1, std::exp(-0.1 * (i + 1)), 0.5 * std::exp(-0.1 * (i + 1)));
    }
    s.survey.hasCtData = points >= 2;
    s.survey.shownSpecies = {false, true, true, false, false, false};
    s.state.conc0[kSlotA] = 1.0;
    return s;
}

TEST(EvaluationCommands, CtEvaluationChecksInOrder) {
    RecordingDialogs d;
    Session none;
    none.state.fittingMode = kFittingRateConstants;
    EXPECT_FALSE(startCtEvaluation(none, 1, d).started);
    EXPECT_EQ(none.state.fittingMode, kFittingNone);
    EXPECT_EQ(d.last().title, kNotPossibleTitle);
    EXPECT_EQ(d.last().icon, MessageIcon::Critical);
    EXPECT_EQ(d.last().text,
              "Keine oder zuwenig experimentelle c-t-Daten.\r\nGeben Sie Daten im Dateneditor ein (=> "
              "Neueingabe).");

    Session three = ctSession(3);
    EXPECT_FALSE(startCtEvaluation(three, 4, d).started);
    EXPECT_EQ(d.last().text,
              "Keine (oder zuwenig) experimentelle c-t-Daten.\r\nGeben Sie Daten im Dateneditor ein (=> "
              "Neueingabe).");
    EXPECT_EQ(startCtEvaluation(three, 1, d).diagramKind, kEvalFirstOrder);
    EXPECT_EQ(three.state.modelId, 2);

    EXPECT_FALSE(startCtEvaluation(three, 3, d).started);
    EXPECT_EQ(d.last().text, "Es werden beide Anfangskonzentrationen c(A)(0) und c(B)(0) benötigt.");
    three.state.conc0[kSlotB] = 1.0;
    EvaluationCommandResult equal = startCtEvaluation(three, 3, d);
    EXPECT_EQ(equal.diagramKind, kEvalSecondOrder);
    EXPECT_TRUE(three.evaluation.equalStartConc);
    EXPECT_EQ(three.state.modelId, 4);
    three.state.conc0[kSlotB] = 0.5;
    EXPECT_EQ(startCtEvaluation(three, 3, d).diagramKind, kEvalSecondOrderUnequal);
    EXPECT_FALSE(three.evaluation.equalStartConc);

    three.state.conc0[kSlotA] = 0.0;
    EXPECT_FALSE(startCtEvaluation(three, 2, d).started);
    EXPECT_EQ(d.last().text, "Keine Anfangskonzentration c(A)(0) gefunden");
}

std::string sample(const char* name) {
    return std::string(ZEMTRAL_SOURCE_DIR) + "/resources/samples/" + name;
}

// Evaluations of a loaded set start from the concentrations the set measures at t = 0, whatever the
// simulation's start values are; a species the set does not measure keeps the working state's.
TEST(EvaluationCommands, EvaluationsOfLoadedDataUseTheMeasuredStartValues) {
    RecordingDialogs d;
    Session saponification;
    saponification.state.conc0[kSlotA] = 1.0;
    saponification.state.conc0[kSlotB] = 0.0;
    saponification.state.conc0[kSlotC] = 0.3;
    ASSERT_TRUE(loadDataFileFromPath(saponification, d, sample("verseifung.ZD3")));
    const EvaluationCommandResult aPlusB = startCtEvaluation(saponification, 3, d);
    ASSERT_TRUE(aPlusB.started) << d.last().text;
    EXPECT_FLOAT_EQ(static_cast<float>(saponification.state.conc0[kSlotA]), 0.02f);
    EXPECT_FLOAT_EQ(static_cast<float>(saponification.state.conc0[kSlotB]), 0.02f);
    EXPECT_DOUBLE_EQ(saponification.state.conc0[kSlotC], 0.3);
    EXPECT_TRUE(saponification.evaluation.equalStartConc);
    const LinearEvaluationResult r = runLinearisedEvaluation(saponification.data, aPlusB.diagramKind,
                                                             saponification.state, saponification.evaluation);
    EXPECT_EQ(r.errorFlag, 0) << r.errorText;
    EXPECT_GT(r.k, 0.0);

    // Second order on conductivities: k as if the file's c(A)(0) = 0.01 had been typed in.
    auto lambdaK = [&d](double typedA0) {
        Session s;
        s.state.conc0[kSlotA] = typedA0;
        s.state.conc0[kSlotB] = typedA0;
        EXPECT_TRUE(loadDataFileFromPath(s, d, sample("verseifung_leitfaehigkeit.ZD3")));
        const EvaluationCommandResult started = startLambdaEvaluation(s, 2, d);
        EXPECT_TRUE(started.started);
        return runLinearisedEvaluation(s.data, started.diagramKind, s.state, s.evaluation).k;
    };
    EXPECT_DOUBLE_EQ(lambdaK(1.0), lambdaK(0.01));
    // Without a point at t = 0 nothing is measured at the start: the state's values stay.
    Session late = ctSession(4);
    late.state.conc0[kSlotB] = 0.7;
    adoptDataStartValues(late);
    EXPECT_DOUBLE_EQ(late.state.conc0[kSlotA], 1.0);
    EXPECT_DOUBLE_EQ(late.state.conc0[kSlotB], 0.7);
}

TEST(EvaluationCommands, LambdaEvaluationChecksAndHints) {
    RecordingDialogs d;
    Session s;
    EXPECT_FALSE(startLambdaEvaluation(s, 1, d).started);
    EXPECT_EQ(d.last().text,
              "Keine oder zuwenig experimentelle lambda-Daten.\r\nGeben Sie Daten im Dateneditor ein "
              "(=> Neueingabe).");
    s.survey.hasLambdaData = true;
    s.data.lambdaInf = 10.0;
    for (int i = 1; i <= 4; ++i) {
        ExpPoint p;
        p.t = i;
        p.lambda = static_cast<float>(10 - 8 * std::exp(-0.2 * i));
        s.data.points.push_back(p);
    }
    s.data.pointCount = 4;
    s.state.conc0[kSlotA] = 0.0;
    EXPECT_FALSE(startLambdaEvaluation(s, 2, d).started);
    EXPECT_EQ(d.last().text.rfind(
                  "Für eine lambda-Auswertung nach 2. Ordnung muss\r\neine Anfangskonzentration", 0),
              0u);
    s.state.conc0[kSlotA] = 1.0;
    s.state.conc0[kSlotB] = 0.5;
    EXPECT_FALSE(startLambdaEvaluation(s, 3, d).started);
    EXPECT_EQ(d.last().text, "Im Augenblick wird nur die Variante c(A)(0) = c(B)(0) unterstützt.");

    d.shown.clear();
    const EvaluationCommandResult r = startLambdaEvaluation(s, 1, d);
    ASSERT_TRUE(r.started);
    EXPECT_EQ(r.diagramKind, kEvalLambdaFirstOrder);
    EXPECT_TRUE(s.evaluation.lambdaMode);
    ASSERT_EQ(d.shown.size(), 1u);  // no lambda(0): the hint, and the evaluation goes on
    EXPECT_EQ(d.last().title, "Hinweis zur Auswertung der lambda-Werte, 1. Ordnung");
    EXPECT_EQ(d.last().icon, MessageIcon::Exclamation);
    ASSERT_TRUE(r.axisWindow.has_value());
    EXPECT_FLOAT_EQ(r.axisWindow->xMax, 4.2f);

    s.data.lambdaInf = 0.0;
    EXPECT_FALSE(startLambdaEvaluation(s, 1, d).started);
    EXPECT_EQ(d.last().text, "Keinen Wert lambda(t = infin) gefunden");
}

TEST(EvaluationCommands, FittingCommands) {
    RecordingDialogs d;
    Session none;
    EXPECT_FALSE(startCtFitting(none, d).started);
    EXPECT_EQ(none.state.fittingMode, kFittingRateConstants);
    Session s = ctSession(6);
    const EvaluationCommandResult r = startOrderFitting(s, d);
    EXPECT_TRUE(r.started);
    EXPECT_EQ(r.diagramKind, kEvalFittingPoints);
    EXPECT_EQ(s.state.modelId, 20);
    EXPECT_EQ(s.state.fittingMode, kFittingOrder);
    EXPECT_FLOAT_EQ(static_cast<float>(s.evaluation.fitParams[2]), s.state.reactionOrder);

    d.shown.clear();
    s.survey.temperatureCount = 1;
    EXPECT_FALSE(startNonIsothermalFitting(s, 1, d).started);
    ASSERT_EQ(d.shown.size(), 2u);
    EXPECT_EQ(d.shown[0].title, "Warnung");
    EXPECT_EQ(d.shown[0].text,
              "Ein Datensatz mit nur einer Temperatur kann hier nicht zu einem \r\nsinnvollen "
              "Ergebnis hinsichtlich ARRHENIUS- bzw. EYRING-Parametern führen.");
    EXPECT_EQ(d.shown[1].text,
              "Keine oder zuwenig experimentelle t-c-T-Daten.\r\nGeben Sie Daten im Dateneditor ein (=> "
              "Neueingabe).");
    s.survey.hasCtTData = true;
    s.state.conc0[kSlotA] = 0.0;
    EXPECT_FALSE(startNonIsothermalFitting(s, 2, d).started);
    EXPECT_EQ(d.last().text, "Für diesen Fall muss die Anfangskonzentration c(A)(0) gegeben sein.");
    EXPECT_TRUE(startNonIsothermalFitting(s, 1, d).started);
    EXPECT_EQ(s.state.fittingMode, kFittingNonIsothermalFirst);
    EXPECT_EQ(s.state.modelId, 2);
}

TEST(EvaluationCommands, KTEvaluationNeedsTwoDistinctPairs) {
    RecordingDialogs d;
    Session s;
    EXPECT_FALSE(startKTEvaluation(s, 1, d).started);
    EXPECT_EQ(d.last().text, "Erst experimentelle Punkte k-T laden oder eingeben!");
    s.survey.hasKTData = true;
    for (int i = 0; i < 2; ++i) {
        ExpPoint p;
        p.k = 0.2;
        p.T = 300;
        p.exclude = static_cast<std::int16_t>(i == 1 ? -1 : 0);
        s.data.points.push_back(p);
    }
    s.data.pointCount = 2;
    EXPECT_FALSE(startKTEvaluation(s, 1, d).started);
    EXPECT_EQ(d.last().text, "mindestens zwei unterschiedliche Paare k - T nötig!");
    // An excluded point is no pair of the evaluation, however different it is.
    s.data.points[2].T = 320;
    EXPECT_FALSE(startKTEvaluation(s, 1, d).started);
    EXPECT_EQ(d.last().text, "mindestens zwei unterschiedliche Paare k - T nötig!");
    // Two pairs at one temperature determine no Arrhenius line.
    s.data.points[2].exclude = 0;
    s.data.points[2].T = 300;
    s.data.points[2].k = 0.4;
    EXPECT_FALSE(startKTEvaluation(s, 1, d).started);
    EXPECT_EQ(
        d.last().text.rfind("Alle verwendbaren Messpunkte liegen bei derselben Zeit bzw. Temperatur", 0), 0u);
    s.data.points[2].T = 320;
    const EvaluationCommandResult r = startKTEvaluation(s, 2, d);
    EXPECT_TRUE(r.started);
    EXPECT_EQ(r.diagramKind, kEvalEyring);
}

TEST(EvaluationCommands, DrawCurveChecksListEveryProblem) {
    Session s;
    applyModelDefaults(s.state, 10);
    s.state.fittingMode = kFittingRateConstants;
    s.state.conc0[kSlotB] = 0.0;
    s.state.rateConst = {0.0, 0.0, -1.0, 0.0};
    const std::vector<std::string> lines = drawFittingCurveProblems(s);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "- noch keine Eingabe einer Anfangskonzentration c(S)(0)");
    EXPECT_EQ(lines[1], "- Geschwindigkeitskonstante k1 muss größer Null sein");
    EXPECT_EQ(lines[2], "- Geschwindigkeitskonstante k2 muss größer Null sein");
    EXPECT_EQ(lines[3], "- Geschwindigkeitskonstante k3 muss größer Null sein");
    RecordingDialogs d;
    EXPECT_FALSE(drawFittingCurve(s, d).has_value());
    EXPECT_EQ(d.last().text, lines[0] + "\r\n" + lines[1] + "\r\n" + lines[2] + "\r\n" + lines[3]);

    Session auto5;
    applyModelDefaults(auto5.state, 5);
    auto5.state.conc0[kSlotP] = 0.0;
    auto5.state.fittingMode = kFittingRateConstants;
    EXPECT_EQ(
        drawFittingCurveProblems(auto5).front(),
        "- für Autokatalyse muss ein (geringes) c(P)(0) gegeben sein, sonst springt die Reaktion nicht an ");

    // Modes 6 and 7: one curve per temperature with k(T) and its legend.
    Session ni;
    ni.state.fittingMode = kFittingNonIsothermalFirst;
    ni.evaluation.activation.arrheniusA = 2.0;
    ni.evaluation.activation.activationEnergy = 5000 * kGasConstant;
    ni.survey.temperatureCount = 2;
    ni.survey.temperatureList = {0.0f, 300.0f, 350.0f};
    const std::vector<FittingCurve> curves = fittingCurves(ni);
    ASSERT_EQ(curves.size(), 2u);
    EXPECT_NEAR(curves[1].k1, 2.0 * std::exp(-5000.0 / 350.0), 1e-18);
    EXPECT_EQ(curves[1].legend, "c(A) T/K = 350");
}

TEST(EvaluationCommands, AutoFittingAndManualChangesWriteTheWorkingState) {
    RecordingDialogs d;
    Session s = ctSession(8);
    applyModelDefaults(s.state, 2);
    s.state.fittingMode = kFittingRateConstants;
    s.evaluation.fitSpecies = {false, true, false, false, false, false};
    typeFitParameter(s, 1, "0");
    EXPECT_EQ(s.state.rateConst[1], 1e-8);
    typeFitParameter(s, 1, "0,2");
    slideFitParameter(s, 1, 100, false);
    EXPECT_DOUBLE_EQ(s.state.rateConst[1], 0.4);
    const AutoFitOutcome out = autoFitting(s, d);
    EXPECT_TRUE(out.fit.converged);
    EXPECT_TRUE(d.shown.empty());
    EXPECT_NEAR(s.state.rateConst[1], 0.1, 1e-7);
    EXPECT_EQ(s.evaluation.fitParams[1], s.state.rateConst[1]);
    EXPECT_TRUE(s.evaluation.standardDeviationShown);

    Session two = ctSession(2);
    applyModelDefaults(two.state, 6);
    two.state.fittingMode = kFittingRateConstants;
    EXPECT_TRUE(autoFitting(two, d).refused);
    EXPECT_EQ(d.last().title, kNotPossibleTitle);
}

TEST(EvaluationCommands, TangentCommandAndCalculation) {
    Session s;
    for (int i = 0; i <= 4; ++i) {
        ExpPoint p;
        p.t = 10.0 * i;
        p.c[kSlotC] = 0.1 * i;
        s.data.points.push_back(p);
    }
    s.data.pointCount = 5;
    s.state.smoothingExponent = 0.3f;
    const EvaluationCommandResult r = startTangent(s, 3);
    EXPECT_EQ(r.diagramKind, kEvalSingleSpecies);
    EXPECT_EQ(r.selectedSpecies, 3);
    EXPECT_EQ(s.state.smoothingExponent, 0.0f);
    ASSERT_TRUE(r.axisWindow.has_value());
    RecordingDialogs d;
    const auto v = calculateTangent(s, "25", *r.axisWindow, d);
    ASSERT_TRUE(v.has_value());
    EXPECT_NEAR(v->rate, 0.01, 1e-12);
    EXPECT_FALSE(calculateTangent(s, "99", *r.axisWindow, d).has_value());
    EXPECT_EQ(d.beeps, 1);
}

TEST(EvaluationCommands, HalfLifeMarkOfFirstOrder) {
    RecordingDialogs d;
    Session s;
    applyModelDefaults(s.state, 2);
    s.state.rateConst[1] = 0.1;
    s.state.tEnd = 50.0f;
    ASSERT_EQ(calc_diagramfunctioncT(2, s.state, s.simulation).errorFlag, 0);
    const HalfLifeMark m = halfLifeCommand(s, HalfLifeSpecies::A, 2, d);
    EXPECT_TRUE(m.show);
    EXPECT_NEAR(m.line[0].x, std::log(2.0) / 0.1, 1e-4);
    EXPECT_EQ(m.statusText, "Halbwertszeit tau(A) = 6.93 s");
    EXPECT_TRUE(d.shown.empty());

    // A numerically integrated model whose half-life lies beyond the simulated time.
    applyModelDefaults(s.state, 20);
    s.state.rateConst[1] = 1e-4;
    s.state.tEnd = 10.0f;
    ASSERT_EQ(calc_diagramfunctioncT(20, s.state, s.simulation).errorFlag, 0);
    EXPECT_EQ(halfLifeCommand(s, HalfLifeSpecies::A, 20, d).statusText,
              "Halbwertszeit liegt nicht im Diagramm-Bereich");
}

TEST(EvaluationCommands, FitResultCaptionNamesTheModelAndItsConstants) {
    Session s;
    applyModelDefaults(s.state, 4);
    s.state.fittingMode = kFittingRateConstants;
    s.state.rateConst = {0.0, 6.6730712, 0.0, 0.0};
    EXPECT_EQ(fitResultCaption(s), "kinet. Modell: A + B => P   (n = 2)\r\nk1 =6.673071");

    applyModelDefaults(s.state, 15);  // k>, k< and k3
    s.state.fittingMode = kFittingRateConstants;
    s.state.rateConst = {0.0, 0.5, 0.25, 0.125};
    EXPECT_EQ(fitResultCaption(s), "kinet. Modell: A <=> C => P\r\nk1 =0.5, k2 =0.25, k3 =0.125");

    applyModelDefaults(s.state, 20);
    s.state.fittingMode = kFittingOrder;
    s.state.rateConst[1] = 0.02;
    s.state.reactionOrder = 1.5f;
    EXPECT_EQ(fitResultCaption(s).substr(fitResultCaption(s).find("\r\n")), "\r\nk1 =0.02, n =1.5");

    applyModelDefaults(s.state, 2);
    s.state.fittingMode = kFittingNonIsothermalFirst;
    s.evaluation.activation.arrheniusA = 1.5e15;
    s.evaluation.activation.activationEnergy = 101095.0;
    EXPECT_EQ(fitResultCaption(s),
              "kinet. Modell: A => P   (n = 1)\r\nArrhenuis-A = 1.5E+15, EA =101095 J/mol");
}

}  // namespace
}  // namespace zemtral
