#pragma once
// The computation of the next curve of the current diagram into the curve buffer.
//
// DrawDiagramCurve looks the kind up in a CurveTable. simulationCurveTable() holds the
// concentration-time and rate-time kinds; other parts of the program add their kinds to a table
// with CurveTable::add (the linearised and temperature evaluations, the spline curve of kind 100)
// and pass the combined table. A curve function only fills the buffer and the result fields; the
// common frame (clearing the outcome, catching arithmetic faults, the outside flag, counting the
// series down) is DrawDiagramCurve's.
#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "core/engine.h"
#include "core/working_state.h"
#include "data/exp_data_set.h"
#include "diagrams/axis_range.h"
#include "diagrams/curve_buffer.h"
#include "diagrams/diagram_kind.h"

namespace zemtral {

/// @brief Title of the message of a failed curve computation.
inline constexpr const char* kCurveFailureTitle = "ABBRUCH";
/// @brief First line of that message; the fault's description follows after a line break.
inline constexpr const char* kCurveFailureText = "Es ist ein kritischer Fehler aufgetreten:";

/// @brief What a curve computation reads.
struct CurveRequest {
    DiagramKind kind = 0;
    std::int16_t series = 0;                       ///< the current SeriesCount: the series to draw
    DiagramFrame frame;                            ///< axis window of the diagram
    const WorkingState* state = nullptr;           ///< modelId, rateDiagram, mmMode, fittingMode, conc0
    const SimulationResult* simulation = nullptr;  ///< arrays of the last run
    const ExpDataSet* data = nullptr;              ///< measured points (evaluation kinds)
    float temperature = 0.0f;  ///< temperature of the current simulation in the non-isothermal fitting [K]
};

/// @brief What a curve computation writes besides the buffer.
struct CurveResult {
    std::int16_t errorFlag = 0;  ///< −1 = failure
    std::string errorText;       ///< the fault's description
    std::string legend;          ///< label of the series (legend text)
    std::string statusText;      ///< status-bar text of the diagram window
    /// Result fields of the straight-line evaluations [units of the diagram axes].
    double intercept = 0.0;
    double slope = 0.0;
    double rSquared = 0.0;
    bool outside = true;      ///< no point of the curve lies inside the y window
    bool pointsOnly = false;  ///< the curve is a set of single values: symbols without a line
    /// Series count after the curve; empty: one less than the request's series (the function
    /// sets it when it draws fewer curves, as the non-isothermal fitting does).
    std::optional<std::int16_t> nextSeriesCount;
};

/// @brief A curve computation of one or more kinds. It may set errorFlag and errorText itself;
/// arithmetic faults raised inside are detected by DrawDiagramCurve.
using CurveFunction = std::function<void(const CurveRequest&, CurveBuffer&, CurveResult&)>;

/// @brief Curve computations by diagram kind.
class CurveTable {
  public:
    /// @brief Registers (or replaces) the computation of `kind`.
    void add(DiagramKind kind, CurveFunction function) { m_functions[kind] = std::move(function); }
    /// @brief The computation of `kind`, or nullptr.
    const CurveFunction* find(DiagramKind kind) const {
        const auto it = m_functions.find(kind);
        return it == m_functions.end() ? nullptr : &it->second;
    }
    /// @brief Adds every entry of `other` (replacing entries of the same kind).
    void merge(const CurveTable& other) {
        for (const auto& [kind, function] : other.m_functions) {
            m_functions[kind] = function;
        }
    }

  private:
    std::map<DiagramKind, CurveFunction> m_functions;
};

/// @brief The simulation kinds 1..18, 20 and 51..68, 70 (the Michaelis-Menten display and the
/// non-isothermal curves included).
CurveTable simulationCurveTable();

/// @brief The curve of a simulation kind: the species of `request.series` copied from the last
/// run (rates for the rate kinds, rateDiagram or mmMode, else concentrations).
void drawSimulationCurve(const CurveRequest& request, CurveBuffer& buffer, CurveResult& result);

/// @brief Computes the next curve of `request.kind` into `buffer`. Clears the outcome, calls the
/// kind's computation, turns an arithmetic fault or a non-finite point into errorFlag −1 with the
/// fault's description, sets the outside flag from the y window and decrements `seriesCount`.
/// A kind without computation fails with an error text.
CurveResult DrawDiagramCurve(const CurveRequest& request, CurveBuffer& buffer, std::int16_t& seriesCount,
                             const CurveTable& table);

/// @brief The text of the "ABBRUCH" message for a failed curve.
std::string curveFailureMessage(const std::string& errorText);

}  // namespace zemtral
