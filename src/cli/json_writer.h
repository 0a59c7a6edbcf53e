#pragma once
// A small writer for one JSON object on stdout: numbers at full precision, NaN and infinities as null.
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zemtral::cli {

class JsonWriter {
  public:
    JsonWriter& beginObject(std::string_view key = {});
    JsonWriter& endObject();
    JsonWriter& key(std::string_view key);
    JsonWriter& number(std::string_view key, double value);
    /// @brief A single-precision value, written with the digits that single precision holds.
    JsonWriter& number(std::string_view key, float value);
    JsonWriter& integer(std::string_view key, long long value);
    JsonWriter& boolean(std::string_view key, bool value);
    JsonWriter& string(std::string_view key, std::string_view value);
    JsonWriter& numbers(std::string_view key, std::span<const double> values);
    JsonWriter& numbers(std::string_view key, std::span<const float> values);

    /// @brief The text written so far.
    const std::string& text() const { return m_text; }

    static std::string quote(std::string_view text);
    static std::string numberText(double value);
    static std::string numberText(float value);

  private:
    void separator();
    void writeKey(std::string_view key);
    template <typename T>
    void writeArray(std::span<const T> values) {
        m_text += '[';
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i > 0) {
                m_text += ',';
            }
            m_text += numberText(values[i]);
        }
        m_text += ']';
    }

    std::string m_text;
    std::vector<bool> m_first;  // one entry per open object: nothing written in it yet
};

}  // namespace zemtral::cli
