#pragma once
// The option controls of the diagram window as plain values, and what each group of them does to
// the chart. The window shows these values and hands changes back; the command-line tool uses the
// defaults, which are the window's state right after loading.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "diagrams/chart_component.h"

namespace zemtral {

/// @brief opt1Gitter, opt2Gitter and the grid colour.
struct GridControls {
    int kind = 3;        ///< 0 "ohne Gitter", 1 "nur y-Gitter", 2 "nur x-Gitter", 3 "Gitter komplett"
    bool solid = false;  ///< opt2Gitter: "volle Linie"; false "punktiert"
    ChartColour colour{0x808080};  ///< cmdGitterFarbe
    friend bool operator==(const GridControls&, const GridControls&) = default;
};

/// @brief chkDiaFrame, optFrameType, UpDownRBreite, chkAutoRand and the margins scrHL..scrHU.
struct FrameControls {
    bool framed = true;  ///< "Diagramm gerahmt"
    int type = 3;        ///< 0 "Doppelleiste", 1 "normal", 2 "3D", 3 "ohne"
    int width = 1;       ///< "Rahmenbreite" [px], 1..10
    bool automaticMargins = true;
    std::array<int, 4> margins{12, 12, 12, 12};  ///< left, right, top, bottom [px], 0..200
    friend bool operator==(const FrameControls&, const FrameControls&) = default;
};

/// @brief chkLegend, optLegOrient, chkLegTransparent, chkLegFrame.
struct LegendControls {
    bool shown = true;
    bool horizontal = false;
    bool transparent = false;
    bool framed = false;
    friend bool operator==(const LegendControls&, const LegendControls&) = default;
};

/// @brief optScaling and the spacing fields: grid, tick and digit spacing of x, then of y.
struct SpacingControls {
    bool manual = false;
    std::array<std::string, 6> texts;
};

/// @brief optStandardOrigin, optXOrigin, optYOrigin and the two value fields.
struct OriginControls {
    bool automatic = true;  ///< "autom. in den Achsen-Minima"
    int x = 1;              ///< 0 "im X-Maximum", 1 "im X-Minimum", 2 "bei X = 0", 3 "bei X ="
    int y = 1;
    std::string xValue;
    std::string yValue;
};

/// @brief optOrientYAxZiff and optOrientYAxText.
struct YAxisTextControls {
    bool digitsVertical = false;   ///< default "horizontal"
    bool titleHorizontal = false;  ///< "horiz. oben"; default "vertikal"
};

/// @brief Grid lines of both axes: "nur y-Gitter" gives the horizontal lines at the y digits.
void applyGridControls(ChartComponent& chart, const GridControls& grid);
/// @brief Border and margins of the chart area ("ohne" or an unframed diagram: no border).
void applyFrameControls(ChartComponent& chart, const FrameControls& frame);
/// @brief Legend shown, orientation, transparency and frame; font, colours and place stay.
void applyLegendControls(ChartComponent& chart, const LegendControls& legend);
/// @brief Spacing of grid, ticks and digits: chosen by the chart when automatic; a typed value
/// that is not a positive number leaves that spacing to the chart as well.
void applySpacingControls(ChartComponent& chart, const SpacingControls& spacing);
/// @brief Where the axes cross; the values are read like every typed number.
void applyOriginControls(ChartComponent& chart, const OriginControls& origins);
/// @brief Orientation of the y-axis digits and title.
void applyYAxisTextControls(ChartComponent& chart, const YAxisTextControls& controls);

/// @brief The controls that a chart state determines (after a design file was loaded).
LegendControls legendControlsOf(const ChartComponent& chart);
GridControls gridControlsOf(const ChartComponent& chart, const GridControls& current);
/// @brief A chart without border keeps whether the diagram is framed; "ohne" is chosen when it is.
FrameControls frameControlsOf(const ChartComponent& chart, const FrameControls& current);
YAxisTextControls yAxisTextControlsOf(const ChartComponent& chart);

/// @brief The colour presets of the "Farben" frame.
enum class AreaPreset { GreyMargins, AllWhite, AllBlack };
AreaSettings withAreaPreset(AreaSettings areas, AreaPreset preset);
/// @brief A colour preset on the chart. Texts and axes take the colour that stands out on the new
/// sheet (inkOn); the legend (on the colour of the sheet) and the labels written in the old
/// sheet's ink follow, so that
/// "Gesamtblatt schwarz" writes white on black and "Gesamtblatt weiß" black on white again.
void applyAreaPreset(ChartComponent& chart, AreaPreset preset);

/// @brief A curve's style after "Stil" and "Lin.-breite": only "nur Einzelpunkte" shows the points
/// (filled circles in the line colour).
SeriesStyle curveStyleFromControls(SeriesStyle style, LinePattern pattern, int width);

/// @brief A series recoloured: a curve and a point set each have one colour for line and symbols.
SeriesStyle recoloured(SeriesStyle style, ChartColour colour);

/// @brief The status-bar text of the mouse position: "X = x          Y = y", or the empty
/// "X =                     Y =" outside the plot area.
std::string mousePositionText(const std::optional<ChartPoint>& position, char decimalSeparator);

}  // namespace zemtral
