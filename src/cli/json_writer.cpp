#include "cli/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace zemtral::cli {
namespace {

// printf's %.*g in the C locale, whatever locale the process runs under.
std::string generalText(double value, int digits) {
    char buffer[40];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    return {buffer, written.ptr};
}

template <typename Number>
bool readsBackAs(const std::string& text, Number value) {
    Number back{};
    const auto result = std::from_chars(text.data(), text.data() + text.size(), back);
    return result.ec == std::errc() && back == value;
}

// Whole numbers up to 2^53 are exact in a double; JSON writes them without ".0".
constexpr double kExactIntegers = 9007199254740992.0;

}  // namespace

Json jsonNumber(double value) {
    if (!std::isfinite(value)) {
        return nullptr;
    }
    if (std::trunc(value) == value && std::fabs(value) <= kExactIntegers) {
        return static_cast<std::int64_t>(value);
    }
    return value;
}

Json jsonNumber(float value) {
    if (!std::isfinite(value)) {
        return nullptr;
    }
    // The double nearest to the float's shortest decimal text: written again, it gives that text
    // (0.15f as 0.15, not 0.15000000596046448).
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    double widened = static_cast<double>(value);
    std::from_chars(buffer, written.ptr, widened);
    return jsonNumber(widened);
}

std::string jsonText(const Json& value) {
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

Json& JsonWriter::current() {
    return m_open.back().value;
}

JsonWriter& JsonWriter::beginObject(std::string_view key) {
    m_open.push_back({std::string(key), Json::object()});
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    Frame closed = std::move(m_open.back());
    m_open.pop_back();
    if (m_open.empty()) {
        m_root = std::move(closed.value);
        m_text = jsonText(m_root);
    } else {
        current()[closed.key] = std::move(closed.value);
    }
    return *this;
}

JsonWriter& JsonWriter::number(std::string_view key, double value) {
    current()[std::string(key)] = jsonNumber(value);
    return *this;
}

JsonWriter& JsonWriter::number(std::string_view key, float value) {
    current()[std::string(key)] = jsonNumber(value);
    return *this;
}

JsonWriter& JsonWriter::integer(std::string_view key, long long value) {
    current()[std::string(key)] = value;
    return *this;
}

JsonWriter& JsonWriter::boolean(std::string_view key, bool value) {
    current()[std::string(key)] = value;
    return *this;
}

JsonWriter& JsonWriter::string(std::string_view key, std::string_view value) {
    current()[std::string(key)] = std::string(value);
    return *this;
}

JsonWriter& JsonWriter::numbers(std::string_view key, std::span<const double> values) {
    Json array = Json::array();
    for (const double v : values) {
        array.push_back(jsonNumber(v));
    }
    current()[std::string(key)] = std::move(array);
    return *this;
}

JsonWriter& JsonWriter::numbers(std::string_view key, std::span<const float> values) {
    Json array = Json::array();
    for (const float v : values) {
        array.push_back(jsonNumber(v));
    }
    current()[std::string(key)] = std::move(array);
    return *this;
}

std::string JsonWriter::numberText(double value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    // Prefer the shortest text of 6 to 17 digits that reads back to the same double.
    for (int digits = 6; digits < 17; ++digits) {
        const std::string shorter = generalText(value, digits);
        if (readsBackAs(shorter, value)) {
            return shorter;
        }
    }
    return generalText(value, 17);
}

std::string JsonWriter::numberText(float value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    // The shortest text that reads back to the same single-precision value.
    std::string text;
    for (int digits = 6; digits <= 9; ++digits) {
        text = generalText(static_cast<double>(value), digits);
        if (readsBackAs(text, value)) {
            break;
        }
    }
    return text;
}

}  // namespace zemtral::cli
