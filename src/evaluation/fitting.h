#pragma once
// The objectives of the fitting window: isothermal rate constants (mode 1), rate constant and
// order (mode 2), and the temperature law of k on non-isothermal data (modes 6 and 7, Arrhenius
// or Eyring form), minimised by MarquardtNashFitting.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/engine.h"
#include "core/working_state.h"
#include "data/exp_data_set.h"
#include "evaluation/evaluation_state.h"
#include "numeric/fit_statistics.h"
#include "numeric/marquardt_nash.h"

namespace zemtral {

/// @brief One entry of the residual vector: a measured value that the fit compares with the model.
struct ResidualEntry {
    int point = 0;  ///< index of the point in the data set (1-based)
    int slot = 0;   ///< species slot 1..5 (modes 1, 2); 1 in modes 6 and 7
};

/// @brief Everything one objective evaluation reads and writes.
struct FitContext {
    WorkingState& state;           ///< receives p before each evaluation (k1..k3, n)
    SimulationResult& simulation;  ///< the runs of the numerically integrated models
    const ExpDataSet& data;
    ActivationParameters& activation;  ///< receives p in modes 6 and 7
    std::uint8_t kTForm = kKTArrhenius;
    std::array<bool, 6> species{};  ///< chkConcFQS(1..5) ticked and visible
    /// Asked by every model run now and then; false ends the run (and so the evaluation) at once.
    /// Empty: the runs go to their end.
    std::function<bool()> keepGoing = {};
};

/// @brief The species boxes that are visible: in the model's SpeciesMask and in ShownSpecies.
std::array<bool, 6> fitSpeciesVisible(int model, std::uint8_t mode, const std::array<bool, 6>& shownSpecies);

/// @brief n = the number of "1" characters in the model's ParameterMask for the mode.
int fitParameterCount(int model, std::uint8_t mode);

/// @brief Bounds per parameter j = 1..n (vectors indexed 0..n−1): lower 1e-7; upper 100000 for
/// j = 1 and 3, 200000 for j = 2, and 1e18 for j = 1 in modes 6 and 7.
void fitParameterBounds(std::uint8_t mode, int n, std::vector<double>& lower, std::vector<double>& upper);

/// @brief The limits of a run: 125 Jacobians and 100·n objectives in modes 1 and 2, 250 and 200·n
/// in modes 6 and 7.
void fitIterationLimits(std::uint8_t mode, int n, int& maxJacobians, int& maxObjectives);

/// @brief The parameters p(1..n) (0-based vector) as the working state holds them: k1..k3 (mode 1),
/// k1 and n (mode 2), A and EA or the Eyring factor and ΔH# (modes 6, 7).
std::vector<double> currentFitParameters(const FitContext& ctx, int n);

/// @brief Copies p into the working state: mode 1 k1..kn; mode 2 k1 and n (also k2); modes 6, 7 the
/// activation parameters of the chosen form (with ΔS# of the Eyring factor).
void applyFitParameters(FitContext& ctx, std::span<const double> p);

/// @brief The residual entries: modes 1, 2 one per active point and ticked species whose measured
/// concentration is > 0 (0 = not measured); modes 6, 7 one per active point with T > 0 and c(A) > 0.
std::vector<ResidualEntry> residualEntries(const FitContext& ctx);

/// @brief The rate constant of the temperature law at T [K]: Arrhenius p1·exp(−p2/(R·T)),
/// Eyring p1·T·exp(−p2/(R·T)).
double rateConstantAt(std::uint8_t kTForm, double p1, double p2, double temperature);

/// @brief The residual vector r (one entry per ResidualEntry) at p: model − measured. Modes 1, 2 run
/// the engine once for a numerically integrated model; a value the model cannot give counts 0.
/// False when the simulation itself fails or a residual is not finite.
bool CalcResiduals(FitContext& ctx, const std::vector<ResidualEntry>& entries, std::span<const double> p,
                   std::span<double> r);

/// @brief Jacobian of the residuals at p (row-major, entries × n): analytic in mode 6 with the
/// Arrhenius form, else forward differences column by column (one model run per parameter).
bool CalcAbleitungen(FitContext& ctx, const std::vector<ResidualEntry>& entries, std::span<const double> p,
                     std::span<const double> r, std::span<const bool> needed, std::span<double> jacobian);

/// @brief F = Σ r_i² at p; increments the objective counter ifn. Nothing when the model fails.
std::optional<double> calcFQS_Marquardt(FitContext& ctx, const std::vector<ResidualEntry>& entries,
                                        std::span<const double> p, int& ifn);

/// @brief The displayed sum of squares at the working state's current parameters: the same sum the
/// fit minimises. Nothing when the model cannot be computed.
std::optional<double> CalcDisplayFQS(FitContext& ctx);

/// @brief The least-squares problem of the context over a copy of `entries` (the context is held
/// by reference and must outlive the problem).
LeastSquaresProblem fitProblem(FitContext& ctx, const std::vector<ResidualEntry>& entries, int n);

/// @brief The statistics of each species among `entries` from the residuals r (one per entry).
std::vector<SpeciesFitStatistics> speciesStatistics(const ExpDataSet& data,
                                                    const std::vector<ResidualEntry>& entries,
                                                    std::span<const double> residuals, int freeCount);

/// @brief What "Auto-Fitting" starts from: the checks passed, the problem's size, bounds and start.
struct AutoFitPlan {
    bool refused = false;     ///< not enough points: nothing is to be computed
    std::string refusalText;  ///< shown under " Ausführung nicht möglich ", critical
    int parameterCount = 0;   ///< n
    std::vector<ResidualEntry> entries;
    MarquardtOptions options;  ///< bounds, fixed flags and limits of the mode
    std::vector<double> start;
};

/// @brief Outcome of "Auto-Fitting".
struct AutoFitOutcome {
    bool refused = false;      ///< not enough points: nothing was computed
    std::string refusalText;   ///< shown under " Ausführung nicht möglich ", critical
    std::string warningTitle;  ///< "Parameter-Fitting" when a warning is due
    std::string warningText;   ///< the maximum-iterations (or undetermined) warning
    MarquardtResult fit;
    std::vector<double> params;  ///< p(1..n) (0-based) written back to the working state
    std::vector<double> sd;
    ParameterStatistics statistics;             ///< confidence intervals, correlation, residual sd
    std::vector<SpeciesFitStatistics> species;  ///< residual sd and R² per fitted species
    bool discarded = false;  ///< the model or mode changed while the fit ran: nothing was taken over
};

/// @brief The checks of "Auto-Fitting" (n >= pointCount, or no more measured values than
/// parameters, refuse) and the start of the run: the working state's parameters, the fixed flags
/// fixed[1..3], the bounds and limits of the mode.
AutoFitPlan planAutoFitting(const FitContext& ctx, const std::array<bool, 4>& fixed);

/// @brief Takes a finished run over: writes the parameters back (also when a limit was hit),
/// computes the statistics and names the warning.
AutoFitOutcome finishAutoFitting(FitContext& ctx, const AutoFitPlan& plan, MarquardtResult fit);

/// @brief "Auto-Fitting" in one call: planAutoFitting, MarquardtNashFitting, finishAutoFitting.
AutoFitOutcome runAutoFitting(FitContext& ctx, const std::array<bool, 4>& fixed);

/// @brief The refusal "Die Zahl der Messpunkte muss größer als die Zahl der Parameter sein!" ...
std::string tooFewPointsText();
/// @brief The warning "Maximale Iterationszahl erreicht." ... (title "Parameter-Fitting").
std::string maxIterationsText();

/// @brief A typed parameter: the number of the text, 0 replaced by 1e-8 so that the relative
/// slider steps can move it.
double typedParameterValue(const std::string& text);

/// @brief The parameter after a slider change by v: fine p + v·p/1000, coarse p + v·p/100.
double sliderAdjustedParameter(double p, int v, bool fine);

/// @brief lblFQS: "0.0000 E+##" below 0.1, else "0.0000".
std::string fqsText(double f, char decimalSeparator = '.');

/// @brief The standard deviation label: |sd| as "0.0 E+##".
std::string standardDeviationText(double sd, char decimalSeparator = '.');

/// @brief ΔS# [J/(mol K)] of an Eyring factor in the time unit with index `timeUnitIndex`:
/// R·ln(factor·f_u·h/kB), f_u converting a rate per time unit into a rate per second.
double eyringEntropy(double eyringFactor, int timeUnitIndex);

/// @brief lblAktEntropie: " " + ΔS# as "###.0" + " J/(mol K)".
std::string entropyLabelText(double deltaS, char decimalSeparator = '.');

/// @brief The chart caption of the fitting diagram: "kinet. Modell: " + model name + CR LF +
/// "k1 =" k1 [", k2 =" k2 | ", n =" n] [", k3 =" k3]; modes 6, 7 "Arrhenuis-A = " A ", EA =" EA
/// " J/mol".
std::string fittingCaption(const WorkingState& state, const ActivationParameters& activation,
                           std::uint8_t kTForm);

/// @brief The texts of the fitting window that depend on the mode (empty = the window's own).
struct FittingWindowTexts {
    std::string frameCaption;                   ///< modes 2, 6, 7
    std::array<std::string, 4> paramLabel;      ///< 1..3
    std::array<std::string, 4> paramUnit;       ///< 1..3
    std::string paramToolTip;                   ///< text boxes 1 and 2 in modes 6 and 7
    std::string autoFitToolTip;                 ///< modes 1 and 2
    std::array<std::string, 6> speciesCaption;  ///< chkConcFQS(1..5)
    std::string modelLabel;                     ///< mode 2 with model 20: with " (n = ...)"
};
FittingWindowTexts fittingWindowTexts(const WorkingState& state, std::uint8_t kTForm);

/// @brief Tool tip of the standard-deviation label j: j + " Standardabweichung des Parameters ".
std::string standardDeviationToolTip(int j);

/// @brief Legend of a curve of the non-isothermal fitting: "c(A) T/K = " + T as "####,##".
std::string nonIsothermalCurveLegend(float temperature);

}  // namespace zemtral
