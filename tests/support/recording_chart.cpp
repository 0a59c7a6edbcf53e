#include "recording_chart.h"

#include <cmath>
#include <cstddef>

namespace zemtral::test {

namespace {
std::string address(const char* name, int group, int series) {
    return std::string(name) + " " + std::to_string(group) + " " + std::to_string(series);
}
}  // namespace

void RecordingChart::changed(const std::string& call) {
    calls.push_back(call);
    if (batchDepth == 0) {
        ++repaints;
    }
}

RecordingChart::Series& RecordingChart::mutableSeries(int group, int series) {
    auto& g = groups[group == 2 ? 2 : 1];
    if (static_cast<int>(g.size()) < series) {
        g.resize(static_cast<std::size_t>(series));
    }
    return g[static_cast<std::size_t>(series - 1)];
}

const RecordingChart::Series& RecordingChart::series(int group, int series) const {
    static const Series kEmpty;
    const auto& g = groups[group == 2 ? 2 : 1];
    if (series < 1 || series > static_cast<int>(g.size())) {
        return kEmpty;
    }
    return g[static_cast<std::size_t>(series - 1)];
}

void RecordingChart::setSeriesCount(int group, int count) {
    groups[group == 2 ? 2 : 1].resize(static_cast<std::size_t>(count < 0 ? 0 : count));
    changed("setSeriesCount " + std::to_string(group) + " " + std::to_string(count));
}
int RecordingChart::seriesCount(int group) const {
    return static_cast<int>(groups[group == 2 ? 2 : 1].size());
}

void RecordingChart::setPointCount(int group, int s, int count) {
    mutableSeries(group, s).points.resize(static_cast<std::size_t>(count < 0 ? 0 : count));
    changed(address("setPointCount", group, s));
}
int RecordingChart::pointCount(int group, int s) const {
    return static_cast<int>(series(group, s).points.size());
}

void RecordingChart::setPoint(int group, int s, int p, ChartPoint value) {
    auto& points = mutableSeries(group, s).points;
    if (p >= 1 && p <= static_cast<int>(points.size())) {
        points[static_cast<std::size_t>(p - 1)] = value;
    }
    changed(address("setPoint", group, s));
}
ChartPoint RecordingChart::point(int group, int s, int p) const {
    const auto& points = series(group, s).points;
    if (p < 1 || p > static_cast<int>(points.size())) {
        return {};
    }
    return points[static_cast<std::size_t>(p - 1)];
}
void RecordingChart::setSeriesData(int group, int s, std::span<const ChartPoint> points) {
    mutableSeries(group, s).points.assign(points.begin(), points.end());
    changed(address("setSeriesData", group, s));
}
void RecordingChart::removePoint(int group, int s, int p) {
    auto& points = mutableSeries(group, s).points;
    if (p >= 1 && p <= static_cast<int>(points.size())) {
        points.erase(points.begin() + (p - 1));
    }
    changed(address("removePoint", group, s));
}

void RecordingChart::setSeriesStyle(int group, int s, const SeriesStyle& style) {
    mutableSeries(group, s).style = style;
    changed(address("setSeriesStyle", group, s));
}
SeriesStyle RecordingChart::seriesStyle(int group, int s) const {
    return series(group, s).style;
}
void RecordingChart::setSeriesLabel(int group, int s, const std::string& text) {
    mutableSeries(group, s).label = text;
    changed(address("setSeriesLabel", group, s));
}
std::string RecordingChart::seriesLabel(int group, int s) const {
    return series(group, s).label;
}
void RecordingChart::setSeriesLegendShown(int group, int s, bool shown) {
    mutableSeries(group, s).legendShown = shown;
    changed(address("setSeriesLegendShown", group, s));
}
bool RecordingChart::seriesLegendShown(int group, int s) const {
    return series(group, s).legendShown;
}
void RecordingChart::setSeriesVisible(int group, int s, bool visible) {
    mutableSeries(group, s).visible = visible;
    changed(address("setSeriesVisible", group, s));
}
bool RecordingChart::seriesVisible(int group, int s) const {
    return series(group, s).visible;
}

int RecordingChart::addLabel(const ChartLabel& l) {
    const int id = m_nextLabelId++;
    labels[id] = l;
    changed("addLabel " + std::to_string(id));
    return id;
}
void RecordingChart::setLabel(int id, const ChartLabel& l) {
    if (labels.count(id) != 0) {
        labels[id] = l;
    }
    changed("setLabel " + std::to_string(id));
}
std::optional<ChartLabel> RecordingChart::label(int id) const {
    const auto it = labels.find(id);
    if (it == labels.end()) {
        return std::nullopt;
    }
    return it->second;
}
void RecordingChart::removeLabel(int id) {
    labels.erase(id);
    changed("removeLabel " + std::to_string(id));
}
std::vector<int> RecordingChart::labelIds() const {
    std::vector<int> ids;
    for (const auto& [id, l] : labels) {
        ids.push_back(id);
    }
    return ids;
}

void RecordingChart::setHeader(const std::string& text, const ChartFont& font, bool framed) {
    headerText = text;
    headerFontValue = font;
    headerFramedValue = framed;
    changed("setHeader");
}
void RecordingChart::setAxis(ChartAxis a, const AxisSettings& settings) {
    axes[a == ChartAxis::X ? 0 : 1] = settings;
    changed(a == ChartAxis::X ? "setAxis X" : "setAxis Y");
}
void RecordingChart::setLegend(const LegendSettings& settings) {
    legendSettings = settings;
    changed("setLegend");
}
void RecordingChart::setAreas(const AreaSettings& settings) {
    areaSettings = settings;
    changed("setAreas");
}

void RecordingChart::beginUpdate() {
    ++batchDepth;
    calls.push_back("beginUpdate");
}
void RecordingChart::endUpdate() {
    calls.push_back("endUpdate");
    if (batchDepth > 0 && --batchDepth == 0) {
        ++repaints;
    }
}

ChartOutput RecordingChart::copyPictureToClipboard(PictureFormat) {
    calls.push_back("copyPictureToClipboard");
    return nextOutput;
}
ChartOutput RecordingChart::writePicture(const std::string& path, PictureFormat) {
    calls.push_back("writePicture " + path);
    if (nextOutput.ok) {
        writtenFiles.push_back(path);
    }
    return nextOutput;
}
ChartOutput RecordingChart::print(const PrintRequest&) {
    calls.push_back("print");
    return nextOutput;
}
ChartOutput RecordingChart::saveState(const std::string& path) {
    calls.push_back("saveState " + path);
    if (nextOutput.ok) {
        Snapshot& s = m_savedStates[path];
        for (int g = 0; g < 3; ++g) {
            s.groups[g] = groups[g];
        }
        s.labels = labels;
        s.headerText = headerText;
        s.headerFontValue = headerFontValue;
        s.headerFramedValue = headerFramedValue;
        s.axes[0] = axes[0];
        s.axes[1] = axes[1];
        s.legendSettings = legendSettings;
        s.areaSettings = areaSettings;
    }
    return nextOutput;
}
ChartOutput RecordingChart::loadState(const std::string& path) {
    calls.push_back("loadState " + path);
    const auto it = m_savedStates.find(path);
    if (it == m_savedStates.end()) {
        return {false, "Datei nicht gefunden: " + path};
    }
    const Snapshot& s = it->second;
    for (int g = 0; g < 3; ++g) {
        groups[g] = s.groups[g];
    }
    labels = s.labels;
    headerText = s.headerText;
    headerFontValue = s.headerFontValue;
    headerFramedValue = s.headerFramedValue;
    axes[0] = s.axes[0];
    axes[1] = s.axes[1];
    legendSettings = s.legendSettings;
    areaSettings = s.areaSettings;
    changed("loaded");
    return {};
}

std::optional<ChartPoint> RecordingChart::dataCoordinatesAt(int px, int py) const {
    if (px < plotLeft || px > plotLeft + plotWidth || py < plotTop || py > plotTop + plotHeight) {
        return std::nullopt;
    }
    const AxisSettings& x = axes[0];
    const AxisSettings& y = axes[1];
    const double fx = static_cast<double>(px - plotLeft) / plotWidth;
    const double fy = static_cast<double>(plotTop + plotHeight - py) / plotHeight;
    return ChartPoint{x.minimum + fx * (x.maximum - x.minimum), y.minimum + fy * (y.maximum - y.minimum)};
}

void RecordingChart::pixelOf(ChartPoint p, double& px, double& py) const {
    const AxisSettings& x = axes[0];
    const AxisSettings& y = axes[1];
    px = plotLeft + (p.x - x.minimum) / (x.maximum - x.minimum) * plotWidth;
    py = plotTop + plotHeight - (p.y - y.minimum) / (y.maximum - y.minimum) * plotHeight;
}

std::optional<ChartHit> RecordingChart::pointAt(int px, int py, int radius) const {
    std::optional<ChartHit> best;
    for (int g = 1; g <= 2; ++g) {
        for (std::size_t s = 0; s < groups[g].size(); ++s) {
            const auto& points = groups[g][s].points;
            for (std::size_t i = 0; i < points.size(); ++i) {
                double x = 0.0;
                double y = 0.0;
                pixelOf(points[i], x, y);
                const double d = std::hypot(x - px, y - py);
                if (d <= radius && (!best || d < best->distance)) {
                    best = ChartHit{g, static_cast<int>(s) + 1, static_cast<int>(i) + 1, d};
                }
            }
        }
    }
    return best;
}

}  // namespace zemtral::test
