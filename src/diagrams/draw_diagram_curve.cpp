#include "diagrams/draw_diagram_curve.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "core/model_catalogue.h"
#include "numeric/fp_guard.h"
#include "numeric/number_text.h"

namespace zemtral {

namespace {

// Species slot of series 1..4 per model (0 = no such series).
std::array<int, 5> seriesSlots(int model) {
    switch (model) {
        case 1:
        case 2:
        case 3:
        case 5:
        case 8:
        case 20:
            return {0, kSlotP, kSlotA, 0, 0};
        case 4:
        case 12:
        case 17:
            return {0, kSlotP, kSlotB, kSlotA, 0};
        case 6:
        case 14:
        case 15:
            return {0, kSlotP, kSlotC, kSlotA, 0};
        case 7:
        case 9:
        case 10:
        case 13:
        case 18:
            return {0, kSlotP, kSlotC, kSlotB, kSlotA};
        case 11:
        case 16:
            return {0, kSlotQ, kSlotP, kSlotA, 0};
        default:
            return {0, 0, 0, 0, 0};
    }
}

void fail(CurveResult& result, const std::string& text) {
    result.errorFlag = -1;
    result.errorText = text;
}

}  // namespace

void drawSimulationCurve(const CurveRequest& request, CurveBuffer& buffer, CurveResult& result) {
    if (request.state == nullptr || request.simulation == nullptr) {
        fail(result, "Keine Simulationsergebnisse vorhanden");
        return;
    }
    const WorkingState& state = *request.state;
    const SimulationResult& sim = *request.simulation;
    const int model = modelOfKind(request.kind);
    const bool nonIsothermal = (state.fittingMode == kFittingNonIsothermalFirst ||
                                state.fittingMode == kFittingNonIsothermalSecond) &&
                               (request.kind == 2 || request.kind == 3);
    const bool michaelisMenten = isMichaelisMenten(model, state.mmMode);

    int slot = 0;
    if (nonIsothermal) {
        slot = kSlotA;
        result.nextSeriesCount = 0;
    } else if (michaelisMenten) {
        slot = kSlotP;
    } else if (request.series >= 1 && request.series <= 4) {
        slot = seriesSlots(model)[static_cast<std::size_t>(request.series)];
    }
    if (slot == 0) {
        fail(result, "Die Diagrammart " + std::to_string(request.kind) + " hat keine Kurve " +
                         std::to_string(request.series));
        return;
    }

    const bool rates = state.rateDiagram || state.mmMode || isRateKind(request.kind);
    const auto& times = sim.simTime;
    const auto& concentrations = sim.simConc[static_cast<std::size_t>(slot)];
    const auto& rateValues = sim.simRate[static_cast<std::size_t>(slot)];
    std::size_t available =
        std::min<std::size_t>(times.size(), rates ? rateValues.size() : concentrations.size());
    if (sim.pointCount > 0) {
        available = std::min<std::size_t>(available, static_cast<std::size_t>(sim.pointCount));
    }
    const int n = static_cast<int>(std::min<std::size_t>(available, CurveBuffer::kCapacity));
    if (n == 0) {
        fail(result, "Keine Simulationsergebnisse vorhanden");
        return;
    }
    for (int i = 0; i < n; ++i) {
        const auto u = static_cast<std::size_t>(i);
        const double value = rates ? static_cast<double>(rateValues[u]) : concentrations[u];
        buffer.set(i + 1, static_cast<float>(times[u]), static_cast<float>(value));
    }
    buffer.setCount(n);

    const std::string name(speciesName(model, slot));
    result.legend = std::string(rates ? "r(" : "c(") + name + ") ";
    if (nonIsothermal) {
        result.legend += "T/K = " + formatNumber(request.temperature, "####,##");
    }
}

CurveTable simulationCurveTable() {
    CurveTable table;
    for (int model = 1; model <= kMaxModelId; ++model) {
        if (!isValidModelId(model)) {
            continue;
        }
        table.add(static_cast<DiagramKind>(model), drawSimulationCurve);
        table.add(static_cast<DiagramKind>(model + kKindRateOffset), drawSimulationCurve);
    }
    return table;
}

CurveResult DrawDiagramCurve(const CurveRequest& request, CurveBuffer& buffer, std::int16_t& seriesCount,
                             const CurveTable& table) {
    CurveResult result;
    const CurveFunction* function = table.find(request.kind);
    if (function == nullptr) {
        fail(result,
             "Für die Diagrammart " + std::to_string(request.kind) + " gibt es keine Kurvenberechnung");
    } else {
        FpGuard guard;
        buffer.clear();
        (*function)(request, buffer, result);
        if (result.errorFlag == 0) {
            // Division by zero, overflow or an invalid operation inside the computation, or a
            // non-finite value that reached the buffer: the curve is not drawn.
            FpFault fault = guard.fault();
            const int n = buffer.count();
            for (int i = 1; i <= n && fault == FpFault::None; ++i) {
                fault = classifyValue(buffer[i].x);
                if (fault == FpFault::None) {
                    fault = classifyValue(buffer[i].y);
                }
            }
            if (fault != FpFault::None) {
                fail(result, faultDescription(fault));
            }
        }
    }
    if (result.errorFlag != 0) {
        buffer.clear();
    } else {
        const int n = buffer.count();
        for (int i = 1; i <= n; ++i) {
            if (buffer[i].y >= request.frame.yMin && buffer[i].y <= request.frame.yMax) {
                result.outside = false;
                break;
            }
        }
    }
    seriesCount = result.nextSeriesCount ? *result.nextSeriesCount
                                         : static_cast<std::int16_t>(std::max(0, seriesCount - 1));
    return result;
}

std::string curveFailureMessage(const std::string& errorText) {
    return std::string(kCurveFailureText) + "\n" + errorText;
}

}  // namespace zemtral
