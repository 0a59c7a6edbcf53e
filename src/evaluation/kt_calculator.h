#pragma once
// The Arrhenius/Eyring calculator (k from the activation parameters and T), the counting of
// distinct k-T pairs and the single-point calculator's lookup of simulated concentrations.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/engine.h"
#include "core/working_state.h"
#include "data/exp_data_set.h"
#include "evaluation/evaluation_state.h"

namespace zemtral {

/// @brief Number of active (not excluded) points with k > 0 and T > 0, a pair equal in k and T to
/// an earlier counted one not counted again.
int distinctKTPairs(const ExpDataSet& data);

/// @brief f_u of a time-unit text ("s", "min", "h", "d", "a", blanks trimmed): the factor that turns
/// a rate per time unit into a rate per second (1, 1/60, 1/3600, 1/86400, 1/31536000); 1 for an
/// unknown text.
double perSecondFactor(const std::string& timeUnit);

/// @brief The two results of "Berechnen": k in the data's time unit and k per second, as 4-byte
/// general-format texts, or "Err" in both on an arithmetic fault.
struct CalculatorResult {
    std::string k;
    std::string kPerSecond;
    bool ok = false;
};

/// @brief Arrhenius (kTForm 1): k = A·exp(−EA/(R·T)), k/s = k·f_u from inputs 0 (A), 1 (EA), 2 (T).
/// Eyring (2): k/s = T·(kB/h)·exp(−ΔH#/(R·T))·exp(ΔS#/R), k = (k/s)/f_u from inputs 0 (ΔS#),
/// 1 (ΔH#), 2 (T). The inputs are read like typed numbers (comma as point, leading number).
CalculatorResult arrheniusCalculator(std::uint8_t kTForm, const std::string& input0,
                                     const std::string& input1, const std::string& input2,
                                     const std::string& timeUnit, char decimalSeparator = '.');

/// @brief The unit labels of the calculator by fitting mode: 7 "l/(mol u)" and "l/(mol s)",
/// 6 "1/u" and "1/ s", else "((mol/l)^(1-n))/u" and "((mol/l)^(1-n))/s".
struct CalculatorUnits {
    std::string k;
    std::string kPerSecond;
};
CalculatorUnits calculatorUnits(std::uint8_t fittingMode, const std::string& timeUnit);

/// @brief What the calculator shows on activation.
struct CalculatorTexts {
    std::string title;    ///< "Arrhenius-Rechner" / "Eyring-Rechner"
    std::string formula;  ///< "berechnet k = ..."
    std::vector<std::string> explanations;
    std::string inputLabel0, inputLabel1;
    std::string input0, input1;     ///< presets: stored A and EA, or ΔS# and ΔH# (4-byte texts)
    std::string input2 = "298.15";  ///< the temperature
    CalculatorUnits units;
};
CalculatorTexts calculatorTexts(std::uint8_t kTForm, std::uint8_t fittingMode, const std::string& timeUnit,
                                const ActivationParameters& activation);

/// @brief The single-point calculator: the concentrations of all slots at t from the last run;
/// nothing (the caller beeps) when t > tAxisEnd, t < 0 or the lookup fails.
std::optional<SpeciesArray> singlePointConcentrations(double t, double tAxisEnd, std::int16_t model,
                                                      const WorkingState& state,
                                                      const SimulationResult& last);

}  // namespace zemtral
