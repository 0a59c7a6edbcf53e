#pragma once
// Which species and rate constants a model or a diagram kind shows.
#include <cstdint>
#include <string>

namespace zemtral {

/// @brief The masks of a model or diagram kind.
struct SpeciesMasks {
    /// Five characters for the slots A, B, C, P, Q (model 10: E, S, ES, P): "0" not shown, "1"
    /// shown; the whole mask "00002" marks the linearised evaluation diagrams (point set "Fu(c)").
    std::string speciesMask = "00000";
    std::string parameterMask = "000";  ///< "0"/"1" for k1, k2, k3
    bool temperatureDiagram = false;    ///< kinds −2, −3, −4
};

/// @brief The masks of `code`, a model number (1..18, 20) or a diagram kind (51..70, −1..−11).
/// Unlisted codes (0, 19, 100...) give "00000", "000" and no temperature diagram.
SpeciesMasks SetSpeciesMasks(int code, std::uint8_t fittingMode);

/// @brief The species mask read as a number, as the point-set preparation compares it with 2.
int speciesMaskValue(const std::string& mask);

}  // namespace zemtral
