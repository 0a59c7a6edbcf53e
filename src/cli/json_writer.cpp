#include "cli/json_writer.h"

#include <charconv>
#include <cmath>

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

}  // namespace

std::string JsonWriter::quote(std::string_view text) {
    std::string out = "\"";
    for (const char ch : text) {
        switch (ch) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(ch) < 0x20) {
                    constexpr char kHex[] = "0123456789abcdef";
                    out += "\\u00";
                    out += kHex[(ch >> 4) & 0xf];
                    out += kHex[ch & 0xf];
                } else {
                    out += ch;
                }
        }
    }
    return out + "\"";
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

void JsonWriter::separator() {
    if (!m_first.empty()) {
        if (!m_first.back()) {
            m_text += ',';
        }
        m_first.back() = false;
    }
}

void JsonWriter::writeKey(std::string_view key) {
    separator();
    if (!key.empty()) {
        m_text += quote(key) + ":";
    }
}

JsonWriter& JsonWriter::beginObject(std::string_view key) {
    writeKey(key);
    m_text += '{';
    m_first.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    m_text += '}';
    m_first.pop_back();
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view key) {
    writeKey(key);
    return *this;
}

JsonWriter& JsonWriter::number(std::string_view key, double value) {
    writeKey(key);
    m_text += numberText(value);
    return *this;
}

JsonWriter& JsonWriter::number(std::string_view key, float value) {
    writeKey(key);
    m_text += numberText(value);
    return *this;
}

JsonWriter& JsonWriter::integer(std::string_view key, long long value) {
    writeKey(key);
    m_text += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::boolean(std::string_view key, bool value) {
    writeKey(key);
    m_text += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::string(std::string_view key, std::string_view value) {
    writeKey(key);
    m_text += quote(value);
    return *this;
}

JsonWriter& JsonWriter::numbers(std::string_view key, std::span<const double> values) {
    writeKey(key);
    writeArray(values);
    return *this;
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

JsonWriter& JsonWriter::numbers(std::string_view key, std::span<const float> values) {
    writeKey(key);
    writeArray(values);
    return *this;
}

}  // namespace zemtral::cli
