#pragma once
// The numerically integrated models written on their compact state vectors: which species each
// component is, dy/dt and its Jacobian. Inline: both sit in the innermost loops of the engine.
#include <array>
#include <cmath>

#include "core/species.h"

namespace zemtral {

/// @brief Compact state vector of the numerically integrated models: which slot each component is.
struct CompactLayout {
    int size = 0;
    std::array<int, 4> slot{};
};

inline CompactLayout compactLayout(int model) {
    switch (model) {
        case 7:
        case 9:
        case 10:
        case 13:
        case 18:
            return {4, {kSlotA, kSlotB, kSlotC, kSlotP}};
        case 14:
        case 15:
            return {3, {kSlotA, kSlotC, kSlotP, 0}};
        case 20:
            return {2, {kSlotA, kSlotP, 0, 0}};
        default:
            return {};
    }
}

using Compact = std::array<double, 4>;
using CompactJacobian = std::array<Compact, 4>;  ///< [i][j] = ∂f_i/∂y_j

/// @brief The constants of one run of a numerically integrated model.
struct RunConstants {
    int model = 0;
    double k1 = 0.0, k2 = 0.0, k3 = 0.0;
    double order = 1.0;  ///< n of model 20
    int halfSteps = 2;   ///< 2·order when that is a small whole number (0..8), else −1
};

/// @brief 2·n for the common orders 0, 0.5, 1 ... 4, whose powers are products and one square root
/// (several times faster than pow in the innermost loop); −1 for any other order.
inline int halfStepsOf(double order) {
    const double twice = 2.0 * order;
    if (twice >= 0.0 && twice <= 8.0 && twice == std::floor(twice)) {
        return static_cast<int>(twice);
    }
    return -1;
}

/// @brief c^n for the order of the run.
inline double orderPower(double c, const RunConstants& p) {
    if (p.halfSteps < 0) {
        return std::pow(c, p.order);
    }
    double value = (p.halfSteps % 2 == 1) ? std::sqrt(c) : 1.0;
    for (int k = 0; k < p.halfSteps / 2; ++k) {
        value *= c;
    }
    return value;
}

/// @brief dy/dt of the compact vector (the rate laws written on the compact components).
inline Compact derivative(const RunConstants& p, const Compact& y) {
    const double k1 = p.k1, k2 = p.k2, k3 = p.k3;
    Compact f{};
    switch (p.model) {
        case 7:
            f[0] = -k1 * y[0] * y[1] - k2 * y[0] * y[2];
            f[1] = -k1 * y[0] * y[1];
            f[2] = k1 * y[0] * y[1] - k2 * y[0] * y[2];
            f[3] = k2 * y[0] * y[2];
            break;
        case 9:
            f[0] = f[1] = -k1 * y[0] * y[1];
            f[2] = k1 * y[0] * y[1] - k2 * y[2];
            f[3] = k2 * y[2];
            break;
        case 10:
            f[0] = -k1 * y[0] * y[1] + k2 * y[2] + k3 * y[2];
            f[1] = -k1 * y[0] * y[1] + k2 * y[2];
            f[2] = k1 * y[0] * y[1] - k2 * y[2] - k3 * y[2];
            f[3] = k3 * y[2];
            break;
        case 13:
            f[0] = f[1] = -k1 * y[0] * y[1];
            f[2] = k1 * y[0] * y[1] - k2 * y[2] + k3 * y[3];
            f[3] = k2 * y[2] - k3 * y[3];
            break;
        case 14:
            f[0] = -k1 * y[0];
            f[1] = k1 * y[0] - k2 * y[1] + k3 * y[2];
            f[2] = k2 * y[1] - k3 * y[2];
            break;
        case 15:
            f[0] = -k1 * y[0] + k2 * y[1];
            f[1] = k1 * y[0] - k2 * y[1] - k3 * y[1];
            f[2] = k3 * y[1];
            break;
        case 18:
            f[0] = f[1] = -k1 * y[0] * y[1] + k2 * y[2];
            f[2] = k1 * y[0] * y[1] - k2 * y[2] - k3 * y[2];
            f[3] = k3 * y[2];
            break;
        case 20:
            // Once c(A) has reached 0 (for n < 1 in finite time) nothing reacts any more; a
            // negative number is never raised to the power n.
            if (y[0] > 0.0) {
                f[0] = -k1 * orderPower(y[0], p);
                f[1] = -f[0];
            }
            break;
        default:
            break;
    }
    return f;
}

/// @brief The mass balances of a model on its compact vector: Σ_j w[k][j]·y_j stays constant
/// for each of the `count` weight rows (atoms of A and of B; for the enzyme E and S).
struct ConservationLaws {
    int count = 0;
    std::array<Compact, 2> w{};
};

inline ConservationLaws conservationLaws(int model) {
    switch (model) {
        case 7:
            return {2, {{{1, 0, 1, 2}, {0, 1, 1, 1}}}};
        case 9:
        case 13:
        case 18:
            return {2, {{{1, 0, 1, 1}, {0, 1, 1, 1}}}};
        case 10:
            return {2, {{{1, 0, 1, 0}, {0, 1, 1, 1}}}};
        case 14:
        case 15:
            return {1, {{{1, 1, 1, 0}}}};
        case 20:
            return {1, {{{1, 1, 0, 0}}}};
        default:
            return {};
    }
}

/// @brief ∂f/∂y of derivative() at y, written out per model. Every row combination that makes a
/// mass balance of f vanish vanishes here too, so the implicit steps keep the balances.
inline CompactJacobian jacobian(const RunConstants& p, const Compact& y) {
    const double k1 = p.k1, k2 = p.k2, k3 = p.k3;
    CompactJacobian J{};
    switch (p.model) {
        case 7:
            J[0] = {-k1 * y[1] - k2 * y[2], -k1 * y[0], -k2 * y[0], 0.0};
            J[1] = {-k1 * y[1], -k1 * y[0], 0.0, 0.0};
            J[2] = {k1 * y[1] - k2 * y[2], k1 * y[0], -k2 * y[0], 0.0};
            J[3] = {k2 * y[2], 0.0, k2 * y[0], 0.0};
            break;
        case 9:
            J[0] = J[1] = {-k1 * y[1], -k1 * y[0], 0.0, 0.0};
            J[2] = {k1 * y[1], k1 * y[0], -k2, 0.0};
            J[3] = {0.0, 0.0, k2, 0.0};
            break;
        case 10:
            J[0] = {-k1 * y[1], -k1 * y[0], k2 + k3, 0.0};
            J[1] = {-k1 * y[1], -k1 * y[0], k2, 0.0};
            J[2] = {k1 * y[1], k1 * y[0], -k2 - k3, 0.0};
            J[3] = {0.0, 0.0, k3, 0.0};
            break;
        case 13:
            J[0] = J[1] = {-k1 * y[1], -k1 * y[0], 0.0, 0.0};
            J[2] = {k1 * y[1], k1 * y[0], -k2, k3};
            J[3] = {0.0, 0.0, k2, -k3};
            break;
        case 14:
            J[0] = {-k1, 0.0, 0.0, 0.0};
            J[1] = {k1, -k2, k3, 0.0};
            J[2] = {0.0, k2, -k3, 0.0};
            break;
        case 15:
            J[0] = {-k1, k2, 0.0, 0.0};
            J[1] = {k1, -k2 - k3, 0.0, 0.0};
            J[2] = {0.0, k3, 0.0, 0.0};
            break;
        case 18:
            J[0] = J[1] = {-k1 * y[1], -k1 * y[0], k2, 0.0};
            J[2] = {k1 * y[1], k1 * y[0], -k2 - k3, 0.0};
            J[3] = {0.0, 0.0, k3, 0.0};
            break;
        case 20:
            if (y[0] > 0.0) {
                // d(c^n)/dc = n·c^(n−1) = n·c^n/c
                const double slope = k1 * p.order * orderPower(y[0], p) / y[0];
                J[0][0] = -slope;
                J[1][0] = slope;
            }
            break;
        default:
            break;
    }
    return J;
}

}  // namespace zemtral
