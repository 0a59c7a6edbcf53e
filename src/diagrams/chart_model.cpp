#include "diagrams/chart_model.h"

#include <algorithm>

#include "diagrams/design_file.h"

namespace zemtral {
namespace {

constexpr const char* kNotShown = "Das Diagramm wird nicht angezeigt.";

}  // namespace

ChartModel::ChartModel() {
    m_state.axes[0].minimum = 0.0;
    m_state.axes[0].maximum = 1.0;
    m_state.axes[1] = m_state.axes[0];
    m_state.axes[1].titleOrientation = TextOrientation::Vertical;
}

void ChartModel::setView(ChartView* view) {
    m_view = view;
    if (m_view != nullptr) {
        changed(ChartChange::kAll);
    }
}

ChartState::Series* ChartModel::series(int group, int index) {
    if (group < 1 || group > 2) {
        return nullptr;
    }
    auto& list = m_state.groups[group - 1];
    if (index < 1 || index > static_cast<int>(list.size())) {
        return nullptr;
    }
    return &list[static_cast<std::size_t>(index - 1)];
}

const ChartState::Series* ChartModel::series(int group, int index) const {
    return const_cast<ChartModel*>(this)->series(group, index);
}

void ChartModel::changed(unsigned parts, int group, int index) {
    m_pending.parts |= parts;
    if (group != 0) {
        m_pending.seriesChanged.emplace_back(group, index);
    }
    if (m_batchDepth == 0) {
        notify();
    }
}

void ChartModel::notify() {
    ChartChange change = std::move(m_pending);
    m_pending = ChartChange{};
    if (m_view != nullptr) {
        m_view->chartChanged(change);
    }
}

void ChartModel::beginUpdate() {
    ++m_batchDepth;
}

void ChartModel::endUpdate() {
    if (m_batchDepth == 0) {
        return;
    }
    if (--m_batchDepth == 0) {
        notify();
    }
}

// --- Series data ---------------------------------------------------------------------------------

void ChartModel::setSeriesCount(int group, int count) {
    if (group < 1 || group > 2) {
        return;
    }
    auto& list = m_state.groups[group - 1];
    count = std::max(0, count);
    const std::size_t old = list.size();
    list.resize(static_cast<std::size_t>(count));
    for (std::size_t i = old; i < list.size(); ++i) {
        list[i].style = defaultSeriesStyle(group);
    }
    // Labels attached to removed series go with them.
    std::erase_if(m_state.labels, [&](const auto& entry) {
        return entry.second.attachment == LabelAttachment::DataPoint && entry.second.group == group &&
               entry.second.series > count;
    });
    changed(ChartChange::kSeries | ChartChange::kLabels);
}

int ChartModel::seriesCount(int group) const {
    return group >= 1 && group <= 2 ? static_cast<int>(m_state.groups[group - 1].size()) : 0;
}

void ChartModel::setPointCount(int group, int index, int count) {
    if (auto* s = series(group, index)) {
        s->points.resize(static_cast<std::size_t>(std::max(0, count)));
        changed(ChartChange::kSeries, group, index);
    }
}

int ChartModel::pointCount(int group, int index) const {
    const auto* s = series(group, index);
    return s != nullptr ? static_cast<int>(s->points.size()) : 0;
}

void ChartModel::setPoint(int group, int index, int pointIndex, ChartPoint value) {
    auto* s = series(group, index);
    if (s == nullptr || pointIndex < 1 || pointIndex > static_cast<int>(s->points.size())) {
        return;
    }
    s->points[static_cast<std::size_t>(pointIndex - 1)] = value;
    changed(ChartChange::kSeries, group, index);
}

ChartPoint ChartModel::point(int group, int index, int pointIndex) const {
    const auto* s = series(group, index);
    if (s == nullptr || pointIndex < 1 || pointIndex > static_cast<int>(s->points.size())) {
        return {};
    }
    return s->points[static_cast<std::size_t>(pointIndex - 1)];
}

void ChartModel::setSeriesData(int group, int index, std::span<const ChartPoint> points) {
    if (auto* s = series(group, index)) {
        s->points.assign(points.begin(), points.end());
        changed(ChartChange::kSeries, group, index);
    }
}

void ChartModel::removePoint(int group, int index, int pointIndex) {
    auto* s = series(group, index);
    if (s == nullptr || pointIndex < 1 || pointIndex > static_cast<int>(s->points.size())) {
        return;
    }
    s->points.erase(s->points.begin() + (pointIndex - 1));
    changed(ChartChange::kSeries, group, index);
}

// --- Series style, legend entry and visibility ----------------------------------------------------

void ChartModel::setSeriesStyle(int group, int index, const SeriesStyle& style) {
    if (auto* s = series(group, index)) {
        s->style = style;
        changed(ChartChange::kSeries, group, index);
    }
}

SeriesStyle ChartModel::seriesStyle(int group, int index) const {
    const auto* s = series(group, index);
    return s != nullptr ? s->style : defaultSeriesStyle(group);
}

void ChartModel::setSeriesLabel(int group, int index, const std::string& text) {
    if (auto* s = series(group, index)) {
        s->label = text;
        changed(ChartChange::kSeries, group, index);
    }
}

std::string ChartModel::seriesLabel(int group, int index) const {
    const auto* s = series(group, index);
    return s != nullptr ? s->label : std::string();
}

void ChartModel::setSeriesLegendShown(int group, int index, bool shown) {
    if (auto* s = series(group, index)) {
        s->legendShown = shown;
        changed(ChartChange::kSeries, group, index);
    }
}

bool ChartModel::seriesLegendShown(int group, int index) const {
    const auto* s = series(group, index);
    return s != nullptr && s->legendShown;
}

void ChartModel::setSeriesVisible(int group, int index, bool visible) {
    if (auto* s = series(group, index)) {
        s->visible = visible;
        changed(ChartChange::kSeries | ChartChange::kLabels, group, index);
    }
}

bool ChartModel::seriesVisible(int group, int index) const {
    const auto* s = series(group, index);
    return s != nullptr && s->visible;
}

// --- Labels ----------------------------------------------------------------------------------------

int ChartModel::addLabel(const ChartLabel& label) {
    const int id = m_state.nextLabelId++;
    m_state.labels.emplace_back(id, label);
    changed(ChartChange::kLabels);
    return id;
}

void ChartModel::setLabel(int id, const ChartLabel& label) {
    for (auto& [key, value] : m_state.labels) {
        if (key == id) {
            value = label;
            changed(ChartChange::kLabels);
            return;
        }
    }
}

std::optional<ChartLabel> ChartModel::label(int id) const {
    for (const auto& [key, value] : m_state.labels) {
        if (key == id) {
            return value;
        }
    }
    return std::nullopt;
}

void ChartModel::removeLabel(int id) {
    std::erase_if(m_state.labels, [id](const auto& entry) { return entry.first == id; });
    changed(ChartChange::kLabels);
}

std::vector<int> ChartModel::labelIds() const {
    std::vector<int> ids;
    ids.reserve(m_state.labels.size());
    for (const auto& entry : m_state.labels) {
        ids.push_back(entry.first);
    }
    return ids;
}

// --- Header, axes, legend, areas -----------------------------------------------------------------

void ChartModel::setHeader(const std::string& text, const ChartFont& font, bool framed) {
    m_state.header = text;
    m_state.headerFont = font;
    m_state.headerFramed = framed;
    changed(ChartChange::kDecor);
}

std::string ChartModel::header() const {
    return m_state.header;
}

void ChartModel::setAxis(ChartAxis which, const AxisSettings& settings) {
    m_state.axes[which == ChartAxis::X ? 0 : 1] = settings;
    changed(ChartChange::kAxes);
}

AxisSettings ChartModel::axis(ChartAxis which) const {
    return m_state.axes[which == ChartAxis::X ? 0 : 1];
}

void ChartModel::setLegend(const LegendSettings& settings) {
    m_state.legend = settings;
    changed(ChartChange::kDecor);
}

LegendSettings ChartModel::legend() const {
    return m_state.legend;
}

void ChartModel::setAreas(const AreaSettings& settings) {
    m_state.areas = settings;
    changed(ChartChange::kDecor);
}

AreaSettings ChartModel::areas() const {
    return m_state.areas;
}

void ChartModel::setState(const ChartState& state) {
    beginUpdate();
    m_state = state;
    for (int g = 0; g < 2; ++g) {
        for (int i = 1; i <= static_cast<int>(m_state.groups[g].size()); ++i) {
            m_pending.seriesChanged.emplace_back(g + 1, i);
        }
    }
    m_pending.parts = ChartChange::kAll;
    endUpdate();
}

// --- Output and hit testing: the view's, the design file the model's own ------------------------

ChartOutput ChartModel::copyPictureToClipboard(PictureFormat format) {
    return m_view != nullptr ? m_view->copyPictureToClipboard(format) : ChartOutput{false, kNotShown};
}

ChartOutput ChartModel::writePicture(const std::string& path, PictureFormat format) {
    return m_view != nullptr ? m_view->writePicture(path, format) : ChartOutput{false, kNotShown};
}

ChartOutput ChartModel::print(const PrintRequest& request) {
    return m_view != nullptr ? m_view->print(request) : ChartOutput{false, kNotShown};
}

ChartOutput ChartModel::saveState(const std::string& path) {
    return saveDesignFile(path, m_state);
}

ChartOutput ChartModel::loadState(const std::string& path) {
    DesignFileContent content = loadDesignFile(path);
    if (!content.state) {
        return {false, content.errorText};
    }
    setState(*content.state);
    return {};
}

std::optional<ChartPoint> ChartModel::dataCoordinatesAt(int px, int py) const {
    return m_view != nullptr ? m_view->dataCoordinatesAt(px, py) : std::nullopt;
}

std::optional<ChartHit> ChartModel::pointAt(int px, int py, int radius) const {
    return m_view != nullptr ? m_view->pointAt(px, py, radius) : std::nullopt;
}

}  // namespace zemtral
