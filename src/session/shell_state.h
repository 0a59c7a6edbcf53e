#pragma once
// What the main window keeps beyond the working state: mode variables of its commands, the
// directories and paths of the application home, and the display options of the options window.
#include <cstdint>
#include <string>
#include <vector>

namespace zemtral {

/// @brief An RGB colour as 0xRRGGBB.
using RgbColour = std::uint32_t;

/// @brief Display settings of the Monte-Carlo window, edited in the options window. They live only
/// while the program runs.
struct MonteCarloOptions {
    float speed = 0.0f;            ///< extra waiting time per step [s]
    std::int16_t pointSize = 7;    ///< size of the molecule points [px]; 0 shows as 7
    bool solidPoints = false;      ///< points drawn filled
    RgbColour colourA = 0xFF0000;  ///< A molecules: red
    RgbColour colourP = 0x0000FF;  ///< P molecules: blue
};

/// @brief Mode variables, paths and options owned by the main window.
struct ShellState {
    std::string lineBreak = "\r\n";
    std::uint8_t monteCarloKind = 1;  ///< 1 first-order reaction, 2 dynamic equilibrium
    std::uint8_t kTForm = 1;          ///< 1 Arrhenius, 2 Eyring
    bool tipsRequested = false;       ///< the tips were asked for through the Help menu
    int selectedSpecies = 0;          ///< species slot of the tangent evaluation

    std::string helpDir;  ///< folder of the help pages <topic>.html
    /// Data and project files loaded or saved lately, newest first (the "Daten" menu lists them).
    std::vector<std::string> recentFiles;

    MonteCarloOptions monteCarlo;
};

}  // namespace zemtral
