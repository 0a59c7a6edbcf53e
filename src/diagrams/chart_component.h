#pragma once
// What the program asks of its 2D chart: the diagram window and the Monte-Carlo window are
// written against this interface; the UI implements it over its chart library, the tests with a
// recording fake.
//
// Addressing: chart group 1 holds the curves as line series, group 2 the measured point sets as
// symbol series. Series and points are numbered from 1, as the windows number them.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "diagrams/curve_buffer.h"

namespace zemtral {

/// @brief Colour as 0xRRGGBB.
struct ChartColour {
    std::uint32_t rgb = 0;
    friend bool operator==(const ChartColour&, const ChartColour&) = default;
};

inline constexpr ChartColour kChartBlack{0x000000};
inline constexpr ChartColour kChartWhite{0xFFFFFF};

/// @brief The colour texts and axis lines take on `background`: white on a dark background
/// (relative luminance below one half), else black.
ChartColour inkOn(ChartColour background);

/// @brief Font of a chart text.
struct ChartFont {
    std::string family = "Arial";
    float pointSize = 8.0f;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    friend bool operator==(const ChartFont&, const ChartFont&) = default;
};

/// @brief Line patterns of a series (the codes the curve-style list uses).
enum class LinePattern : int { None = 1, Solid = 2, Dashed = 3, Dotted = 4, DashDot = 7 };

/// @brief Symbol shapes of a series (the codes the point-symbol list uses).
enum class SymbolShape : int {
    None = 1,
    FilledCircle = 2,
    FilledSquare = 3,
    Triangle = 4,
    Diamond = 5,
    Star = 6,
    VerticalLine = 7,
    HorizontalLine = 8,
    Cross = 9,
    Circle = 10,
    Square = 11,
};

/// @brief Style of one series.
struct SeriesStyle {
    LinePattern linePattern = LinePattern::Solid;
    ChartColour lineColour = kChartBlack;
    int lineWidth = 1;  ///< [px]
    SymbolShape symbolShape = SymbolShape::None;
    int symbolSize = 5;  ///< [px]
    ChartColour symbolColour = kChartBlack;
    friend bool operator==(const SeriesStyle&, const SeriesStyle&) = default;
};

/// @brief One data point of a series [axis units].
struct ChartPoint {
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const ChartPoint&, const ChartPoint&) = default;
};

enum class ChartAxis { X, Y };

/// @brief Where the other axis crosses an axis.
enum class AxisOrigin { AutomaticAtMinimum, AtMaximum, AtMinimum, AtZero, AtValue };

/// @brief Orientation of an axis title or of the axis digits.
enum class TextOrientation { Horizontal, Vertical };

/// @brief Settings of one axis. Spacing values left empty are chosen by the chart.
struct AxisSettings {
    double minimum = 0.0;
    double maximum = 1.0;
    bool logarithmic = false;
    std::optional<double> gridSpacing;
    std::optional<double> tickSpacing;
    std::optional<double> digitSpacing;
    bool gridShown = true;
    LinePattern gridPattern = LinePattern::Dotted;
    ChartColour gridColour{0x808080};
    AxisOrigin origin = AxisOrigin::AutomaticAtMinimum;
    double originValue = 0.0;  ///< with AxisOrigin::AtValue
    std::string title;
    TextOrientation titleOrientation = TextOrientation::Horizontal;
    TextOrientation digitOrientation = TextOrientation::Horizontal;
    friend bool operator==(const AxisSettings&, const AxisSettings&) = default;
};

/// @brief Legend of the chart. The position is the offset of its top-left corner within the chart [px].
struct LegendSettings {
    bool shown = true;
    TextOrientation orientation = TextOrientation::Vertical;
    ChartColour foreground = kChartBlack;
    ChartColour background = kChartWhite;
    bool transparent = false;
    bool framed = false;
    ChartFont font;
    std::optional<int> left;  ///< empty: placed by the chart
    std::optional<int> top;
    friend bool operator==(const LegendSettings&, const LegendSettings&) = default;
};

