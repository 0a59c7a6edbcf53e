#include "cli/json_writer.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zemtral::cli {

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
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(ch));
                    out += buffer;
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
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    // Prefer the shortest text that reads back to the same double.
    for (int digits = 6; digits < 17; ++digits) {
        char shorter[40];
        std::snprintf(shorter, sizeof shorter, "%.*g", digits, value);
        if (std::strtod(shorter, nullptr) == value) {
            return shorter;
        }
    }
    return buffer;
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
    char buffer[40];
    for (int digits = 6; digits <= 9; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*g", digits, static_cast<double>(value));
        if (std::strtof(buffer, nullptr) == value) {
            break;
        }
    }
    return buffer;
}

JsonWriter& JsonWriter::numbers(std::string_view key, std::span<const float> values) {
    writeKey(key);
    writeArray(values);
    return *this;
}

}  // namespace zemtral::cli
