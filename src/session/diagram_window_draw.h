#pragma once
// The diagram window's commands apart from its widgets: the curve slots, the draw command
// "Zeichne Kurve", deleting curves, the curve export as XY file and as clipboard text, and the
// separator list.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "diagrams/chart_component.h"
#include "diagrams/draw_diagram_curve.h"
#include "session/session.h"
#include "session/user_dialogs.h"

namespace zemtral {

/// @brief Curve series of chart group 1 that the window gives out ("Kurve 1" .. "Kurve 24").
inline constexpr int kMaxCurves = 24;
/// @brief Series of the half-life marks in chart group 1.
inline constexpr int kHalfLifeSeriesA = 26;
inline constexpr int kHalfLifeSeriesB = 27;

/// @brief The message when every curve slot is taken ("Maximal 24 Kurven möglich" ...).
std::string tooManyCurvesText();

/// @brief Gives out the lowest free curve slot: when CurveCount is 0 every slot is freed first;
/// CurveCount counts up. With all 24 taken CurveCount stays 24 and nothing is given.
std::optional<int> allocateCurveSlot(DiagramState& diagram);

/// @brief Frees slot 1..24 after its curve was deleted and lowers CurveCount.
void freeCurveSlot(DiagramState& diagram, int slot);

/// @brief The index of the last buffer point (1..n) whose X lies below `xMax`, searching down
/// from the last point; 0 when there is none.
int lastPointBelow(const CurveBuffer& buffer, float xMax);

/// @brief Point index of a curve's label: j/1.2 − 0.18·j·s for the last point j inside the
/// window and series s, kept within 1..pointCount so that every label lies on its curve.
int curveLabelPoint(int lastInside, int series, int pointCount);

/// @brief A colour per curve slot for curves drawn without a preselected colour.
ChartColour curveSlotColour(int slot);

/// @brief One curve that the draw command added.
struct DrawnCurve {
    int slot = 0;          ///< series of chart group 1
    std::string legend;    ///< legend text of the series
    int labelPoint = 0;    ///< point of the curve label
    int labelId = 0;       ///< the chart label of the curve
    bool outside = false;  ///< no point lies inside the y window
};

/// @brief What the window needs for its tabs and menus after the draw command.
struct DrawCommandResult {
    std::vector<DrawnCurve> curves;
    bool failed = false;  ///< a curve computation failed ("ABBRUCH")
    bool slotsExhausted = false;
    std::string statusText;  ///< result line of the last curve for the status bar
};

/// @brief "Zeichne Kurve": while SeriesCount > 0 gives out a curve slot, computes the next curve
/// of the session's kind with DrawDiagramCurve and hands it to the chart with its colour (the
/// preselected one, else the slot's), legend text and label. A failing curve shows the "ABBRUCH"
/// message and stops; a curve outside the window warns and drawing goes on; 24 curves give the
/// "WARNUNG" message.
DrawCommandResult runDrawCommand(Session& session, ChartComponent& chart, UserDialogs& dialogs,
                                 const CurveTable& curves, std::optional<ChartColour> preselectedColour);

/// @brief Empties curve `slot` (its points and its label) and frees the slot.
void deleteCurve(Session& session, ChartComponent& chart, int slot);

/// @brief DeleteCurves: every curve series emptied, their labels removed, CurveCount 0.
void deleteAllCurves(Session& session, ChartComponent& chart);

/// @brief Points of a chart series as X, Y pairs.
std::vector<ChartPoint> seriesPoints(const ChartComponent& chart, int group, int series);

/// @brief The lines of an exported curve: "\"Kurvenpunkte\"", then X <separator> Y per point,
/// each number formatted ".0000000E+00" with a decimal point whatever the locale.
std::vector<std::string> curveExportLines(const std::vector<ChartPoint>& points,
                                          const std::string& separator);

/// @brief The clipboard text of a curve: X, tab, Y, CR LF per point, in the general format with
/// the given decimal separator.
std::string curveClipboardText(const std::vector<ChartPoint>& points, char decimalSeparator);

/// @brief "Kurve in File .XY speichern" for curve `slot`: asks for the file (proposing the last
/// name and folder, which are remembered) and writes it atomically in Windows-1252 with CR LF.
/// A write error shows its description titled "Meldung von cmdSaveCurveAsXY". True when written.
bool saveCurveAsXY(Session& session, const ChartComponent& chart, UserDialogs& dialogs, int slot);

/// @brief The problem lines of "OK" in the frame " Diagramm-Koordinaten ", each starting with
/// "- ": a value beyond the range of a single ("1e400") and a minimum not below its maximum. The
/// chart cannot show such a window; it is refused and the old one stays.
std::vector<std::string> coordinateInputProblems(double xMin, double xMax, double yMin, double yMax);

/// @brief The problem lines of "OK" for the typed texts of x(min), x(max), y(min), y(max): a text
/// that is not one number ("abc", "0.5x"; an empty field is 0) is "keine gültige Zahl", then the
/// problems of coordinateInputProblems, then the minimum of a logarithmic axis that is not above 0.
/// `values` receives the numbers read.
std::vector<std::string> coordinateTextProblems(const std::array<std::string, 4>& texts, bool logarithmicX,
                                                bool logarithmicY, std::array<double, 4>& values);

/// @brief The problem line of a logarithmic axis whose window starts at `minimum`: a logarithm
/// exists for positive values only, so a window that reaches 0 or below cannot be shown.
std::optional<std::string> logarithmicAxisProblem(ChartAxis axis, double minimum);

/// @brief Entries of the separator list in order.
std::vector<std::string> separatorEntries();
/// @brief The separator of entry 0..2: ";", a blank (as "Trennzeichen Leerzeichen" says), a tab.
std::string separatorForEntry(int entry);
/// @brief The entry that shows `separator` (";" 0, blank 1, tab 2, anything else 0).
int entryForSeparator(const std::string& separator);

/// @brief The text of the question before a curve point is deleted.
std::string deletePointQuestion(double x, double y, char decimalSeparator);

}  // namespace zemtral