/// @brief Border of the chart area.
enum class BorderType { None, Normal, DoubleBar, ThreeD };

/// @brief Margins [px]; automatic margins ignore the values.
struct ChartMargins {
    bool automatic = true;
    int left = 0, right = 0, top = 0, bottom = 0;
    friend bool operator==(const ChartMargins&, const ChartMargins&) = default;
};

/// @brief Chart area (the whole sheet) and plot area (inside the axes).
struct AreaSettings {
    ChartColour chartAreaColour = kChartWhite;  ///< outer margin
    ChartColour innerMarginColour = kChartWhite;
    ChartColour plotAreaColour = kChartWhite;
    ChartMargins margins;
    BorderType border = BorderType::None;
    int borderWidth = 1;  ///< [px]
    /// Size and position of the plot area as fractions of the chart (0..1); empty: automatic.
    std::optional<double> plotLeft, plotTop, plotWidth, plotHeight;
    friend bool operator==(const AreaSettings&, const AreaSettings&) = default;
};

/// @brief What a chart label is attached to.
enum class LabelAttachment { DataPoint, ChartCoordinates };

/// @brief A chart label (curve label, half-life mark text, additional text).
struct ChartLabel {
    std::string text;
    LabelAttachment attachment = LabelAttachment::ChartCoordinates;
    int group = 1;   ///< with DataPoint
    int series = 1;  ///< with DataPoint
    int point = 1;   ///< with DataPoint
    double x = 0.0;  ///< with ChartCoordinates [axis units]
    double y = 0.0;
    ChartColour foreground = kChartBlack;
    ChartColour background{15790320};
    ChartFont font;
    bool framed = false;
    bool visible = true;
    friend bool operator==(const ChartLabel&, const ChartLabel&) = default;
};

/// @brief Picture formats: bitmaps, and vector formats in place of the metafiles.
enum class PictureFormat { Bitmap, Png, Svg, Pdf };

/// @brief Scaling of a printed chart: given width, given height, full A4 page.
enum class PrintScaling : int { GivenWidth = 2, GivenHeight = 3, FullPage = 5 };

/// @brief Placement of a printed chart on the page [px of the printer].
struct PrintRequest {
    int left = 0, top = 0, width = 0, height = 0;
    PrintScaling scaling = PrintScaling::GivenWidth;
    std::string pdfFile;  ///< non-empty: print into this PDF file instead of a printer
};

/// @brief Outcome of an output operation; errorText in German when it failed.
struct ChartOutput {
    bool ok = true;
    std::string errorText;
};

/// @brief A data point found under a mouse position.
struct ChartHit {
    int group = 0;
    int series = 0;
    int point = 0;
    double distance = 0.0;  ///< [px]
};

/// @brief The 2D chart component.
class ChartComponent {
  public:
    virtual ~ChartComponent() = default;

    // --- Series data -------------------------------------------------------------------
    /// @brief Number of series of group 1 or 2; extending adds empty series with default style.
    virtual void setSeriesCount(int group, int count) = 0;
    virtual int seriesCount(int group) const = 0;
    /// @brief Number of points of a series; new points are (0, 0), excess points are dropped.
    virtual void setPointCount(int group, int series, int count) = 0;
    virtual int pointCount(int group, int series) const = 0;
    /// @brief Point i (1..pointCount) of a series.
    virtual void setPoint(int group, int series, int point, ChartPoint value) = 0;
    virtual ChartPoint point(int group, int series, int point) const = 0;
    /// @brief Replaces all points of a series.
    virtual void setSeriesData(int group, int series, std::span<const ChartPoint> points) = 0;
    /// @brief Removes point i of a series; the later points move down one place.
    virtual void removePoint(int group, int series, int point) = 0;

