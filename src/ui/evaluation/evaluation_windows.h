#pragma once
// Makes the evaluation windows available to the main window: the fitting window, the tangent
// window and the k-T calculator.

namespace zemtral {

class MDIZEM;
class DiagramWindows;

/// @brief Registers the window factories of "k-Fitting", "Reakt.-geschw. r(i) berechnen" and the
/// Arrhenius/Eyring calculator. `diagrams` must outlive `main`'s windows.
void registerEvaluationWindows(MDIZEM& main, DiagramWindows& diagrams);

}  // namespace zemtral
