#pragma once
// The diagram window without its widgets: what it shows on the chart and every decision its
// commands take. The window (src/ui/diagrams) shows a DiagramDocument on the screen and hands it
// the user's input; the command-line tool draws through one without any window.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "diagrams/chart_component.h"
#include "diagrams/draw_diagram_curve.h"
#include "diagrams/set_up_diagram.h"
#include "evaluation/half_life_marks.h"
#include "session/diagram_controls.h"
#include "session/diagram_window_draw.h"
#include "session/session.h"
#include "session/user_dialogs.h"

namespace zemtral {

/// @brief Point-set tabs of the window: 0..4 species slots 1..5, 5 "k-T", 6 the manual set.
inline constexpr int kPointSetTabCount = 7;

/// @brief The choice of the text frame "  Kopftext  ".
enum class DiagramText { Header = 0, ExtraText = 1, XTitle = 2, YTitle = 3 };

/// @brief The text and frame the text frame shows for a choice (the axis titles have no frame).
struct DiagramTextValue {
    std::string text;
    std::optional<bool> framed;
};

/// @brief The mouse button of a click on the chart.
enum class ChartMouseButton { Left, Right, Other };

/// @brief frmGraph2D's content and logic.
class DiagramDocument {
  public:
    DiagramDocument(Session& session, UserDialogs& dialogs, const CurveTable& curves, ChartComponent& chart);

    ChartComponent& chart() { return m_chart; }
    const ChartComponent& chart() const { return m_chart; }

    /// @brief Shows what SetUpDiagram prepared: header, axis titles, axis window, the point-set tabs
    /// and their legend texts, and the chart legend when the set-up decides it.
    void applySetUp(const DiagramSetUp& setUp);
    /// @brief Loading: the default look, the axis window of the frame with automatic spacing, the
    /// masks of the kind, then the measured points (kinds −1, −2, −9) or the curves of the kind with
    /// the points beside them; warns when every point lies outside.
    DrawCommandResult load();

    /// @brief "Zeichne Kurve": the series the set-up asked for, with their curve labels.
    DrawCommandResult draw();
    /// @brief DeleteCurves: every curve and its label.
    void deleteCurves();
    /// @brief "Kurve löschen" / "Kurve n" of the delete menu.
    void deleteCurve(int slot);
    /// @brief "Alles": curves, half-life marks, point sets, labels and the additional text.
    void deleteEverything();
    /// @brief "Mark. Halbwertszeiten": empties series 26 and 27.
    void deleteHalfLifeMarks();
    /// @brief "Markierungstexte": the texts placed at chart coordinates.
    void deleteMarkTexts();
    /// @brief "alle Kurvenetiketts": the labels attached to curves.
    void deleteCurveLabels();
    /// @brief "Punktsatz ..." of the delete menu and "Punktsatz löschen": empties set 1..7.
    void deletePointSet(int set);
    /// @brief The curve slots 1..24 that hold points.
    std::vector<int> curvesShown() const;

    /// @brief "Halbwertszeit A" / "Halbwertszeit B": the vertical mark at τ (series 26 or 27);
    /// the status text, or nothing when the command does nothing at all.
    std::optional<std::string> markHalfLife(HalfLifeSpecies species);
    /// @brief zeigeExperPunkte: the measured points of the kind as point sets 1..6, their tabs
    /// shown; false when every point lies outside the axis window.
    bool showMeasuredPoints();
    /// @brief cmdManuPoints: the XY editor's points as the manual point set (set 7). When that set
    /// already holds points it asks first whether to overwrite them; false when the user says no.
    /// A window that shows nothing yet takes an axis window around the points.
    bool loadManualPoints(const std::vector<ChartPoint>& points);
    /// @brief cmdManuKurve: the XY editor's points as a new curve in the next free slot, or
    /// nothing after the "WARNUNG" message when all 24 slots are taken.
    std::optional<DrawnCurve> loadManualCurve(const std::vector<ChartPoint>& points);
    /// @brief The point-set tabs (caption and visibility).
    const std::array<PointSetTab, kPointSetTabCount>& pointTabs() const { return m_pointTabs; }
    /// @brief The tab the last set-up asked to select.
    std::optional<int> tabToSelect() const { return m_tabToSelect; }

    /// @brief "OK" of the coordinate frame: the typed window (x(min), x(max), y(min), y(max)), or
    /// the message listing its problems (false); the window goes into the frame, the chart and the
    /// axis-range table, with the spacing controls as they stand.
    bool applyCoordinates(const std::array<std::string, 4>& texts,
                          const std::optional<SpacingControls>& spacing = std::nullopt);
    /// @brief The frame of the session into the chart axes and the axis-range table.
    void applyFrame();