    // --- Series style, legend entry and visibility -----------------------------------
    virtual void setSeriesStyle(int group, int series, const SeriesStyle& style) = 0;
    virtual SeriesStyle seriesStyle(int group, int series) const = 0;
    /// @brief Legend text of a series; an empty text gives no legend entry.
    virtual void setSeriesLabel(int group, int series, const std::string& text) = 0;
    virtual std::string seriesLabel(int group, int series) const = 0;
    virtual void setSeriesLegendShown(int group, int series, bool shown) = 0;
    virtual bool seriesLegendShown(int group, int series) const = 0;
    virtual void setSeriesVisible(int group, int series, bool visible) = 0;
    virtual bool seriesVisible(int group, int series) const = 0;

    // --- Labels --------------------------------------------------------------------------
    /// @brief Adds a label and returns its id (> 0).
    virtual int addLabel(const ChartLabel& label) = 0;
    virtual void setLabel(int id, const ChartLabel& label) = 0;
    virtual std::optional<ChartLabel> label(int id) const = 0;
    virtual void removeLabel(int id) = 0;
    virtual std::vector<int> labelIds() const = 0;

    // --- Header, axes, legend, areas ----------------------------------------------------
    virtual void setHeader(const std::string& text, const ChartFont& font, bool framed) = 0;
    virtual std::string header() const = 0;
    virtual ChartFont headerFont() const = 0;
    virtual bool headerFramed() const = 0;
    virtual void setAxis(ChartAxis axis, const AxisSettings& settings) = 0;
    virtual AxisSettings axis(ChartAxis axis) const = 0;
    virtual void setLegend(const LegendSettings& settings) = 0;
    virtual LegendSettings legend() const = 0;
    virtual void setAreas(const AreaSettings& settings) = 0;
    virtual AreaSettings areas() const = 0;

    // --- Batching --------------------------------------------------------------------------
    /// @brief Suspends repainting; calls nest, the chart repaints once when the last one ends.
    virtual void beginUpdate() = 0;
    virtual void endUpdate() = 0;

    // --- Output ----------------------------------------------------------------------------
    virtual ChartOutput copyPictureToClipboard(PictureFormat format) = 0;
    virtual ChartOutput writePicture(const std::string& path, PictureFormat format) = 0;
    virtual ChartOutput print(const PrintRequest& request) = 0;
    /// @brief Saves the complete chart state (data, styles, labels, axes, legend, areas) to a file.
    virtual ChartOutput saveState(const std::string& path) = 0;
    /// @brief Loads a state written by saveState; the chart is unchanged when it fails.
    virtual ChartOutput loadState(const std::string& path) = 0;

    // --- Hit testing -------------------------------------------------------------------------
    /// @brief Data coordinates under a widget position [px]; empty outside the plot area.
    virtual std::optional<ChartPoint> dataCoordinatesAt(int px, int py) const = 0;
    /// @brief The data point nearest to a widget position within `radius` [px], if any.
    virtual std::optional<ChartHit> pointAt(int px, int py, int radius) const = 0;
};

/// @brief Scoped batching: beginUpdate on construction, endUpdate on destruction.
class ChartUpdateBatch {
  public:
    explicit ChartUpdateBatch(ChartComponent& chart) : m_chart(chart) { m_chart.beginUpdate(); }
    ~ChartUpdateBatch() { m_chart.endUpdate(); }
    ChartUpdateBatch(const ChartUpdateBatch&) = delete;
    ChartUpdateBatch& operator=(const ChartUpdateBatch&) = delete;

  private:
    ChartComponent& m_chart;
};

/// @brief Hands points 1..n of `buffer` to a series, X scaled by 1/xScale and Y by 1/yScale.
void loadCurveBuffer(ChartComponent& chart, int group, int series, const CurveBuffer& buffer,
                     double xScale = 1.0, double yScale = 1.0);

}  // namespace zemtral
