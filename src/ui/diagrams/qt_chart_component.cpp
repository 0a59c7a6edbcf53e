#include "ui/diagrams/qt_chart_component.h"

#include <QApplication>
#include <QGraphicsLayout>
#include <QGraphicsLineItem>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QLogValueAxis>
#include <QMouseEvent>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "diagrams/axis_ticks.h"
#include "ui/diagrams/chart_painting.h"
#include "ui/diagrams/graph2d_widgets.h"

namespace zemtral {

using graph2d::literalChartText;
using graph2d::penStyle;
using graph2d::symbolImage;
using graph2d::toQColor;
using graph2d::toQFont;

QtChartComponent::QtChartComponent(QWidget* parent) : QChartView(parent) {
    setObjectName("Chart2D1");
    m_chart = new QChart;
    m_chart->setBackgroundRoundness(0);
    m_chart->setLocalizeNumbers(true);
    // Axis digits with the locale's decimal separator but no digit grouping: "3600", not "3,600",
    // which a German reader takes for 3.6.
    QLocale digits;
    digits.setNumberOptions(digits.numberOptions() | QLocale::OmitGroupSeparator);
    m_chart->setLocale(digits);
    m_chart->layout()->setContentsMargins(6, 6, 6, 6);
    m_chart->legend()->setAlignment(Qt::AlignRight);
    setChart(m_chart);
    setRenderHint(QPainter::Antialiasing);
    setMouseTracking(true);
    setRubberBand(QChartView::NoRubberBand);
    m_yTitleItem = std::make_unique<ChartTextItem>(m_chart);
    m_yTitleItem->setVisible(false);
    m_headerFrame = new QGraphicsRectItem(m_chart);
    m_headerFrame->setVisible(false);
    m_borderItem = new QGraphicsRectItem(m_chart);
    m_borderItem->setBrush(Qt::NoBrush);
    m_borderItem->setZValue(-1);
    for (auto*& line : m_originLines) {
        line = new QGraphicsLineItem(m_chart);
        line->setPen(QPen(Qt::black, 1));
        line->setZValue(5);
        line->setVisible(false);
    }
    connect(m_chart, &QChart::plotAreaChanged, this, [this] { layoutOverlay(); });
    m_model.setView(this);
}

QtChartComponent::~QtChartComponent() {
    m_model.setView(nullptr);
    m_labelItems.clear();
    m_yTitleItem.reset();
}

void QtChartComponent::setState(const ChartState& state) {
    m_model.setState(state);
}

const ChartState::Series* QtChartComponent::series(int group, int index) const {
    if (group < 1 || group > 2) {
        return nullptr;
    }
    const auto& list = m_model.state().groups[group - 1];
    if (index < 1 || index > static_cast<int>(list.size())) {
        return nullptr;
    }
    return &list[static_cast<std::size_t>(index - 1)];
}

void QtChartComponent::chartChanged(const ChartChange& change) {
    m_dirty |= change.parts;
    m_dirtySeries.insert(m_dirtySeries.end(), change.seriesChanged.begin(), change.seriesChanged.end());
    flush();
    viewport()->update();
}

void QtChartComponent::markDirty(unsigned what) {
    m_dirty |= what;
    flush();
}

void QtChartComponent::ensureSeriesViews() {
    for (int g = 0; g < 2; ++g) {
        auto& views = m_views[g];
        const std::size_t wanted = state().groups[g].size();
        while (views.size() > wanted) {
            QLineSeries* line = views.back().line;
            m_chart->removeSeries(line);
            delete line;
            views.pop_back();
        }
        while (views.size() < wanted) {
            auto* line = new QLineSeries(m_chart);
            line->setUseOpenGL(false);
            m_chart->addSeries(line);
            if (m_axisX != nullptr) {
                line->attachAxis(m_axisX);
                line->attachAxis(m_axisY);
            }
            views.push_back(SeriesView{line});
            m_dirtySeries.emplace_back(g + 1, static_cast<int>(views.size()));
        }
    }
}

void QtChartComponent::flush() {
    const unsigned dirty = m_dirty;
    m_dirty = 0u;
    if (dirty & ChartChange::kAxes || m_axisX == nullptr) {
        applyAxes();
    }
    ensureSeriesViews();
    if (dirty & ChartChange::kSeries) {
        std::sort(m_dirtySeries.begin(), m_dirtySeries.end());
        m_dirtySeries.erase(std::unique(m_dirtySeries.begin(), m_dirtySeries.end()), m_dirtySeries.end());
        for (const auto& [group, index] : m_dirtySeries) {
            applySeries(group, index);
        }
    }
    m_dirtySeries.clear();
    if (dirty & ChartChange::kDecor) {
        applyDecor();
    }
    applyInk();
    layoutOverlay();
}

void QtChartComponent::applyInk() {
    // Texts and axes stand on the inner margin: on a black sheet they are white.
    const ChartColour ink = inkOn(state().areas.innerMarginColour);
    m_ink = toQColor(ink);
    m_chart->setTitleBrush(m_ink);
    for (QAbstractAxis* axis : {m_axisX, m_axisY}) {
        if (axis == nullptr) {
            continue;
        }
        axis->setLinePen(QPen(m_ink, 1));
        axis->setTitleBrush(m_ink);
        const bool ownDigits = qobject_cast<QValueAxis*>(axis) != nullptr;
        axis->setLabelsColor(ownDigits ? QColor(Qt::transparent) : m_ink);
    }
    for (QGraphicsLineItem* line : m_originLines) {
        line->setPen(QPen(m_ink, 1));
    }
}

QStringList QtChartComponent::tickLabelTexts(ChartAxis axis) const {
    QStringList texts;
    for (const QGraphicsSimpleTextItem* item : m_tickLabels[axis == ChartAxis::X ? 0 : 1]) {
        if (item->isVisible()) {
            texts << item->text();
        }
    }
    return texts;
}

void QtChartComponent::layoutTickLabels(const QRectF& plot) {
    const char separator = m_chart->locale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
    for (int a = 0; a < 2; ++a) {
        auto* axis = qobject_cast<QValueAxis*>(a == 0 ? m_axisX : m_axisY);
        std::vector<double> values;
        if (axis != nullptr && axis->isVisible() && plot.width() > 0 && plot.height() > 0) {
            values = linearTickValues(axis->min(), axis->max(), axis->tickInterval());
        }
        auto& items = m_tickLabels[a];
        while (items.size() < values.size()) {
            auto* item = new QGraphicsSimpleTextItem(m_chart);
            item->setZValue(6);
            items.push_back(item);
        }
        for (std::size_t i = values.size(); i < items.size(); ++i) {
            items[i]->setVisible(false);
        }
        if (values.empty()) {
            continue;
        }
        const double span = axis->max() - axis->min();
        const bool rotated = std::fabs(axis->labelsAngle()) == 90;
        const bool far = a == 0 ? axis->alignment() == Qt::AlignTop : axis->alignment() == Qt::AlignRight;
        constexpr double kGap = 7.0;  // the tick mark and the space after it [px]
        for (std::size_t i = 0; i < values.size(); ++i) {
            QGraphicsSimpleTextItem* item = items[i];
            item->setFont(axis->labelsFont());
            item->setBrush(m_ink);
            item->setText(QString::fromStdString(tickText(values[i], axis->tickInterval(), separator)));
            const QRectF box = item->boundingRect();
            item->setTransformOriginPoint(box.center());
            item->setRotation(rotated ? -90.0 : 0.0);
            const double w = rotated ? box.height() : box.width();
            const double h = rotated ? box.width() : box.height();
            // A linear axis maps its range linearly onto the side of the plot area.
            const double fraction = (values[i] - axis->min()) / span;
            QPointF centre;
            if (a == 0) {
                const double x = plot.left() + fraction * plot.width();
                centre = QPointF(x, far ? plot.top() - kGap - h / 2 : plot.bottom() + kGap + h / 2);
            } else {
                const double y = plot.bottom() - fraction * plot.height();
                centre = QPointF(far ? plot.right() + kGap + w / 2 : plot.left() - kGap - w / 2, y);
            }
            item->setPos(centre - box.center());
            item->setVisible(true);
        }
    }
}

void QtChartComponent::applySeries(int group, int index) {
    const ChartState::Series* s = series(group, index);
    if (s == nullptr || index > static_cast<int>(m_views[group - 1].size())) {
        return;
    }
    QLineSeries* line = m_views[group - 1][static_cast<std::size_t>(index - 1)].line;
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(s->points.size()));
    const bool logX = m_axisXLog, logY = m_axisYLog;
    for (const ChartPoint& p : s->points) {
        // A logarithmic axis cannot show values <= 0: such points are left out of the view.
        if ((logX && !(p.x > 0.0)) || (logY && !(p.y > 0.0))) {
            continue;
        }
        points.append(QPointF(p.x, p.y));
    }
    line->replace(points);

