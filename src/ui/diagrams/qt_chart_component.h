#pragma once
// The chart component over Qt Charts: the diagram window and the Monte-Carlo window draw through
// the ChartComponent interface, this widget shows it.
//
// The plain chart state (series data and styles, labels, header, axes, legend, areas) is kept
// here and is the truth; the Qt Charts objects are a view of it, rebuilt piecewise when a
// property changes. That keeps the getters exact, makes the design file a dump of the state, and
// lets batched changes cost one rebuild.
#include <QChartView>
#include <functional>
#include <memory>
#include <vector>

#include "diagrams/chart_component.h"

class QAbstractAxis;
class QGraphicsRectItem;
class QGraphicsLineItem;
class QLineSeries;

namespace zemtral {

class ChartTextItem;

/// @brief Everything a chart holds; what saveState writes and loadState reads.
struct ChartState {
    struct Series {
        std::vector<ChartPoint> points;
        SeriesStyle style;
        std::string label;
        bool legendShown = true;
        bool visible = true;
    };
    std::vector<Series> groups[2];  ///< group 1 curves, group 2 point sets
    std::vector<std::pair<int, ChartLabel>> labels;
    int nextLabelId = 1;
    std::string header;
    ChartFont headerFont{"Arial", 10.0f, true};
    bool headerFramed = false;
    AxisSettings axes[2];
    LegendSettings legend;
    AreaSettings areas;
};

/// @brief Default style of a new series: group 1 lines, group 2 symbols without a line.
SeriesStyle defaultSeriesStyle(int group);

/// @brief The chart state as the JSON text of a design file (*.oc2).
std::string chartStateToJson(const ChartState& state);
/// @brief Reads a design file's JSON text; nothing when it is not a chart design.
std::optional<ChartState> chartStateFromJson(const std::string& json);

/// @brief A ChartComponent shown by a QChartView.
class QtChartComponent : public QChartView, public ChartComponent {
  public:
    explicit QtChartComponent(QWidget* parent = nullptr);
    ~QtChartComponent() override;

    void setSeriesCount(int group, int count) override;
    int seriesCount(int group) const override;
    void setPointCount(int group, int series, int count) override;
    int pointCount(int group, int series) const override;
    void setPoint(int group, int series, int point, ChartPoint value) override;
    ChartPoint point(int group, int series, int point) const override;
    void setSeriesData(int group, int series, std::span<const ChartPoint> points) override;
    void removePoint(int group, int series, int point) override;

    void setSeriesStyle(int group, int series, const SeriesStyle& style) override;
    SeriesStyle seriesStyle(int group, int series) const override;
    void setSeriesLabel(int group, int series, const std::string& text) override;
    std::string seriesLabel(int group, int series) const override;
    void setSeriesLegendShown(int group, int series, bool shown) override;
    bool seriesLegendShown(int group, int series) const override;
    void setSeriesVisible(int group, int series, bool visible) override;
    bool seriesVisible(int group, int series) const override;

    int addLabel(const ChartLabel& label) override;
    void setLabel(int id, const ChartLabel& label) override;
    std::optional<ChartLabel> label(int id) const override;
    void removeLabel(int id) override;
    std::vector<int> labelIds() const override;

    void setHeader(const std::string& text, const ChartFont& font, bool framed) override;
    std::string header() const override;
    void setAxis(ChartAxis axis, const AxisSettings& settings) override;
    AxisSettings axis(ChartAxis axis) const override;
    void setLegend(const LegendSettings& settings) override;
    LegendSettings legend() const override;
    void setAreas(const AreaSettings& settings) override;
    AreaSettings areas() const override;

    void beginUpdate() override;
    void endUpdate() override;

    ChartOutput copyPictureToClipboard(PictureFormat format) override;
    ChartOutput writePicture(const std::string& path, PictureFormat format) override;
    ChartOutput print(const PrintRequest& request) override;
    ChartOutput saveState(const std::string& path) override;
    ChartOutput loadState(const std::string& path) override;

    std::optional<ChartPoint> dataCoordinatesAt(int px, int py) const override;
    std::optional<ChartHit> pointAt(int px, int py, int radius) const override;

    /// @brief The whole state (for tests and the design file).
    const ChartState& state() const { return m_state; }
    /// @brief Replaces the whole state and rebuilds the view.
    void setState(const ChartState& state);

    /// @brief Rubber-band zoom on or off; resetZoom shows the axis windows that were set again.
    void setZoomMode(bool on);
    void resetZoom();

    /// @brief The chart rendered at the widget's size.
    QImage renderImage() const;

      /// @brief Called when the mouse moves over the chart (widget coordinates).
    void setMouseMoveHandler(std::function<void(QPoint)> handler) { m_mouseMoved = std::move(handler); }
    /// @brief Called when a mouse button is released over the chart without dragging.
    void setMouseClickHandler(std::function<void(QPoint, Qt::MouseButton)> handler) {
        m_mouseClicked = std::move(handler);
    }

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    struct SeriesView {
        QLineSeries* line = nullptr;
    };
    enum Dirty : unsigned {
        kDirtyNone = 0,
        kDirtySeries = 1,
        kDirtyAxes = 2,
        kDirtyLabels = 4,
        kDirtyDecor = 8,
        kDirtyAll = 15
    };

    ChartState::Series* series(int group, int index);
    const ChartState::Series* series(int group, int index) const;
    void ensureSeriesViews();
    void markDirty(unsigned what, int group = 0, int index = 0);
    void flush();
    void applySeries(int group, int index);
    void applyAxes();
    void applyDecor();
    void layoutOverlay();
    void renderTo(QPainter& painter, const QRectF& target) const;

    ChartState m_state;
    QChart* m_chart = nullptr;
    std::vector<SeriesView> m_views[2];
    QAbstractAxis* m_axisX = nullptr;
    QAbstractAxis* m_axisY = nullptr;
    bool m_axisXLog = false;
    bool m_axisYLog = false;
    std::vector<std::unique_ptr<ChartTextItem>> m_labelItems;
    std::unique_ptr<ChartTextItem> m_yTitleItem;
    QGraphicsRectItem* m_headerFrame = nullptr;
    QGraphicsRectItem* m_borderItem = nullptr;
    QGraphicsLineItem* m_originLines[2] = {nullptr, nullptr};
    int m_batchDepth = 0;
    unsigned m_dirty = kDirtyNone;
    std::vector<std::pair<int, int>> m_dirtySeries;
    bool m_zoomMode = false;
    QPoint m_pressPosition;
    std::function<void(QPoint)> m_mouseMoved;
    std::function<void(QPoint, Qt::MouseButton)> m_mouseClicked;
};

}  // namespace zemtral
