#pragma once
// Many independent first-order games on the same board, summarised point by point: the mean of
// N(A) and its standard deviation. Students see that the scatter of one run around the
// exponential, relative to N0, shrinks with the square root of N0.
#include <cstdint>
#include <optional>
#include <vector>

#include "montecarlo/monte_carlo.h"

namespace zemtral {

/// @brief Mean and ±1σ band of N(A) over the runs, in percent as the chart shows them
/// (x = t/(tmax/100), y = N/(N0/100)), one entry per recorded point.
struct EnsembleBand {
    std::vector<PercentPoint> mean;
    std::vector<PercentPoint> lower;  ///< mean − σ
    std::vector<PercentPoint> upper;  ///< mean + σ
    /// σ/N0 [%] at the recorded point whose mean is nearest to N0/2.
    double sigmaAtHalfPercent = 0.0;
    /// The exact σ/N0 of the game at the same point [%] (firstOrderSigma).
    double expectedSigmaAtHalfPercent = 0.0;
};

/// @brief A set of first-order games on one board, run in chunks so that a window stays responsive.
class MonteCarloEnsemble {
  public:
    static constexpr int kDefaultRuns = 50;

    /// @brief `runs` games on board `boardIndex`. Every game gets a seed of its own, derived from
    /// `seed` and the run number; without a seed the base comes from the system's random device.
    explicit MonteCarloEnsemble(int boardIndex, int runs = kDefaultRuns,
                                std::optional<std::uint64_t> seed = {});

    /// @brief Runs up to `maxSteps` steps of the games still to do.
    /// @return true when every game has finished
    bool advance(std::int64_t maxSteps);

    bool finished() const { return m_done == m_runs; }
    int runsDone() const { return m_done; }
    int runs() const { return m_runs; }

    /// @brief N(A) of run r at its recorded points (index 0 is t = 0).
    const std::vector<std::int32_t>& counts(int run) const { return m_counts[static_cast<std::size_t>(run)]; }

    /// @brief The band over the finished runs. A run that ended earlier than another counts with
    /// its last N(A) (0 once every A has reacted) at the later points. Empty without runs.
    EnsembleBand band() const;

  private:
    void startNext();

    int m_boardIndex;
    int m_runs;
    std::uint64_t m_baseSeed;
    int m_done = 0;
    std::optional<MonteCarloGame> m_game;
    std::vector<std::vector<std::int32_t>> m_counts;
};

}  // namespace zemtral
