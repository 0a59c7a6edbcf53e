#include "numeric/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace zemtral {
namespace {

TEST(FormatNumber, FixedPatterns) {
    EXPECT_EQ(formatNumber(0.5, "0.00"), "0.50");
    EXPECT_EQ(formatNumber(-0.004, "0.00"), "0.00");  // no "-0.00"
    EXPECT_EQ(formatNumber(1.005e3, "#####0.00"), "1005.00");
    EXPECT_EQ(formatNumber(0.125, "#####0.00", ','), "0,13");
    EXPECT_EQ(formatNumber(-12.3456, "####0.00"), "-12.35");
    EXPECT_EQ(formatNumber(0.5, "###.0"), ".5");
    EXPECT_EQ(formatNumber(298.15, "###.0"), "298.2");
    EXPECT_EQ(formatNumber(298.15, "####,##"), "298");
    EXPECT_EQ(formatNumber(1234567.4, "####,##"), "1,234,567");
    EXPECT_EQ(formatNumber(1234567.4, "####,##", ','), "1.234.567");
    EXPECT_EQ(formatNumber(1.5, "0.000#"), "1.500");
    EXPECT_EQ(formatNumber(1.23456, "0.000#"), "1.2346");
    EXPECT_EQ(formatNumber(1.234, "0.000#"), "1.234");
}

TEST(FormatNumber, ScientificPatterns) {
    EXPECT_EQ(formatNumber(1.5, "0.000000E+00"), "1.500000E+00");
    EXPECT_EQ(formatNumber(-0.00012345, "0.000000E+00"), "-1.234500E-04");
    EXPECT_EQ(formatNumber(0.0, "0.000000E+00"), "0.000000E+00");
    EXPECT_EQ(formatNumber(2.5, ".0000000E+00"), ".2500000E+01");
    EXPECT_EQ(formatNumber(0.25, ".0000000E+00"), ".2500000E+00");
    EXPECT_EQ(formatNumber(1.5, ".0000000E+00"), ".1500000E+01");
    EXPECT_EQ(formatNumber(0.0, ".0000000E+00"), ".0000000E+00");
    EXPECT_EQ(formatNumber(-1e-10, ".0000000E+00"), "-.1000000E-09");
    EXPECT_EQ(formatNumber(0.0012, "0.0 E+##"), "1.2 E-3");
    EXPECT_EQ(formatNumber(1.2e12, "0.0 E+##"), "1.2 E+12");
    EXPECT_EQ(formatNumber(4.56789e5, "0.0000 E+##", ','), "4,5679 E+5");
    EXPECT_EQ(formatNumber(9.99996, "0.0000 E+##"), "1.0000 E+1");  // rounding carries into the exponent
}

TEST(FormatNumber, GeneralFormats) {
    EXPECT_EQ(formatSingle(0.0001f), "0.0001");
    EXPECT_EQ(formatSingle(1e-5f), "1E-05");
    EXPECT_EQ(formatSingle(1234567.0f), "1234567");
    EXPECT_EQ(formatSingle(12345678.0f), "1.234568E+07");
    EXPECT_EQ(formatSingle(0.15f), "0.15");
    EXPECT_EQ(formatSingle(0.15f, ','), "0,15");
    EXPECT_EQ(formatDouble(0.1), "0.1");
    EXPECT_EQ(formatDouble(1.0 / 3.0), "0.333333333333333");
}

// Rounding to 15 digits would carry the largest doubles beyond the double range, and the text
// would read back as an overflow: they are rounded toward zero, every other value as before.
TEST(FormatNumber, LargestDoublesReadBack) {
    const double largest = std::numeric_limits<double>::max();
    EXPECT_EQ(formatDouble(largest), "1.79769313486231E+308");
    EXPECT_EQ(formatDouble(-largest), "-1.79769313486231E+308");
    EXPECT_EQ(formatDouble(1.797693134862315e308), "1.79769313486231E+308");
    EXPECT_EQ(formatDouble(1.79769313486231e308), "1.79769313486231E+308");
    EXPECT_EQ(formatDouble(1.5e308), "1.5E+308");
    EXPECT_EQ(formatSingle(std::numeric_limits<float>::max()), "3.402823E+38");
    for (const double value : {largest, -largest, std::nextafter(largest, 0.0), 1.797693134862315e308}) {
        const std::optional<double> back = parseNumberExact(formatDouble(value));
        ASSERT_TRUE(back.has_value()) << formatDouble(value);
        EXPECT_NEAR(*back / value, 1.0, 1e-14);
    }
}

TEST(ParseNumber, ValSemantics) {
    EXPECT_DOUBLE_EQ(parseNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(parseNumber("  0,75"), 0.75);
    EXPECT_DOUBLE_EQ(parseNumber("1.5e-3 mol"), 1.5e-3);
    EXPECT_DOUBLE_EQ(parseNumber("-.5"), -0.5);
    EXPECT_DOUBLE_EQ(parseNumber("12abc"), 12.0);
    EXPECT_DOUBLE_EQ(parseNumber("abc"), 0.0);
    EXPECT_DOUBLE_EQ(parseNumber("2E"), 2.0);
    EXPECT_DOUBLE_EQ(parseNumber("3D2"), 300.0);
    EXPECT_TRUE(std::isinf(parseNumber("1e999")));
    // Below the smallest double a number is 0, not infinite: the range error of the conversion
    // is the same for both ends.
    EXPECT_EQ(parseNumber("1e-999"), 0.0);
    EXPECT_EQ(parseNumber("-0,0001e-400"), 0.0);
    EXPECT_TRUE(std::isinf(parseNumber("0,001e312")));
    EXPECT_EQ(parseNumber("0,001e-330"), 0.0);
    EXPECT_EQ(parseNumberExact("1e-999"), 0.0);
    EXPECT_TRUE(std::isinf(parseNumber("-1e99999999999999999999")));
}

TEST(ParseNumber, ExactReading) {
    EXPECT_EQ(parseNumberExact(" 1,5 "), 1.5);
    EXPECT_EQ(parseNumberExact(".25\r"), 0.25);
    EXPECT_FALSE(parseNumberExact("1.5x").has_value());
    EXPECT_FALSE(parseNumberExact("").has_value());
    EXPECT_FALSE(parseNumberExact("1e999").has_value());
    EXPECT_TRUE(looksNumeric("-3E+02"));
}

}  // namespace
}  // namespace zemtral
