#pragma once
// A ChartComponent that keeps its whole state in plain members and records every call, so that
// the windows' chart handling can be checked without a screen.
#include <map>
#include <string>
#include <vector>

#include "diagrams/chart_component.h"

namespace zemtral::test {

class RecordingChart : public ChartComponent {
  public:
    struct Series {
        std::vector<ChartPoint> points;
        SeriesStyle style;
        std::string label;
        bool legendShown = true;
        bool visible = true;
    };

    /// Every call by name, e.g. "setSeriesData 1 3", in order.
    std::vector<std::string> calls;
    /// Number of repaints: a change outside a batch, or the end of the outermost batch.
    int repaints = 0;
    int batchDepth = 0;
    /// Plot area in widget pixels used by the hit tests.
    int plotLeft = 50, plotTop = 20, plotWidth = 400, plotHeight = 300;
    /// Scripted outcome of the output operations.
    ChartOutput nextOutput;
    std::vector<std::string> writtenFiles;

    std::vector<Series> groups[3];  ///< groups[1], groups[2]; series i at index i − 1
    std::map<int, ChartLabel> labels;
    std::string headerText;
    ChartFont headerFontValue;
    bool headerFramedValue = false;
    AxisSettings axes[2];
    LegendSettings legendSettings;
    AreaSettings areaSettings;

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
    std::string header() const override { return headerText; }
    ChartFont headerFont() const override { return headerFontValue; }
    bool headerFramed() const override { return headerFramedValue; }
    void setAxis(ChartAxis axis, const AxisSettings& settings) override;
    AxisSettings axis(ChartAxis axis) const override { return axes[axis == ChartAxis::X ? 0 : 1]; }
    void setLegend(const LegendSettings& settings) override;
    LegendSettings legend() const override { return legendSettings; }
    void setAreas(const AreaSettings& settings) override;
    AreaSettings areas() const override { return areaSettings; }

    void beginUpdate() override;
    void endUpdate() override;

    ChartOutput copyPictureToClipboard(PictureFormat format) override;
    ChartOutput writePicture(const std::string& path, PictureFormat format) override;
    ChartOutput print(const PrintRequest& request) override;
    ChartOutput saveState(const std::string& path) override;
    ChartOutput loadState(const std::string& path) override;

    std::optional<ChartPoint> dataCoordinatesAt(int px, int py) const override;
    std::optional<ChartHit> pointAt(int px, int py, int radius) const override;

    /// @brief The widget position of data coordinates (inverse of dataCoordinatesAt).
    void pixelOf(ChartPoint p, double& px, double& py) const;
    /// @brief The series (created on demand by the setters; a const lookup of a missing one is empty).
    const Series& series(int group, int series) const;

  private:
    Series& mutableSeries(int group, int series);
    void changed(const std::string& call);
    int m_nextLabelId = 1;
    struct Snapshot {
        std::vector<Series> groups[3];
        std::map<int, ChartLabel> labels;
        std::string headerText;
        ChartFont headerFontValue;
        bool headerFramedValue = false;
        AxisSettings axes[2];
        LegendSettings legendSettings;
        AreaSettings areaSettings;
    };
    std::map<std::string, Snapshot> m_savedStates;  ///< saveState/loadState round trip by path
};

}  // namespace zemtral::test
