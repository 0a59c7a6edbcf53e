#pragma once
// The implicit path of the engine: an L-stable Rosenbrock method of order 3 with an embedded
// second-order error estimate and step-size control, for the compact models once a run has
// turned out to be stiff (the explicit Runge-Kutta steps would have to stay far below the
// output interval only to remain stable).
#include <array>

#include "core/compact_kinetics.h"
#include "core/step_meter.h"
#include "numeric/fp_guard.h"

namespace zemtral {

/// @brief One step of width h from y: yNew and the local error estimate of the step (the
/// difference to the embedded second-order solution). False when the linear system is singular
/// to working precision. The method is stiffly accurate and L-stable (R(∞) = 0): four stages,
/// three evaluations of f and one of the Jacobian, one LU decomposition of (I/(γh) − J), γ = 1/2.
bool rosenbrockStep(const RunConstants& p, int size, const Compact& y, double h, Compact& yNew,
                    Compact& error);

/// @brief How an advance over one output interval ended.
enum class StiffOutcome {
    Done,        ///< y holds the solution at the end of the interval
    OverBudget,  ///< the run's step budget would be exceeded
    Stopped,     ///< the caller's stop hook asked to stop
    Fault,       ///< no step could be taken: an arithmetic fault that persists at tiny steps
};

/// @brief The integrator of one run: keeps the step size and the error scales between intervals.
class StiffIntegrator {
  public:
    /// @brief Relative tolerance of a step; the absolute tolerance of each component is this
    /// times the largest value the component has had in the run (its own scale, so that the
    /// enzyme at 1e-7 mol/l is followed as closely as a substrate at 1e-3 mol/l).
    static constexpr double kRelativeTolerance = 5e-8;

    StiffIntegrator(const RunConstants& p, int size)
        : m_p(p), m_size(size), m_laws(conservationLaws(p.model)) {}

    /// @brief Starts at y with a first trial step h0 [time unit]. The mass balances of y are
    /// the ones every accepted step keeps.
    void start(const Compact& y, double h0);

    /// @brief Advances y from `from` to exactly `to` with as many steps as the error control
    /// needs; every step attempt is booked on `meter`. Arithmetic faults of a trial step (read
    /// from `guard`) reject the step and are cleared.
    StiffOutcome advance(Compact& y, double from, double to, StepMeter& meter, FpGuard& guard);

    double lastStep() const { return m_lastStep; }  ///< width of the last accepted step
    long acceptedSteps() const { return m_accepted; }
    long rejectedSteps() const { return m_rejected; }
    /// @brief The fault behind StiffOutcome::Fault (of the last rejected trial step).
    FpFault lastFault() const { return m_fault; }

  private:
    void settle(Compact& y) const;
    double errorNorm(const Compact& y, const Compact& yNew, const Compact& error) const;

    RunConstants m_p;
    int m_size;
    double m_h = 0.0;
    double m_lastStep = 0.0;
    Compact m_peak{};  ///< largest |y_j| so far: the scale of component j
    ConservationLaws m_laws;
    std::array<double, 2> m_balance{};  ///< Σ w·y of each law at the start
    long m_accepted = 0;
    long m_rejected = 0;
    FpFault m_fault = FpFault::None;
};

}  // namespace zemtral