    const SeriesStyle& st = s->style;
    QPen pen(toQColor(st.lineColour));
    pen.setWidth(std::max(1, st.lineWidth));
    pen.setStyle(penStyle(st.linePattern));
    line->setPen(pen);
    if (st.symbolShape != SymbolShape::None) {
        line->setMarkerSize(std::max(3, st.symbolSize));
        line->setLightMarker(
            symbolImage(st.symbolShape, std::max(3, st.symbolSize), toQColor(st.symbolColour)));
    } else {
        line->setLightMarker(QImage());
    }
    line->setName(literalChartText(s->label));
    line->setVisible(s->visible);
    const auto markers = m_chart->legend()->markers(line);
    for (QLegendMarker* marker : markers) {
        // No text means no legend entry.
        marker->setVisible(s->visible && s->legendShown && !s->label.empty());
        if (st.linePattern == LinePattern::None) {
            marker->setPen(QPen(toQColor(st.symbolColour), 3));
            marker->setBrush(toQColor(st.symbolColour));
        }
    }
}

void QtChartComponent::applyAxes() {
    const AxisSettings& ax = state().axes[0];
    const AxisSettings& ay = state().axes[1];
    const bool rebuild = m_axisX == nullptr || ax.logarithmic != m_axisXLog || ay.logarithmic != m_axisYLog;
    if (rebuild) {
        for (QAbstractAxis* old : m_chart->axes()) {
            m_chart->removeAxis(old);
            delete old;
        }
        m_axisX = m_axisY = nullptr;
        auto makeAxis = [](bool log) -> QAbstractAxis* {
            if (log) {
                auto* a = new QLogValueAxis;
                a->setBase(10.0);
                a->setLabelFormat(QStringLiteral("%.6g"));
                return a;
            }
            auto* a = new QValueAxis;
            a->setLabelFormat(QStringLiteral("%.6g"));
            return a;
        };
        m_axisXLog = ax.logarithmic;
        m_axisYLog = ay.logarithmic;
        QAbstractAxis* axisX = makeAxis(m_axisXLog);
        QAbstractAxis* axisY = makeAxis(m_axisYLog);
        m_axisX = axisX;
        m_axisY = axisY;
        // A zoom changes the shown range without a change of the plot area: the digits follow.
        for (QAbstractAxis* axis : {axisX, axisY}) {
            if (auto* value = qobject_cast<QValueAxis*>(axis)) {
                connect(value, &QValueAxis::rangeChanged, this, [this] { layoutOverlay(); });
            }
        }
        // Where the other axis crosses: an axis in the maximum of the other sits at the far side.
        m_chart->addAxis(m_axisX, ay.origin == AxisOrigin::AtMaximum ? Qt::AlignTop : Qt::AlignBottom);
        m_chart->addAxis(m_axisY, ax.origin == AxisOrigin::AtMaximum ? Qt::AlignRight : Qt::AlignLeft);
        for (auto& views : m_views) {
            for (auto& v : views) {
                v.line->attachAxis(m_axisX);
                v.line->attachAxis(m_axisY);
            }
        }
        m_dirty |= ChartChange::kSeries;
        for (int g = 0; g < 2; ++g) {
            for (int i = 1; i <= static_cast<int>(state().groups[g].size()); ++i) {
                m_dirtySeries.emplace_back(g + 1, i);
            }
        }
    } else {
        // Alignment follows the origin choice.
        const Qt::Alignment xAlign = ay.origin == AxisOrigin::AtMaximum ? Qt::AlignTop : Qt::AlignBottom;
        const Qt::Alignment yAlign = ax.origin == AxisOrigin::AtMaximum ? Qt::AlignRight : Qt::AlignLeft;
        if (m_axisX->alignment() != xAlign || m_axisY->alignment() != yAlign) {
            m_chart->removeAxis(m_axisX);
            m_chart->removeAxis(m_axisY);
            m_chart->addAxis(m_axisX, xAlign);
            m_chart->addAxis(m_axisY, yAlign);
            for (auto& views : m_views) {
                for (auto& v : views) {
                    v.line->attachAxis(m_axisX);
                    v.line->attachAxis(m_axisY);
                }
            }
        }
    }

    auto configure = [](QAbstractAxis* axis, const AxisSettings& a, bool vertical) {
        QPen gridPen(toQColor(a.gridColour));
        gridPen.setStyle(penStyle(a.gridPattern == LinePattern::None ? LinePattern::Dotted : a.gridPattern));
        gridPen.setWidth(1);
        axis->setGridLinePen(gridPen);
        axis->setGridLineVisible(a.gridShown);
        axis->setMinorGridLineVisible(false);
        axis->setLabelsAngle(a.digitOrientation == TextOrientation::Vertical ? -90 : 0);
        QFont titleFont = axis->titleFont();
        titleFont.setPointSizeF(9.0);
        axis->setTitleFont(titleFont);
        const bool horizontalYTitle = vertical && a.titleOrientation == TextOrientation::Horizontal;
        axis->setTitleText(horizontalYTitle ? QString() : literalChartText(a.title));
        axis->setTitleVisible(!horizontalYTitle && !a.title.empty());
        axis->setLinePen(QPen(Qt::black, 1));
        axis->setLabelsColor(Qt::black);
        if (auto* log = qobject_cast<QLogValueAxis*>(axis)) {
            const AxisWindow window = logarithmicAxisWindow(a);
            log->setRange(window.lower, window.upper);
            log->setMinorTickCount(a.gridSpacing ? 8 : -1);
            log->setMinorGridLineVisible(a.gridShown && a.gridSpacing.has_value());
            log->setMinorGridLinePen(gridPen);
        } else if (auto* value = qobject_cast<QValueAxis*>(axis)) {
            // The state keeps what was set; the axis shows a window it can resolve.
            const AxisWindow window = linearAxisWindow(a);
            // The axis lays itself out as soon as its range changes, with the tick interval it
            // still has: a range a million times wider than the last one would get a million
            // ticks. Fixed ticks while the range changes, the interval of the new range after.
            value->setTickType(QValueAxis::TicksFixed);
            value->setRange(window.lower, window.upper);
            const AxisTicks ticks = linearAxisTicks(a, value->max() - value->min());
            value->setTickAnchor(0.0);
            value->setTickInterval(ticks.interval);
            value->setTickType(QValueAxis::TicksDynamic);
            value->setMinorTickCount(ticks.minorCount);
            // The digits are drawn by this view (exact values, the locale's separator); the
            // axis's own, which add up the interval and show its rounding noise, are not painted
            // but keep the room of digits of the same width.
            const int decimals = tickDecimals(ticks.interval);
            value->setLabelFormat(decimals >= 0 ? QStringLiteral("%.%1f").arg(decimals)
                                                : QStringLiteral("%.6g"));
            value->setMinorGridLineVisible(a.gridShown && ticks.minorCount > 0);
            value->setMinorGridLinePen(gridPen);
        }
    };
    configure(m_axisX, ax, false);
    configure(m_axisY, ay, true);
    m_dirty |= ChartChange::kLabels;
}

