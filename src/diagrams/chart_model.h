#pragma once
// The chart as a plain model: series, styles, labels, header, axes, legend and areas, with
// batching and the design file. The windows draw into a ChartModel; whatever shows it (the Qt
// Charts view of the desktop program, or nothing at all in the command-line tool) is a ChartView
// that is told about every change and carries out the operations that need a picture.
#include <utility>
#include <vector>

#include "diagrams/chart_component.h"
#include "diagrams/chart_state.h"

namespace zemtral {

/// @brief What changed in a chart since the view was last told.
struct ChartChange {
    enum Part : unsigned { kSeries = 1, kAxes = 2, kLabels = 4, kDecor = 8, kAll = 15 };
    unsigned parts = 0;                              ///< Part flags; kDecor: header, legend, areas
    std::vector<std::pair<int, int>> seriesChanged;  ///< (group, series) whose data or style changed
};

/// @brief What shows a chart model.
class ChartView {
  public:
    virtual ~ChartView() = default;
    /// @brief Called after a change outside a batch, or at the end of the outermost batch.
    virtual void chartChanged(const ChartChange& change) = 0;
    virtual ChartOutput copyPictureToClipboard(PictureFormat format) = 0;
    virtual ChartOutput writePicture(const std::string& path, PictureFormat format) = 0;
    virtual ChartOutput print(const PrintRequest& request) = 0;
    virtual std::optional<ChartPoint> dataCoordinatesAt(int px, int py) const = 0;
    virtual std::optional<ChartHit> pointAt(int px, int py, int radius) const = 0;
};

/// @brief The chart component as plain data. Pictures, printing and hit tests go to the attached
/// view; without one they report that nothing is shown.
class ChartModel : public ChartComponent {
  public:
    /// @brief An empty chart: axes from 0 to 1, the y-axis title vertical.
    ChartModel();

    /// @brief Attaches the view that shows the model (nullptr: none) and tells it everything.
    void setView(ChartView* view);

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
    ChartFont headerFont() const override { return m_state.headerFont; }
    bool headerFramed() const override { return m_state.headerFramed; }
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

    /// @brief The whole state (what the design file holds and a view draws).
    const ChartState& state() const { return m_state; }
    /// @brief Replaces the whole state.
    void setState(const ChartState& state);

  private:
    ChartState::Series* series(int group, int index);
    const ChartState::Series* series(int group, int index) const;
    void changed(unsigned parts, int group = 0, int index = 0);
    void notify();

    ChartState m_state;
    ChartView* m_view = nullptr;
    int m_batchDepth = 0;
    ChartChange m_pending;
};

}  // namespace zemtral
