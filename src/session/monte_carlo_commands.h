#pragma once
// The Monte-Carlo window apart from its widgets: the pace of a run (steps per frame), what its
// chart shows (analytic curves, simulated points, the ensemble band) and its texts.
#include <cstdint>
#include <string>

#include "diagrams/chart_component.h"
#include "montecarlo/ensemble.h"
#include "montecarlo/monte_carlo.h"
#include "session/shell_state.h"

namespace zemtral {

/// @brief Interval of the window's run timer [ms]: about 30 frames per second.
inline constexpr int kMonteCarloFrameMs = 33;

/// @brief Turns the per-step waits of the game into a number of steps per frame. A step lasts
/// the options' speed plus the board's built-in wait (plus 1 ms with the flash effect), but at
/// least so long that a recorded point takes 1/20 s on the small boards, where the molecules are
/// meant to be watched one by one, and 1/125 s on the large boards, which finish in about a second.
class MonteCarloPacer {
  public:
    MonteCarloPacer(int boardIndex, float speed, bool flash);

    /// @brief Duration of one step [s].
    double stepSeconds() const { return m_stepSeconds; }
    /// @brief The steps due after `elapsedSeconds` since the previous frame. Fractions of a step
    /// carry over to the next frame; a long pause (a busy machine) is not caught up beyond 1/4 s.
    std::int64_t stepsForFrame(double elapsedSeconds);

  private:
    double m_stepSeconds;
    double m_owed = 0.0;
};

/// @brief Series of the Monte-Carlo chart. Group 1 holds the lines, group 2 the simulated points.
namespace mc_series {
inline constexpr int kAnalyticA = 1;     ///< group 1: N(A) = N0 exp(−k t)
inline constexpr int kAnalyticP = 2;     ///< group 1: N(P) = N0 − N(A)
inline constexpr int kEnsembleMean = 3;  ///< group 1: mean of the ensemble
inline constexpr int kEnsembleLow = 4;   ///< group 1: mean − σ
inline constexpr int kEnsembleHigh = 5;  ///< group 1: mean + σ
inline constexpr int kSimulatedA = 1;    ///< group 2: simulated N(A), in the A colour
inline constexpr int kSimulatedP = 2;    ///< group 2: simulated N(P), in the P colour
}  // namespace mc_series

/// @brief Header, axis titles, legend, series and their styles for the mode; the analytic and
/// simulated series start empty.
void setUpMonteCarloChart(ChartComponent& chart, MonteCarloKind kind, const MonteCarloOptions& options);

/// @brief The simulated points' marker size (0 shows as 7), filled or open shape and colours
/// from the options.
void applyMonteCarloPointStyle(ChartComponent& chart, const MonteCarloOptions& options);

/// @brief The analytic series 1 and 2 for the game's mode, N0 and K, in percent.
void showAnalyticCurves(ChartComponent& chart, const MonteCarloGame& game);

/// @brief Brings the simulated series up to the game's recorded points: appends the points
/// beyond those already shown (all of them after the series were emptied). Widens the time
/// axis in steps of 50 % when a run goes beyond t(max).
void showSimulatedPoints(ChartComponent& chart, const MonteCarloGame& game);

/// @brief Empties the simulated series and the ensemble overlay and resets the time axis.
void clearMonteCarloRun(ChartComponent& chart);

/// @brief Shows the ensemble's mean and ±1σ band over the simulated run (empty band: hidden).
void showEnsembleBand(ChartComponent& chart, const EnsembleBand& band);

/// @brief The help topic of the mode.
int monteCarloHelpTopic(MonteCarloKind kind);

/// @brief The window's header that presents the mode as a game of chance.
std::string monteCarloIntroText(MonteCarloKind kind);

/// @brief The state line under the board: "t = 1234   N(A) = 456   N(P) = 568".
std::string monteCarloStateText(const MonteCarloGame& game);

/// @brief What the ensemble overlay says, with the locale's decimal separator:
/// "Ensemble aus 50 Läufen: Streuung ±1σ bei N(A) ≈ N0/2: 0,81 % von N0 (erwartet 0,87 %); sie
/// nimmt mit der Wurzel aus N0 ab.".
std::string ensembleSummaryText(int runs, const EnsembleBand& band, char decimalSeparator = '.');

}  // namespace zemtral
