#pragma once
// The half-life marks of the diagram window: a vertical line at t = τ(A) or τ(B) and the text of
// the status bar.
#include <array>
#include <string>

#include "core/engine.h"
#include "core/working_state.h"
#include "evaluation/linearised_evaluation.h"

namespace zemtral {

enum class HalfLifeSpecies { A, B };

/// @brief True when τ comes from the last simulation: A for the models 7, 9, 10, 13, 14, 15, 18, 20,
/// B for 7, 9, 10, 13, 18; otherwise from FuHalbwertszeitA/B.
bool halfLifeFromSimulation(HalfLifeSpecies species, int model);

/// @brief The initial concentrations for FuHalbwertszeitA/B: the working state's when the diagram
/// kind is negative (an evaluation), else those of the last simulation (its first grid point).
SpeciesArray halfLifeInitialConcentrations(int diagramKind, const WorkingState& state,
                                           const SimulationResult& last);

/// @brief The entries "Halbwertszeit A" and "Halbwertszeit B" of the insert menu for a diagram.
struct HalfLifeMenu {
    bool aEnabled = false;
    bool bEnabled = false;
    std::string aCaption = "Halbwertszeit A";  ///< "Halbwertszeit E" for the enzyme model
    std::string bCaption = "Halbwertszeit B";  ///< "Halbwertszeit S" for the enzyme model
};

/// @brief A half-life mark stands on the time axis of a diagram of the species: A in the
/// concentration and rate diagrams of the models (kinds 1-18, 20, 51-68, 70) and in the
/// linearised evaluations (−5 to −8); B only where the model has a second reactant (kinds 4, 7, 9,
/// 10, 12, 13, 17, 18, their rate kinds, and −8). The Michaelis-Menten diagram (`michaelisMenten` with
/// model 10) has c(S0) on its x axis and no mark; nor have the k-T plots and the measured points.
HalfLifeMenu halfLifeMenu(int diagramKind, int modelId, bool michaelisMenten);

/// @brief What the command shows for a half-life τ [time unit].
struct HalfLifeMark {
    bool act = true;                  ///< false for τ < 0: nothing happens at all
    bool show = false;                ///< a mark is drawn (τ > 0)
    int series = 26;                  ///< chart series 26 (A) or 27 (B)
    std::array<PlotPoint, 2> line{};  ///< (τ, −10000) and (τ, 10000)
    std::string statusText;
};

/// @brief τ > 0: the mark and "Halbwertszeit tau(A) = " τ as "#######0.00" " " unit; τ = 0: no mark
/// and "Halbwertszeit liegt nicht im Diagramm-Bereich" for a numerically integrated model, else
/// "Halbwertszeit tau(A) kann unter diesen Bedingungen nicht erreicht werden"; τ < 0: nothing.
HalfLifeMark halfLifeMark(HalfLifeSpecies species, int model, float tau, const std::string& timeUnit,
                          char decimalSeparator = '.');

}  // namespace zemtral
