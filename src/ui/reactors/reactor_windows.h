#pragma once
// Makes the three reactor windows available to the main window.

namespace zemtral {

class MDIZEM;

/// @brief Registers frmBatch, frmRKconti and frmRohrreaktor with the main window. Their
/// "Protokollieren" opens the protocol window when the program has one.
void registerReactorWindows(MDIZEM& main);

}  // namespace zemtral
