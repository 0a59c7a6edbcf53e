#include "montecarlo/ensemble.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <random>

namespace zemtral {

MonteCarloEnsemble::MonteCarloEnsemble(int boardIndex, int runs, std::optional<std::uint64_t> seed)
    : m_boardIndex(boardIndex < 0 || boardIndex > 5 ? kDefaultBoardIndex : boardIndex),
      m_runs(std::max(runs, 0)) {
    if (seed) {
        m_baseSeed = *seed;
    } else {
        std::random_device device;
        m_baseSeed = (static_cast<std::uint64_t>(device()) << 32) ^ device();
    }
    m_counts.reserve(static_cast<std::size_t>(m_runs));
}

void MonteCarloEnsemble::startNext() {
    // A seed sequence of the base and the run number gives well-separated streams, where
    // neighbouring integer seeds of a Mersenne twister would start correlated.
    const auto run = static_cast<std::uint32_t>(m_done);
    std::seed_seq sequence{static_cast<std::uint32_t>(m_baseSeed),
                           static_cast<std::uint32_t>(m_baseSeed >> 32), run};
    std::array<std::uint32_t, 2> words{};
    sequence.generate(words.begin(), words.end());
    const std::uint64_t runSeed = (static_cast<std::uint64_t>(words[0]) << 32) | words[1];
    m_game.emplace(MonteCarloKind::FirstOrder, m_boardIndex, kDefaultKIndex, runSeed);
    m_game->start();
}

bool MonteCarloEnsemble::advance(std::int64_t maxSteps) {
    std::int64_t left = maxSteps;
    while (!finished() && left > 0) {
        if (!m_game) {
            startNext();
        }
        left -= m_game->advance(left);
        if (m_game->phase() != MonteCarloGame::Phase::Running) {
            std::vector<std::int32_t> counts;
            counts.reserve(m_game->recorded().size());
            for (const RecordedPoint& p : m_game->recorded()) {
                counts.push_back(p.nA);
            }
            m_counts.push_back(std::move(counts));
            m_game.reset();
            ++m_done;
        }
    }
    return finished();
}

EnsembleBand MonteCarloEnsemble::band() const {
    EnsembleBand band;
    if (m_counts.empty()) {
        return band;
    }
    std::size_t length = 0;
    for (const auto& c : m_counts) {
        length = std::max(length, c.size());
    }
    const BoardSize& board = kBoardSizes[static_cast<std::size_t>(m_boardIndex)];
    const double n0 = board.n0;
    const double xScale = static_cast<double>(monteCarloTMax(board.n0)) / 100.0;
    const double yScale = n0 / 100.0;
    const double runs = static_cast<double>(m_counts.size());
    double nearestHalf = n0;  // distance of the mean from N0/2
    for (std::size_t i = 0; i < length; ++i) {
        double sum = 0.0;
        for (const auto& c : m_counts) {
            sum += i < c.size() ? c[i] : c.back();
        }
        const double mean = sum / runs;
        double squares = 0.0;
        for (const auto& c : m_counts) {
            const double d = (i < c.size() ? c[i] : c.back()) - mean;
            squares += d * d;
        }
        const double sigma = runs > 1.0 ? std::sqrt(squares / (runs - 1.0)) : 0.0;
        const double x = static_cast<double>(i) * board.stepsPerPoint / xScale;
        band.mean.push_back({x, mean / yScale});
        band.lower.push_back({x, (mean - sigma) / yScale});
        band.upper.push_back({x, (mean + sigma) / yScale});
        if (std::fabs(mean - n0 / 2.0) < nearestHalf) {
            nearestHalf = std::fabs(mean - n0 / 2.0);
            band.sigmaAtHalfPercent = sigma / yScale;
            band.expectedSigmaAtHalfPercent =
                firstOrderSigma(board.n0, static_cast<std::int64_t>(i) * board.stepsPerPoint) / yScale;
        }
    }
    return band;
}

}  // namespace zemtral
