#include "session/diagram_document.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/model_catalogue.h"
#include "diagrams/axis_range.h"
#include "diagrams/species_masks.h"
#include "evaluation/linearised_evaluation.h"
#include "numeric/number_text.h"
#include "session/data_commands.h"
#include "session/evaluation_commands.h"

namespace zemtral {
namespace {

constexpr const char* kLineBreak = "\r\n";
constexpr const char* kDesignFilter = "Diagramm-File (*.oc2)";
constexpr const char* kDesignMessageTitle = "Meldung von Diagrammgestaltung";

/// Point-set symbols by set, so that several measured species stay apart.
constexpr std::array<SymbolShape, 8> kSetSymbols{
    SymbolShape::FilledCircle, SymbolShape::FilledCircle, SymbolShape::FilledSquare, SymbolShape::Triangle,
    SymbolShape::Diamond,      SymbolShape::Circle,       SymbolShape::FilledCircle, SymbolShape::Cross};

std::string outsideWarning(const char* hint) {
    return std::string(
               "Alle experimentellen Punkte befinden sich außerhalb des Koordinatenbereichs des "
               "Diagramms") +
           kLineBreak + hint;
}

}  // namespace

std::string startFolder(const std::string& remembered, const Session& session) {
    return remembered.empty() ? session.appHome : remembered;
}

DiagramDocument::DiagramDocument(Session& session, UserDialogs& dialogs, const CurveTable& curves,
                                 ChartComponent& chart)
    : m_session(session), m_dialogs(dialogs), m_curves(curves), m_chart(chart) {
    m_pointTabs[6].caption = "manuell";
}

// --- Set-up and loading ---------------------------------------------------------------------------

void DiagramDocument::applySetUp(const DiagramSetUp& setUp) {
    ChartUpdateBatch batch(m_chart);
    const DiagramFrame& f = setUp.frame;
    m_chart.setHeader(f.title, m_chart.headerFont(), m_chart.headerFramed());
    AxisSettings x = m_chart.axis(ChartAxis::X);
    AxisSettings y = m_chart.axis(ChartAxis::Y);
    x.title = f.xCaption;
    y.title = f.yCaption;
    x.minimum = f.xMin;
    x.maximum = f.xMax;
    y.minimum = f.yMin;
    y.maximum = f.yMax;
    m_chart.setAxis(ChartAxis::X, x);
    m_chart.setAxis(ChartAxis::Y, y);
    for (int i = 0; i < 6; ++i) {
        const PointSetTab& tab = setUp.tabs.tabs[static_cast<std::size_t>(i)];
        m_pointTabs[static_cast<std::size_t>(i)] = tab;
        const std::string& legend = setUp.tabs.legendTexts[static_cast<std::size_t>(i + 1)];
        if (m_chart.seriesCount(2) > i && !legend.empty()) {
            m_chart.setSeriesLabel(2, i + 1, legend);
        }
    }
    if (setUp.chartLegend) {
        // The legend stays on while curves are shown.
        const bool shown = *setUp.chartLegend || m_chart.seriesCount(1) > 0;
        if (shown != m_legend.shown) {
            m_legend.shown = shown;
            applyLegendControls(m_chart, m_legend);
        }
    }
    m_tabToSelect = setUp.selectedTab;
}

DrawCommandResult DiagramDocument::load() {
    {
        // The look of a fresh window; the legend as the set-up left it.
        ChartUpdateBatch batch(m_chart);
        m_grid = GridControls{};
        m_frame = FrameControls{};
        m_legend.transparent = false;
        m_labelsHidden = false;
        m_labelsFramed = false;
        applyGridControls(m_chart, m_grid);
        applyFrameControls(m_chart, m_frame);
        applyLegendControls(m_chart, m_legend);
    }
    m_spacing.manual = false;
    applyFrame();
    m_session.diagram.masks = SetSpeciesMasks(m_session.diagramKind, m_session.state.fittingMode);

    // The points are shown after loading; when none falls inside the window the user is told
    // how to make them visible.
    constexpr const char* kEnlarge = "Vergrößern Sie den Koordinatenbereich.";
    const int kind = m_session.diagramKind;
    if (kind == -9 || kind == -2 || kind == -1) {
        if (!showMeasuredPoints()) {
            m_dialogs.showMessage("Warnung", outsideWarning(kEnlarge), MessageIcon::Exclamation);
        }
        return {};
    }
    DrawCommandResult drawn = draw();
    // Every evaluation shows its measured points beside its line ("Messpunkte" from code).
    // The residual plot shows differences, not the measured values themselves.
    if (kind < 0 && kind != kKindFitResiduals && m_session.data.pointCount > 0 && !showMeasuredPoints()) {
        m_dialogs.showMessage("Warnung", outsideWarning(kEnlarge), MessageIcon::Exclamation);
    } else if (kind > 0 && m_session.data.pointCount > 0 && m_session.state.showMeasuredPoints &&
               !showMeasuredPoints()) {
        m_dialogs.showMessage(
            "Warnung",
            outsideWarning("Prüfen Sie, ob die geladenen exper. Punkte zu diesem\r\nDiagramm "
                           "passen bzw. vergrößern Sie den Koordinatenbereich."),
            MessageIcon::Exclamation);
    }
    return drawn;
}

// --- Curves ------------------------------------------------------------------------------------------

DrawCommandResult DiagramDocument::draw() {
    DrawCommandResult result = runDrawCommand(m_session, m_chart, m_dialogs, m_curves, m_preselected);
    for (const DrawnCurve& curve : result.curves) {
        m_curveLabelIds[static_cast<std::size_t>(curve.slot)] = curve.labelId;
    }
    if (m_labelsHidden || m_labelsFramed) {
        setCurveLabelLook(m_labelsHidden, m_labelsFramed);
    }
    return result;
}

void DiagramDocument::deleteCurves() {
    deleteAllCurves(m_session, m_chart);
    m_curveLabelIds.fill(0);
}

void DiagramDocument::deleteCurve(int slot) {
    zemtral::deleteCurve(m_session, m_chart, slot);
    if (slot >= 1 && slot <= kMaxCurves) {
        m_curveLabelIds[static_cast<std::size_t>(slot)] = 0;
    }
}

void DiagramDocument::deleteEverything() {
    deleteCurves();
    deleteHalfLifeMarks();
    for (int set = 1; set <= m_chart.seriesCount(2); ++set) {
        deletePointSet(set);
    }
    for (int id : m_chart.labelIds()) {
        m_chart.removeLabel(id);
    }
    m_extraTextLabel = 0;
}

void DiagramDocument::deleteHalfLifeMarks() {
    for (int s : {kHalfLifeSeriesA, kHalfLifeSeriesB}) {
        if (m_chart.seriesCount(1) >= s) {
            m_chart.setPointCount(1, s, 0);
        }
    }
}

void DiagramDocument::deleteMarkTexts() {
    for (int id : m_chart.labelIds()) {
        const auto label = m_chart.label(id);
        if (label && label->attachment == LabelAttachment::ChartCoordinates) {
            m_chart.removeLabel(id);
        }
    }
    m_extraTextLabel = 0;
}

void DiagramDocument::deleteCurveLabels() {
    for (int id : m_chart.labelIds()) {
        const auto label = m_chart.label(id);
        if (label && label->attachment == LabelAttachment::DataPoint) {
            m_chart.removeLabel(id);
        }
    }
    m_curveLabelIds.fill(0);
}

void DiagramDocument::deletePointSet(int set) {
    if (set < 1 || set > m_chart.seriesCount(2)) {
        return;
    }
    m_chart.setPointCount(2, set, 0);
    m_chart.setSeriesLabel(2, set, "");
    if (set <= kPointSetTabCount) {
        m_pointTabs[static_cast<std::size_t>(set - 1)].visible = false;
    }
}

std::vector<int> DiagramDocument::curvesShown() const {
    std::vector<int> slots;
    const int count = std::min(m_chart.seriesCount(1), kMaxCurves);
    for (int slot = 1; slot <= count; ++slot) {
        if (m_chart.pointCount(1, slot) > 0) {
            slots.push_back(slot);
        }
    }
    return slots;
}

std::optional<std::string> DiagramDocument::markHalfLife(HalfLifeSpecies species) {
    const HalfLifeMark mark = halfLifeCommand(m_session, species, m_session.diagramKind, m_dialogs);
    if (!mark.act) {
        return std::nullopt;
    }
    if (mark.show) {
        ChartUpdateBatch batch(m_chart);
        if (m_chart.seriesCount(1) < mark.series) {
            m_chart.setSeriesCount(1, mark.series);
        }
        const std::array<ChartPoint, 2> line{ChartPoint{mark.line[0].x, mark.line[0].y},
                                             ChartPoint{mark.line[1].x, mark.line[1].y}};
        m_chart.setSeriesData(1, mark.series, line);
        SeriesStyle style = m_chart.seriesStyle(1, mark.series);
        style.linePattern = LinePattern::Dashed;
        style.lineColour = m_preselected.value_or(kChartBlack);
        style.symbolShape = SymbolShape::None;
        m_chart.setSeriesStyle(1, mark.series, style);
        m_chart.setSeriesLegendShown(1, mark.series, false);
    }
    return mark.statusText;
}

bool DiagramDocument::showMeasuredPoints() {
    PointDisplayInputs in;
    in.kind = m_session.diagramKind;
    in.evaluation.kind = m_session.diagramKind;
    in.evaluation.cA0 = static_cast<float>(m_session.state.conc0[kSlotA]);
    in.evaluation.cB0 = static_cast<float>(m_session.state.conc0[kSlotB]);
    in.evaluation.modelId = m_session.state.modelId;
    in.evaluation.lambdaMode = m_session.evaluation.lambdaMode;
    in.evaluation.equalStartConc = m_session.evaluation.equalStartConc;
    in.speciesMask = m_session.diagram.masks.speciesMask;
    if (in.kind > 0 && in.kind < kRateDiagramKindOffset) {
        in.speciesMask = modelSpeciesMask(m_session.state.modelId, m_session.state.fittingMode);
    }
    in.shownSpecies = m_session.survey.shownSpecies;
    in.selectedSpecies = m_session.shell.selectedSpecies > 0 ? m_session.shell.selectedSpecies
                                                             : m_session.evaluation.tangentSpecies;
    const DiagramFrame& f = m_session.diagram.frame;
    in.window = PlotWindow{f.xMin, f.yMin, f.xMax, f.yMax};
    const ExperimentalPoints points = zeigeExperPunkte(m_session.data, in);

    ChartUpdateBatch batch(m_chart);
    if (m_chart.seriesCount(2) < 6) {
        m_chart.setSeriesCount(2, 6);
    }
    bool any = false;
    for (int set = 1; set <= 6; ++set) {
        const auto& list = points.sets[static_cast<std::size_t>(set)];
        if (list.empty()) {
            continue;
        }
        std::vector<ChartPoint> data;
        data.reserve(list.size());
        for (const PlotPoint& p : list) {
            data.push_back({p.x, p.y});
        }
        any = true;
        m_chart.setSeriesData(2, set, data);
        SeriesStyle style = m_chart.seriesStyle(2, set);
        style.symbolShape = kSetSymbols[static_cast<std::size_t>(set)];
        style.symbolColour = curveSlotColour(set);
        style.linePattern = LinePattern::None;
        m_chart.setSeriesStyle(2, set, style);
        PointSetTab& tab = m_pointTabs[static_cast<std::size_t>(set - 1)];
        if (m_chart.seriesLabel(2, set).empty()) {
            m_chart.setSeriesLabel(2, set,
                                   tab.caption.empty() && set == 6 ? std::string("k-T") : tab.caption);
        }
        if (tab.caption.empty()) {
            tab.caption =
                set == 6 ? "k-T" : "c(" + std::string(speciesName(m_session.state.modelId, set)) + ")";
        }
        tab.visible = true;
    }
    return !any || points.anyInside;
}

// --- The XY editor's points ----------------------------------------------------------------------

bool DiagramDocument::showsNothing() const {
    for (int group = 1; group <= 2; ++group) {
        for (int series = 1; series <= m_chart.seriesCount(group); ++series) {
            if (m_chart.pointCount(group, series) > 0) {
                return false;
            }
        }
    }
    return true;
}

void DiagramDocument::fitFrameTo(const std::vector<ChartPoint>& points) {
    double xMin = points.front().x, xMax = xMin, yMin = points.front().y, yMax = yMin;
    for (const ChartPoint& p : points) {
        xMin = std::min(xMin, p.x);
        xMax = std::max(xMax, p.x);
        yMin = std::min(yMin, p.y);
        yMax = std::max(yMax, p.y);
    }
    // A margin of 5 % on every side; a column of equal values gets a window around its value.
    const auto widen = [](double& low, double& high) {
        const double span = high - low;
        const double margin = span > 0.0 ? 0.05 * span : std::max(1.0, 0.1 * std::fabs(low));
        const double limit = static_cast<double>(std::numeric_limits<float>::max());
        low = std::max(low - margin, -limit);
        high = std::min(high + margin, limit);
    };
    widen(xMin, xMax);
    widen(yMin, yMax);
    DiagramFrame& f = m_session.diagram.frame;
    f.xMin = static_cast<float>(xMin);
    f.xMax = static_cast<float>(xMax);
    f.yMin = static_cast<float>(yMin);
    f.yMax = static_cast<float>(yMax);
    applyFrame();
}

bool DiagramDocument::loadManualPoints(const std::vector<ChartPoint>& points) {
    constexpr int kManualSet = kPointSetTabCount;
    if (points.empty()) {
        return false;
    }
    if (m_chart.seriesCount(2) >= kManualSet && m_chart.pointCount(2, kManualSet) > 0 &&
        m_dialogs.askYesNo("Warnung", "Soll der bereits geladene manuelle Datensatz überschrieben werden?",
                           MessageIcon::Question) != Answer::Yes) {
        return false;
    }
    if (showsNothing()) {
        fitFrameTo(points);
    }
    ChartUpdateBatch batch(m_chart);
    if (m_chart.seriesCount(2) < kManualSet) {
        m_chart.setSeriesCount(2, kManualSet);
    }
    m_chart.setSeriesData(2, kManualSet, points);
    SeriesStyle style = m_chart.seriesStyle(2, kManualSet);
    style.symbolShape = kSetSymbols[static_cast<std::size_t>(kManualSet)];
    style.symbolColour = curveSlotColour(kManualSet);
    style.linePattern = LinePattern::None;
    m_chart.setSeriesStyle(2, kManualSet, style);
    m_chart.setSeriesLabel(2, kManualSet, "manuell");
    m_chart.setSeriesLegendShown(2, kManualSet, true);
    m_chart.setSeriesVisible(2, kManualSet, true);
    m_pointTabs[static_cast<std::size_t>(kManualSet - 1)].visible = true;
    return true;
}

std::optional<DrawnCurve> DiagramDocument::loadManualCurve(const std::vector<ChartPoint>& points) {
    if (points.empty()) {
        return std::nullopt;
    }
    if (showsNothing()) {
        fitFrameTo(points);
    }
    const std::optional<int> slot = allocateCurveSlot(m_session.diagram);
    if (!slot) {
        m_dialogs.showMessage("WARNUNG", tooManyCurvesText(), MessageIcon::Exclamation);
        return std::nullopt;
    }
    ChartUpdateBatch batch(m_chart);
    if (m_chart.seriesCount(1) < *slot) {
        m_chart.setSeriesCount(1, *slot);
    }
    SeriesStyle style = m_chart.seriesStyle(1, *slot);
    style.linePattern = LinePattern::Solid;
    style.symbolShape = SymbolShape::None;
    style.lineColour = m_preselected.value_or(curveSlotColour(*slot));
    style.symbolColour = style.lineColour;
    m_chart.setSeriesStyle(1, *slot, style);
    m_chart.setSeriesData(1, *slot, points);
    DrawnCurve drawn;
    drawn.slot = *slot;
    drawn.legend = "manuelle Kurve";
    m_chart.setSeriesLabel(1, *slot, drawn.legend);
    m_chart.setSeriesLegendShown(1, *slot, true);
    m_chart.setSeriesVisible(1, *slot, true);
    return drawn;
}

// --- Axes ------------------------------------------------------------------------------------------

bool DiagramDocument::applyCoordinates(const std::array<std::string, 4>& texts,
                                       const std::optional<SpacingControls>& spacing) {
    std::array<double, 4> values{};
    const std::vector<std::string> problems = coordinateTextProblems(
        texts, m_chart.axis(ChartAxis::X).logarithmic, m_chart.axis(ChartAxis::Y).logarithmic, values);
    if (!problems.empty()) {
        showProblems(problems);
        return false;
    }
    const auto [xMin, xMax, yMin, yMax] = values;
    if (spacing) {
        m_spacing = *spacing;
    }
    DiagramFrame& f = m_session.diagram.frame;
    f.xMin = static_cast<float>(xMin);
    f.xMax = static_cast<float>(xMax);
    f.yMin = static_cast<float>(yMin);
    f.yMax = static_cast<float>(yMax);
    applyFrame();
    return true;
}

void DiagramDocument::applyFrame() {
    const DiagramFrame& f = m_session.diagram.frame;
    ChartUpdateBatch batch(m_chart);
    AxisSettings x = m_chart.axis(ChartAxis::X);
    AxisSettings y = m_chart.axis(ChartAxis::Y);
    x.minimum = f.xMin;
    x.maximum = f.xMax;
    y.minimum = f.yMin;
    y.maximum = f.yMax;
    m_chart.setAxis(ChartAxis::X, x);
    m_chart.setAxis(ChartAxis::Y, y);
    StoreAxisRange(m_session.diagramKind, f, m_session.state, m_session.diagram.axisRanges);
    applySpacingControls(m_chart, m_spacing);
}

void DiagramDocument::setGrid(const GridControls& grid) {
    m_grid = grid;
    applyGridControls(m_chart, m_grid);
}

void DiagramDocument::setFrame(const FrameControls& frame) {
    m_frame = frame;
    applyFrameControls(m_chart, m_frame);
}

void DiagramDocument::setLegendControls(const LegendControls& legend) {
    m_legend = legend;
    applyLegendControls(m_chart, m_legend);
}

void DiagramDocument::setSpacing(const SpacingControls& spacing) {
    m_spacing = spacing;
    applySpacingControls(m_chart, m_spacing);
}

void DiagramDocument::setOrigins(const OriginControls& origins) {
    m_origins = origins;
    applyOriginControls(m_chart, m_origins);
}

void DiagramDocument::setYAxisText(const YAxisTextControls& controls) {
    m_yAxisText = controls;
    applyYAxisTextControls(m_chart, m_yAxisText);
}

bool DiagramDocument::setLogarithmic(ChartAxis which, bool on) {
    AxisSettings a = m_chart.axis(which);
    if (on && !a.logarithmic) {
        if (const auto problem = logarithmicAxisProblem(which, a.minimum)) {
            showProblems({*problem});
            return false;
        }
    }
    a.logarithmic = on;
    m_chart.setAxis(which, a);
    return true;
}

void DiagramDocument::showProblems(const std::vector<std::string>& problems) {
    std::string text;
    for (const std::string& line : problems) {
        text += (text.empty() ? "" : kLineBreak) + line;
    }
    m_dialogs.showMessage(kNotPossibleTitle, text, MessageIcon::Critical);
}

// --- Labels, styles, colours -----------------------------------------------------------------------

void DiagramDocument::setCurveLabelLook(bool hidden, bool framed) {
    m_labelsHidden = hidden;
    m_labelsFramed = framed;
    ChartUpdateBatch batch(m_chart);
    for (int slot = 1; slot <= kMaxCurves; ++slot) {
        const int id = m_curveLabelIds[static_cast<std::size_t>(slot)];
        if (auto label = id != 0 ? m_chart.label(id) : std::nullopt) {
            label->visible = !hidden;
            label->framed = framed;
            m_chart.setLabel(id, *label);
        }
    }
}

void DiagramDocument::setLabelFont(const ChartFont& font) {
    ChartUpdateBatch batch(m_chart);
    for (int id : m_chart.labelIds()) {
        if (auto label = m_chart.label(id)) {
            label->font = font;
            m_chart.setLabel(id, *label);
        }
    }
}

void DiagramDocument::setCurveStyle(int slot, LinePattern pattern, int width) {
    if (slot >= 1 && slot <= m_chart.seriesCount(1)) {
        m_chart.setSeriesStyle(1, slot, curveStyleFromControls(m_chart.seriesStyle(1, slot), pattern, width));
    }
}

void DiagramDocument::setPointStyle(int set, SymbolShape shape, int size) {
    if (set < 1 || set > m_chart.seriesCount(2)) {
        return;
    }
    SeriesStyle style = m_chart.seriesStyle(2, set);
    style.symbolShape = shape;
    style.symbolSize = size;
    m_chart.setSeriesStyle(2, set, style);
}

void DiagramDocument::recolour(int group, int series, ChartColour colour) {
    m_chart.setSeriesStyle(group, series, recoloured(m_chart.seriesStyle(group, series), colour));
}

int DiagramDocument::curveLabelId(int slot) const {
    return slot >= 1 && slot <= kMaxCurves ? m_curveLabelIds[static_cast<std::size_t>(slot)] : 0;
}

void DiagramDocument::setCurveLabel(int slot, const std::string& text, bool visible, int point) {
    const int id = curveLabelId(slot);
    if (id == 0) {
        return;
    }
    if (auto label = m_chart.label(id)) {
        label->text = text;
        label->visible = visible;
        label->point = point;
        m_chart.setLabel(id, *label);
    }
}

// --- Texts ------------------------------------------------------------------------------------------

DiagramTextValue DiagramDocument::text(DiagramText which) const {
    switch (which) {
        case DiagramText::Header:
            return {m_chart.header(), m_chart.headerFramed()};
        case DiagramText::ExtraText: {
            const auto label = m_extraTextLabel != 0 ? m_chart.label(m_extraTextLabel) : std::nullopt;
            return {label ? label->text : std::string(), label && label->framed};
        }
        case DiagramText::XTitle:
            return {m_chart.axis(ChartAxis::X).title, std::nullopt};
        case DiagramText::YTitle:
            return {m_chart.axis(ChartAxis::Y).title, std::nullopt};
    }
    return {};
}

void DiagramDocument::setText(DiagramText which, const std::string& text, bool framed) {
    switch (which) {
        case DiagramText::Header:
            m_chart.setHeader(text, m_chart.headerFont(), framed);
            break;
        case DiagramText::ExtraText: {
            auto label = m_extraTextLabel != 0 ? m_chart.label(m_extraTextLabel) : std::nullopt;
            if (!label) {
                // A new additional text starts in the upper middle of the axis window.
                const AxisSettings x = m_chart.axis(ChartAxis::X);
                const AxisSettings y = m_chart.axis(ChartAxis::Y);
                ChartLabel fresh;
                fresh.x = x.minimum + 0.4 * (x.maximum - x.minimum);
                fresh.y = y.minimum + 0.9 * (y.maximum - y.minimum);
                fresh.text = text;
                fresh.framed = framed;
                m_extraTextLabel = m_chart.addLabel(fresh);
            } else {
                label->text = text;
                label->framed = framed;
                m_chart.setLabel(m_extraTextLabel, *label);
            }
            break;
        }
        case DiagramText::XTitle:
        case DiagramText::YTitle: {
            const ChartAxis axis = which == DiagramText::XTitle ? ChartAxis::X : ChartAxis::Y;
            AxisSettings a = m_chart.axis(axis);
            a.title = text;
            m_chart.setAxis(axis, a);
            break;
        }
    }
}

void DiagramDocument::setHeaderFont(const ChartFont& font) {
    m_chart.setHeader(m_chart.header(), font, m_chart.headerFramed());
}

// --- Mouse ------------------------------------------------------------------------------------------

void DiagramDocument::startDeletingPoints() {
    m_dialogs.showMessage("So wird ein einzelner Kurvenpunkt gelöscht",
                          "1) Schalten Sie den Kurvenstil der betreffenden Kurve\r\n"
                          "    von \"Kurve normal\" auf \"nur Einzelpunkte\" um.\r\n\r\n"
                          "2) Klicken Sie dann mit der LINKEN Maustaste\r\n"
                          "    auf den zu löschenden Kurvenpunkt.",
                          MessageIcon::Information);
    m_deletePointMode = true;
}

std::optional<int> DiagramDocument::click(int px, int py, ChartMouseButton button, char decimalSeparator) {
    const auto hit = m_chart.pointAt(px, py, 6);
    if (!hit || hit->group != 1 || hit->series > kMaxCurves) {
        return std::nullopt;
    }
    if (button == ChartMouseButton::Right) {
        return hit->series;
    }
    if (button != ChartMouseButton::Left || !m_deletePointMode ||
        m_chart.seriesStyle(1, hit->series).linePattern != LinePattern::None) {
        return std::nullopt;
    }
    const ChartPoint p = m_chart.point(1, hit->series, hit->point);
    if (m_dialogs.askYesNo("Löschen eines Kurvenpunktes", deletePointQuestion(p.x, p.y, decimalSeparator),
                           MessageIcon::Question) == Answer::Yes) {
        m_chart.removePoint(1, hit->series, hit->point);
    }
    return std::nullopt;
}

// --- Design files -----------------------------------------------------------------------------------

bool DiagramDocument::saveDesign(const std::string& path) {
    std::string target = path;
    if (target.empty()) {
        const auto chosen = m_dialogs.chooseSaveFile(
            "Speichern dieser Diagrammgestaltung",
            startFolder(m_session.diagramWindow.lastDesignDir, m_session), "", kDesignFilter);
        if (!chosen || chosen->empty()) {
            return false;
        }
        target = withDefaultExtension(*chosen, ".oc2");
    }
    m_session.diagramWindow.lastDesignDir = directoryOf(target);
    const ChartOutput out = m_chart.saveState(target);
    if (!out.ok) {
        m_dialogs.showMessage(kDesignMessageTitle, out.errorText, MessageIcon::Critical);
    }
    return out.ok;
}

bool DiagramDocument::loadDesign(const std::string& path) {
    std::string source = path;
    if (source.empty()) {
        const auto chosen = m_dialogs.chooseOpenFile(
            "Laden einer abgespeicherten Diagrammvorlage",
            startFolder(m_session.diagramWindow.lastDesignDir, m_session), kDesignFilter);
        if (!chosen || chosen->empty()) {
            return false;
        }
        source = *chosen;
    }
    const ChartOutput out = m_chart.loadState(source);
    if (!out.ok) {
        m_dialogs.showMessage(kDesignMessageTitle, out.errorText, MessageIcon::Critical);
        return false;
    }
    m_session.diagramWindow.lastDesignDir = directoryOf(source);
    // The loaded curves take their slots; the curve labels are found again by their series, the
    // additional text as the text placed at chart coordinates.
    DiagramState& d = m_session.diagram;
    d.freeCurveSlots.fill(true);
    d.curveCount = 0;
    for (int slot : curvesShown()) {
        d.freeCurveSlots[static_cast<std::size_t>(slot)] = false;
        ++d.curveCount;
    }
    m_curveLabelIds.fill(0);
    m_extraTextLabel = 0;
    for (int id : m_chart.labelIds()) {
        const auto label = m_chart.label(id);
        if (!label) {
            continue;
        }
        if (label->attachment == LabelAttachment::DataPoint && label->group == 1 && label->series >= 1 &&
            label->series <= kMaxCurves) {
            m_curveLabelIds[static_cast<std::size_t>(label->series)] = id;
        } else if (label->attachment == LabelAttachment::ChartCoordinates && m_extraTextLabel == 0) {
            m_extraTextLabel = id;
        }
    }
    for (int set = 1; set <= std::min(m_chart.seriesCount(2), kPointSetTabCount); ++set) {
        PointSetTab& tab = m_pointTabs[static_cast<std::size_t>(set - 1)];
        tab.visible = m_chart.pointCount(2, set) > 0;
        if (tab.visible && tab.caption.empty()) {
            tab.caption = m_chart.seriesLabel(2, set);
        }
    }
    // The controls show what the design holds.
    m_legend = legendControlsOf(m_chart);
    m_grid = gridControlsOf(m_chart, m_grid);
    m_frame = frameControlsOf(m_chart, m_frame);
    m_yAxisText = yAxisTextControlsOf(m_chart);
    return true;
}

}  // namespace zemtral
