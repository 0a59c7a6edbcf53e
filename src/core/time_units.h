#pragma once
// Time units "s", "min", "h", "d", "a" (the year has 365 days) and the unit texts built from them.
#include <string>
#include <string_view>

namespace zemtral {

inline constexpr int kTimeUnitCount = 5;

/// @brief Display string of the unit list.
inline constexpr std::string_view kTimeUnitList = "a | d | h | min | s";

/// @brief Unit text of index 0..4 ("s", "min", "h", "d", "a"); "s" for an index outside.
std::string_view timeUnitText(int index);

/// @brief Index 0..4 of a unit text; -1 when the text is none of the five.
int timeUnitIndex(std::string_view unit);

/// @brief Conversion factor(new, old): a time in the old unit times the factor is the time in the
/// new unit (factor(s, min) = 60). Indices outside 0..4 give 1.
double timeUnitFactor(int newIndex, int oldIndex);

/// @brief "/(1/" u ")" — unit of a first-order constant.
std::string firstOrderUnit(std::string_view u);
/// @brief "/(l/(" u "*mol))" — unit of a second-order constant.
std::string secondOrderUnit(std::string_view u);
/// @brief "/(mol/(" u "*l))" — unit of a zeroth-order constant.
std::string zeroOrderUnit(std::string_view u);
/// @brief "/(mol/l/" u ")" — unit of a rate.
std::string rateUnit(std::string_view u);

}  // namespace zemtral
