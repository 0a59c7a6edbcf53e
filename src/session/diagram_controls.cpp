#include "session/diagram_controls.h"

#include "numeric/number_text.h"

namespace zemtral {

void applyGridControls(ChartComponent& chart, const GridControls& grid) {
    AxisSettings x = chart.axis(ChartAxis::X);
    AxisSettings y = chart.axis(ChartAxis::Y);
    // "nur y-Gitter": lines at the y digits (horizontal lines); "nur x-Gitter" the vertical ones.
    x.gridShown = grid.kind == 2 || grid.kind == 3;
    y.gridShown = grid.kind == 1 || grid.kind == 3;
    x.gridPattern = y.gridPattern = grid.solid ? LinePattern::Solid : LinePattern::Dotted;
    x.gridColour = y.gridColour = grid.colour;
    ChartUpdateBatch batch(chart);
    chart.setAxis(ChartAxis::X, x);
    chart.setAxis(ChartAxis::Y, y);
}

void applyFrameControls(ChartComponent& chart, const FrameControls& frame) {
    AreaSettings a = chart.areas();
    a.border = !frame.framed || frame.type == 3 ? BorderType::None
               : frame.type == 0                ? BorderType::DoubleBar
               : frame.type == 2                ? BorderType::ThreeD
                                                : BorderType::Normal;
    a.borderWidth = frame.width;
    a.margins.automatic = frame.automaticMargins;
    a.margins.left = frame.margins[0];
    a.margins.right = frame.margins[1];
    a.margins.top = frame.margins[2];
    a.margins.bottom = frame.margins[3];
    chart.setAreas(a);
}

void applyLegendControls(ChartComponent& chart, const LegendControls& controls) {
    LegendSettings legend = chart.legend();
    legend.shown = controls.shown;
    legend.orientation = controls.horizontal ? TextOrientation::Horizontal : TextOrientation::Vertical;
    legend.transparent = controls.transparent;
    legend.framed = controls.framed;
    chart.setLegend(legend);
}

void applySpacingControls(ChartComponent& chart, const SpacingControls& spacing) {
    auto value = [&](int i) -> std::optional<double> {
        if (!spacing.manual) {
            return std::nullopt;
        }
        const double v = parseNumber(spacing.texts[static_cast<std::size_t>(i)]);
        return v > 0.0 ? std::optional<double>(v) : std::nullopt;
    };
    AxisSettings x = chart.axis(ChartAxis::X);
    AxisSettings y = chart.axis(ChartAxis::Y);
    x.gridSpacing = value(0);
    x.tickSpacing = value(1);
    x.digitSpacing = value(2);
    y.gridSpacing = value(3);
    y.tickSpacing = value(4);
    y.digitSpacing = value(5);
    ChartUpdateBatch batch(chart);
    chart.setAxis(ChartAxis::X, x);
    chart.setAxis(ChartAxis::Y, y);
}

void applyOriginControls(ChartComponent& chart, const OriginControls& origins) {
    AxisSettings x = chart.axis(ChartAxis::X);
    AxisSettings y = chart.axis(ChartAxis::Y);
    auto origin = [](int choice) {
        switch (choice) {
            case 0:
                return AxisOrigin::AtMaximum;
            case 2:
                return AxisOrigin::AtZero;
            case 3:
                return AxisOrigin::AtValue;
            default:
                return AxisOrigin::AtMinimum;
        }
    };
    if (origins.automatic) {
        x.origin = y.origin = AxisOrigin::AutomaticAtMinimum;
    } else {
        x.origin = origin(origins.x);
        y.origin = origin(origins.y);
    }
    x.originValue = parseNumber(origins.xValue);
    y.originValue = parseNumber(origins.yValue);
    ChartUpdateBatch batch(chart);
    chart.setAxis(ChartAxis::X, x);
    chart.setAxis(ChartAxis::Y, y);
}

void applyYAxisTextControls(ChartComponent& chart, const YAxisTextControls& controls) {
    AxisSettings y = chart.axis(ChartAxis::Y);
    y.digitOrientation = controls.digitsVertical ? TextOrientation::Vertical : TextOrientation::Horizontal;
    y.titleOrientation = controls.titleHorizontal ? TextOrientation::Horizontal : TextOrientation::Vertical;
    chart.setAxis(ChartAxis::Y, y);
}

LegendControls legendControlsOf(const ChartComponent& chart) {
    const LegendSettings legend = chart.legend();
    return LegendControls{legend.shown, legend.orientation == TextOrientation::Horizontal, legend.transparent,
                          legend.framed};
}

GridControls gridControlsOf(const ChartComponent& chart, const GridControls& current) {
    const AxisSettings x = chart.axis(ChartAxis::X);
    const AxisSettings y = chart.axis(ChartAxis::Y);
    GridControls grid = current;
    grid.kind = x.gridShown && y.gridShown ? 3 : x.gridShown ? 2 : y.gridShown ? 1 : 0;
    grid.solid = x.gridPattern == LinePattern::Solid;
    grid.colour = x.gridColour;
    return grid;
}

FrameControls frameControlsOf(const ChartComponent& chart, const FrameControls& current) {
    const AreaSettings a = chart.areas();
    FrameControls frame = current;
    switch (a.border) {
        case BorderType::None:
            frame.type = frame.framed ? 3 : frame.type;
            break;
        case BorderType::DoubleBar:
            frame.framed = true;
            frame.type = 0;
            break;
        case BorderType::Normal:
            frame.framed = true;
            frame.type = 1;
            break;
        case BorderType::ThreeD:
            frame.framed = true;
            frame.type = 2;
            break;
    }
    frame.width = a.borderWidth;
    frame.automaticMargins = a.margins.automatic;
    frame.margins = {a.margins.left, a.margins.right, a.margins.top, a.margins.bottom};
    return frame;
}

YAxisTextControls yAxisTextControlsOf(const ChartComponent& chart) {
    const AxisSettings y = chart.axis(ChartAxis::Y);
    return YAxisTextControls{y.digitOrientation == TextOrientation::Vertical,
                             y.titleOrientation == TextOrientation::Horizontal};
}

AreaSettings withAreaPreset(AreaSettings areas, AreaPreset preset) {
    switch (preset) {
        case AreaPreset::GreyMargins:
            areas.chartAreaColour = ChartColour{0xC0C0C0};
            areas.innerMarginColour = ChartColour{0xC0C0C0};
            break;
        case AreaPreset::AllWhite:
            areas.chartAreaColour = areas.innerMarginColour = areas.plotAreaColour = kChartWhite;
            break;
        case AreaPreset::AllBlack:
            areas.chartAreaColour = areas.innerMarginColour = areas.plotAreaColour = kChartBlack;
            break;
    }
    return areas;
}

void applyAreaPreset(ChartComponent& chart, AreaPreset preset) {
    const AreaSettings before = chart.areas();
    const AreaSettings after = withAreaPreset(before, preset);
    const ChartColour oldInk = inkOn(before.innerMarginColour);
    const ChartColour newInk = inkOn(after.innerMarginColour);
    ChartUpdateBatch batch(chart);
    chart.setAreas(after);
    if (newInk == oldInk) {
        return;
    }
    LegendSettings legend = chart.legend();
    if (legend.foreground == oldInk) {
        legend.foreground = newInk;
    }
    legend.background = after.innerMarginColour;
    chart.setLegend(legend);
    for (const int id : chart.labelIds()) {
        if (auto label = chart.label(id); label && label->foreground == oldInk) {
            label->foreground = newInk;
            chart.setLabel(id, *label);
        }
    }
}

SeriesStyle curveStyleFromControls(SeriesStyle style, LinePattern pattern, int width) {
    style.linePattern = pattern;
    style.symbolShape = pattern == LinePattern::None ? SymbolShape::FilledCircle : SymbolShape::None;
    style.symbolColour = style.lineColour;
    style.lineWidth = width;
    return style;
}

SeriesStyle recoloured(SeriesStyle style, ChartColour colour) {
    style.lineColour = colour;
    style.symbolColour = colour;
    return style;
}

std::string mousePositionText(const std::optional<ChartPoint>& position, char decimalSeparator) {
    if (!position) {
        return "X =                     Y =";
    }
    return "X = " + formatSingle(static_cast<float>(position->x), decimalSeparator) +
           "          Y = " + formatSingle(static_cast<float>(position->y), decimalSeparator);
}

}  // namespace zemtral
