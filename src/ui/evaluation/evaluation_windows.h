#pragma once
// Makes the evaluation windows available to the main window: the fitting window, the tangent
// window, the k-T calculator and the single-point calculator.

namespace zemtral {

class MDIZEM;
class DiagramWindows;

/// @brief Registers the window factories of "k-Fitting", "Reakt.-geschw. r(i) berechnen", the
/// Arrhenius/Eyring calculator and the single-point calculator, and gives the diagram window's
/// "k-T-Rechner" and "Calc" their windows. `diagrams` must outlive `main`'s windows.
void registerEvaluationWindows(MDIZEM& main, DiagramWindows& diagrams);

}  // namespace zemtral