void QtChartComponent::applyDecor() {
    // Header.
    m_chart->setTitle(headerText());
    m_chart->setTitleFont(toQFont(state().headerFont));
    m_chart->setTitleBrush(Qt::black);

    // Legend.
    const LegendSettings& g = state().legend;
    QLegend* legend = m_chart->legend();
    legend->setVisible(g.shown);
    legend->setFont(toQFont(g.font));
    legend->setLabelColor(toQColor(g.foreground));
    legend->setBackgroundVisible(!g.transparent || g.framed);
    legend->setBrush(g.transparent ? QBrush(Qt::NoBrush) : QBrush(toQColor(g.background)));
    legend->setPen(g.framed ? QPen(toQColor(g.foreground), 1) : QPen(Qt::NoPen));
    legend->setMarkerShape(QLegend::MarkerShapeFromSeries);
    if (g.left && g.top) {
        legend->detachFromChart();
        const QSizeF size = legend->effectiveSizeHint(Qt::PreferredSize);
        legend->setGeometry(
            QRectF(*g.left, *g.top, std::max(60.0, size.width()), std::max(20.0, size.height())));
    } else {
        legend->attachToChart();
        legend->setAlignment(g.orientation == TextOrientation::Horizontal ? Qt::AlignBottom : Qt::AlignRight);
    }

    // Areas: the scene around the chart is the outer margin, the chart background the inner
    // margin, then the plot area.
    const AreaSettings& a = state().areas;
    setBackgroundBrush(toQColor(a.chartAreaColour));
    scene()->setBackgroundBrush(toQColor(a.chartAreaColour));
    m_chart->setBackgroundBrush(toQColor(a.innerMarginColour));
    m_chart->setBackgroundPen(Qt::NoPen);
    m_chart->setPlotAreaBackgroundBrush(toQColor(a.plotAreaColour));
    m_chart->setPlotAreaBackgroundVisible(true);
    m_chart->setDropShadowEnabled(a.border == BorderType::ThreeD);
    if (a.margins.automatic) {
        m_chart->setMargins(QMargins(12, 8, 12, 8));
    } else {
        m_chart->setMargins(QMargins(a.margins.left, a.margins.top, a.margins.right, a.margins.bottom));
    }
    if (a.plotLeft && a.plotTop && a.plotWidth && a.plotHeight) {
        const QRectF whole = m_chart->geometry();
        m_chart->setPlotArea(QRectF(whole.width() * *a.plotLeft, whole.height() * *a.plotTop,
                                    whole.width() * *a.plotWidth, whole.height() * *a.plotHeight));
    } else {
        m_chart->setPlotArea(QRectF());
    }
    // Every series' legend marker is recreated by Qt when the legend changes.
    for (int grp = 1; grp <= 2; ++grp) {
        for (int i = 1; i <= static_cast<int>(m_views[grp - 1].size()); ++i) {
            applySeries(grp, i);
        }
    }
}

