#pragma once
// What a least-squares fit says about the trust in its parameters: confidence intervals with
// Student's t, the correlation of the parameters and the residual standard deviation.
#include <vector>

#include "numeric/marquardt_nash.h"

namespace zemtral {

/// @brief The regularised incomplete beta function I_x(a, b) for a, b > 0 and 0 <= x <= 1.
double regularizedIncompleteBeta(double a, double b, double x);

/// @brief The distribution function of Student's t with ν > 0 degrees of freedom at t.
double studentTDistribution(double t, double degreesOfFreedom);

/// @brief The quantile t(P, ν) of Student's t: the t with P(T <= t) = P, for 0 < P < 1 and ν > 0
/// (relative accuracy about 1e-12). t(0.975, ν) is the half-width factor of a 95 % interval.
double studentTQuantile(double probability, double degreesOfFreedom);

/// @brief Parameter statistics of a finished fit.
struct ParameterStatistics {
    bool available = false;    ///< a post-analysis with degrees of freedom > 0 was possible
    int degreesOfFreedom = 0;  ///< ν = m − n_free
    double tQuantile = 0.0;    ///< t(0.975, ν)
    double residualSd = 0.0;   ///< s = √(F/ν), the residual standard deviation
    std::vector<double> ci95;  ///< half-width t(0.975, ν)·sd(j); 0 for parameters that were not free
    std::vector<bool> free;    ///< the parameter was free at the end of the fit
    /// Correlation matrix (n × n, row-major): cov(j, k)/(sd(j)·sd(k)) between free parameters,
    /// 1 on the diagonal of a free parameter, 0 in every row and column of the others.
    std::vector<double> correlation;
};

/// @brief The statistics of `fit` (its covariance, standard deviations and σ²) over m residuals.
ParameterStatistics parameterStatistics(const MarquardtResult& fit, int residualCount);

}  // namespace zemtral
