#pragma once
// The straight-line evaluations of measured data: the point transformations of the diagram kinds
// -3 to -8, -10 and -11, the regression line through them, the rate constant (or the activation
// parameters) that follows, the result line of the status bar and the measured points shown.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/working_state.h"
#include "data/exp_data_set.h"
#include "evaluation/evaluation_state.h"
#include "numeric/fp_guard.h"

namespace zemtral {

/// @brief Diagram kinds of the evaluations (the values of DiagramKind).
enum EvaluationKind : int {
    kEvalMeasuredConc = -1,
    kEvalMeasuredKT = -2,
    kEvalArrhenius = -3,
    kEvalEyring = -4,
    kEvalFirstOrder = -5,
    kEvalSecondOrder = -6,
    kEvalWilkinson = -7,
    kEvalSecondOrderUnequal = -8,
    kEvalFittingPoints = -9,
    kEvalLambdaFirstOrder = -10,
    kEvalLambdaSecondOrder = -11,
    kEvalSingleSpecies = 100,
};

/// @brief The axis window of the diagram.
struct PlotWindow {
    float xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

/// @brief One plotted point.
struct PlotPoint {
    float x = 0, y = 0;
};

/// @brief EvalPointsX, EvalPointsY, EvalWeights: 1-based (element 0 holds nothing). Weight 1 for an
/// active point, 0 for an excluded one (carried along without counting).
struct EvalPointLists {
    std::vector<float> x = std::vector<float>(1);
    std::vector<float> y = std::vector<float>(1);
    std::vector<float> w = std::vector<float>(1);
    int size() const { return static_cast<int>(x.size()) - 1; }
};

/// @brief What an evaluation reads besides the data set.
struct EvaluationInputs {
    int kind = 0;
    float cA0 = 0.0f;  ///< c(A)(0) of the working state [mol/l] (4-byte, as compared)
    float cB0 = 0.0f;  ///< c(B)(0) of the working state [mol/l]
    std::int16_t modelId = 0;
    bool lambdaMode = false;
    bool equalStartConc = false;
};

/// @brief The inputs of an evaluation from the working state and the evaluation switches.
EvaluationInputs evaluationInputs(int kind, const WorkingState& state, const EvaluationState& evaluation);

/// @brief Outcome of one straight-line evaluation.
struct LinearEvaluationResult {
    std::int16_t errorFlag = 0;  ///< −1 on an arithmetic fault
    std::string errorText;       ///< the fault's description
    EvalPointLists points;
    bool singular = false;
    double intercept = 0.0;  ///< a = A(1,3) of the regression
    double slope = 0.0;      ///< b = A(2,3)
    float rSquared = 0.0f;
    /// The window's intercept and slope fields after the evaluation: the line's a and b, except
    /// Wilkinson (intercept = k), Arrhenius/Eyring (slope = EA resp. ΔH# [kJ/mol], Eyring
    /// intercept = ΔS# [J/(mol K)]).
    double interceptField = 0.0;
    double slopeField = 0.0;
    double k = 0.0;                    ///< rate constant
    bool storesK = false;              ///< k goes into k1 of the working state
    double order = 0.0;                ///< Wilkinson: reaction order n = 2b
    double lambda0Extrapolated = 0.0;  ///< kind −10 without lambda(0): λ∞ − e^a
    double activationEnergy = 0.0;     ///< Arrhenius EA, Eyring ΔH# [kJ/mol]
    double preExponential = 0.0;       ///< Arrhenius A
    double activationEntropy = 0.0;    ///< Eyring ΔS# [J/(mol K)]
    std::string resultLine;            ///< text of StatusBar2
};

/// @brief Builds the point lists of the kind: every point of the data set in table order that
/// qualifies for the kind. Raises floating-point flags for untransformable values; use inside an
/// FpGuard. Kind −8 also returns the initial concentrations found at t = 0 in `cA0`, `cB0`.
EvalPointLists EvalPoints(const ExpDataSet& data, const EvaluationInputs& in, double* cA0FromData = nullptr,
                          double* cB0FromData = nullptr);

/// @brief Why the point lists cannot determine a straight line: fewer than two active points
/// with finite transformed values, or all of them at one abscissa (one time or one temperature).
/// Empty when they can. Excluded points (weight 0) do not count.
std::string evaluationPointsProblem(const EvalPointLists& points);

/// @brief evaluationPointsProblem of the points that the kind takes from the data set.
std::string evaluationPointsProblem(const ExpDataSet& data, const EvaluationInputs& in);

/// @brief Runs the evaluation of kinds −3 to −8, −10, −11: point lists, regression, constants and
/// result line. On a fault errorFlag is −1 and nothing else is meaningful; so it is when the
/// points cannot determine a line (see evaluationPointsProblem), which a singular regression
/// would otherwise report as k = 0.
LinearEvaluationResult evaluateLinearised(const ExpDataSet& data, const EvaluationInputs& in);

/// @brief Runs the evaluation and writes its result into the working state: k1 (kinds other than
/// −7, −3, −4) on success only.
LinearEvaluationResult runLinearisedEvaluation(const ExpDataSet& data, int kind, WorkingState& state,
                                               const EvaluationState& evaluation);

/// @brief DrawRegressionLine: the straight line y = intercept + slope·x from XMin in 120 steps of
/// (XMax − XMin)/120 while x ≤ XMax + step. `outside` is cleared when a point lies strictly
/// between YMin and YMax (the caller presets it to true).
std::vector<PlotPoint> DrawRegressionLine(const PlotWindow& window, double intercept, double slope,
                                          bool& outside);

/// @brief The title and text shown when a curve computation fails.
struct CriticalError {
    std::string title = "ABBRUCH";
    std::string text;
};
/// @brief "Es ist ein kritischer Fehler aufgetreten:" + CR LF + the fault's text.
CriticalError criticalCurveError(const std::string& errorText);

/// @brief The measured points of one diagram (zeigeExperPunkte): point set 1..5 per species slot
/// (the transformed points "Fu(c)" of the linearised kinds in set 1), set 6 for k-T points.
struct ExperimentalPoints {
    std::array<std::vector<PlotPoint>, 7> sets;
    bool anyInside = false;  ///< at least one plotted point lies inside the axis window
};

/// @brief What zeigeExperPunkte needs beyond the data set.
struct PointDisplayInputs {
    int kind = 0;
    EvaluationInputs evaluation;         ///< c(A)(0), c(B)(0), lambdaMode of the evaluation
    std::string speciesMask = "00000";   ///< SpeciesMask of the diagram
    std::array<bool, 6> shownSpecies{};  ///< ShownSpecies
    int selectedSpecies = 1;             ///< SelectedSpecies of the single-species diagram
    PlotWindow window;
};

/// @brief zeigeExperPunkte: skips excluded points and plots, per kind, the transformed point of the
/// evaluation (kinds −3 to −8, −10, −11), k against T (−2), or the concentration of each shown
/// species (−1, −9, 100 and the simulation kinds; a concentration 0 counts as not measured).
/// Points that cannot be transformed are left out.
ExperimentalPoints zeigeExperPunkte(const ExpDataSet& data, const PointDisplayInputs& in);

/// @brief False when the diagram has no point set to show: no species both in the mask and shown,
/// no lambda evaluation with lambda data, not the evaluation mask "00002"; the temperature diagrams
/// (−2, −3, −4) show their k-T points when k-T data exist.
bool pointSetsAvailable(const PointDisplayInputs& in, bool hasLambdaData, bool hasKTData);

/// @brief The refusal of mnuAddPunkte_Click when no point set is available.
std::string noPointsLoadedText();
/// @brief The warning when every plotted point lies outside the axis window (title "Warnung").
std::string pointsOutsideText();

/// @brief Axis window of the lambda evaluations −10 and −11 from the data: x from 0 to
/// tmax + tmax/20, y from ymin − 0.3·(ymax − ymin)/5 to ymax + (ymax − ymin)/5 over the transformed
/// values of the points that can be transformed (0 to 1 when none can).
PlotWindow lambdaAxisRanges(const ExpDataSet& data, const EvaluationInputs& in);

}  // namespace zemtral
