#include "numeric/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace zemtral {
namespace {

// The parts of a Basic Format pattern that this program uses.
struct Pattern {
    std::string prefix;       // literal text before the first placeholder
    int intPlaceholders = 0;  // '0' and '#' before the point
    int minIntDigits = 0;     // '0' before the point
    bool grouping = false;    // ',' between integer placeholders
    bool hasPoint = false;
    int minFrac = 0;  // '0' after the point
    int maxFrac = 0;  // '0' and '#' after the point
    bool scientific = false;
    std::string beforeExponent;  // literal text between the mantissa and 'E' (a blank)
    char exponentLetter = 'E';
    bool exponentPlusSign = false;  // "E+": always a sign; "E-": only a minus
    int minExponentDigits = 1;
    std::string suffix;
};

Pattern parsePattern(std::string_view p) {
    Pattern pat;
    std::size_t i = 0;
    while (i < p.size() && p[i] != '0' && p[i] != '#' && p[i] != '.' && p[i] != ',') {
        pat.prefix += p[i++];
    }
    bool inFraction = false;
    for (; i < p.size(); ++i) {
        const char ch = p[i];
        if (ch == '0' || ch == '#') {
            if (inFraction) {
                ++pat.maxFrac;
                pat.minFrac += ch == '0' ? 1 : 0;
            } else {
                ++pat.intPlaceholders;
                pat.minIntDigits += ch == '0' ? 1 : 0;
            }
        } else if (ch == '.' && !inFraction) {
            pat.hasPoint = true;
            inFraction = true;
        } else if (ch == ',' && !inFraction) {
            pat.grouping = true;
        } else {
            break;
        }
    }
    // Literal blanks may stand between the mantissa and the exponent.
    std::size_t j = i;
    std::string literal;
    while (j < p.size() && p[j] != 'E' && p[j] != 'e') {
        literal += p[j++];
    }
    if (j + 1 < p.size() && (p[j] == 'E' || p[j] == 'e') && (p[j + 1] == '+' || p[j + 1] == '-')) {
        pat.scientific = true;
        pat.beforeExponent = literal;
        pat.exponentLetter = p[j];
        pat.exponentPlusSign = p[j + 1] == '+';
        int zeros = 0;
        std::size_t k = j + 2;
        for (; k < p.size() && (p[k] == '0' || p[k] == '#'); ++k) {
            zeros += p[k] == '0' ? 1 : 0;
        }
        pat.minExponentDigits = zeros > 0 ? zeros : 1;
        pat.suffix = std::string(p.substr(k));
    } else {
        pat.suffix = std::string(p.substr(i));
    }
    return pat;
}

std::string groupDigits(const std::string& digits, char separator) {
    std::string out;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        out += digits[i];
        const std::size_t rest = n - 1 - i;
        if (rest > 0 && rest % 3 == 0) {
            out += separator;
        }
    }
    return out;
}

// Integer digits and fraction digits assembled into the mantissa text of the pattern.
std::string assemble(std::string intDigits, std::string fracDigits, const Pattern& pat,
                     char decimalSeparator) {
    while (static_cast<int>(fracDigits.size()) > pat.minFrac && !fracDigits.empty() &&
           fracDigits.back() == '0') {
        fracDigits.pop_back();
    }
    // Leading zeros beyond the pattern's '0' count are not shown ("###.0" gives ".5").
    std::size_t firstNonZero = intDigits.find_first_not_of('0');
    if (firstNonZero == std::string::npos) {
        intDigits.clear();
    } else {
        intDigits = intDigits.substr(firstNonZero);
    }
    if (static_cast<int>(intDigits.size()) < pat.minIntDigits) {
        intDigits =
            std::string(static_cast<std::size_t>(pat.minIntDigits) - intDigits.size(), '0') + intDigits;
    }
    if (pat.grouping) {
        intDigits = groupDigits(intDigits, decimalSeparator == ',' ? '.' : ',');
    }
    std::string text = intDigits;
    if (pat.hasPoint && !fracDigits.empty()) {
        text += decimalSeparator;
        text += fracDigits;
    } else if (text.empty()) {
        text = "0";
    }
    return text;
}

bool allZero(const std::string& s) {
    return s.find_first_not_of('0') == std::string::npos;
}

// A magnitude as decimal digits: value = 0.digits × 10^exp10. Like Basic, the number is taken to
// 15 significant digits first and then rounded half away from zero, so 298.15 shows as 298.2.
struct Decimal {
    std::string digits;
    int exp10 = 0;
};

Decimal toDecimal(double magnitude) {
    if (magnitude == 0.0) {
        return {"0", 1};
    }
    // to_chars, unlike printf, ignores the C locale (a German locale would write a comma here).
    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
    const std::string_view s(buffer, static_cast<std::size_t>(written.ptr - buffer));
    const std::size_t e = s.find('e');
    Decimal d;
    for (std::size_t i = 0; i < e; ++i) {
        if (s[i] != '.') {
            d.digits += s[i];
        }
    }
    std::string_view exponent = s.substr(e + 1);
    if (!exponent.empty() && exponent.front() == '+') {
        exponent.remove_prefix(1);
    }
    int exp10 = 0;
    std::from_chars(exponent.data(), exponent.data() + exponent.size(), exp10);
    d.exp10 = exp10 + 1;
    return d;
}

