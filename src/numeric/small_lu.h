#pragma once
// Dense LU decomposition with partial pivoting for the small systems of the implicit integrator
// (a few unknowns): the order is a template argument, so that the loops unroll in the innermost
// loop of the integrator; no allocation.
#include <array>
#include <cmath>

namespace zemtral {

/// @brief A square matrix of order N, row-major, and its LU factors after factorise().
template <int N>
struct SmallLu {
    static constexpr int n = N;
    std::array<std::array<double, N>, N> a{};  ///< the matrix, then L\U
    std::array<int, N> pivot{};                ///< row exchanged at step k
    std::array<double, N> inverseDiagonal{};   ///< 1/U(k,k): solves multiply instead of divide

    /// @brief Factorises a in place (P·A = L·U, unit lower triangle). False when a pivot is zero
    /// or not finite: the matrix is singular to working precision and a cannot be solved with.
    bool factorise() {
        for (int k = 0; k < n; ++k) {
            int best = k;
            for (int i = k + 1; i < n; ++i) {
                if (std::fabs(a[i][k]) > std::fabs(a[best][k])) {
                    best = i;
                }
            }
            pivot[k] = best;
            if (best != k) {
                std::swap(a[best], a[k]);
            }
            const double diagonal = a[k][k];
            if (diagonal == 0.0 || !std::isfinite(diagonal)) {
                return false;
            }
            const double inverse = 1.0 / diagonal;
            inverseDiagonal[k] = inverse;
            for (int i = k + 1; i < n; ++i) {
                const double factor = a[i][k] * inverse;
                a[i][k] = factor;
                for (int j = k + 1; j < n; ++j) {
                    a[i][j] -= factor * a[k][j];
                }
            }
        }
        return true;
    }

    /// @brief Solves A·x = b with the factors of factorise(); b is overwritten by x.
    template <class Vector>
    void solve(Vector& b) const {
        for (int k = 0; k < n; ++k) {
            if (pivot[k] != k) {
                std::swap(b[k], b[pivot[k]]);
            }
        }
        for (int i = 1; i < n; ++i) {
            double sum = b[i];
            for (int j = 0; j < i; ++j) {
                sum -= a[i][j] * b[j];
            }
            b[i] = sum;
        }
        for (int i = n - 1; i >= 0; --i) {
            double sum = b[i];
            for (int j = i + 1; j < n; ++j) {
                sum -= a[i][j] * b[j];
            }
            b[i] = sum * inverseDiagonal[i];
        }
    }
};

}  // namespace zemtral