QString QtChartComponent::headerText() const {
    // Qt Charts cuts a title wider than the chart with "..."; a long header (the A + B evaluation
    // names both start values) wraps instead. Before the chart has a size nothing is wrapped.
    // The title gets the chart's width less its margins and those of its layout.
    const QMargins margins = m_chart->margins();
    const double room = m_chart->size().width() - margins.left() - margins.right() - 24.0;
    if (room < 100.0) {
        return literalChartText(state().header);
    }
    const QFontMetricsF metrics(toQFont(state().headerFont));
    QStringList wrapped;
    for (QString line : QString::fromStdString(state().header).split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        QString current;
        for (const QString& word : line.split(QLatin1Char(' '))) {
            const QString candidate = current.isNull() ? word : current + QLatin1Char(' ') + word;
            if (metrics.horizontalAdvance(candidate) > room && !current.trimmed().isEmpty()) {
                wrapped << current;
                current = word;
            } else {
                current = candidate;
            }
        }
        wrapped << current;
    }
    return literalChartText(wrapped.join(QLatin1Char('\n')).toStdString());
}

void QtChartComponent::layoutOverlay() {
    if (m_axisX == nullptr || m_axisY == nullptr) {
        return;
    }
    const QRectF plot = m_chart->plotArea();
    layoutTickLabels(plot);
    QAbstractSeries* anchor = nullptr;
    for (auto& views : m_views) {
        if (!views.empty()) {
            anchor = views.front().line;
            break;
        }
    }

    // Labels.
    while (m_labelItems.size() > state().labels.size()) {
        m_labelItems.pop_back();
    }
    while (m_labelItems.size() < state().labels.size()) {
        m_labelItems.push_back(std::make_unique<ChartTextItem>(m_chart));
    }
    for (std::size_t i = 0; i < state().labels.size(); ++i) {
        const ChartLabel& l = state().labels[i].second;
        ChartTextItem* item = m_labelItems[i].get();
        item->setContent(QString::fromStdString(l.text), toQFont(l.font), toQColor(l.foreground),
                         toQColor(l.background), l.framed);
        QPointF value(l.x, l.y);
        bool placeable = anchor != nullptr;
        if (l.attachment == LabelAttachment::DataPoint) {
            const ChartState::Series* s = series(l.group, l.series);
            placeable = placeable && s != nullptr && l.point >= 1 &&
                        l.point <= static_cast<int>(s->points.size()) && s->visible;
            if (placeable) {
                const ChartPoint& p = s->points[static_cast<std::size_t>(l.point - 1)];
                value = QPointF(p.x, p.y);
            }
        }
        if (placeable && ((m_axisXLog && !(value.x() > 0)) || (m_axisYLog && !(value.y() > 0)))) {
            placeable = false;
        }
        if (!placeable || !l.visible) {
            item->setVisible(false);
            continue;
        }
        QPointF pos = m_chart->mapToPosition(value, anchor);
        const QRectF box = item->boundingRect();
        // A label attached to a point sits just above and right of it.
        if (l.attachment == LabelAttachment::DataPoint) {
            pos += QPointF(4, -box.height() - 2);
        }
        item->setPos(pos);
        item->setVisible(plot.adjusted(-2, -box.height() - 4, 2, 2).contains(pos));
    }

    // A horizontal y-axis title sits above the axis.
    const AxisSettings& ay = state().axes[1];
    if (ay.titleOrientation == TextOrientation::Horizontal && !ay.title.empty()) {
        QFont f = m_axisY->titleFont();
        m_yTitleItem->setContent(QString::fromStdString(ay.title), f, m_ink, Qt::white, false);
        const QRectF box = m_yTitleItem->boundingRect();
        m_yTitleItem->setPos(plot.left() - 4, plot.top() - box.height() - 2);
        m_yTitleItem->setVisible(true);
    } else {
        m_yTitleItem->setVisible(false);
    }

    // Origin lines inside the plot for "bei X = 0" / "bei X =".
    for (int a = 0; a < 2; ++a) {
        const AxisSettings& s = state().axes[a];
        QGraphicsLineItem* line = m_originLines[a];
        if (anchor == nullptr || (s.origin != AxisOrigin::AtZero && s.origin != AxisOrigin::AtValue)) {
            line->setVisible(false);
            continue;
        }
        const double v = s.origin == AxisOrigin::AtZero ? 0.0 : s.originValue;
        const bool log = a == 0 ? m_axisXLog : m_axisYLog;
        if (log && !(v > 0.0)) {
            line->setVisible(false);
            continue;
        }
        const QPointF p = m_chart->mapToPosition(a == 0 ? QPointF(v, 1.0) : QPointF(1.0, v), anchor);
        if (a == 0 && p.x() >= plot.left() && p.x() <= plot.right()) {
            line->setLine(p.x(), plot.top(), p.x(), plot.bottom());
            line->setVisible(true);
        } else if (a == 1 && p.y() >= plot.top() && p.y() <= plot.bottom()) {
            line->setLine(plot.left(), p.y(), plot.right(), p.y());
            line->setVisible(true);
        } else {
            line->setVisible(false);
        }
    }

    // Header frame around the chart title.
    m_headerFrame->setVisible(false);
    if (state().headerFramed && !state().header.empty()) {
        const auto children = m_chart->childItems();
        for (QGraphicsItem* child : children) {
            const auto* text = dynamic_cast<QGraphicsTextItem*>(child);
            if (text != nullptr && text->isVisible() &&
                text->toPlainText().simplified() == QString::fromStdString(state().header).simplified()) {
                m_headerFrame->setRect(text->mapRectToParent(text->boundingRect()).adjusted(-3, -1, 3, 1));
                m_headerFrame->setPen(QPen(m_ink, 1));
                m_headerFrame->setVisible(true);
                break;
            }
        }
    }

    // Border of the chart area.
    const AreaSettings& areas = state().areas;
    if (areas.border == BorderType::Normal || areas.border == BorderType::DoubleBar) {
        const QRectF inner = m_chart->rect().adjusted(1, 1, -1, -1);
        QPen pen(m_ink, std::max(1, areas.borderWidth));
        if (areas.border == BorderType::DoubleBar) {
            pen.setWidth(std::max(3, 3 * areas.borderWidth));
            pen.setStyle(Qt::SolidLine);
        }
        m_borderItem->setPen(pen);
        m_borderItem->setRect(inner);
        m_borderItem->setVisible(true);
    } else {
        m_borderItem->setVisible(false);
    }
}