// Keeps `keep` leading digits (keep may be 0 or negative: the number is then below the last kept place).
Decimal roundDecimal(Decimal d, int keep) {
    while (keep < 1) {
        d.digits = "0" + d.digits;
        ++d.exp10;
        ++keep;
    }
    const std::size_t n = static_cast<std::size_t>(keep);
    if (d.digits.size() > n) {
        const bool up = d.digits[n] >= '5';
        d.digits.resize(n);
        if (up) {
            std::size_t i = n;
            while (i > 0 && d.digits[i - 1] == '9') {
                d.digits[i - 1] = '0';
                --i;
            }
            if (i == 0) {
                d.digits = "1" + d.digits;
                d.digits.pop_back();
                ++d.exp10;
            } else {
                ++d.digits[i - 1];
            }
        }
    } else {
        d.digits.append(n - d.digits.size(), '0');
    }
    return d;
}

std::string formatFixed(double magnitude, const Pattern& pat, char decimalSeparator, bool& isZero) {
    Decimal d = toDecimal(magnitude);
    d = roundDecimal(d, d.exp10 + pat.maxFrac);
    isZero = allZero(d.digits);
    std::string intDigits, fracDigits;
    if (d.exp10 <= 0) {
        intDigits = "0";
        fracDigits = std::string(static_cast<std::size_t>(-d.exp10), '0') + d.digits;
    } else if (static_cast<std::size_t>(d.exp10) >= d.digits.size()) {
        intDigits = d.digits + std::string(static_cast<std::size_t>(d.exp10) - d.digits.size(), '0');
    } else {
        intDigits = d.digits.substr(0, static_cast<std::size_t>(d.exp10));
        fracDigits = d.digits.substr(static_cast<std::size_t>(d.exp10));
    }
    fracDigits.resize(static_cast<std::size_t>(pat.maxFrac), '0');
    return assemble(intDigits, fracDigits, pat, decimalSeparator);
}

std::string formatScientific(double magnitude, const Pattern& pat, char decimalSeparator, bool& isZero) {
    const int intCount = pat.intPlaceholders;
    const int significant = std::max(1, intCount + pat.maxFrac);
    const Decimal d = roundDecimal(toDecimal(magnitude), significant);
    const std::string& digits = d.digits;
    isZero = allZero(digits);
    const std::size_t intLen = static_cast<std::size_t>(intCount);
    std::string intDigits = digits.substr(0, std::min(intLen, digits.size()));
    std::string fracDigits = digits.size() > intLen ? digits.substr(intLen) : "";
    const int shownExponent = isZero ? 0 : d.exp10 - intCount;
    Pattern mantissaPattern = pat;
    mantissaPattern.grouping = false;
    std::string text = assemble(intDigits, fracDigits, mantissaPattern, decimalSeparator);
    if (intCount == 0 && !text.empty() && text[0] == '0' && pat.hasPoint) {
        text = text.substr(1);  // ".0000000E+00" has no digit before the point, not even for zero
    }
    std::string exponentDigits = std::to_string(std::abs(shownExponent));
    if (static_cast<int>(exponentDigits.size()) < pat.minExponentDigits) {
        exponentDigits =
            std::string(static_cast<std::size_t>(pat.minExponentDigits) - exponentDigits.size(), '0') +
            exponentDigits;
    }
    text += pat.beforeExponent;
    text += pat.exponentLetter;
    if (shownExponent < 0) {
        text += '-';
    } else if (pat.exponentPlusSign) {
        text += '+';
    }
    return text + exponentDigits;
}

std::string generalFormat(double value, int digits, char decimalSeparator) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-Inf" : "Inf";
    }
    // Rounded to `digits`, a magnitude near the largest double can round up beyond it; such a
    // text reads back as an overflow, so the value is rounded toward zero instead.
    if (std::fabs(value) > 1e308) {
        char scientific[64];
        const auto end = std::to_chars(scientific, scientific + sizeof scientific, value,
                                       std::chars_format::scientific, digits - 1)
                             .ptr;
        double back = 0.0;
        if (std::from_chars(scientific, end, back).ec == std::errc::result_out_of_range) {
            char* digit = std::find(scientific, end, 'e');
            while (digit-- != scientific) {
                if (*digit == '.') {
                    continue;
                }
                if (*digit != '0') {
                    --*digit;
                    break;
                }
                *digit = '9';
            }
            std::from_chars(scientific, end, value);
        }
    }
    // to_chars in the general form is printf's %G without the C locale; it writes a lower-case 'e'.
    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    std::string s(buffer, written.ptr);
    if (s == "-0") {
        s = "0";
    }
    for (char& ch : s) {
        if (ch == 'e') {
            ch = 'E';
        } else if (ch == '.') {
            ch = decimalSeparator;
        }
    }
    return s;
}

