#pragma once
// What main() does before the main window: the display check and the application home.
#include <string>
#include <vector>

class QCoreApplication;

namespace zemtral {

/// @brief What the command line asks of the desktop program.
struct StartRequest {
    std::vector<std::string> files;  ///< ZD3, ZC3 or XY files to load after the start
    bool quitWhenShown = false;      ///< end as soon as the main window is shown (start-up timing)
};

/// @brief Loads Qt's own German texts (file, colour, font and print dialogs, standard buttons), so
/// that the program speaks German whatever the locale. False when Qt's German catalogue is missing.
bool installGermanQtTranslations(QCoreApplication& app);

/// @brief Reads the command line of `app`: "--help" and "--version" print and end the process,
/// as does an unknown option (with exit code 1).
StartRequest parseStartArguments(QCoreApplication& app);

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
