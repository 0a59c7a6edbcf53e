#pragma once
// The tips of the tip window: the tips file in the application home, one tip per line.
#include <optional>
#include <string>
#include <vector>

namespace zemtral {

/// @brief File name of the tips file in the application home.
inline constexpr const char* kTipsFileName = "ZEMTIPS.TXT";
/// @brief Window caption of the tip window.
inline constexpr const char* kTipWindowTitle = "   22 Tipps zur Arbeit mit ZEMTRAL";

/// @brief The tips of the file (Windows-1252 or UTF-8, CR LF or LF); blank lines are no tips.
/// Nothing when the file cannot be read.
std::optional<std::vector<std::string>> readTips(const std::string& path);

/// @brief The text shown instead of a tip when the file is missing.
std::string tipsNotFoundText(const std::string& path);

/// @brief The tip after `current` (0-based), back to the first after the last.
int nextTipIndex(int current, int count);

}  // namespace zemtral