    /// @brief The option controls and their changes.
    const GridControls& grid() const { return m_grid; }
    void setGrid(const GridControls& grid);
    const FrameControls& frame() const { return m_frame; }
    void setFrame(const FrameControls& frame);
    const LegendControls& legendControls() const { return m_legend; }
    void setLegendControls(const LegendControls& legend);
    const SpacingControls& spacing() const { return m_spacing; }
    void setSpacing(const SpacingControls& spacing);
    const OriginControls& origins() const { return m_origins; }
    void setOrigins(const OriginControls& origins);
    const YAxisTextControls& yAxisText() const { return m_yAxisText; }
    void setYAxisText(const YAxisTextControls& controls);
    /// @brief cmdXLog / cmdYLog. A logarithmic axis needs a window above 0: switching one on over
    /// a window that reaches 0 or below is refused with the usual message (false).
    bool setLogarithmic(ChartAxis axis, bool on);
    /// @brief chkLabelNotVisible and chkLabelFrame: all curve labels hidden or framed.
    bool labelsHidden() const { return m_labelsHidden; }
    bool labelsFramed() const { return m_labelsFramed; }
    void setCurveLabelLook(bool hidden, bool framed);
    /// @brief cmdFontLabel: the font of every label.
    void setLabelFont(const ChartFont& font);

    /// @brief A curve's style from "Stil" and "Lin.-breite".
    void setCurveStyle(int slot, LinePattern pattern, int width);
    /// @brief A point set's symbol and size.
    void setPointStyle(int set, SymbolShape shape, int size);
    /// @brief The one colour of a curve (group 1) or point set (group 2).
    void recolour(int group, int series, ChartColour colour);
    /// @brief cmdFarbVorwahl: the colour of the next curves.
    void setPreselectedColour(ChartColour colour) { m_preselected = colour; }
    std::optional<ChartColour> preselectedColour() const { return m_preselected; }
    /// @brief The label of curve `slot`: its id (0 when it has none).
    int curveLabelId(int slot) const;
    /// @brief txtLabel, chkEinzelLabelSichtbar and scrShiftLab of the selected curve.
    void setCurveLabel(int slot, const std::string& text, bool visible, int point);

    /// @brief The texts of the text frame.
    DiagramTextValue text(DiagramText which) const;
    /// @brief A typed text: header, the additional text (placed in the upper middle of the axis
    /// window when it is new), or an axis title.
    void setText(DiagramText which, const std::string& text, bool framed);
    /// @brief The header font (cmdFont of the header).
    void setHeaderFont(const ChartFont& font);

    /// @brief cmdMsgDelPoint: the instructions; a left click on a point of a curve drawn as
    /// single points then asks whether to delete it.
    void startDeletingPoints();
    /// @brief A click on the chart at widget position (px, py): a left click on a point of a curve
    /// drawn as single points deletes it after asking (once startDeletingPoints was pressed); a
    /// right click on a curve gives its slot, whose styling the window then shows.
    std::optional<int> click(int px, int py, ChartMouseButton button, char decimalSeparator);

    /// @brief "... als *.OC2-File speichern" into `path` (asks when empty, starting in the last
    /// design folder, else the home; ".oc2" is added to a name without suffix).
    bool saveDesign(const std::string& path = {});
    /// @brief "... importieren (*.OC2)" from `path` (asks when empty): the chart, the curve slots
    /// and labels, the point-set tabs and the controls the design decides.
    bool loadDesign(const std::string& path = {});

  private:
    bool showsNothing() const;
    void fitFrameTo(const std::vector<ChartPoint>& points);
    void showProblems(const std::vector<std::string>& problems);

    Session& m_session;
    UserDialogs& m_dialogs;
    const CurveTable& m_curves;
    ChartComponent& m_chart;
    std::array<PointSetTab, kPointSetTabCount> m_pointTabs;
    std::optional<int> m_tabToSelect;
    std::array<int, kMaxCurves + 1> m_curveLabelIds{};
    int m_extraTextLabel = 0;
    std::optional<ChartColour> m_preselected;
    bool m_deletePointMode = false;
    GridControls m_grid;
    FrameControls m_frame;
    LegendControls m_legend;
    SpacingControls m_spacing;
    OriginControls m_origins;
    YAxisTextControls m_yAxisText;
    bool m_labelsHidden = false;
    bool m_labelsFramed = false;
};

/// @brief The folder a file dialog starts in: the remembered one, else the application home.
std::string startFolder(const std::string& remembered, const Session& session);

}  // namespace zemtral