// --- Hit testing and mouse ---------------------------------------------------------------------

std::optional<ChartPoint> QtChartComponent::dataCoordinatesAt(int px, int py) const {
    const QPointF chartPos = m_chart->mapFromScene(mapToScene(QPoint(px, py)));
    if (!m_chart->plotArea().contains(chartPos)) {
        return std::nullopt;
    }
    QAbstractSeries* anchor = nullptr;
    for (const auto& views : m_views) {
        if (!views.empty()) {
            anchor = views.front().line;
            break;
        }
    }
    if (anchor == nullptr) {
        // No series yet: map linearly through the axis window.
        const QRectF plot = m_chart->plotArea();
        const AxisSettings& ax = state().axes[0];
        const AxisSettings& ay = state().axes[1];
        const double fx = (chartPos.x() - plot.left()) / plot.width();
        const double fy = (plot.bottom() - chartPos.y()) / plot.height();
        return ChartPoint{ax.minimum + fx * (ax.maximum - ax.minimum),
                          ay.minimum + fy * (ay.maximum - ay.minimum)};
    }
    const QPointF value = m_chart->mapToValue(chartPos, anchor);
    return ChartPoint{value.x(), value.y()};
}

std::optional<ChartHit> QtChartComponent::pointAt(int px, int py, int radius) const {
    std::optional<ChartHit> best;
    const QPointF target(px, py);
    for (int g = 0; g < 2; ++g) {
        for (std::size_t i = 0; i < state().groups[g].size() && i < m_views[g].size(); ++i) {
            const auto& s = state().groups[g][i];
            if (!s.visible) {
                continue;
            }
            QAbstractSeries* line = m_views[g][i].line;
            for (std::size_t k = 0; k < s.points.size(); ++k) {
                const ChartPoint& p = s.points[k];
                if ((m_axisXLog && !(p.x > 0)) || (m_axisYLog && !(p.y > 0))) {
                    continue;
                }
                const QPointF chartPos = m_chart->mapToPosition(QPointF(p.x, p.y), line);
                const QPointF widgetPos = mapFromScene(m_chart->mapToScene(chartPos));
                const double d = std::hypot(widgetPos.x() - target.x(), widgetPos.y() - target.y());
                if (d <= radius && (!best || d < best->distance)) {
                    best = ChartHit{g + 1, static_cast<int>(i) + 1, static_cast<int>(k) + 1, d};
                }
            }
        }
    }
    return best;
}

