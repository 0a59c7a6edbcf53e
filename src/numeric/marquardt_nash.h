#pragma once
// Nash's bounded, maskable Marquardt method for nonlinear least squares: minimises
// F(p) = Σ r_i(p)² over parameters held between bounds, some of them fixed.
#include <functional>
#include <span>
#include <vector>

namespace zemtral {

/// @brief Computes the residual vector r (size m) at the parameters p (size n). Returns false when
/// the model cannot be evaluated there (the solver then treats the point as no improvement).
using ResidualFunction = std::function<bool(std::span<const double> p, std::span<double> r)>;

/// @brief Computes the Jacobian J (m × n, row-major: J[i·n + j] = ∂r_i/∂p_j) at p, where the
/// residuals are already known to be r. Only the columns with needed[j] true are used.
using JacobianFunction = std::function<bool(std::span<const double> p, std::span<const double> r,
                                            std::span<const bool> needed, std::span<double> jacobian)>;

/// @brief The least-squares problem: n parameters, m residuals, and how to evaluate them.
struct LeastSquaresProblem {
    int parameterCount = 0;      ///< n
    int residualCount = 0;       ///< m
    ResidualFunction residuals;  ///< required
    JacobianFunction jacobian;   ///< optional; forward differences of `residuals` when empty
};

/// @brief Parameter state of the bounded method.
enum class BoundState : int {
    AtLower = -2,  ///< held at the lower bound
    AtUpper = -1,  ///< held at the upper bound
    Fixed = 0,     ///< not changed by the fit
    Free = 1,
};

/// @brief Settings of a run. The defaults are the constants of the method.
struct MarquardtOptions {
    std::vector<double> lower;  ///< lower bounds (size n); empty = unbounded
    std::vector<double> upper;  ///< upper bounds (size n); empty = unbounded
    std::vector<bool> fixed;    ///< fixed[j] true holds p(j) at its start value; empty = none fixed
    int maxJacobians = 125;     ///< limit of Jacobian evaluations
    int maxObjectives = 0;      ///< limit of objective evaluations; 0 = 100·n
    double initialLambda = 1e-4;
    double lambdaIncrease = 10.0;
    double lambdaDecrease = 0.4;
    double phi = 1.0;                ///< adds φ·λ to every diagonal element
    double machineEpsilon = 3e-16;   ///< λ restarts from it when an increase leaves it at 0
    double boundTolerance = 3e-16;   ///< p within (|bound| + ε)·ε of a bound counts as on it
    double derivativeStep = 1.7e-7;  ///< forward-difference step h = (|p| + s)·s
    /// Asked before every Jacobian and every trial step; true ends the run with the last accepted
    /// parameters (`stopped`). May be called from the thread that runs the fit.
    std::function<bool()> stopRequested;
    /// Told the last accepted parameters and F after every accepted step (for a progress display).
    std::function<void(std::span<const double> params, double objective)> progress;
};

/// @brief Outcome of a run.
struct MarquardtResult {
    bool converged = false;         ///< no free parameter changed in the last step (10 + p test)
    bool limitReached = false;      ///< a Jacobian or objective limit ended the run
    bool evaluationFailed = false;  ///< the model could not be evaluated at the start values
    bool stalled = false;           ///< the damping grew without bound: no further step possible
    bool undetermined = false;      ///< the steps vanished at a point where the data do not determine
                                    ///< the parameters (singular Jacobian); not a solution
    bool stopped = false;           ///< ended on request (MarquardtOptions::stopRequested)
    std::vector<double> params;     ///< last accepted parameters
    std::vector<double> sd;         ///< standard deviations; 0 for non-free parameters and
                                    ///< when no post-analysis was possible
    std::vector<BoundState> mask;   ///< final state of each parameter
    double objective = 0.0;         ///< F at params = Σ r_i²
    std::vector<double> residuals;  ///< r at params (size m)
    /// Covariance matrix σ²·(JᵀJ)⁻¹ of the free parameters (n × n, row-major); rows and columns of
    /// the other parameters are 0. Empty when no post-analysis was possible.
    std::vector<double> covariance;
    double sigma2 = 0.0;     ///< residual variance F/(m − free); 0 without degrees of freedom
    int freeCount = 0;       ///< free parameters at the end
    int iterations = 0;      ///< major iterations (= accepted steps + 1 when converged)
    int jacobianCount = 0;   ///< Jacobian evaluations
    int objectiveCount = 0;  ///< objective (residual vector) evaluations, start included
};

/// @brief Forward-difference Jacobian, column by column: for each needed j, one residual vector at
/// p + h·e_j with h = (|p_j| + step)·step; J(:, j) = (r(p + h·e_j) − r)/h.
bool forwardDifferenceJacobian(const ResidualFunction& residuals, std::span<const double> p,
                               std::span<const double> r, std::span<const bool> needed, double step,
                               std::span<double> jacobian);

/// @brief Runs the bounded Marquardt method from `start`.
MarquardtResult MarquardtNashFitting(const LeastSquaresProblem& problem, std::vector<double> start,
                                     const MarquardtOptions& options = {});

}  // namespace zemtral
