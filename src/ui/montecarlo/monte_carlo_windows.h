#pragma once
// Makes the Monte-Carlo window available to the main window.

namespace zemtral {

class MDIZEM;

/// @brief Registers frmMonteCarlo with the main window (both Monte-Carlo menu items open it).
void registerMonteCarloWindow(MDIZEM& main);

}  // namespace zemtral
