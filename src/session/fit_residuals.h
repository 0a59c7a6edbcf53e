#pragma once
// The residual plot of the fitting window: measured − model of every fitted species against t at
// the current parameters, drawn as single values around a zero line, so that a systematic misfit
// (a run of residuals of one sign) shows at a glance.
#include <optional>
#include <vector>

#include "diagrams/draw_diagram_curve.h"
#include "evaluation/evaluation_state.h"
#include "evaluation/linearised_evaluation.h"
#include "session/session.h"
#include "session/user_dialogs.h"

namespace zemtral {

/// @brief Measured − model of every value the fit compares, grouped by species in slot order, at
/// the parameters of the fitting window. Nothing when the model cannot be computed there; an
/// empty list when no measured value takes part.
std::optional<std::vector<SpeciesResiduals>> fitResiduals(Session& session);

/// @brief The axis window of the plot: t from 0 to 1.05 times the last time, y symmetric about
/// zero with room above the largest residual. An exact fit still gets a window of its own scale
/// (a thousandth of the largest measured value).
PlotWindow residualPlotWindow(const std::vector<SpeciesResiduals>& residuals, double largestMeasured);

/// @brief "Residuen": computes the residuals and prepares the plot (kind −12, its window, one
/// series per species and the zero line). Refuses with a message when there is nothing to show
/// or the model cannot be computed.
bool startResidualPlot(Session& session, UserDialogs& dialogs);

/// @brief The curve of series `request.series` of the plot: series 1 the zero line over the axis
/// window, series 2.. the residuals of the species in slot order (the first drawn is the first
/// species), as single values.
void drawResidualCurve(const Session& session, const CurveRequest& request, CurveBuffer& buffer,
                       CurveResult& result);

}  // namespace zemtral
