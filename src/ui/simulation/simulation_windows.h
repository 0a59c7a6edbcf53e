#pragma once
// Makes the diagram window and the simulation set-up window available to the main window.

namespace zemtral {

class MDIZEM;
class DiagramWindows;

/// @brief Registers the window factories of the diagram window and of the simulation set-up
/// ("Konzentrations-Zeit-Funktionen", "Geschwindigkeits-Zeit-Funktionen") with the main window,
/// and lets the diagram set-up open the diagram window inside it. `diagrams` must outlive `main`'s
/// windows.
void registerSimulationWindows(MDIZEM& main, DiagramWindows& diagrams);

}  // namespace zemtral
