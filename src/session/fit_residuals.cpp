#include "session/fit_residuals.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/model_catalogue.h"
#include "evaluation/fitting.h"
#include "session/evaluation_commands.h"

namespace zemtral {

std::optional<std::vector<SpeciesResiduals>> fitResiduals(Session& session) {
    FitContext ctx = fitContext(session);
    const int n = fitParameterCount(session.state.modelId, session.state.fittingMode);
    const std::vector<double> p = currentFitParameters(ctx, n);
    const std::vector<ResidualEntry> entries = residualEntries(ctx);
    std::vector<double> r(entries.size());
    if (!entries.empty() && !CalcResiduals(ctx, entries, p, r)) {
        return std::nullopt;
    }
    std::vector<SpeciesResiduals> out;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        SpeciesResiduals species;
        species.slot = slot;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].slot == slot) {
                species.t.push_back(session.data.points[static_cast<std::size_t>(entries[i].point)].t);
                species.residual.push_back(-r[i]);  // the fit works with model − measured
            }
        }
        if (!species.t.empty()) {
            out.push_back(std::move(species));
        }
    }
    return out;
}

PlotWindow residualPlotWindow(const std::vector<SpeciesResiduals>& residuals, double largestMeasured) {
    double tMax = 0.0;
    double rMax = 0.0;
    for (const SpeciesResiduals& s : residuals) {
        for (double t : s.t) {
            tMax = std::max(tMax, t);
        }
        for (double r : s.residual) {
            rMax = std::max(rMax, std::fabs(r));
        }
    }
    // Residuals at the level of rounding would otherwise blow the noise up to the full height.
    const double floor = largestMeasured > 0.0 ? largestMeasured / 1000.0 : 1.0;
    const double half = std::max(rMax * 1.2, floor);
    PlotWindow w;
    w.xMin = 0.0f;
    w.xMax = static_cast<float>(tMax > 0.0 ? tMax * 1.05 : 1.0);
    w.yMin = static_cast<float>(-half);
    w.yMax = static_cast<float>(half);
    return w;
}

bool startResidualPlot(Session& session, UserDialogs& dialogs) {
    const std::optional<std::vector<SpeciesResiduals>> residuals = fitResiduals(session);
    if (!residuals) {
        dialogs.showMessage(kNotPossibleTitle,
                            "- Das Modell lässt sich mit diesen Parametern nicht berechnen.",
                            MessageIcon::Critical);
        return false;
    }
    if (residuals->empty()) {
        dialogs.showMessage(kNotPossibleTitle, "- Keine Messwerte für die Fehlerquadratsumme gewählt.",
                            MessageIcon::Critical);
        return false;
    }
    double largest = 0.0;
    for (const SpeciesResiduals& s : *residuals) {
        for (std::size_t i = 1; i < session.data.points.size(); ++i) {
            largest =
                std::max(largest, std::fabs(session.data.points[i].c[static_cast<std::size_t>(s.slot)]));
        }
    }
    session.evaluation.residuals = *residuals;
    session.evaluationAxisWindow = residualPlotWindow(*residuals, largest);
    session.diagramKind = kKindFitResiduals;
    session.diagram.seriesCount = static_cast<std::int16_t>(residuals->size() + 1);
    return true;
}

void drawResidualCurve(const Session& session, const CurveRequest& request, CurveBuffer& buffer,
                       CurveResult& result) {
    buffer.clear();
    const std::vector<SpeciesResiduals>& all = session.evaluation.residuals;
    const int total = static_cast<int>(all.size()) + 1;
    if (request.series <= 1) {
        buffer.set(1, request.frame.xMin, 0.0f);
        buffer.set(2, request.frame.xMax, 0.0f);
        buffer.setCount(2);
        result.legend = "Nulllinie ";
        return;
    }
    const int index = total - request.series;
    if (index < 0 || index >= static_cast<int>(all.size())) {
        return;
    }
    const SpeciesResiduals& s = all[static_cast<std::size_t>(index)];
    const int n = std::min(static_cast<int>(s.t.size()), CurveBuffer::kCapacity);
    for (int i = 0; i < n; ++i) {
        buffer.set(i + 1, static_cast<float>(s.t[static_cast<std::size_t>(i)]),
                   static_cast<float>(s.residual[static_cast<std::size_t>(i)]));
    }
    buffer.setCount(n);
    result.legend = "Residuen c(" + std::string(speciesName(session.state.modelId, s.slot)) + ") ";
    result.pointsOnly = true;
}

}  // namespace zemtral
