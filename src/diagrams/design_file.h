#pragma once
// The chart design file (*.oc2): the complete chart state as JSON text. The layout of the text
// (sorted keys, four-blank indentation, shortest round-trip numbers) is fixed, so that a design
// saved today is byte for byte the design saved by earlier versions of the program.
#include <optional>
#include <string>

#include "diagrams/chart_state.h"

namespace zemtral {

/// @brief The JSON text of a design file for `state`.
std::string chartStateToJson(const ChartState& state);

/// @brief Reads the JSON text of a design file; nothing when the text is not a chart design.
/// A damaged or hand-edited file gives the values the diagram window could have set itself:
/// out-of-range numbers, unknown codes and wrong types fall back to the defaults.
std::optional<ChartState> chartStateFromJson(const std::string& json);

/// @brief Writes `state` to a design file atomically; the German error text when it fails.
ChartOutput saveDesignFile(const std::string& path, const ChartState& state);

/// @brief Reads a design file: the state, or the German error text.
struct DesignFileContent {
    std::optional<ChartState> state;
    std::string errorText;
};
DesignFileContent loadDesignFile(const std::string& path);

}  // namespace zemtral