void QtChartComponent::setZoomMode(bool on) {
    m_zoomMode = on;
    setRubberBand(on ? QChartView::RectangleRubberBand : QChartView::NoRubberBand);
}

void QtChartComponent::resetZoom() {
    setZoomMode(false);
    m_chart->zoomReset();
    markDirty(ChartChange::kAxes);
}

void QtChartComponent::mouseMoveEvent(QMouseEvent* event) {
    if (m_mouseMoved) {
        m_mouseMoved(event->position().toPoint());
    }
    QChartView::mouseMoveEvent(event);
}

void QtChartComponent::mousePressEvent(QMouseEvent* event) {
    m_pressPosition = event->position().toPoint();
    QChartView::mousePressEvent(event);
}

void QtChartComponent::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const bool click = (pos - m_pressPosition).manhattanLength() < 4;
    if (m_zoomMode && event->button() == Qt::RightButton) {
        // The rubber band's right click zooms out; the zoom mode keeps the chart's own behaviour.
        QChartView::mouseReleaseEvent(event);
        return;
    }
    QChartView::mouseReleaseEvent(event);
    if (click && m_mouseClicked) {
        m_mouseClicked(pos, event->button());
    }
}

void QtChartComponent::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    if (const QString header = headerText(); header != m_chart->title()) {
        m_chart->setTitle(header);
    }
    if (state().areas.plotLeft) {
        markDirty(ChartChange::kDecor);
    }
    layoutOverlay();
}

}  // namespace zemtral
