#pragma once
// Unit labels of the calculation windows for the selected model and time unit.
#include <string>
#include <string_view>

namespace zemtral {

/// @brief The labels that UpdateUnitCaptions writes into every open calculation window.
struct UnitCaptions {
    std::string timeUnit;             ///< u itself
    std::string flowLabel;            ///< stirred tank: "V* /m^3/" u
    std::string unit1, unit2, unit3;  ///< units of k(1), k(2), k(3)
    std::string timeCaption;          ///< simulation set-up: "Zeit t/" u
    std::string fittingTimeCaption;   ///< fitting window: "  Zeit t/" u
};

/// @brief The unit labels for model `modelId` and unit text u. The k1 label of the autocatalytic
/// models 5 and 16 is the second-order unit, as their rate law k1·cA·cP is of second order.
UnitCaptions UpdateUnitCaptions(int modelId, std::string_view u);

}  // namespace zemtral
