#pragma once
// First-order kinetics and the dynamic equilibrium A <=> P as a game of chance: N0 molecules on
// a square board, one drawn at random per time step, changed by a fixed rule.
#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <string_view>
#include <vector>

namespace zemtral {

/// @brief 1 = first-order reaction A => P, 2 = dynamic equilibrium A <=> P.
enum class MonteCarloKind : std::uint8_t { FirstOrder = 1, Equilibrium = 2 };

/// @brief One board size of the option frame. The captions are nominal; N0 is a square number.
struct BoardSize {
    std::string_view caption;
    std::int32_t n0;
    int side;
    int stepsPerPoint;  ///< steps between two recorded points
    bool large;         ///< cells are drawn filled instead of as circles
};

inline constexpr std::array<BoardSize, 6> kBoardSizes{{
    {"100", 100, 10, 7, false},
    {"500", 529, 23, 44, false},
    {"1000", 1024, 32, 102, false},
    {"5000", 4900, 70, 490, false},
    {"10000", 9025, 95, 902, true},
    {"100000", 90000, 300, 9000, true},
}};

/// @brief Equilibrium constants K = N(P)/N(A) of the options 0, 1, 2 and their captions.
inline constexpr std::array<float, 3> kEquilibriumConstants{0.5f, 1.0f, 2.0f};
inline constexpr std::array<std::string_view, 3> kEquilibriumCaptions{"K = 0,5", "K = 1", "K = 2"};

/// @brief Texts of the window and its chart.
inline constexpr std::string_view kMonteCarloCaption = "Monte-Carlo-Simulation";
inline constexpr std::string_view kMonteCarloXTitle = "Zeit t / t(max) * 100%";
inline constexpr std::string_view kMonteCarloYTitle = "Teilchenzahl  N(i) / N0 * 100%";
inline constexpr std::string_view kMonteCarloHeaderFirstOrder = "berechnet N(A) = N0 exp(-k t)";
inline constexpr std::string_view kMonteCarloHeaderEquilibrium =
    "berechnet N(A) = N0 - N(A),eq {1 - exp[-N0 t k1/N(A),eq]}";
inline constexpr std::string_view kMonteCarloSeries1Label = "N(A)";
inline constexpr std::string_view kMonteCarloSeries2Label = "N(P) = N0 - N(A)";
inline constexpr std::string_view kMonteCarloSimulatedLegend = " o :   simuliert";

inline constexpr int kDefaultBoardIndex = 2;  ///< N0 = 1024 at load
inline constexpr int kDefaultKIndex = 0;      ///< K = 0.5 at load

/// @brief tmax = 5.5·N0 to the nearest integer, ties to the even integer [steps].
std::int64_t monteCarloTMax(std::int32_t n0);

/// @brief The first-order constant per step: m = ln(N0) − ln(N0 − 1).
double stepConstant(std::int32_t n0);

/// @brief Standard deviation of N(A) after t steps of the first-order game [molecules]. One
/// molecule is drawn per step, so N(A) counts the molecules never drawn: with q = (1 − 1/N0)^t and
/// r = (1 − 2/N0)^t, Var = N0·q + N0·(N0 − 1)·r − N0²·q². The draws make the molecules slightly
/// anticorrelated, so the spread is below the binomial √(N0·q·(1 − q)); near N(A) = N0/2 it is
/// about 0.28·√N0.
double firstOrderSigma(std::int32_t n0, std::int64_t t);

/// @brief The built-in wait per step [s]: 0.06 for N0 = 100, 0.00005 for 529, 1e-8 for 1024 and
/// 4900, 0 otherwise (the options window's speed is added to it).
double baseStepDelay(std::int32_t n0);

/// @brief A point of the chart in percent: x = t/(tmax/100), y = N/(N0/100).
struct PercentPoint {
    double x = 0.0;
    double y = 0.0;
};

/// @brief The analytic curve of series 1 (N(A)) or 2 (N(P) = N0 − N(A)) at 101 times from 0 to tmax,
/// already scaled to percent as the chart shows it.
std::vector<PercentPoint> analyticCurve(MonteCarloKind kind, std::int32_t n0, float k, int series);

/// @brief Row and column (1-based) of molecule j on a board of side s.
struct BoardCell {
    int row = 0;
    int column = 0;
};
BoardCell moleculeCell(std::int32_t j, int side);

/// @brief One recorded point: the step counter and N(A) then.
struct RecordedPoint {
    std::int64_t t = 0;
    std::int32_t nA = 0;
};

/// @brief A molecule that changed in the last advance(): index 1..N0 and its new state.
struct MoleculeChange {
    std::int32_t index = 0;
    bool isA = false;
};

/// @brief The game and its Start/Stop/Go/Refresh states. The window calls advance() from a
/// timer; each call runs at most a given number of steps, so the window stays responsive.
class MonteCarloGame {
  public:
    enum class Phase { Idle, Running, Stopped, Finished };

