#pragma once
// JSON output of the command line through nlohmann-json: objects keep the order their keys were
// written in, numbers are written in their shortest form that reads back to the same value (a
// whole number without a fraction), NaN and infinities as null.
#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zemtral::cli {

using Json = nlohmann::ordered_json;

/// @brief A number as JSON: null when not finite, an integer when it is whole (below 2^53).
Json jsonNumber(double value);
/// @brief A single-precision number as JSON, with the digits that single precision holds.
Json jsonNumber(float value);

/// @brief The text of a JSON value on one line; text that is not UTF-8 is replaced, not refused.
std::string jsonText(const Json& value);

/// @brief Writes one JSON object member by member (the objects nested in it opened and closed
/// in order), as the subcommands produce their results.
class JsonWriter {
  public:
    JsonWriter& beginObject(std::string_view key = {});
    JsonWriter& endObject();
    JsonWriter& number(std::string_view key, double value);
    /// @brief A single-precision value, written with the digits that single precision holds.
    JsonWriter& number(std::string_view key, float value);
    JsonWriter& integer(std::string_view key, long long value);
    JsonWriter& boolean(std::string_view key, bool value);
    JsonWriter& string(std::string_view key, std::string_view value);
    JsonWriter& numbers(std::string_view key, std::span<const double> values);
    JsonWriter& numbers(std::string_view key, std::span<const float> values);

    /// @brief The text of the object once it is closed.
    const std::string& text() const { return m_text; }
    /// @brief The object once it is closed.
    const Json& value() const { return m_root; }

    /// @brief A number as a CSV cell: the shortest text of 6 to 17 significant digits that reads
    /// back to the same value ("1e+06", "0.25"); "null" when not finite.
    static std::string numberText(double value);
    static std::string numberText(float value);

  private:
    struct Frame {
        std::string key;
        Json value;
    };
    Json& current();

    std::vector<Frame> m_open;
    Json m_root;
    std::string m_text;
};

}  // namespace zemtral::cli
