#pragma once
// Number texts: the display patterns of the classic Basic Format function, the general formats
// of 4- and 8-byte floats, and locale-independent reading of typed numbers.
#include <optional>
#include <string>
#include <string_view>

namespace zemtral {

/// @brief Formats `value` by a Basic Format pattern such as "0.00", "#####0.00", "0.000000E+00",
/// ".0000000E+00", "0.0 E+##", "###.0", "####,##" or "0.000#".
/// `decimalSeparator` replaces the point (screen texts use the locale's; files always '.');
/// the thousands separator is the other of '.' and ','.
std::string formatNumber(double value, std::string_view pattern, char decimalSeparator = '.');

/// @brief General format of a 4-byte float: up to 7 significant digits, the form of printf("%.7G")
/// in the C locale (whatever the process locale is).
std::string formatSingle(float value, char decimalSeparator = '.');

/// @brief General format of an 8-byte float: up to 15 significant digits, as printf("%.15G").
std::string formatDouble(double value, char decimalSeparator = '.');

/// @brief A whole number with at least `width` digits, zeros in front ("%0*d" without printf).
std::string zeroPadded(long long value, int width);

/// @brief Reads a typed number like Basic's Val after a comma has been turned into a point:
/// the leading number of the text (blanks before it skipped), the rest ignored; no number is 0.
double parseNumber(std::string_view text);

/// @brief Reads a number that must fill the whole text (blanks around it allowed, a comma counts
/// as the decimal point); nothing when the text is empty or is not exactly one number.
std::optional<double> parseNumberExact(std::string_view text);

/// @brief A double as a 4-byte float for a field of that width: a value beyond the float range
/// becomes ±infinity explicitly (for the input checks to refuse) instead of an undefined cast.
float toSingle(double value);

/// @brief True when a number typed by the user would be a valid, finite number for parseNumber.
bool looksNumeric(std::string_view text);

}  // namespace zemtral
