#pragma once
// The chart on the screen: a Qt Charts view of a ChartModel. The model is the truth; the Qt
// Charts objects are rebuilt piecewise when the model reports a change (once per batch), and
// this view carries out what needs a picture: output, printing and hit tests.
#include <QChartView>
#include <functional>
#include <memory>
#include <vector>

#include "diagrams/chart_model.h"

class QAbstractAxis;
class QGraphicsRectItem;
class QGraphicsLineItem;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QPrinter;

namespace zemtral {

class ChartTextItem;

/// @brief A QChartView that shows its own ChartModel.
class QtChartComponent : public QChartView, private ChartView {
  public:
    explicit QtChartComponent(QWidget* parent = nullptr);
    ~QtChartComponent() override;

    /// @brief The chart shown: what the windows draw into.
    ChartModel& model() { return m_model; }
    const ChartModel& model() const { return m_model; }
    /// @brief The whole state of the model.
    const ChartState& state() const { return m_model.state(); }
    /// @brief Replaces the whole state of the model.
    void setState(const ChartState& state);

    /// @brief Rubber-band zoom on or off; resetZoom shows the axis windows that were set again.
    void setZoomMode(bool on);
    void resetZoom();

    /// @brief The chart rendered at the widget's size, at the screen's device pixel ratio.
    QImage renderImage() const;

    /// @brief Prints the chart on a printer set up by the caller (the print dialog).
    ChartOutput printOn(QPrinter& printer, const PrintRequest& request);

    /// @brief The digits shown along a linear axis, lowest first (empty for a logarithmic axis,
    /// whose digits the chart library writes).
    QStringList tickLabelTexts(ChartAxis axis) const;
    /// @brief The colour of the header, axis titles, axes and digits: white on a dark sheet.
    QColor inkColour() const { return m_ink; }

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

    // ChartView: what the model asks of its view.
    void chartChanged(const ChartChange& change) override;
    ChartOutput copyPictureToClipboard(PictureFormat format) override;
    ChartOutput writePicture(const std::string& path, PictureFormat format) override;
    ChartOutput print(const PrintRequest& request) override;
    std::optional<ChartPoint> dataCoordinatesAt(int px, int py) const override;
    std::optional<ChartHit> pointAt(int px, int py, int radius) const override;

    const ChartState::Series* series(int group, int index) const;
    void markDirty(unsigned parts);
    void ensureSeriesViews();
    void flush();
    void applySeries(int group, int index);
    void applyAxes();
    void applyDecor();
    /// @brief The header as the chart shows it: literal, and broken at blanks where it is wider
    /// than the chart.
    QString headerText() const;
    void applyInk();
    void layoutOverlay();
    void layoutTickLabels(const QRectF& plot);
    void renderTo(QPainter& painter, const QRectF& target) const;

    ChartModel m_model;
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
    std::vector<QGraphicsSimpleTextItem*> m_tickLabels[2];  ///< x, y: the digits drawn here
    QColor m_ink = Qt::black;
    unsigned m_dirty = 0;  ///< ChartChange parts not yet applied
    std::vector<std::pair<int, int>> m_dirtySeries;
    bool m_zoomMode = false;
    QPoint m_pressPosition;
    std::function<void(QPoint)> m_mouseMoved;
    std::function<void(QPoint, Qt::MouseButton)> m_mouseClicked;
};

}  // namespace zemtral
