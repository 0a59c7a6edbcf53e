#pragma once
// Half-lives of A and B for the closed-form models and the linearised evaluation diagrams,
// and the equilibrium extent of the reversible second-order reactions.
#include <optional>
#include <string>

namespace zemtral {

/// @brief Result of a half-life routine. The core shows nothing itself: the caller beeps when
/// `beep` is set and shows `message` (when not empty) in a critical message box titled `title`.
struct HalfLifeResult {
    float value = 0.0f;  ///< [time unit]; −1 = not computable (after a message); 0 = no value
    bool beep = false;   ///< the formula has no solution (value 0)
    std::string message;
    std::string title;  ///< " Ausführung nicht möglich " or "Meldung von FuHalbwertszeitA"/"...B"
};

/// @brief Half-life of A for diagram kind `diagramKind` (model id, model id + 50, or a negative
/// kind of the linearised evaluation) from c0(A), c0(B), c0(P) [mol/l] and k1, k2.
HalfLifeResult FuHalbwertszeitA(double cA0, double cB0, double cP0, double k1, double k2, int diagramKind);

/// @brief Half-life of B (kinds 4, 9, 54, 59, −8, 12, 62, 17, 67; every other kind gives 0).
HalfLifeResult FuHalbwertszeitB(double cA0, double cB0, double cP0, double k1, double k2, int diagramKind);

/// @brief Extent x [mol/l] of the reaction at equilibrium for model 12 (A + B <=> 2P, k1 = k>,
/// k2 = k<: k>·(cA0 − x)(cB0 − x) = k<·(cP0 + 2x)²) or model 17 (A + B <=> P:
/// k>·(cA0 − x)(cB0 − x) = k<·(cP0 + x)). Of the roots it takes the one that is a possible
/// extent, 0 <= x <= min(cA0, cB0); when the reaction runs backwards (P decomposes) the root
/// between −cP0/2 (model 12) or −cP0 (model 17) and 0. Nothing when no root is a possible extent
/// (for example k> = k< = 0, or any other model).
std::optional<double> equilibriumExtent(int model, double cA0, double cB0, double cP0, double k1, double k2);

}  // namespace zemtral