// Length of the leading number of `s` in Val's grammar, 0 when there is none.
std::size_t leadingNumberLength(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    std::size_t mantissaDigits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        ++i;
        ++mantissaDigits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) {
        return 0;
    }
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            ++j;
        }
        if (j < s.size() && s[j] >= '0' && s[j] <= '9') {
            while (j < s.size() && s[j] >= '0' && s[j] <= '9') {
                ++j;
            }
            i = j;
        }
    }
    return i;
}

// True when a number that from_chars reports out of range is too large, false when it is too
// small: from_chars gives the same error for both. Decided by the decimal order of the first
// significant digit plus the exponent.
bool beyondLargest(std::string_view number) {
    long long order = 0;
    bool significant = false, afterPoint = false;
    std::size_t i = 0;
    if (i < number.size() && (number[i] == '-' || number[i] == '+')) {
        ++i;
    }
    for (; i < number.size() && number[i] != 'E' && number[i] != 'e'; ++i) {
        if (number[i] == '.') {
            afterPoint = true;
        } else if (!significant && number[i] == '0') {
            order -= afterPoint ? 1 : 0;
        } else {
            significant = true;
            order += afterPoint ? 0 : 1;
        }
    }
    if (!significant) {
        return false;
    }
    long long exponent = 0;
    bool negative = false;
    if (++i < number.size() && (number[i] == '-' || number[i] == '+')) {
        negative = number[i++] == '-';
    }
    for (; i < number.size() && number[i] >= '0' && number[i] <= '9' && exponent < 1000000000LL; ++i) {
        exponent = exponent * 10 + (number[i] - '0');
    }
    return order + (negative ? -exponent : exponent) > 0;
}

double convert(std::string number) {
    for (char& ch : number) {
        if (ch == 'D' || ch == 'd') {
            ch = 'E';
        }
    }
    if (!number.empty() && number[0] == '+') {
        number.erase(0, 1);
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Val overflows on a number beyond the largest double (the callers check for finite
        // values, so report an infinite magnitude); one below the smallest is 0.
        const bool negative = number[0] == '-';
        if (!beyondLargest(number)) {
            return negative ? -0.0 : 0.0;
        }
        return negative ? -HUGE_VAL : HUGE_VAL;
    }
    return result.ec == std::errc() ? value : 0.0;
}

std::string commaToPoint(std::string_view text) {
    std::string s(text);
    for (char& ch : s) {
        if (ch == ',') {
            ch = '.';
        }
    }
    return s;
}

bool isBlank(char ch) {
    return ch == ' ' || ch == '\t';
}

}  // namespace

std::string formatNumber(double value, std::string_view pattern, char decimalSeparator) {
    if (!std::isfinite(value)) {
        return generalFormat(value, 15, decimalSeparator);
    }
    const Pattern pat = parsePattern(pattern);
    bool isZero = false;
    const double magnitude = std::fabs(value);
    std::string body = pat.scientific ? formatScientific(magnitude, pat, decimalSeparator, isZero)
                                      : formatFixed(magnitude, pat, decimalSeparator, isZero);
    const bool negative = value < 0.0 && !isZero;
    return pat.prefix + (negative ? "-" : "") + body + pat.suffix;
}

std::string formatSingle(float value, char decimalSeparator) {
    return generalFormat(static_cast<double>(value), 7, decimalSeparator);
}

std::string formatDouble(double value, char decimalSeparator) {
    return generalFormat(value, 15, decimalSeparator);
}

std::string zeroPadded(long long value, int width) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (static_cast<int>(digits.size()) < width) {
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    }
    return value < 0 ? "-" + digits : digits;
}

double parseNumber(std::string_view text) {
    const std::string s = commaToPoint(text);
    std::size_t start = 0;
    while (start < s.size() && isBlank(s[start])) {
        ++start;
    }
    const std::string_view rest(s.data() + start, s.size() - start);
    const std::size_t length = leadingNumberLength(rest);
    return length == 0 ? 0.0 : convert(std::string(rest.substr(0, length)));
}

std::optional<double> parseNumberExact(std::string_view text) {
    const std::string s = commaToPoint(text);
    std::size_t start = 0, end = s.size();
    while (start < end && (isBlank(s[start]) || s[start] == '\r' || s[start] == '\n')) {
        ++start;
    }
    while (end > start && (isBlank(s[end - 1]) || s[end - 1] == '\r' || s[end - 1] == '\n')) {
        --end;
    }
    const std::string_view body(s.data() + start, end - start);
    if (body.empty() || leadingNumberLength(body) != body.size()) {
        return std::nullopt;
    }
    const double value = convert(std::string(body));
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

float toSingle(double value) {
    constexpr double kLargest = std::numeric_limits<float>::max();
    if (value > kLargest) {
        return std::numeric_limits<float>::infinity();
    }
    if (value < -kLargest) {
        return -std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(value);
}

bool looksNumeric(std::string_view text) {
    return parseNumberExact(text).has_value();
}

}  // namespace zemtral
