#pragma once
// The one interface through which the model window reconfigures every open calculation window
// (simulation set-up, fitting, batch, tube and stirred-tank reactor).
#include "session/model_commands.h"

class QWidget;

namespace zemtral {

class CalculationWindow {
  public:
    virtual ~CalculationWindow() = default;
    /// @brief Which calculation window this is.
    virtual CalcWindowKind calcWindowKind() const = 0;
    /// @brief The widget holding the named controls (inp_i, lblStoff_i, Bz_i, unit2, unit3, Label7...).
    virtual QWidget* calcWidget() = 0;
    /// @brief Values the window adds to its configuration (reaction time, non-isothermal parameters).
    virtual CalcWindowExtras calcWindowExtras() const { return {}; }
    /// @brief Applies a model choice; the default sets the named controls (applyCalcWindowConfig).
    virtual void applyModelConfig(const CalcWindowConfig& config);
    /// @brief Applies the unit labels alone (after a time-unit change).
    virtual void applyUnitCaptions(const UnitCaptions& units);
};

/// @brief Sets the controls of `window` found by object name from `config`; controls the window
/// does not have are skipped.
void applyCalcWindowConfig(QWidget& window, const CalcWindowConfig& config);

/// @brief Sets the unit labels (lblZeiteinheit / time caption, unit1..unit3, flow label).
void applyUnitCaptionsTo(QWidget& window, const UnitCaptions& units, CalcWindowKind kind);

}  // namespace zemtral