    /// @brief A game on board `boardIndex` (0..5) with K of option `kIndex` (0..2). Without a seed
    /// the generator is seeded from the clock at every start.
    MonteCarloGame(MonteCarloKind kind, int boardIndex, int kIndex, std::optional<std::uint64_t> seed = {});

    /// @brief "Refresh": all molecules A, counters and recorded points cleared, idle.
    void refresh();
    /// @brief "Start": a fresh run (seeded anew) that records (0 %, 100 %) first.
    void start();
    /// @brief "Stop": a running game stops after the step in progress.
    void stop();
    /// @brief "Go": resumes a stopped or finished game without resetting it, when N(A) > 1.
    /// @return whether the game runs again
    bool go();

    /// @brief Runs up to `maxSteps` steps while running. A point is recorded after every block of
    /// steps per point; the first-order game finishes once N(A) is 0 or t exceeds 10·tmax (checked
    /// after each recorded point). Changes are collected only when `changes` is given.
    /// @return the number of steps done
    std::int64_t advance(std::int64_t maxSteps, std::vector<MoleculeChange>* changes = nullptr);

    Phase phase() const { return m_phase; }
    MonteCarloKind kind() const { return m_kind; }
    const BoardSize& board() const { return kBoardSizes[static_cast<std::size_t>(m_boardIndex)]; }
    float equilibriumConstant() const { return kEquilibriumConstants[static_cast<std::size_t>(m_kIndex)]; }
    std::int32_t n0() const { return board().n0; }
    std::int64_t tMax() const { return monteCarloTMax(n0()); }
    std::int32_t countA() const { return m_nA; }
    std::int64_t steps() const { return m_t; }
    /// @brief Molecule j (1..N0): true for A.
    bool isA(std::int32_t j) const { return m_molecules[static_cast<std::size_t>(j)] != 0; }
    const std::vector<RecordedPoint>& recorded() const { return m_recorded; }
    /// @brief A recorded point as the chart shows it: series 3 (N(A)) and 4 (N(P)) in percent.
    PercentPoint percentA(const RecordedPoint& p) const;
    PercentPoint percentP(const RecordedPoint& p) const;

  private:
    void reset();
    void seedGenerator();
    std::int32_t drawMolecule();
    void record();

    MonteCarloKind m_kind;
    int m_boardIndex;
    int m_kIndex;
    std::optional<std::uint64_t> m_seed;
    std::mt19937_64 m_rng;
    std::vector<std::uint8_t> m_molecules;  // 1-based, 1 = A, 0 = P
    std::int32_t m_nA = 0;
    std::int64_t m_t = 0;
    std::int64_t m_blockSteps = 0;  // steps since the last recorded point
    bool m_toggle = false;          // every second draw changes, shared by the whole run
    std::vector<RecordedPoint> m_recorded;
    Phase m_phase = Phase::Idle;
};

}  // namespace zemtral
