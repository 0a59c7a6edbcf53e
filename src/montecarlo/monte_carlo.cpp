#include "montecarlo/monte_carlo.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace zemtral {

std::int64_t monteCarloTMax(std::int32_t n0) {
    const double product = 5.5 * n0;
    const double lower = std::floor(product);
    const double fraction = product - lower;
    auto value = static_cast<std::int64_t>(lower);
    if (fraction > 0.5 || (fraction == 0.5 && value % 2 != 0)) {
        ++value;
    }
    return value;
}

double stepConstant(std::int32_t n0) {
    return std::log(static_cast<double>(n0)) - std::log(n0 - 1.0);
}

double firstOrderSigma(std::int32_t n0, std::int64_t t) {
    const double n = n0;
    const double steps = static_cast<double>(t);
    const double logQ = std::log1p(-1.0 / n);
    const double q = std::exp(steps * logQ);
    const double r = std::exp(steps * std::log1p(-2.0 / n));
    // N0·(N0 − 1)·r − N0²·q² written as N0²·(r − q²) − N0·r, with r − q² = q²·expm1(t·d):
    // the difference of two nearly equal large terms is formed without cancellation.
    const double d = std::log1p(-2.0 / n) - 2.0 * logQ;
    const double variance = n * q - n * r + n * n * q * q * std::expm1(steps * d);
    return std::sqrt(std::max(variance, 0.0));
}

double baseStepDelay(std::int32_t n0) {
    switch (n0) {
        case 100:
            return 0.06;
        case 529:
            return 0.00005;
        case 1024:
        case 4900:
            return 1e-8;
        default:
            return 0.0;
    }
}

std::vector<PercentPoint> analyticCurve(MonteCarloKind kind, std::int32_t n0, float k, int series) {
    const double tmax = static_cast<double>(monteCarloTMax(n0));
    double m = stepConstant(n0);
    std::vector<PercentPoint> points;
    points.reserve(101);
    for (int i = 0; i <= 100; ++i) {
        const double t = tmax / 100.0 * i;
        double nA = 0.0;
        if (kind == MonteCarloKind::FirstOrder) {
            nA = n0 * std::exp(-m * t);
        } else {
            if (k == 0.5f) {
                m = stepConstant(n0) / 2.0;
            }
            const double c = k * n0 / (k + 1.0);
            nA = n0 - c * (1.0 - std::exp(-m * t * n0 / c));
        }
        const double n = series == 2 ? n0 - nA : nA;
        points.push_back({t / (tmax / 100.0), n / (n0 / 100.0)});
    }
    return points;
}

BoardCell moleculeCell(std::int32_t j, int side) {
    return {static_cast<int>((j + side - 1) / side), static_cast<int>((j - 1) % side) + 1};
}

MonteCarloGame::MonteCarloGame(MonteCarloKind kind, int boardIndex, int kIndex,
                               std::optional<std::uint64_t> seed)
    : m_kind(kind),
      m_boardIndex(boardIndex < 0 || boardIndex > 5 ? kDefaultBoardIndex : boardIndex),
      m_kIndex(kIndex < 0 || kIndex > 2 ? kDefaultKIndex : kIndex),
      m_seed(seed) {
    reset();
}

void MonteCarloGame::reset() {
    m_molecules.assign(static_cast<std::size_t>(n0()) + 1, 1);
    m_molecules[0] = 0;
    m_nA = n0();
    m_t = 0;
    m_blockSteps = 0;
    m_toggle = false;
    m_recorded.clear();
}

void MonteCarloGame::seedGenerator() {
    if (m_seed) {
        m_rng.seed(*m_seed);
    } else {
        m_rng.seed(
            static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    }
}

void MonteCarloGame::refresh() {
    reset();
    m_phase = Phase::Idle;
}

void MonteCarloGame::start() {
    reset();
    seedGenerator();
    m_recorded.push_back({0, m_nA});
    m_phase = Phase::Running;
}

void MonteCarloGame::stop() {
    if (m_phase == Phase::Running) {
        m_phase = Phase::Stopped;
    }
}

bool MonteCarloGame::go() {
    if ((m_phase == Phase::Stopped || m_phase == Phase::Finished) && m_nA > 1) {
        m_phase = Phase::Running;
        return true;
    }
    return false;
}

std::int32_t MonteCarloGame::drawMolecule() {
    // j = Int(N0·R) + 1 with R uniform in [0, 1) from the top 53 bits.
    const double r = static_cast<double>(m_rng() >> 11) * 0x1.0p-53;
    return static_cast<std::int32_t>(r * n0()) + 1;
}

void MonteCarloGame::record() {
    m_recorded.push_back({m_t, m_nA});
}

std::int64_t MonteCarloGame::advance(std::int64_t maxSteps, std::vector<MoleculeChange>* changes) {
    std::int64_t done = 0;
    const std::int64_t block = board().stepsPerPoint;
    const std::int64_t limit = 10 * tMax();
    const float k = equilibriumConstant();
    std::uint8_t* molecules = m_molecules.data();
    while (m_phase == Phase::Running && done < maxSteps) {
        ++m_t;
        ++done;
        const std::int32_t j = drawMolecule();
        const bool wasA = molecules[j] != 0;
        bool change = false;
        if (m_kind == MonteCarloKind::FirstOrder) {
            change = wasA;
        } else if (k == 1.0f) {
            change = true;
        } else if ((k == 0.5f && wasA) || (k == 2.0f && !wasA)) {
            // The slower direction changes on every second draw.
            m_toggle = !m_toggle;
            change = m_toggle;
        } else {
            change = true;
        }
        if (change) {
            molecules[j] = wasA ? 0 : 1;
            m_nA += wasA ? -1 : 1;
            if (changes) {
                changes->push_back({j, !wasA});
            }
        }
        if (++m_blockSteps == block) {
            m_blockSteps = 0;
            record();
            if (m_kind == MonteCarloKind::FirstOrder && (m_t > limit || m_nA == 0)) {
                m_phase = Phase::Finished;
            }
        }
    }
    return done;
}

PercentPoint MonteCarloGame::percentA(const RecordedPoint& p) const {
    return {static_cast<double>(p.t) / (static_cast<double>(tMax()) / 100.0), p.nA / (n0() / 100.0)};
}

PercentPoint MonteCarloGame::percentP(const RecordedPoint& p) const {
    return {static_cast<double>(p.t) / (static_cast<double>(tMax()) / 100.0), (n0() - p.nA) / (n0() / 100.0)};
}

}  // namespace zemtral
