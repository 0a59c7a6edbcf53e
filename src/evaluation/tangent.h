#pragma once
// Rates of reaction read off measured concentration-time points: an Akima spline through the
// points of one species, drawn over them and evaluated with its slope at a chosen time.
#include <optional>
#include <string>
#include <vector>

#include "data/exp_data_set.h"
#include "evaluation/evaluation_state.h"
#include "evaluation/linearised_evaluation.h"
#include "numeric/akima_spline.h"

namespace zemtral {

/// @brief Builds the spline through the points of species `slot` (1..5) with smoothing exponent q:
/// active points with a concentration > 0 of the species (0 = not measured), in ascending time.
TangentSpline prepareTangentSpline(const ExpDataSet& data, int slot, float smoothingExponent);

/// @brief Axis window of the single-species diagram (slots 0 to 3 of the axis-range table): from 0
/// to the largest time and the largest concentration of the species, each widened by 1/20.
PlotWindow singleSpeciesAxisRanges(const ExpDataSet& data, int slot);

/// @brief The curve of kind 100: spline values for t = 0, dx/2, 2·dx/2, ... while t <= XMax with
/// dx = (XMax − XMin)/density. `outside` is cleared when a value lies within YMin..YMax.
std::vector<PlotPoint> tangentCurvePoints(const TangentSpline& spline, const PlotWindow& window, int density,
                                          bool& outside);

/// @brief Value c(t) and rate dc/dt at a time [mol/(l·time unit)].
struct TangentValue {
    double concentration = 0.0;
    double rate = 0.0;
};

/// @brief "Berechnen": nothing (the caller beeps) when t > XMax or t < 0 or there is no spline.
std::optional<TangentValue> tangentAt(const TangentSpline& spline, double t, const PlotWindow& window);

/// @brief lblr: "r(X) = dc(X)/dt =  " for the species letter of the slot.
std::string tangentRateLabel(int slot);
/// @brief Its unit: "mol/(l " + time unit + ")".
std::string tangentRateUnit(const std::string& timeUnit);

/// @brief Smoothing exponent of the slider value 0..100: q = value/200.
float smoothingExponentOfSlider(int sliderValue);

}  // namespace zemtral
