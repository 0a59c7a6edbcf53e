#pragma once
// What main() does before the main window: the display check and the application home.
#include <string>

namespace zemtral {

/// @brief Registers the built-in resources (icons, tips file, help pages); safe to call twice.
void initResources();

/// @brief True when a window can be shown: DISPLAY or WAYLAND_DISPLAY is set, or QT_QPA_PLATFORM
/// names a platform (offscreen, xcb, ...).
bool displayAvailable();

/// @brief The one-line German and English hint printed without a display.
std::string noDisplayHint();

/// @brief Creates the application home and copies the sample data files, the tips file and the
/// help pages into it where they are missing. Returns the home's path; problems go to stderr.
std::string prepareApplicationHome();

}  // namespace zemtral
